#include "catalogue/catalogue.h"

namespace mivalto {

void ReleaseCatalogue(FilterCatalogue& catalogue) {
  catalogue.Known = false;
  catalogue.KnownCategories.clear();
  catalogue.KnownCategories.shrink_to_fit();
  catalogue.KnownFilters.clear();
  catalogue.KnownFilters.shrink_to_fit();
  catalogue.KnownDmos.clear();
  catalogue.KnownDmos.shrink_to_fit();
}

}  // namespace mivalto
