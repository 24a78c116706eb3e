// The catalogue built from what Wine registers, plus the test's own fixtures, checked against
// the test's own walk of the system device enumerator and of DMO enumeration.
#include <windows.h>
#include <dmo.h>
#include <strmif.h>
#include <uuids.h>
#include <vfw.h>
#include <wrl/client.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <thread>

#include "analysis/filter_description.h"
#include "base/text_encoding.h"
#include "catalogue/catalogue.h"
#include "catalogue/com_support.h"
#include "catalogue/sys_dev_enum.h"
#include "platform/wide_text.h"
#include "support/filter_data.h"
#include "support/graph_text.h"
#include "support/guid_texts.h"
#include "support/text_scanner.h"
#include "windows/catalogue_fixtures.h"
#include "windows/hresult_checks.h"

namespace mivalto::testing {
namespace {

using Microsoft::WRL::ComPtr;
using ::testing::EndsWith;
using ::testing::HasSubstr;

constexpr Guid kAviCompressor = "{D76E2820-1563-11CF-AC98-00AA004C0FA9}"_guid;

// One member of a class, as the test reads it straight from the platform.
struct Record {
  std::string name;
  Guid clsid;
  std::string display_name;
};

struct DmoRecord {
  std::string name;
  Guid clsid;
};

// The CLSID goes through the platform's own parser here.
Record ReadRecord(IMoniker& moniker) {
  Record record;
  ComPtr<IPropertyBag> bag;
  EXPECT_HR(S_OK, moniker.BindToStorage(nullptr, nullptr, IID_PPV_ARGS(&bag)));
  if (!bag) return record;
  VARIANT value;
  VariantInit(&value);
  if (bag->Read(L"FriendlyName", &value, nullptr) == S_OK) {
    EXPECT_EQ(V_VT(&value), VT_BSTR);
    record.name = CutToCodePoints(WideToUtf8(V_BSTR(&value)), kMaxFriendlyNameLength);
  }
  VariantClear(&value);
  if (bag->Read(L"CLSID", &value, nullptr) == S_OK) {
    CLSID clsid{};
    EXPECT_HR(S_OK, CLSIDFromString(V_BSTR(&value), &clsid)) << WideToUtf8(V_BSTR(&value));
    record.clsid = GuidFromWin(clsid);
  }
  VariantClear(&value);
  LPOLESTR name = nullptr;
  EXPECT_HR(S_OK, moniker.GetDisplayName(nullptr, nullptr, &name));
  const std::wstring display_name = name ? name : L"";
  CoTaskMemFree(name);
  // A DMO's bag has no CLSID: its display name, "@device:dmo:{DMO}{CATEGORY}", names it.
  CLSID dmo{};
  if (record.clsid == kGuidNull && display_name.starts_with(L"@device:dmo:") &&
      CLSIDFromString(display_name.substr(12, 38).c_str(), &dmo) == S_OK) {
    record.clsid = GuidFromWin(dmo);
  }
  if (record.clsid == kClsidProxy) record.display_name = WideToUtf8(display_name);
  return record;
}

// An empty class answers S_FALSE and hands out no enumerator.
std::vector<Record> ReadClass(ICreateDevEnum& devices, const GUID& class_id) {
  std::vector<Record> records;
  auto* monikers = reinterpret_cast<IEnumMoniker*>(0xdeadbeef);
  const HRESULT hr = devices.CreateClassEnumerator(class_id, &monikers, 0);
  if (hr == S_FALSE) {
    EXPECT_EQ(monikers, nullptr);
    return records;
  }
  EXPECT_HR(S_OK, hr);
  if (hr != S_OK) return records;
  IMoniker* moniker = nullptr;
  while (monikers->Next(1, &moniker, nullptr) == S_OK) {
    records.push_back(ReadRecord(*moniker));
    EXPECT_EQ(moniker->Release(), 0u) << records.back().name;
  }
  EXPECT_EQ(monikers->Release(), 0u);
  return records;
}

std::vector<DmoRecord> ReadDmos(DWORD flags) {
  std::vector<DmoRecord> dmos;
  auto* found = reinterpret_cast<IEnumDMO*>(0xdeadbeef);
  const HRESULT hr = DMOEnum(GUID_NULL, flags, 0, nullptr, 0, nullptr, &found);
  EXPECT_HR(S_OK, hr);
  if (hr != S_OK) return dmos;
  CLSID clsid;
  auto* name = reinterpret_cast<wchar_t*>(0xdeadbeef);
  while (found->Next(1, &clsid, &name, nullptr) == S_OK) {
    dmos.push_back({WideToUtf8(name), GuidFromWin(clsid)});
    CoTaskMemFree(name);
  }
  EXPECT_EQ(found->Release(), 0u);
  return dmos;
}

std::vector<DmoRecord> ReadDmosWith(const Guid& clsid, DWORD flags) {
  std::vector<DmoRecord> dmos = ReadDmos(flags);
  std::erase_if(dmos, [&](const DmoRecord& dmo) { return dmo.clsid != clsid; });
  return dmos;
}

// The device path of a graph: a device's display name with another instance id, the part
// between its second and third "#".
std::string WithInstanceId(std::string path, std::string_view instance_id) {
  const std::size_t first = path.find('#');
  const std::size_t second = path.find('#', first + 1);
  const std::size_t third = path.find('#', second + 1);
  return path.replace(second + 1, third - second - 1, instance_id);
}

class CatalogueOnWine : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_HR(S_OK, CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    RegisterPrivateFixtures();
    catalogue_ = BuildCatalogue();
    ReadMachine();
    std::printf("catalogue: %zu categories, %zu filters, %zu DMOs\n", categories_.size(),
                catalogue_.KnownFilters.size(), catalogue_.KnownDmos.size());
  }

