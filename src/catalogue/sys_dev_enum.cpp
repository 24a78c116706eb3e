#include "catalogue/sys_dev_enum.h"

#include <windows.h>
#include <oleauto.h>
#include <strmif.h>
#include <uuids.h>
#include <wrl/client.h>

#include <optional>
#include <string_view>

#include "base/text_encoding.h"
#include "catalogue/catalogue.h"
#include "catalogue/com_support.h"
#include "platform/wide_text.h"

namespace mivalto {
namespace {

using Microsoft::WRL::ComPtr;

// A VARIANT that clears itself.
class Variant {
 public:
  Variant() { VariantInit(&value_); }
  ~Variant() { VariantClear(&value_); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;

  VARIANT* Get() { return &value_; }
  std::string Text() const {
    return V_VT(&value_) == VT_BSTR ? WideToUtf8(V_BSTR(&value_)) : std::string();
  }

 private:
  VARIANT value_;
};

// The property's text; "" when the bag has no such property or it is not a text.
std::string ReadProperty(IPropertyBag& bag, const wchar_t* name) {
  Variant value;
  if (bag.Read(name, value.Get(), nullptr) != S_OK) return {};
  return value.Text();
}

std::string DisplayNameOf(IMoniker& moniker) {
  LPOLESTR raw = nullptr;
  const HRESULT hr = moniker.GetDisplayName(nullptr, nullptr, &raw);
  const CoTaskText name(raw);
  return hr == S_OK ? WideToUtf8(name.get()) : std::string();
}

// A DMO's moniker has no CLSID in its bag; its display name, "@device:dmo:{DMO}{CATEGORY}",
// names the DMO's class.
std::optional<Guid> DmoClassOf(IMoniker& moniker) {
  constexpr std::string_view kDmoPrefix = "@device:dmo:";
  constexpr std::size_t kGuidLength = 38;
  const std::string name = DisplayNameOf(moniker);
  if (!name.starts_with(kDmoPrefix)) return std::nullopt;
  return ParseGuid(std::string_view(name).substr(kDmoPrefix.size(), kGuidLength));
}

// An entry whose bag can't be read is kept, nameless and under GUID_NULL, which stands for
// "no CLSID", never for a class.
DeviceEntry ReadEntry(IMoniker& moniker) {
  DeviceEntry entry;
  ComPtr<IPropertyBag> bag;
  std::optional<Guid> clsid;
  if (SUCCEEDED(moniker.BindToStorage(nullptr, nullptr, IID_PPV_ARGS(&bag))) && bag) {
    entry.FriendlyName =
        CutToCodePoints(ReadProperty(*bag.Get(), L"FriendlyName"), kMaxFriendlyNameLength);
    clsid = ParseGuid(ReadProperty(*bag.Get(), L"CLSID"));
  }
  entry.CLSID = clsid ? *clsid : DmoClassOf(moniker).value_or(kGuidNull);
  // Devices behind the kernel-streaming proxy all share its CLSID: their display name is what
  // tells them apart.
  if (entry.CLSID == kClsidProxy) entry.DisplayName = DisplayNameOf(moniker);
  return entry;
}

// The members of a class in the order the enumerator yields them. An empty class (S_FALSE)
// or an enumerator that can't be had gives no entries.
std::vector<DeviceEntry> EnumerateClass(const GUID& class_id) {
  std::vector<DeviceEntry> entries;
  ComPtr<ICreateDevEnum> devices;
  if (FAILED(CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC,
                              IID_PPV_ARGS(&devices)))) {
    return entries;
  }
  ComPtr<IEnumMoniker> monikers;
  if (devices->CreateClassEnumerator(class_id, &monikers, 0) != S_OK || !monikers) return entries;
  ComPtr<IMoniker> moniker;
  while (monikers->Next(1, moniker.ReleaseAndGetAddressOf(), nullptr) == S_OK && moniker) {
    entries.push_back(ReadEntry(*moniker.Get()));
  }
  return entries;
}

}  // namespace

TSysDevEnum::TSysDevEnum() : categories_(EnumerateClass(CLSID_ActiveMovieCategories)) {}

void TSysDevEnum::SelectCategory(std::size_t index) {
  filters_ = EnumerateClass(WinGuidFrom(categories_.at(index).CLSID));
}

}  // namespace mivalto
