#include "analysis/catalogue_json.h"

#include <string_view>

#include "analysis/json_input.h"
#include "base/program_texts.h"

namespace mivalto {
namespace {

constexpr std::string_view kCategories = "/categories";
constexpr std::string_view kDmos = "/dmos";
constexpr std::string_view kClasses = "/classes";

bool Within(std::string_view pattern, std::string_view member) {
  return pattern == member || (pattern.starts_with(member) && pattern[member.size()] == '/');
}

bool InCatalogue(std::string_view pattern) {
  return Within(pattern, kCategories) || Within(pattern, kDmos) || Within(pattern, kClasses);
}

// The categories' elements, each an empty object: enough to see the member is there.
bool CategoriesOutline(std::string_view pattern) { return pattern == kCategories; }

bool HasCategories(const nlohmann::json& root) {
  return root.is_object() && root.contains(kCategories.substr(1));
}

void ReadCategory(const JsonAt& at, FilterCatalogue& catalogue) {
  at.Object();
  const TCategoryItem& category =
      catalogue.KnownCategories.emplace_back(TCategoryItem{at["name"].String(), at["clsid"].GuidValue()});
  const JsonAt filters = at["filters"];
  for (std::size_t i = 0; i < filters.Array().size(); ++i) {
    const JsonAt filter = filters.Element(i);
    filter.Object();
    TfilterItem& item = catalogue.KnownFilters.emplace_back();
    item.Name = filter["name"].String();
    if (const std::optional<JsonAt> clsid = filter.Optional("clsid")) {
      item.CLSID = clsid->GuidValue();
    }
    if (const std::optional<JsonAt> display = filter.Optional("display_name")) {
      item.DisplayName = display->String();
    }
    item.Category = category.CLSID;
  }
}

void ReadDmo(const JsonAt& at, FilterCatalogue& catalogue) {
  at.Object();
  catalogue.KnownDmos.push_back({at["name"].String(), at["clsid"].GuidValue()});
}

}  // namespace

bool IsCatalogueJson(ByteSource& source) {
  try {
    return HasCategories(ReadJsonMembers(source, CategoriesOutline).root);
  } catch (const JsonInputError&) {
    return false;
  }
}

FilterCatalogue ReadCatalogueJson(ByteSource& source) {
  const nlohmann::json root = ReadJsonMembers(source, InCatalogue).root;
  if (!HasCategories(root)) throw JsonInputError("", texts::kJsonNotCatalogue);
  const JsonAt document{root, ""};
  FilterCatalogue catalogue;
  catalogue.Known = true;
  const JsonAt categories = document["categories"];
  for (std::size_t i = 0; i < categories.Array().size(); ++i) {
    ReadCategory(categories.Element(i), catalogue);
  }
  const JsonAt dmos = document["dmos"];
  for (std::size_t i = 0; i < dmos.Array().size(); ++i) ReadDmo(dmos.Element(i), catalogue);
  // An older export has no classes: then only its categories say what is registered.
  if (const std::optional<JsonAt> classes = document.Optional("classes")) {
    for (std::size_t i = 0; i < classes->Array().size(); ++i)
      catalogue.RegisteredClasses.push_back(classes->Element(i).GuidValue());
    SortClasses(catalogue.RegisteredClasses);
  }
  return catalogue;
}

}  // namespace mivalto
