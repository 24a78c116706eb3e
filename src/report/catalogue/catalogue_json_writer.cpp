#include <string>

#include "base/program_texts.h"
#include "report/catalogue/catalogue_writer.h"
#include "report/formats/json_stream.h"

namespace mivalto {
namespace {

// A filter entry whose CLSID could not be read (GUID_NULL) has no clsid member: the null GUID
// would name no class.
void NameAndClsid(TreeWriter& json, const std::string& name, const Guid& clsid) {
  json.Key("name");
  json.String(name);
  if (clsid == kGuidNull) return;
  json.Key("clsid");
  json.String(GuidText(clsid));
}

void WriteFilters(TreeWriter& json, const FilterCatalogue& catalogue, const Guid& category) {
  json.BeginArray();
  for (const TfilterItem& filter : catalogue.KnownFilters) {
    if (filter.Category != category) continue;
    json.BeginObject();
    NameAndClsid(json, filter.Name, filter.CLSID);
    json.Key("display_name");
    if (filter.DisplayName.empty()) {
      json.Null();
    } else {
      json.String(filter.DisplayName);
    }
    json.EndObject();
  }
  json.EndArray();
}

}  // namespace

void WriteCatalogueJson(const FilterCatalogue& catalogue, std::ostream& out) {
  {
    JsonStream json(out);
    json.BeginObject();
    json.Key("program");
    json.String(texts::kProductVersionName);
    json.Key("categories");
    json.BeginArray();
    for (const TCategoryItem& category : catalogue.KnownCategories) {
      json.BeginObject();
      NameAndClsid(json, category.Name, category.CLSID);
      json.Key("filters");
      WriteFilters(json, catalogue, category.CLSID);
      json.EndObject();
    }
    json.EndArray();
    json.Key("dmos");
    json.BeginArray();
    for (const TDMOItem& dmo : catalogue.KnownDmos) {
      json.BeginObject();
      NameAndClsid(json, dmo.Name, dmo.CLSID);
      json.EndObject();
    }
    json.EndArray();
    json.Key("classes");
    json.BeginArray();
    for (const Guid& clsid : catalogue.RegisteredClasses) json.String(GuidText(clsid));
    json.EndArray();
    json.EndObject();
  }
  out << '\n';
}

}  // namespace mivalto
