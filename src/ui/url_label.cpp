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

void UrlLabel::RegisterClasses() {
  RegisterObjectClass({kClassName, LoadCursorW(nullptr, IDC_HAND)});
}

HWND UrlLabel::Create(HWND parent, int id, const RECT& place, Opener opener) {
  opener_ = std::move(opener);
  return CreateWindowFor(kClassName, 0, WS_CHILD | WS_VISIBLE, parent, id, place);
}

void UrlLabel::SetCaption(const std::wstring& caption) {
  SetWindowTextW(Handle(), caption.c_str());
  FitToCaption();
}

void UrlLabel::SetFonts(HFONT normal, HFONT underlined) {
  font_ = normal;
  underlined_font_ = underlined;
  FitToCaption();
}

// Like the framework's labels, a link is exactly as large as its caption.
void UrlLabel::FitToCaption() {
  const SIZE size = CaptionSize(
      Handle(), font_ ? font_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
  SetWindowPos(Handle(), nullptr, 0, 0, size.cx, size.cy,
               SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
  InvalidateRect(Handle(), nullptr, TRUE);
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
  }
  return DefaultMessage(message, wparam, lparam);
}

void UrlLabel::OnPaint() {
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(Handle(), &paint);
  RECT area;
  GetClientRect(Handle(), &area);
  const HGDIOBJ old_font = SelectObject(dc, hovered_ ? underlined_font_ : font_);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, color_);
  const std::wstring caption = WindowText(Handle());
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &area,
            DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, old_font);
  EndPaint(Handle(), &paint);
}

void UrlLabel::OnMouseEnter() {
  hovered_ = true;
  color_ = kLinkColor;
  TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, Handle(), 0};
  TrackMouseEvent(&track);
  InvalidateRect(Handle(), nullptr, TRUE);
}

void UrlLabel::OnMouseLeave() {
  hovered_ = false;
  color_ = kLinkLeftColor;
  InvalidateRect(Handle(), nullptr, TRUE);
}

}  // namespace mivalto::ui
