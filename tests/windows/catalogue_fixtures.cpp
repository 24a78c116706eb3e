#include "windows/catalogue_fixtures.h"

#include <windows.h>
#include <dmo.h>
#include <strmif.h>
#include <uuids.h>
#include <vfw.h>
#include <wrl/client.h>

#include <gtest/gtest.h>

#include "catalogue/catalogue.h"
#include "catalogue/com_support.h"
#include "windows/hresult_checks.h"

namespace mivalto::testing {
namespace {

using Microsoft::WRL::ComPtr;

// Repeated to make the long name: 1-, 2-, 3- and 4-byte UTF-8 forms, the last a surrogate
// pair in UTF-16.
constexpr TextPair kLongNamePieces[] = {{L"a", "a"}, {L"é", "é"}, {L"€", "€"}, {L"𝄞", "𝄞"}};

struct CategoryFixture {
  Guid category;
  TextPair name;
  bool has_filters;
};
constexpr CategoryFixture kCategories[] = {
    {kEmptyCategory, {L"Mivalto, catégorie vide", "Mivalto, catégorie vide"}, false},
    {kFilledCategory, {L"Mivalto, catégorie pleine", "Mivalto, catégorie pleine"}, true},
    {kSecondCategory, {L"Mivalto, seconde catégorie", "Mivalto, seconde catégorie"}, true},
};

struct DmoFixture {
  Guid clsid;
  std::wstring_view name;
  const GUID* category;
  DWORD flags;
};
const DmoFixture kDmos[] = {
    {kPrivateDmo, kPrivateDmoName.wide, &DMOCATEGORY_VIDEO_EFFECT, 0},
    {kKeyedDmo, kKeyedDmoName.wide, &DMOCATEGORY_AUDIO_EFFECT, DMO_REGISTERF_IS_KEYED},
};

std::wstring Wide(std::string_view ascii) { return std::wstring(ascii.begin(), ascii.end()); }

std::wstring CategoryListingKey(const Guid& category) {
  return L"CLSID\\{DA4E3DA0-D07D-11D0-BD50-00A0C911CE86}\\Instance\\" + Wide(GuidText(category));
}
std::wstring CategoryFiltersKey(const Guid& category) {
  return L"CLSID\\" + Wide(GuidText(category));
}

DWORD FourCC(std::wstring_view text) {
  return mmioFOURCC(text[0], text[1], text[2], text[3]);
}

std::wstring CodecDescription(std::wstring_view fourcc) {
  return L"Codec vidéo Mivalto " + std::wstring(fourcc);
}

// The driver of codec N. Wine asks a codec installed as a function for its description
// without opening it first, so each codec needs a procedure of its own to know its FourCC.
template <std::size_t N>
LRESULT CALLBACK CodecProc(DWORD_PTR, HDRVR, UINT message, LPARAM param1, LPARAM) {
  constexpr std::wstring_view fourcc = kCodecFourCCs[N];
  switch (message) {
    case DRV_LOAD:
    case DRV_FREE:
    case DRV_ENABLE:
    case DRV_DISABLE:
    case DRV_OPEN:
    case DRV_CLOSE:
      return 1;
    case ICM_GETINFO: {
      auto* info = reinterpret_cast<ICINFO*>(param1);
      *info = ICINFO{};
      info->dwSize = sizeof(ICINFO);
      info->fccType = ICTYPE_VIDEO;
      info->fccHandler = FourCC(fourcc);
      lstrcpynW(info->szName, std::wstring(fourcc).c_str(), ARRAYSIZE(info->szName));
      lstrcpynW(info->szDescription, CodecDescription(fourcc).c_str(),
                ARRAYSIZE(info->szDescription));
      return sizeof(ICINFO);
    }
    default:
      return ICERR_UNSUPPORTED;
  }
}
constexpr DRIVERPROC kCodecProcs[] = {&CodecProc<0>, &CodecProc<1>};
static_assert(std::size(kCodecProcs) == std::size(kCodecFourCCs));

void RegisterCategories(IFilterMapper2& mapper) {
  for (const CategoryFixture& fixture : kCategories) {
    EXPECT_HR(S_OK, mapper.CreateCategory(WinGuidFrom(fixture.category), MERIT_DO_NOT_USE,
                                          std::wstring(fixture.name.wide).c_str()));
  }
}

void RegisterFilter(IFilterMapper2& mapper, const Guid& clsid, std::wstring_view name,
                    const Guid& category, const wchar_t* instance = nullptr) {
  REGFILTER2 description{};
  description.dwVersion = 1;
  description.dwMerit = MERIT_DO_NOT_USE;
  const GUID win_category = WinGuidFrom(category);
  EXPECT_HR(S_OK, mapper.RegisterFilter(WinGuidFrom(clsid), std::wstring(name).c_str(), nullptr,
                                        &win_category, instance, &description));
}

void RegisterFilters(IFilterMapper2& mapper) {
  RegisterFilter(mapper, kPrivateFilter, kPrivateFilterName.wide, kFilledCategory);
  RegisterFilter(mapper, kPrivateFilter, kSecondRegistrationName.wide, kSecondCategory);
  RegisterFilter(mapper, kLongNameFilter, LongNameWide(), kFilledCategory);
  for (std::wstring_view instance : kDeviceInstances) {
    RegisterFilter(mapper, kClsidProxy, kDeviceName.wide, kFilledCategory,
                   std::wstring(instance).c_str());
  }
}

// A filter entry with one text property only: no registration API writes such a thing.
void WriteEntry(std::wstring_view key_name, const wchar_t* property, std::wstring_view text) {
  const std::wstring path =
      CategoryFiltersKey(kFilledCategory) + L"\\Instance\\" + std::wstring(key_name);
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                            &key, nullptr),
            ERROR_SUCCESS);
  const std::wstring value(text);
  EXPECT_EQ(RegSetValueExW(key, property, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                           static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))),
            ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

