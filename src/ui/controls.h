// Small helpers that make the window's child controls: fonts at a design size, buttons with
// a glyph, labels, hints (tooltips). The windows themselves know nothing of graphs.
#pragma once

#include <span>
#include <string>

#include <windows.h>

#include "ui/layout.h"
#include "ui/win_handles.h"

namespace mivalto::ui {

struct FontSpec {
  const wchar_t* face;
  int design_height;  // character height in design pixels
  bool bold = false;
  bool italic = false;
  bool underline = false;
};
UniqueFont CreateDesignFont(const FontSpec& design, DpiScale scale);

HWND CreateChild(HWND parent, const wchar_t* window_class, int id, DWORD style, const RECT& place,
                 const std::wstring& text = {}, DWORD ex_style = 0);
void PlaceChild(HWND parent, int id, const RECT& place);
void SetChildFont(HWND parent, int id, HFONT font);
std::wstring WindowText(HWND window);
// The room the window's caption takes in this font.
SIZE CaptionSize(HWND window, HFONT font);

// A multiline edit or RichEdit asks the dialog manager for every key, Tab included, so the
// keyboard could not leave it: after this, Tab and Shift+Tab move the focus through the
// window's tab order, while Ctrl+Tab still reaches the control.
void LeaveOnTab(HWND edit);

// A push button that can show a glyph at the left of its caption.
HWND CreateGlyphButton(HWND parent, int id, const RECT& place);
// The button's glyph, drawn from the image list, with a margin scaled like the glyph: the
// caption is centred in what is left of the button.
void SetButtonGlyph(HWND button, HIMAGELIST glyph, DpiScale scale);

// A masked image list (magenta is transparent) from bitmap resources drawn at design size,
// one image per resource or, for a strip, one per square of the strip's height; its images
// are scaled like the rest of the design.
UniqueImageList LoadImageList(std::span<const UINT> bitmap_ids, int design_size, DpiScale scale);

// The hints of one window's controls.
class Hints {
 public:
  void Create(HWND owner);
  void Destroy();
  void Set(HWND control, const std::wstring& text);
  std::wstring Get(HWND control) const;

 private:
  HWND tooltip_ = nullptr;
  HWND owner_ = nullptr;
};

}  // namespace mivalto::ui
