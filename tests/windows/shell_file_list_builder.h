// Shell file lists (CF_HDROP) made by hand, as the shell makes them for a drop or for files
// copied to the clipboard: for the window tests, the window driver and the window benchmark.
#pragma once

#include <string>
#include <vector>

#include <windows.h>
#include <shlobj.h>

namespace mivalto::testing {

// A list of the names; wide (UTF-16) or ANSI names. The caller owns the memory until it hands
// it to the clipboard or to a drop handler.
HGLOBAL MakeFileList(const std::vector<std::wstring>& names, bool wide = true);

}  // namespace mivalto::testing