  static void TearDownTestSuite() {
    RemovePrivateFixtures();
    ReleaseCatalogue(catalogue_);
    CoUninitialize();
  }

  static void ReadMachine() {
    // Wine's device enumerator is a static object whose Release never answers 0.
    ComPtr<ICreateDevEnum> devices;
    ASSERT_HR(S_OK, CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC,
                                     IID_PPV_ARGS(&devices)));
    categories_ = ReadClass(*devices.Get(), CLSID_ActiveMovieCategories);
    for (const Record& category : categories_) {
      by_category_.push_back(ReadClass(*devices.Get(), WinGuidFrom(category.clsid)));
      filters_.insert(filters_.end(), by_category_.back().begin(), by_category_.back().end());
    }
    dmos_ = ReadDmos(DMO_ENUMF_INCLUDE_KEYED);
  }

  static std::size_t CategoryIndex(const Guid& category) {
    const auto found = std::find_if(categories_.begin(), categories_.end(),
                                    [&](const Record& record) { return record.clsid == category; });
    return static_cast<std::size_t>(found - categories_.begin());
  }

  static std::vector<const TfilterItem*> KnownFiltersWith(const Guid& clsid) {
    std::vector<const TfilterItem*> found;
    for (const TfilterItem& filter : catalogue_.KnownFilters) {
      if (filter.CLSID == clsid) found.push_back(&filter);
    }
    return found;
  }

  static std::size_t KnownFiltersNamed(std::string_view name, const Guid& clsid) {
    return std::count_if(
        catalogue_.KnownFilters.begin(), catalogue_.KnownFilters.end(),
        [&](const TfilterItem& filter) { return filter.Name == name && filter.CLSID == clsid; });
  }

  static inline FilterCatalogue catalogue_;
  static inline std::vector<Record> categories_;
  static inline std::vector<std::vector<Record>> by_category_;
  static inline std::vector<Record> filters_;  // every category's, one after the other
  static inline std::vector<DmoRecord> dmos_;
};

TEST_F(CatalogueOnWine, FiltersComeCategoryByCategoryInEnumerationOrder) {
  const std::vector<TfilterItem>& known = catalogue_.KnownFilters;
  ASSERT_EQ(known.size(), filters_.size());
  for (std::size_t i = 0; i < known.size(); ++i) {
    SCOPED_TRACE("record " + std::to_string(i) + ", " + filters_[i].name);
    EXPECT_EQ(known[i].Name, filters_[i].name);
    EXPECT_EQ(GuidText(known[i].CLSID), GuidText(filters_[i].clsid));
    EXPECT_EQ(known[i].DisplayName, filters_[i].display_name);
    EXPECT_EQ(known[i].GraphName, "");
    EXPECT_EQ(known[i].Number, "");
  }
}

TEST_F(CatalogueOnWine, SysDevEnumListsCategoriesThenTheSelectedCategorysFilters) {
  TSysDevEnum devices;
  ASSERT_EQ(devices.CategoryCount(), categories_.size());
  for (std::size_t i = 0; i < categories_.size(); ++i) {
    EXPECT_EQ(devices.CategoryEntry(i).FriendlyName, categories_[i].name) << i;
    EXPECT_EQ(GuidText(devices.CategoryEntry(i).CLSID), GuidText(categories_[i].clsid)) << i;
  }
  const std::size_t filled = CategoryIndex(kFilledCategory);
  ASSERT_LT(filled, categories_.size());
  devices.SelectCategory(filled);
  ASSERT_EQ(devices.FilterCount(), by_category_[filled].size());
  EXPECT_EQ(devices.FilterEntry(0).FriendlyName, by_category_[filled][0].name);
  // Selecting another category replaces the filters, even with none.
  devices.SelectCategory(CategoryIndex(kEmptyCategory));
  EXPECT_EQ(devices.FilterCount(), 0u);
}

