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

// A push button showing a glyph from its image list at the left of its caption.
HWND CreateGlyphButton(HWND parent, int id, const RECT& place, HIMAGELIST glyph);

// A masked image list (magenta is transparent) from bitmap resources, one image per
// resource or, for a strip, one per square of the strip's height.
UniqueImageList LoadImageList(std::span<const UINT> bitmap_ids, int image_size);

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
