#include "ui/url_label.h"

#include "ui/controls.h"

namespace mivalto::ui {
namespace {

constexpr wchar_t kClassName[] = L"MivaltoUrlLabel";

}  // namespace

std::wstring LinkAddress(const UrlTarget& target) {
  if (!target.is_mail) return target.address;
  std::wstring address = L"mailto:" + target.address;
  if (!target.subject.empty()) address += L"?Subject=" + target.subject;
  if (!target.body.empty()) address += L"&Body=" + target.body;
  return address;
}

void UrlLabel::RegisterClass() {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.hCursor = LoadCursorW(nullptr, IDC_HAND);
  window_class.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  window_class.lpszClassName = kClassName;
  RegisterClassExW(&window_class);
}

HWND UrlLabel::Create(HWND parent, int id, const RECT& place, Opener opener) {
  opener_ = std::move(opener);
  window_ = CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE, place.left, place.top,
                            place.right - place.left, place.bottom - place.top, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            GetModuleHandleW(nullptr), this);
  return window_;
}

void UrlLabel::SetCaption(const std::wstring& caption) {
  SetWindowTextW(window_, caption.c_str());
  FitToCaption();
}

void UrlLabel::SetFonts(HFONT normal, HFONT underlined) {
  font_ = normal;
  underlined_font_ = underlined;
  FitToCaption();
}

// Like the framework's labels, a link is exactly as large as its caption.
void UrlLabel::FitToCaption() {
  const std::wstring caption = WindowText(window_);
  const HDC dc = GetDC(window_);
  const HGDIOBJ old_font = SelectObject(dc, font_ ? font_ : GetStockObject(DEFAULT_GUI_FONT));
  SIZE size{};
  GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
  SelectObject(dc, old_font);
  ReleaseDC(window_, dc);
  SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy,
               SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
  InvalidateRect(window_, nullptr, TRUE);
}

LRESULT CALLBACK UrlLabel::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* created =
        static_cast<UrlLabel*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    created->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
  }
  auto* label = reinterpret_cast<UrlLabel*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  return label ? label->OnMessage(message, wparam, lparam)
               : DefWindowProcW(window, message, wparam, lparam);
}

LRESULT UrlLabel::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_MOUSEMOVE:
      if (!hovered_) OnMouseEnter();
      return 0;
    case WM_MOUSELEAVE:
      OnMouseLeave();
      return 0;
    case WM_LBUTTONUP:
      opener_(LinkAddress(target_));
      return 0;
    case WM_NCDESTROY: {
      const HWND window = window_;
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      window_ = nullptr;
      return DefWindowProcW(window, message, wparam, lparam);
    }
  }
  return DefWindowProcW(window_, message, wparam, lparam);
}

void UrlLabel::OnPaint() {
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(window_, &paint);
  RECT area;
  GetClientRect(window_, &area);
  const HGDIOBJ old_font = SelectObject(dc, hovered_ ? underlined_font_ : font_);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, color_);
  const std::wstring caption = WindowText(window_);
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &area,
            DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, old_font);
  EndPaint(window_, &paint);
}

void UrlLabel::OnMouseEnter() {
  hovered_ = true;
  color_ = kLinkColor;
  TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, window_, 0};
  TrackMouseEvent(&track);
  InvalidateRect(window_, nullptr, TRUE);
}

void UrlLabel::OnMouseLeave() {
  hovered_ = false;
  color_ = kLinkLeftColor;
  InvalidateRect(window_, nullptr, TRUE);
}

}  // namespace mivalto::ui
