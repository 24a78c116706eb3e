#include "analysis/catalogue_lines.h"

#include <string>
#include <string_view>

#include "analysis/filter_description.h"
#include "base/program_texts.h"

namespace mivalto {
namespace {

constexpr std::string_view kIndent = "  ";

void Line(ReportView& view, const std::string& text, Color color = kBlack, bool bold = false) {
  view.SetColor(color);
  view.SetBold(bold);
  view.Append(text);
}

void Heading(ReportView& view, const std::string& text) {
  Line(view, "");
  Line(view, text, kBlack, true);
}

void DescribeCategory(const FilterCatalogue& catalogue, const TCategoryItem& category,
                      ReportView& view) {
  std::size_t count = 0;
  for (const TfilterItem& filter : catalogue.KnownFilters) count += filter.Category == category.CLSID;
  Heading(view, std::string(texts::kCatalogueCategory) + category.Name + " » " +
                    GuidText(category.CLSID) + std::string(texts::kCatalogueFiltersInCategory) +
                    std::to_string(count));
  for (const TfilterItem& filter : catalogue.KnownFilters) {
    if (filter.Category != category.CLSID) continue;
    Line(view, std::string(kIndent) + filter.Name + " " + GuidText(filter.CLSID),
         KindRow(FilterKindOf(filter.CLSID)).color);
  }
}

void DescribeDevices(const FilterCatalogue& catalogue, ReportView& view) {
  std::size_t count = 0;
  for (const TfilterItem& filter : catalogue.KnownFilters) count += !filter.DisplayName.empty();
  Heading(view, std::string(texts::kCatalogueDevices) + std::to_string(count));
  for (const TfilterItem& filter : catalogue.KnownFilters) {
    if (filter.DisplayName.empty()) continue;
    Line(view, std::string(kIndent) + filter.Name + " : " + filter.DisplayName,
         KindRow(FilterKind::kPnp).color);
  }
}

}  // namespace

void DescribeCatalogue(const FilterCatalogue& catalogue, ReportView& view) {
  Line(view, std::string(texts::kCatalogueTitle), kBlack, true);
  Line(view, std::string(texts::kCatalogueCategories) + std::to_string(catalogue.KnownCategories.size()));
  Line(view, std::string(texts::kCatalogueFilters) + std::to_string(catalogue.KnownFilters.size()));
  for (const TCategoryItem& category : catalogue.KnownCategories) {
    DescribeCategory(catalogue, category, view);
  }
  Heading(view, std::string(texts::kCatalogueDmos) + std::to_string(catalogue.KnownDmos.size()));
  for (const TDMOItem& dmo : catalogue.KnownDmos) {
    Line(view, std::string(kIndent) + dmo.Name + " " + GuidText(dmo.CLSID),
         KindRow(FilterKind::kDmo).color);
  }
  DescribeDevices(catalogue, view);
}

}  // namespace mivalto
