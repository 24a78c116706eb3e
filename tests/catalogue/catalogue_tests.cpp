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

// A class counts when the machine registered it, or, from an older export, a category lists
// it; the first and last of the sorted classes are found too; the null GUID never counts.
TEST(ClassRegistered, ByItsClassOrItsCategory) {
  constexpr Guid kFirst = "{00000001-0000-0000-0000-000000000000}"_guid;
  constexpr Guid kLast = "{FFFFFFFF-FFFF-FFFF-FFFF-FFFFFFFFFFFE}"_guid;
  constexpr Guid kListed = "{1B544C20-FD0B-11CE-8C63-00AA0044B51E}"_guid;
  constexpr Guid kNeither = "{FFFFFFFF-FFFF-FFFF-FFFF-FFFFFFFFFFFF}"_guid;
  FilterCatalogue catalogue;
  catalogue.RegisteredClasses = {kLast, kSomeDmo, kFirst, kSomeDmo};
  SortClasses(catalogue.RegisteredClasses);
  EXPECT_EQ(catalogue.RegisteredClasses, (std::vector<Guid>{kFirst, kSomeDmo, kLast}));
  catalogue.KnownFilters = {{"Listé", kListed}, {"Sans CLSID", kGuidNull}};
  const std::pair<Guid, bool> rows[] = {{kFirst, true},    {kLast, true},      {kSomeDmo, true},
                                        {kListed, true},   {kNeither, false},  {kGuidNull, false}};
  for (const auto& [clsid, registered] : rows) {
    EXPECT_EQ(ClassRegistered(catalogue, clsid), registered) << GuidText(clsid);
  }
}

}  // namespace
}  // namespace mivalto
