#include "catalogue/com_support.h"

#include <algorithm>

namespace mivalto {

Guid GuidFromWin(const GUID& value) {
  Guid guid;
  guid.data1 = value.Data1;
  guid.data2 = value.Data2;
  guid.data3 = value.Data3;
  std::copy(std::begin(value.Data4), std::end(value.Data4), guid.data4.begin());
  return guid;
}

GUID WinGuidFrom(const Guid& value) {
  GUID guid{};
  guid.Data1 = value.data1;
  guid.Data2 = value.data2;
  guid.Data3 = value.data3;
  std::copy(value.data4.begin(), value.data4.end(), std::begin(guid.Data4));
  return guid;
}

}  // namespace mivalto
