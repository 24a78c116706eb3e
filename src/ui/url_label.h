// A link label: a caption that turns blue and underlined under the mouse, navy when the
// mouse leaves, shows a hand cursor, and on a click asks the shell to open its target (a web
// address as it is, or a mailbox as a "mailto:" address with its subject).
#pragma once

#include <functional>
#include <string>

#include <windows.h>

#include "ui/window_base.h"

namespace mivalto::ui {

struct UrlTarget {
  std::wstring address;
  bool is_mail = false;
  std::wstring subject;  // mail only; empty: none
  std::wstring body;     // mail only; empty: none
};

// The address handed to the shell. Subject and body are inserted as they are, unescaped.
std::wstring LinkAddress(const UrlTarget& target);

inline constexpr COLORREF kLinkColor = RGB(0, 0, 255);
inline constexpr COLORREF kLinkLeftColor = RGB(0, 0, 128);

class UrlLabel final : public WindowBase {
 public:
  using Opener = std::function<void(const std::wstring& address)>;

  UrlLabel() = default;
  static void RegisterClasses();
  HWND Create(HWND parent, int id, const RECT& place, Opener opener);

  void SetCaption(const std::wstring& caption);
  void SetFonts(HFONT normal, HFONT underlined);
  UrlTarget& Target() { return target_; }
  const UrlTarget& Target() const { return target_; }

  COLORREF TextColor() const { return color_; }
  bool Underlined() const { return hovered_; }

 private:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void OnPaint();
  void FitToCaption();
  void OnMouseEnter();
  void OnMouseLeave();

  Opener opener_;
  UrlTarget target_;
  HFONT font_ = nullptr;
  HFONT underlined_font_ = nullptr;
  COLORREF color_ = kLinkColor;
  bool hovered_ = false;
};

}  // namespace mivalto::ui