TEST_F(CatalogueOnWine, EmptyCategoryAddsNothingAndTheNextOneFollows) {
  const std::size_t empty = CategoryIndex(kEmptyCategory);
  ASSERT_LT(empty, categories_.size());
  ASSERT_EQ(CategoryIndex(kFilledCategory), empty + 1) << "the fixtures' categories moved apart";
  EXPECT_TRUE(by_category_[empty].empty());
  std::size_t before = 0;
  for (std::size_t i = 0; i < empty; ++i) before += by_category_[i].size();
  const std::vector<Record>& next = by_category_[empty + 1];
  ASSERT_GE(catalogue_.KnownFilters.size(), before + next.size());
  for (std::size_t i = 0; i < next.size(); ++i) {
    EXPECT_EQ(catalogue_.KnownFilters[before + i].Name, next[i].name) << i;
  }
  const auto wine_empty = std::count_if(by_category_.begin(), by_category_.end(),
                                        [](const auto& records) { return records.empty(); });
  std::printf("%zd of %zu categories are empty\n", static_cast<std::ptrdiff_t>(wine_empty),
              categories_.size());
  EXPECT_GT(wine_empty, 1) << "Wine's own empty categories, besides the fixture's";
}

TEST_F(CatalogueOnWine, VideoCompressorsAppearOncePerRegistration) {
  std::size_t installed = 0;
  ICINFO info{};
  while (ICInfo(ICTYPE_VIDEO, static_cast<DWORD>(installed), &info)) ++installed;
  std::printf("%zu video codecs installed\n", installed);
  EXPECT_EQ(KnownFiltersWith(kAviCompressor).size(), installed);
  for (std::wstring_view fourcc : kCodecFourCCs) {
    EXPECT_EQ(KnownFiltersNamed(CodecDescriptionUtf8(fourcc), kAviCompressor), 1u)
        << CodecDescriptionUtf8(fourcc);
  }
}

TEST_F(CatalogueOnWine, DmosComeWithTheirNamesKeyedOnesIncluded) {
  const std::vector<TDMOItem>& known = catalogue_.KnownDmos;
  ASSERT_EQ(known.size(), dmos_.size());
  for (std::size_t i = 0; i < known.size(); ++i) {
    EXPECT_EQ(known[i].Name, dmos_[i].name) << i;
    EXPECT_EQ(GuidText(known[i].CLSID), GuidText(dmos_[i].clsid)) << i;
  }
  for (const auto& [clsid, name] : {std::pair{kPrivateDmo, kPrivateDmoName.utf8},
                                    std::pair{kKeyedDmo, kKeyedDmoName.utf8}}) {
    EXPECT_EQ(std::count_if(known.begin(), known.end(),
                            [&](const TDMOItem& dmo) { return dmo.CLSID == clsid; }),
              1)
        << name;
    const auto found = std::find_if(known.begin(), known.end(),
                                    [&](const TDMOItem& dmo) { return dmo.CLSID == clsid; });
    if (found != known.end()) {
      EXPECT_EQ(found->Name, name);
    }
  }
  // Without DMO_ENUMF_INCLUDE_KEYED the keyed DMO is not enumerated at all.
  EXPECT_EQ(ReadDmosWith(kKeyedDmo, 0).size(), 0u);
}

TEST_F(CatalogueOnWine, FirstRegistrationNamesAGraphsFilter) {
  const std::vector<const TfilterItem*> registrations = KnownFiltersWith(kPrivateFilter);
  ASSERT_EQ(registrations.size(), 2u);
  EXPECT_EQ(registrations[0]->Name, kPrivateFilterName.utf8);
  EXPECT_EQ(registrations[1]->Name, kSecondRegistrationName.utf8);

  const std::vector<const TfilterItem*> devices = KnownFiltersWith(kClsidProxy);
  ASSERT_FALSE(devices.empty());
  const std::string device_path = WithInstanceId(devices[0]->DisplayName, "5&1a2b3c4d&0&9");
  GraphText text;
  text.Filter({.number = "0001", .name = "Filtre", .clsid = GuidText(kPrivateFilter)})
      .Filter({.number = "0002",
               .name = "DMO",
               .clsid = std::string(guids::kDmoWrapper),
               .data = DmoWrapperData(GuidText(kPrivateDmo), guids::kDmoVideoDecoder)})
      .Filter({.number = "0003",
               .name = "Caméra",
               .clsid = std::string(guids::kDeviceProxy),
               .data = DeviceData(device_path)});
  TextScanner scanner(text.Bytes());
  const auto next_line = [&] {
    FilterAsRead entry = ReadFilterEntry(*scanner, 1);
    DeriveFilter(entry.filter, entry.spelling, catalogue_);
    return DescribeFilter(entry.filter, entry.spelling).text;
  };
  EXPECT_THAT(next_line(), HasSubstr(": " + std::string(kPrivateFilterName.utf8) + " " +
                                     GuidText(kPrivateFilter)));
  EXPECT_THAT(next_line(),
              HasSubstr(std::string(kPrivateDmoName.utf8) + " " + GuidText(kPrivateDmo)));
  EXPECT_THAT(next_line(), HasSubstr(": " + std::string(kDeviceName.utf8) + " " + device_path));
}

