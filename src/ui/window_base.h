// What every window class of the program shares: its registration and the window procedure
// that hands each message to the C++ object behind the window. The object is attached on
// WM_NCCREATE and detached on WM_NCDESTROY, after which Handle() is null again.
#pragma once

#include <windows.h>

namespace mivalto::ui {

struct WindowClass {
  const wchar_t* name;
  HCURSOR cursor;
  HICON icon = nullptr;
};

// Registers a window class of the program's module, with the button-face background.
void RegisterWindowClass(const WindowClass& window_class, WNDPROC procedure);

class WindowBase {
 public:
  WindowBase(const WindowBase&) = delete;
  WindowBase& operator=(const WindowBase&) = delete;

  HWND Handle() const { return window_; }

 protected:
  WindowBase() = default;
  ~WindowBase() = default;

  // A class whose windows are WindowBase objects: CreateWindowFor makes them.
  static void RegisterObjectClass(const WindowClass& window_class);
  // Makes this object's window; the object receives its messages from WM_NCCREATE on.
  HWND CreateWindowFor(const wchar_t* class_name, DWORD ex_style, DWORD style, HWND parent,
                       int id, const RECT& place);
  virtual LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) = 0;
  LRESULT DefaultMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    return DefWindowProcW(window_, message, wparam, lparam);
  }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

  HWND window_ = nullptr;
};

}  // namespace mivalto::ui
