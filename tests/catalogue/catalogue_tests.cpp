// The catalogue's lists on every platform: releasing them leaves nothing allocated.
#include <gtest/gtest.h>

#include "catalogue/catalogue.h"

namespace mivalto {
namespace {

constexpr Guid kSomeDmo = "{00112233-4455-6677-8899-AABBCCDDEEFF}"_guid;

FilterCatalogue FilledCatalogue() {
  TfilterItem device;
  device.Name = "Périphérique";
  device.CLSID = kClsidProxy;
  device.DisplayName = "@device:pnp:\\\\?\\usb#vid_0001#1&2&3#global";
  FilterCatalogue catalogue;
  catalogue.KnownFilters.assign(100, device);
  catalogue.KnownDmos.assign(100, TDMOItem{"DMO", kSomeDmo});
  return catalogue;
}

TEST(ReleaseCatalogue, EmptiesBothListsAndFreesTheirStorage) {
  FilterCatalogue catalogue = FilledCatalogue();
  ReleaseCatalogue(catalogue);
  EXPECT_TRUE(catalogue.KnownFilters.empty());
  EXPECT_TRUE(catalogue.KnownDmos.empty());
  EXPECT_EQ(catalogue.KnownFilters.capacity(), 0u);
  EXPECT_EQ(catalogue.KnownDmos.capacity(), 0u);
  ReleaseCatalogue(catalogue);  // a second release finds nothing to do
  EXPECT_TRUE(catalogue.KnownFilters.empty());
}

// Each filter class once; a renderer's fixed name is found for it and for no other class.
TEST(FilterClassTable, EachClassOnceAndOnlyRenderersNamed) {
  for (std::size_t i = 0; i < std::size(kFilterClassTable); ++i) {
    const FilterClassRow& row = kFilterClassTable[i];
    for (std::size_t j = i + 1; j < std::size(kFilterClassTable); ++j) {
      EXPECT_FALSE(row.value == kFilterClassTable[j].value) << i << ", " << j;
    }
    const auto name = FixedRendererName(row.value);
    EXPECT_EQ(name.value_or(""), row.renderer) << i;
  }
  EXPECT_EQ(FixedRendererName(Guid{}), std::nullopt);
}

}  // namespace
}  // namespace mivalto