TEST_F(CatalogueOnWine, FriendlyNameIsCutTo255CodePoints) {
  const std::vector<const TfilterItem*> found = KnownFiltersWith(kLongNameFilter);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0]->Name, LongNameUtf8(kMaxFriendlyNameLength));
}

TEST_F(CatalogueOnWine, OnlyDevicesHaveDisplayNamesWhichTellThemApart) {
  for (const TfilterItem& filter : catalogue_.KnownFilters) {
    EXPECT_EQ(filter.DisplayName.empty(), filter.CLSID != kClsidProxy)
        << filter.Name << " " << filter.DisplayName;
  }
  for (std::wstring_view instance : kDeviceInstances) {
    const std::string path = WideToUtf8(std::wstring(instance).c_str());
    EXPECT_EQ(std::count_if(catalogue_.KnownFilters.begin(), catalogue_.KnownFilters.end(),
                            [&](const TfilterItem& filter) {
                              return filter.CLSID == kClsidProxy &&
                                     filter.Name == kDeviceName.utf8 &&
                                     filter.DisplayName.ends_with(path);
                            }),
              1)
        << path;
  }
}

// Only the entry made without a CLSID has none: the DMOs of the categories give theirs.
TEST_F(CatalogueOnWine, EntryMissingAPropertyStays) {
  EXPECT_EQ(KnownFiltersNamed(kNoClsidEntryName.utf8, kGuidNull), 1u);
  EXPECT_EQ(KnownFiltersWith(kGuidNull).size(), 1u);
  const std::vector<const TfilterItem*> nameless = KnownFiltersWith(kNamelessFilter);
  ASSERT_EQ(nameless.size(), 1u);
  EXPECT_EQ(nameless[0]->Name, "");
}

// Registered is what the machine can create: the filter graph manager, which no category
// lists, counts.
TEST_F(CatalogueOnWine, RegisteredClassesAreWhatTheMachineCanCreate) {
  EXPECT_TRUE(KnownFiltersWith(GuidFromWin(CLSID_FilterGraph)).empty());
  EXPECT_TRUE(ClassRegistered(catalogue_, GuidFromWin(CLSID_FilterGraph)));
  EXPECT_FALSE(ClassRegistered(catalogue_, "{4D4956FF-5E57-4CA7-9A11-0000000000FF}"_guid));
}

TEST_F(CatalogueOnWine, BuildsOnAThreadWithoutComAndLeavesItWithout) {
  FilterCatalogue built;
  HRESULT after = E_FAIL;
  std::thread([&] {
    built = BuildCatalogue();
    after = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);  // S_FALSE if left initialised
    if (SUCCEEDED(after)) CoUninitialize();
  }).join();
  EXPECT_EQ(built.KnownFilters.size(), catalogue_.KnownFilters.size());
  EXPECT_EQ(built.KnownDmos.size(), catalogue_.KnownDmos.size());
  EXPECT_HR(S_OK, after);
}

TEST_F(CatalogueOnWine, BuildsInTheCallersMultithreadedApartmentAndKeepsIt) {
  FilterCatalogue built;
  HRESULT first = E_FAIL;
  HRESULT after = E_FAIL;
  std::thread([&] {
    first = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    built = BuildCatalogue();
    after = CoInitializeEx(nullptr, COINIT_MULTITHREADED);  // S_OK if the build ended it
    if (SUCCEEDED(after)) CoUninitialize();
    if (SUCCEEDED(first)) CoUninitialize();
  }).join();
  EXPECT_HR(S_OK, first);
  EXPECT_EQ(built.KnownFilters.size(), catalogue_.KnownFilters.size());
  EXPECT_EQ(built.KnownDmos.size(), catalogue_.KnownDmos.size());
  EXPECT_HR(S_FALSE, after);
}

}  // namespace
}  // namespace mivalto::testing
