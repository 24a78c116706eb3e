// Drives a running Mivalto.exe from outside, the way a person would: copies a file as the
// shell does, switches to the program and pastes it; opens the about panel.
// scripts/screenshot uses it to show the window with a report.
//   window_driver paste PATH     copy PATH as the shell does, switch to the window, paste
//   window_driver about          open (or close) the about panel
//   window_driver rect           print the window's screen rectangle as WxH+X+Y
//   window_driver close          close the window, which ends the program
//   window_driver wait           wait until the window exists
#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <string>

#include "ui/resource_ids.h"
#include "windows/shell_file_list_builder.h"

namespace {

constexpr int kWaitTries = 600;  // 60 seconds in steps of 100 ms

HWND FindMainWindow() {
  for (int i = 0; i < kWaitTries; ++i) {
    if (const HWND window = FindWindowW(L"TForm1", nullptr); window && IsWindowVisible(window)) {
      return window;
    }
    Sleep(100);
  }
  return nullptr;
}

bool PutFileOnClipboard(const std::wstring& path) {
  if (!OpenClipboard(nullptr)) return false;
  EmptyClipboard();
  const bool put = SetClipboardData(CF_HDROP, mivalto::testing::MakeFileList({path})) != nullptr;
  CloseClipboard();
  return put;
}

void PumpFor(DWORD milliseconds) {
  const ULONGLONG end = GetTickCount64() + milliseconds;
  while (GetTickCount64() < end) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    Sleep(20);
  }
}

// A window of this process takes the focus, as the shell's does while a person copies a file.
void SwitchAwayFrom(HWND) {
  static HWND shell = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0,
                                      1, 1, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  SetForegroundWindow(shell);
  PumpFor(300);
}

void SwitchTo(HWND window) {
  SetForegroundWindow(window);
  PumpFor(300);
}

void RunCommand(HWND window, int command) {
  SendMessageW(window, WM_COMMAND, static_cast<WPARAM>(command), 0);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring verb = argc > 1 ? argv[1] : L"";
  const HWND window = FindMainWindow();
  if (!window) {
    std::fputs("window_driver: no Mivalto window\n", stderr);
    return 1;
  }
  if (verb == L"paste" && argc > 2) {
    // The clipboard dies with this process: everything happens before it ends.
    SwitchAwayFrom(window);
    if (!PutFileOnClipboard(argv[2])) return 1;
    SwitchTo(window);  // coming back to the program enables its Coller button
    RunCommand(window, ID_AC_PASTE);
  } else if (verb == L"about") {
    RunCommand(window, ID_AC_APROPOS);
  } else if (verb == L"rect") {
    RECT r;
    GetWindowRect(window, &r);
    std::printf("%ldx%ld+%ld+%ld\n", r.right - r.left, r.bottom - r.top, r.left, r.top);
  } else if (verb == L"close") {
    PostMessageW(window, WM_CLOSE, 0, 0);
  } else if (verb != L"wait") {
    std::fputs("usage: window_driver paste PATH | about | rect | close | wait\n", stderr);
    return 2;
  }
  return 0;
}
