#include "ui/shell_file_list.h"

namespace mivalto::ui {

std::wstring TakeDroppedFile(HDROP files) {
  // The wide form, so that a name in any script arrives whole.
  if (DragQueryFileW(files, 0xFFFFFFFF, nullptr, 0) < 1) return {};
  const UINT length = DragQueryFileW(files, 0, nullptr, 0);
  if (length > kMaxDroppedNameLength) return {};
  std::wstring name(length + 1, L'\0');
  name.resize(DragQueryFileW(files, 0, name.data(), length + 1));
  return name;
}

std::wstring TakeClipboardFile(HWND owner) {
  if (!ClipboardHasFiles() || !OpenClipboard(owner)) return {};
  std::wstring name;
  if (HANDLE data = GetClipboardData(CF_HDROP)) name = TakeDroppedFile(static_cast<HDROP>(data));
  CloseClipboard();
  return name;
}

bool ClipboardHasFiles() { return IsClipboardFormatAvailable(CF_HDROP) != FALSE; }

}  // namespace mivalto::ui