void WriteIncompleteEntries() {
  WriteEntry(L"Mivalto sans CLSID", L"FriendlyName", kNoClsidEntryName.wide);
  WriteEntry(L"Mivalto sans nom", L"CLSID", Wide(GuidText(kNamelessFilter)));
}

void InstallCodecs() {
  for (std::size_t i = 0; i < std::size(kCodecFourCCs); ++i) {
    EXPECT_TRUE(ICInstall(ICTYPE_VIDEO, FourCC(kCodecFourCCs[i]),
                          reinterpret_cast<LPARAM>(kCodecProcs[i]), nullptr, ICINSTALL_FUNCTION));
  }
}

void RegisterDmos() {
  for (const DmoFixture& dmo : kDmos) {
    EXPECT_HR(S_OK, DMORegister(std::wstring(dmo.name).c_str(), WinGuidFrom(dmo.clsid),
                                *dmo.category, dmo.flags, 0, nullptr, 0, nullptr));
  }
}

// Deleting a category's keys removes its filters with it. (Wine 8's
// IFilterMapper2::UnregisterFilter copies the instance name into a fixed buffer too short for
// a device path.) `check`: everything must be there, as after a registration.
void RemoveRegistrations(bool check) {
  for (const CategoryFixture& fixture : kCategories) {
    const LSTATUS listing =
        RegDeleteTreeW(HKEY_CLASSES_ROOT, CategoryListingKey(fixture.category).c_str());
    if (check) {
      EXPECT_EQ(listing, ERROR_SUCCESS) << fixture.name.utf8;
    }
    if (!fixture.has_filters) continue;
    const LSTATUS filters =
        RegDeleteTreeW(HKEY_CLASSES_ROOT, CategoryFiltersKey(fixture.category).c_str());
    if (check) {
      EXPECT_EQ(filters, ERROR_SUCCESS) << fixture.name.utf8;
    }
  }
  for (const DmoFixture& dmo : kDmos) {
    const HRESULT hr = DMOUnregister(WinGuidFrom(dmo.clsid), *dmo.category);
    if (check) {
      EXPECT_HR(S_OK, hr);
    }
  }
}

}  // namespace

std::wstring LongNameWide() {
  std::wstring name;
  for (std::size_t i = 0; i < kLongNameLength; ++i) {
    name += kLongNamePieces[i % std::size(kLongNamePieces)].wide;
  }
  return name;
}

std::string LongNameUtf8(std::size_t code_points) {
  std::string name;
  for (std::size_t i = 0; i < code_points; ++i) {
    name += kLongNamePieces[i % std::size(kLongNamePieces)].utf8;
  }
  return name;
}

std::string CodecDescriptionUtf8(std::wstring_view fourcc) {
  return "Codec vidéo Mivalto " + std::string(fourcc.begin(), fourcc.end());
}

void RegisterPrivateFixtures() {
  RemoveRegistrations(false);  // what an interrupted run may have left
  ComPtr<IFilterMapper2> mapper;
  ASSERT_HR(S_OK, CoCreateInstance(CLSID_FilterMapper2, nullptr, CLSCTX_INPROC,
                                   IID_PPV_ARGS(&mapper)));
  RegisterCategories(*mapper.Get());
  RegisterFilters(*mapper.Get());
  EXPECT_EQ(mapper.Reset(), 0u);
  WriteIncompleteEntries();
  InstallCodecs();
  RegisterDmos();
}

void RemovePrivateFixtures() {
  RemoveRegistrations(true);
  for (std::wstring_view fourcc : kCodecFourCCs) {
    EXPECT_TRUE(ICRemove(ICTYPE_VIDEO, FourCC(fourcc), 0));
  }
}

}  // namespace mivalto::testing
