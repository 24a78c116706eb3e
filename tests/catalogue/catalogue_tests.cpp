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

}  // namespace
}  // namespace mivalto
