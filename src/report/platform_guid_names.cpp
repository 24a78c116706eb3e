#include "report/platform_guid_names.h"

namespace mivalto {
namespace {

constexpr std::string_view kFamilyPrefixes[] = {"CLSID_", "MEDIATYPE_", "MEDIASUBTYPE_", "FORMAT_"};

}  // namespace

std::string_view GuidFamilyPrefix(GuidFamily family) {
  return kFamilyPrefixes[static_cast<int>(family)];
}

std::optional<std::string_view> PlatformGuidName(GuidFamily family, const Guid& guid) {
  for (const Named<Guid>& row : kPlatformGuidNames) {
    if (row.value == guid && row.text.starts_with(GuidFamilyPrefix(family))) return row.text;
  }
  return std::nullopt;
}

}  // namespace mivalto
