// What the catalogue's COM code needs around the platform's types (Windows only): GUID
// values turned between the platform's struct and ours, and ownership of the strings the
// platform hands out with CoTaskMemAlloc (platform/wide_text.h makes them UTF-8).
#pragma once

#include <windows.h>
#include <objbase.h>

#include <memory>
#include <string>

#include "base/guid.h"

namespace mivalto {

struct CoTaskMemDeleter {
  void operator()(void* memory) const { CoTaskMemFree(memory); }
};
// A UTF-16 text that the platform allocated and that we must free.
using CoTaskText = std::unique_ptr<wchar_t, CoTaskMemDeleter>;

Guid GuidFromWin(const GUID& value);
GUID WinGuidFrom(const Guid& value);

}  // namespace mivalto
