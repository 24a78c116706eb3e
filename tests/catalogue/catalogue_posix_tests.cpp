// Without DirectShow the catalogue is empty; the analysis is otherwise the same.
#include <gtest/gtest.h>

#include "catalogue/catalogue.h"

namespace mivalto {
namespace {

TEST(BuildCatalogue, IsEmptyWithoutDirectShow) {
  const FilterCatalogue catalogue = BuildCatalogue();
  EXPECT_TRUE(catalogue.KnownFilters.empty());
  EXPECT_TRUE(catalogue.KnownDmos.empty());
}

}  // namespace
}  // namespace mivalto
