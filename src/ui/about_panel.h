// The about panel (TAproposFrame): a panel inside the main window, hidden until the about
// command shows it. It tells which program this is and who wrote it, offers a link to the
// author's web site and one that starts an e-mail, and narrows the main window to its own
// width while it is shown.
#pragma once

#include <string>

#include <windows.h>

#include "ui/controls.h"
#include "ui/layout.h"
#include "ui/url_label.h"
#include "ui/win_handles.h"
#include "ui/window_base.h"

namespace mivalto::ui {

class AboutPanel final : public WindowBase {
 public:
  AboutPanel() = default;
  // The window classes of the panel and of its link labels.
  static void RegisterClasses();
  // Makes the hidden panel in the main window. fermer_command is what its close button sends
  // to the main window; the links hand their addresses to open_address.
  void Create(HWND main_window, int fermer_command, UrlLabel::Opener open_address);
  // Places, sizes and fonts for a resolution (at creation and when the monitor changes).
  void ApplyDpi(DpiScale scale);
  void Destroy();

  void LoadAboutTexts();
  void ShowAbout();
  void HideAbout();

  // RxLabel1's caption: the panel draws it as its title.
  std::wstring Title() const { return WindowText(Handle()); }
  const UrlLabel& MailLink() const { return url_label2_; }
  const Hints& PanelHints() const { return hints_; }

 private:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  void CreateParts();
  void DrawTitle(HDC dc);
  void DrawPicture(const DRAWITEMSTRUCT& item);
  void FillAboutText();
  void AppendAboutBlock(const std::wstring& text);

  HWND main_window_ = nullptr;
  int fermer_command_ = 0;
  DpiScale scale_;
  int saved_window_width_ = 0;
  UrlLabel url_label1_;
  UrlLabel url_label2_;
  Hints hints_;
  UniqueFont title_font_, text_font_, link_font_, link_hover_font_;
  UniqueImageList close_glyph_;
  UniqueBitmap picture_;
  SIZE picture_size_{};
  UniqueIcon icon_;
};

}  // namespace mivalto::ui
