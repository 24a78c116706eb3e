// TSysDevEnum: the DirectShow system device enumerator as the catalogue walks it (Windows
// only). Created, it lists the filter categories; SelectCategory then lists the filters of
// one category. Each entry carries the friendly name and CLSID from the moniker's property
// bag. COM must be initialised on the calling thread.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "base/guid.h"

namespace mivalto {

struct DeviceEntry {
  std::string FriendlyName;  // UTF-8, at most 255 code points; "" when it can't be read
  // The "CLSID" property; for a DMO (which has none) the DMO's class, from the display name;
  // GUID_NULL when neither can be read.
  Guid CLSID;
  // Kernel-streaming devices (CLSID_Proxy) only: the moniker's display name, which holds the
  // device path. Taken from the moniker at hand while enumerating, so that no second
  // enumeration of the category is needed to find it again by position.
  std::string DisplayName;
};

class TSysDevEnum {
 public:
  TSysDevEnum();  // enumerates the filter categories

  std::size_t CategoryCount() const { return categories_.size(); }
  DeviceEntry CategoryEntry(std::size_t index) const { return categories_.at(index); }

  // Enumerates the filters of that category, in place of the previous category's.
  void SelectCategory(std::size_t index);
  std::size_t FilterCount() const { return filters_.size(); }
  DeviceEntry FilterEntry(std::size_t index) const { return filters_.at(index); }

 private:
  std::vector<DeviceEntry> categories_;
  std::vector<DeviceEntry> filters_;
};

}  // namespace mivalto
