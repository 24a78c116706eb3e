// The shell's file lists (CF_HDROP): a drop on the window or files copied in the shell.
// Only the first file counts, and only when its name is at most 65,530 characters.
#pragma once

#include <string>

#include <windows.h>
#include <shellapi.h>

namespace mivalto::ui {

inline constexpr UINT kMaxDroppedNameLength = 65530;

// The first name of the list; empty when the list has no file or the name is too long.
std::wstring TakeDroppedFile(HDROP files);

// The first file of the clipboard's shell file list, read without changing or releasing the
// clipboard's data; empty when there is none or the clipboard can't be opened.
std::wstring TakeClipboardFile(HWND owner);

// Whether the clipboard holds a shell file list.
bool ClipboardHasFiles();

}  // namespace mivalto::ui
