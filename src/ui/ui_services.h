// What the window asks of the person in front of it: the open and save dialogs, the error
// box, and the shell opening a link. The program uses the desktop ones; tests replace them
// so that the commands run without anybody clicking.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include <windows.h>

namespace mivalto::ui {

struct FileDialogRequest {
  std::wstring filter;             // "Name|*.ext|..." as the string table has it
  std::wstring default_extension;  // without the dot
  std::wstring proposed_name;      // empty: no preset name or folder
};

// What the save dialog gave: the path, and the type chosen in its list (1 for the first of the
// filter's; 0 when nothing says, which leaves the format to the name).
struct SaveChoice {
  std::wstring path;
  int type = 0;
};

class UiServices {
 public:
  virtual ~UiServices() = default;
  // The chosen path, or nullopt when the dialog is cancelled. The named file need not exist.
  virtual std::optional<std::wstring> AskOpenPath(HWND owner, const FileDialogRequest& request) = 0;
  // The chosen path and type, after the person agreed to replace an existing file; nullopt if
  // cancelled. Choosing a type gives the name that type's extension, as Windows' own dialogs do.
  virtual std::optional<SaveChoice> AskSavePath(HWND owner, const FileDialogRequest& request) = 0;
  // The error box of a command that failed.
  virtual void ShowError(HWND owner, const std::wstring& message) = 0;
  // Hands an address (web page, mailto:) to the shell's "open" verb.
  virtual void OpenAddress(HWND owner, const std::wstring& address) = 0;
};

// The common dialogs, a message box titled with the program's name, ShellExecuteW.
std::unique_ptr<UiServices> DesktopServices();

// The error box's text: a message that doesn't end with "." or a character before it gets
// a final ".", as the program's error boxes always read.
std::wstring ErrorBoxText(const std::wstring& message);

}  // namespace mivalto::ui
