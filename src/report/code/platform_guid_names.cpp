#include "report/code/platform_guid_names.h"

#include "catalogue/filter_classes.h"
#include "mediatype/format_type_table.h"
#include "mediatype/major_type_table.h"
#include "mediatype/subtype_table.h"

namespace mivalto {
namespace {

constexpr std::string_view kFamilyPrefixes[] = {"CLSID_", "MEDIATYPE_", "MEDIASUBTYPE_", "FORMAT_"};

}  // namespace

std::string_view GuidFamilyPrefix(GuidFamily family) {
  return kFamilyPrefixes[static_cast<int>(family)];
}

std::optional<std::string_view> PlatformGuidName(GuidFamily family, const Guid& guid) {
  for (const Named<Guid>& row : PlatformGuidNames()) {
    if (row.value == guid && row.text.starts_with(GuidFamilyPrefix(family))) return row.text;
  }
  return std::nullopt;
}

const std::vector<Named<Guid>>& PlatformGuidNames() {
  static const std::vector<Named<Guid>> names = [] {
    std::vector<Named<Guid>> all(std::begin(kPlatformGuidNames), std::end(kPlatformGuidNames));
    const auto add = [&](const auto& table) {
      for (const auto& row : table) {
        if (!row.platform.empty()) all.push_back({row.value, row.platform});
      }
    };
    add(kMajorTypeTable);
    add(kSubtypeTable);
    add(kFormatTypeTable);
    add(kFilterClassTable);
    return all;
  }();
  return names;
}

}  // namespace mivalto
