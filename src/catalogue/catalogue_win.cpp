#include <windows.h>
#include <dmo.h>
#include <wrl/client.h>

#include <exception>
#include <iterator>
#include <optional>
#include <utility>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/com_support.h"
#include "catalogue/sys_dev_enum.h"
#include "platform/wide_text.h"

namespace mivalto {
namespace {

// COM for the length of the build, for a caller that has not initialised it. A thread already
// in COM answers S_FALSE (one more level, balanced here) or RPC_E_CHANGED_MODE (left alone).
class ComScope {
 public:
  ComScope() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~ComScope() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  HRESULT result_;
};

// Every category, and every filter of each, in the order they are enumerated.
void ListKnownFilters(FilterCatalogue& catalogue) {
  std::vector<TfilterItem>& filters = catalogue.KnownFilters;
  TSysDevEnum devices;
  for (std::size_t category = 0; category < devices.CategoryCount(); ++category) {
    DeviceEntry category_entry = devices.CategoryEntry(category);
    catalogue.KnownCategories.push_back({std::move(category_entry.FriendlyName), category_entry.CLSID});
    devices.SelectCategory(category);
    for (std::size_t index = 0; index < devices.FilterCount(); ++index) {
      DeviceEntry entry = devices.FilterEntry(index);
      TfilterItem& filter = filters.emplace_back();
      filter.Name = std::move(entry.FriendlyName);
      filter.CLSID = entry.CLSID;
      filter.DisplayName = std::move(entry.DisplayName);
      filter.Category = category_entry.CLSID;
    }
  }
}

// Every DMO of every category, keyed ones included, in enumeration order.
std::vector<TDMOItem> ListKnownDmos() {
  std::vector<TDMOItem> dmos;
  Microsoft::WRL::ComPtr<IEnumDMO> found;
  if (DMOEnum(GUID_NULL, DMO_ENUMF_INCLUDE_KEYED, 0, nullptr, 0, nullptr, &found) != S_OK ||
      !found) {
    return dmos;
  }
  CLSID clsid{};
  wchar_t* raw_name = nullptr;
  while (found->Next(1, &clsid, &raw_name, nullptr) == S_OK) {
    const CoTaskText name(raw_name);
    dmos.push_back({WideToUtf8(name.get()), GuidFromWin(clsid)});
  }
  return dmos;
}

// Every key under HKEY_CLASSES_ROOT\CLSID that is a GUID: the classes COM can look up here.
std::vector<Guid> ListRegisteredClasses() {
  std::vector<Guid> classes;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, L"CLSID", 0, KEY_ENUMERATE_SUB_KEYS, &key) != ERROR_SUCCESS)
    return classes;
  wchar_t name[64];  // a GUID's 38 characters; longer names are no class
  for (DWORD index = 0;; ++index) {
    DWORD length = std::size(name);
    const LONG result =
        RegEnumKeyExW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (result == ERROR_MORE_DATA) continue;
    if (result != ERROR_SUCCESS) break;
    if (const std::optional<Guid> clsid = ParseGuid(WideToUtf8(std::wstring_view(name, length))))
      classes.push_back(*clsid);
  }
  RegCloseKey(key);
  SortClasses(classes);
  return classes;
}

}  // namespace

FilterCatalogue BuildCatalogue() {
  const ComScope com;
  FilterCatalogue catalogue;
  catalogue.Known = true;
  try {
    ListKnownFilters(catalogue);
    catalogue.KnownDmos = ListKnownDmos();
    catalogue.RegisteredClasses = ListRegisteredClasses();
  } catch (const std::exception&) {
    // Out of memory while listing: the lists completed so far stay, and the window opens.
  }
  return catalogue;
}

}  // namespace mivalto
