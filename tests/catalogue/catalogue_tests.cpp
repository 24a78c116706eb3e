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

// A class counts when the machine registered it (the first and last of the sorted classes
// too), or, from an older export, a category lists it; the null GUID never counts.
TEST(ClassRegistered, ByItsClassOrItsCategory) {
  FilterCatalogue catalogue = FilledCatalogue();  // a device and a DMO
  const Guid first = "{00000001-0000-0000-0000-000000000000}"_guid;
  const Guid last = "{FFFFFFFF-0000-0000-0000-000000000000}"_guid;
  catalogue.RegisteredClasses = {last, kSomeDmo, first, kSomeDmo};
  SortClasses(catalogue.RegisteredClasses);
  EXPECT_EQ(catalogue.RegisteredClasses, (std::vector<Guid>{first, kSomeDmo, last}));
  for (const Guid& clsid : {first, last, kSomeDmo, kClsidProxy})
    EXPECT_TRUE(ClassRegistered(catalogue, clsid)) << GuidText(clsid);
  catalogue.KnownFilters.push_back({"Sans CLSID", kGuidNull});
  EXPECT_FALSE(ClassRegistered(catalogue, kGuidNull));
  EXPECT_FALSE(ClassRegistered(catalogue, "{00000002-0000-0000-0000-000000000000}"_guid));
}

}  // namespace
}  // namespace mivalto
