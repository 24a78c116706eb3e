// The window's French texts: read from the resource string table and filled in with "%s"
// placeholders the way the program's messages are written.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include <windows.h>

namespace mivalto::ui {

// The string table entry id of this program's module (empty when it is missing).
std::wstring ResourceText(UINT id);

// Replaces each "%s" of the pattern, in order, by the next value ("%%" stays a "%"); the
// values are not scanned again, so a path that holds "%s" shows as it is.
std::wstring FormatText(std::wstring_view pattern, std::initializer_list<std::wstring_view> values);

// A dialog filter list written "Name|*.ext|Name|*.*" as the common dialogs want it:
// each "|" a NUL, the whole ended by two NULs.
std::wstring DialogFilter(std::wstring_view bar_separated);

}  // namespace mivalto::ui
