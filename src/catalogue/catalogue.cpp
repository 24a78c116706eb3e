#include "catalogue/catalogue.h"

#include <algorithm>
#include <tuple>

namespace mivalto {
namespace {

bool Before(const Guid& a, const Guid& b) {
  return std::tie(a.data1, a.data2, a.data3, a.data4) <
         std::tie(b.data1, b.data2, b.data3, b.data4);
}

}  // namespace

bool ClassRegistered(const FilterCatalogue& catalogue, const Guid& clsid) {
  if (clsid == kGuidNull) return false;  // an entry's CLSID that could not be read
  return std::binary_search(catalogue.RegisteredClasses.begin(), catalogue.RegisteredClasses.end(),
                            clsid, Before) ||
         std::any_of(catalogue.KnownFilters.begin(), catalogue.KnownFilters.end(),
                     [&](const TfilterItem& filter) { return filter.CLSID == clsid; });
}

void SortClasses(std::vector<Guid>& classes) {
  std::sort(classes.begin(), classes.end(), Before);
  classes.erase(std::unique(classes.begin(), classes.end()), classes.end());
}

void ReleaseCatalogue(FilterCatalogue& catalogue) {
  catalogue.Known = false;
  catalogue.KnownCategories.clear();
  catalogue.KnownCategories.shrink_to_fit();
  catalogue.KnownFilters.clear();
  catalogue.KnownFilters.shrink_to_fit();
  catalogue.KnownDmos.clear();
  catalogue.KnownDmos.shrink_to_fit();
  catalogue.RegisteredClasses.clear();
  catalogue.RegisteredClasses.shrink_to_fit();
}

}  // namespace mivalto
