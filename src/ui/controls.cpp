#include "ui/controls.h"

#include <algorithm>
#include <vector>

namespace mivalto::ui {
namespace {

constexpr COLORREF kMaskColor = RGB(255, 0, 255);
constexpr int kGlyphMargin = 4;  // design pixels between a button's edge and its glyph
// Long hints (a path of thousands of characters) wrap at this width instead of running off
// the screen.
constexpr int kHintMaxWidth = 600;
constexpr std::size_t kHintReadLength = 4096;

TOOLINFOW ToolFor(HWND owner, HWND control) {
  TOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = owner;
  tool.uId = reinterpret_cast<UINT_PTR>(control);
  return tool;
}

bool IsPlainTab(const MSG* key) {
  return key && key->message == WM_KEYDOWN && key->wParam == VK_TAB &&
         !(GetKeyState(VK_CONTROL) & 0x8000);
}

LRESULT CALLBACK LeaveOnTabProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                UINT_PTR, DWORD_PTR) {
  const LRESULT result = DefSubclassProc(window, message, wparam, lparam);
  if (message == WM_GETDLGCODE && IsPlainTab(reinterpret_cast<const MSG*>(lparam)))
    return result & ~(DLGC_WANTTAB | DLGC_WANTALLKEYS);
  if (message == WM_NCDESTROY) RemoveWindowSubclass(window, LeaveOnTabProc, 0);
  return result;
}

}  // namespace

void LeaveOnTab(HWND edit) { SetWindowSubclass(edit, LeaveOnTabProc, 0, 0); }

UniqueFont CreateDesignFont(const FontSpec& design, DpiScale scale) {
  LOGFONTW font{};
  font.lfHeight = -scale(design.design_height);
  font.lfWeight = design.bold ? FW_BOLD : FW_NORMAL;
  font.lfItalic = design.italic;
  font.lfUnderline = design.underline;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = CLEARTYPE_QUALITY;
  wcsncpy(font.lfFaceName, design.face, LF_FACESIZE - 1);
  return UniqueFont(CreateFontIndirectW(&font));
}

HWND CreateChild(HWND parent, const wchar_t* window_class, int id, DWORD style, const RECT& place,
                 const std::wstring& text, DWORD ex_style) {
  // Siblings clip each other, so that the about panel, put in front, is not painted over.
  return CreateWindowExW(ex_style, window_class, text.c_str(), WS_CHILD | WS_CLIPSIBLINGS | style,
                         place.left, place.top, place.right - place.left, place.bottom - place.top,
                         parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleW(nullptr), nullptr);
}

void PlaceChild(HWND parent, int id, const RECT& place) {
  SetWindowPos(GetDlgItem(parent, id), nullptr, place.left, place.top, place.right - place.left,
               place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void SetChildFont(HWND parent, int id, HFONT font) {
  SendDlgItemMessageW(parent, id, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

SIZE CaptionSize(HWND window, HFONT font) {
  const std::wstring caption = WindowText(window);
  const HDC dc = GetDC(window);
  const HGDIOBJ old_font = SelectObject(dc, font);
  SIZE size{};
  GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
  SelectObject(dc, old_font);
  ReleaseDC(window, dc);
  return size;
}

HWND CreateGlyphButton(HWND parent, int id, const RECT& place) {
  return CreateChild(parent, WC_BUTTONW, id, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, place);
}

void SetButtonGlyph(HWND button, HIMAGELIST glyph, DpiScale scale) {
  BUTTON_IMAGELIST images{glyph, {scale(kGlyphMargin), 0, 0, 0}, BUTTON_IMAGELIST_ALIGN_LEFT};
  SendMessageW(button, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&images));
  InvalidateRect(button, nullptr, TRUE);
}

UniqueImageList LoadImageList(std::span<const UINT> bitmap_ids, int design_size, DpiScale scale) {
  const int size = scale(design_size);
  UniqueImageList list(ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK,
                                        static_cast<int>(bitmap_ids.size()), 0));
  for (const UINT id : bitmap_ids) {
    const UniqueBitmap design(static_cast<HBITMAP>(LoadImageW(
        GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    BITMAP info{};
    GetObjectW(design.get(), sizeof(info), &info);
    const int squares = std::max(1, static_cast<int>(info.bmHeight ? info.bmWidth / info.bmHeight : 1));
    // Stretched pixel by pixel, so that the magenta of the mask stays exactly magenta.
    const UniqueBitmap scaled(static_cast<HBITMAP>(
        CopyImage(design.get(), IMAGE_BITMAP, squares * size, size, LR_CREATEDIBSECTION)));
    ImageList_AddMasked(list.get(), scaled.get(), kMaskColor);
  }
  return list;
}

void Hints::Create(HWND owner) {
  owner_ = owner;
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, kHintMaxWidth);
}

void Hints::Destroy() {
  if (tooltip_) DestroyWindow(tooltip_);
  tooltip_ = nullptr;
}

void Hints::Set(HWND control, const std::wstring& text) {
  TOOLINFOW tool = ToolFor(owner_, control);  // no text buffer: the query only says if it exists
  const bool known = SendMessageW(tooltip_, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&tool));
  tool = ToolFor(owner_, control);
  tool.lpszText = const_cast<wchar_t*>(text.c_str());
  SendMessageW(tooltip_, known ? TTM_UPDATETIPTEXTW : TTM_ADDTOOLW, 0,
               reinterpret_cast<LPARAM>(&tool));
}

std::wstring Hints::Get(HWND control) const {
  std::vector<wchar_t> text(kHintReadLength, L'\0');
  TOOLINFOW tool = ToolFor(owner_, control);
  tool.lpszText = text.data();
  SendMessageW(tooltip_, TTM_GETTEXTW, text.size(), reinterpret_cast<LPARAM>(&tool));
  return text.data();
}

}  // namespace mivalto::ui
