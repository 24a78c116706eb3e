#include "ui/window_base.h"

namespace mivalto::ui {

void RegisterWindowClass(const WindowClass& window_class, WNDPROC procedure) {
  WNDCLASSEXW registered{};
  registered.cbSize = sizeof(registered);
  registered.lpfnWndProc = procedure;
  registered.hInstance = GetModuleHandleW(nullptr);
  registered.hIcon = window_class.icon;
  registered.hCursor = window_class.cursor;
  registered.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  registered.lpszClassName = window_class.name;
  RegisterClassExW(&registered);
}

void WindowBase::RegisterObjectClass(const WindowClass& window_class) {
  RegisterWindowClass(window_class, WindowProc);
}

HWND WindowBase::CreateWindowFor(const wchar_t* class_name, DWORD ex_style, DWORD style,
                                 HWND parent, int id, const RECT& place) {
  // A child's menu handle is its id.
  const auto menu_or_id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id));
  return CreateWindowExW(ex_style, class_name, L"", style, place.left, place.top,
                         place.right - place.left, place.bottom - place.top, parent, menu_or_id,
                         GetModuleHandleW(nullptr), this);
}

LRESULT CALLBACK WindowBase::WindowProc(HWND window, UINT message, WPARAM wparam,
                                        LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* created =
        static_cast<WindowBase*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    created->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
  }
  auto* self = reinterpret_cast<WindowBase*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wparam, lparam);
  const LRESULT result = self->OnMessage(message, wparam, lparam);
  if (message == WM_NCDESTROY) {  // the last message: the object lets go of the window
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->window_ = nullptr;
  }
  return result;
}

}  // namespace mivalto::ui
