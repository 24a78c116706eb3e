#include "ui/about_panel.h"

#include <array>
#include <string>

#include <richedit.h>

#include "base/program_texts.h"
#include "platform/wide_text.h"
#include "ui/jpeg_picture.h"
#include "ui/resource_ids.h"
#include "ui/resource_text.h"

namespace mivalto::ui {
namespace {

constexpr wchar_t kClassName[] = L"MivaltoAproposFrame";

// Places inside the panel, in design units.
constexpr DesignRect kRxLabel1Place{10, 20, 375, 29};
constexpr DesignRect kImage2Place{335, 10, 50, 50};
constexpr DesignRect kRxAproposPlace{20, 79, 365, 326};
constexpr DesignRect kUrlLabel1Place{167, 423, 189, 18};
constexpr DesignRect kUrlLabel2Place{177, 453, 154, 18};
constexpr DesignRect kImage1Place{30, 433, 98, 74};
constexpr DesignRect kFermerBtnPlace{207, 482, 92, 31};

constexpr int kIconSize = 32;  // drawn at its own size in the box's top-left corner
constexpr int kCloseGlyphSize = 18;
constexpr int kTitleShadowOffset = 2;
constexpr COLORREF kTitleColor = RGB(128, 0, 0);  // maroon
constexpr COLORREF kAboutTextColor = RGB(0, 0, 255);

constexpr FontSpec kTitleFont{L"MS Sans Serif", 23, true};
constexpr FontSpec kPanelFont{L"MS Sans Serif", 14};
constexpr FontSpec kLinkFont{L"Verdana", 15};
constexpr FontSpec kLinkHoverFont{L"Verdana", 15, false, false, true};

// One block of the about text and the character format it is appended with.
struct AboutBlockFormat {
  bool bold;
  bool colored;  // blue instead of the default colour
};

std::wstring Product() { return Utf8ToWide(texts::kProductName); }
std::wstring ProductVersion() { return Utf8ToWide(texts::kProductVersionName); }
std::wstring Author() { return Utf8ToWide(texts::kAuthor); }

std::wstring Credits() {
  return FormatText(ResourceText(IDS_ABOUT_CREDITS), {Utf8ToWide(JpegLibraryVersion())});
}

// Block 1: who wrote the program, what it uses, when it was last updated.
std::wstring AboutBlock1() {
  const std::wstring pattern = ResourceText(IDS_ABOUT_WRITTEN_BY) + ResourceText(IDS_ABOUT_USES) +
                               L"\r\n\r\n" + ResourceText(IDS_ABOUT_LAST_UPDATE) + L"\r\n";
  return FormatText(pattern, {Product(), Author(), Credits(), ResourceText(IDS_ABOUT_DATE)});
}

std::wstring AboutBlock3() {
  return L"\r\n" + ResourceText(IDS_ABOUT_HELP) + ResourceText(IDS_ABOUT_VISIT) +
         ResourceText(IDS_ABOUT_MAIL_WELCOME);
}

CHARFORMAT2W AboutCharFormat(const AboutBlockFormat& format) {
  CHARFORMAT2W cf{};
  cf.cbSize = sizeof(cf);
  cf.dwMask = CFM_FACE | CFM_ITALIC | CFM_BOLD | CFM_COLOR;
  cf.dwEffects = CFE_ITALIC | (format.bold ? CFE_BOLD : 0) | (format.colored ? 0 : CFE_AUTOCOLOR);
  cf.crTextColor = kAboutTextColor;
  wcscpy(cf.szFaceName, L"Arial");
  return cf;
}

// Button image lists take one picture per state (normal, hot, pressed, disabled, default,
// stylus hot); the glyph strip has a normal and a disabled picture.
UniqueImageList CloseButtonImages(DpiScale scale) {
  constexpr UINT kStrip[] = {IDB_CLOSE_GLYPH};
  const UniqueImageList strip = LoadImageList(kStrip, kCloseGlyphSize, scale);
  const int size = scale(kCloseGlyphSize);
  UniqueImageList states(ImageList_Create(size, size, ILC_COLOR24 | ILC_MASK, 6, 0));
  for (const int source : {0, 0, 0, 1, 0, 0}) {
    const UniqueIcon icon(ImageList_GetIcon(strip.get(), source, ILD_NORMAL));
    ImageList_ReplaceIcon(states.get(), -1, icon.get());
  }
  return states;
}

}  // namespace

void AboutPanel::RegisterClasses() {
  RegisterObjectClass({kClassName, LoadCursorW(nullptr, IDC_ARROW)});
  UrlLabel::RegisterClasses();
}

void AboutPanel::Create(HWND main_window, int fermer_command, UrlLabel::Opener open_address) {
  main_window_ = main_window;
  fermer_command_ = fermer_command;
  CreateWindowFor(kClassName, WS_EX_CONTROLPARENT, WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                  main_window, IDC_APROPOS_FRAME1, {});
  hints_.Create(Handle());
  CreateParts();
  url_label1_.Create(Handle(), IDC_URL_LABEL1, {}, open_address);
  url_label2_.Create(Handle(), IDC_URL_LABEL2, {}, open_address);
  DecodedPicture picture;
  if (DecodeJpeg(ResourceBytes(IDR_ABOUT_PICTURE, MAKEINTRESOURCEW(RT_JPEG_PICTURE)), picture)) {
    picture_ = PictureBitmap(picture);
    picture_size_ = {picture.width, picture.height};
  }
  icon_.reset(
      static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MIVALTO),
                                    IMAGE_ICON, kIconSize, kIconSize, 0)));
}

void AboutPanel::CreateParts() {
  LeaveOnTab(CreateChild(Handle(), MSFTEDIT_CLASS, IDC_RX_APROPOS,
                         WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL, {},
                         {}, WS_EX_CLIENTEDGE));
  CreateChild(Handle(), WC_STATICW, IDC_IMAGE1, WS_VISIBLE | SS_OWNERDRAW | SS_NOTIFY, {});
  CreateGlyphButton(Handle(), IDC_FERMER_BTN, {});
}

void AboutPanel::ApplyDpi(DpiScale scale) {
  scale_ = scale;
  const RECT panel = ScaledRect(kAboutPanelPlace, scale);
  SetWindowPos(Handle(), nullptr, 0, 0, panel.right, panel.bottom,
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
  PlaceChild(Handle(), IDC_RX_APROPOS, ScaledRect(kRxAproposPlace, scale));
  PlaceChild(Handle(), IDC_URL_LABEL1, ScaledRect(kUrlLabel1Place, scale));
  PlaceChild(Handle(), IDC_URL_LABEL2, ScaledRect(kUrlLabel2Place, scale));
  PlaceChild(Handle(), IDC_IMAGE1, ScaledRect(kImage1Place, scale));
  PlaceChild(Handle(), IDC_FERMER_BTN, ScaledRect(kFermerBtnPlace, scale));
  UniqueImageList close_glyph = CloseButtonImages(scale);
  SetButtonGlyph(GetDlgItem(Handle(), IDC_FERMER_BTN), close_glyph.get(), scale);
  close_glyph_ = std::move(close_glyph);
  title_font_ = CreateDesignFont(kTitleFont, scale);
  text_font_ = CreateDesignFont(kPanelFont, scale);
  link_font_ = CreateDesignFont(kLinkFont, scale);
  link_hover_font_ = CreateDesignFont(kLinkHoverFont, scale);
  SetChildFont(Handle(), IDC_RX_APROPOS, text_font_.get());
  SetChildFont(Handle(), IDC_FERMER_BTN, text_font_.get());
  url_label1_.SetFonts(link_font_.get(), link_hover_font_.get());
  url_label2_.SetFonts(link_font_.get(), link_hover_font_.get());
  InvalidateRect(Handle(), nullptr, TRUE);
}

void AboutPanel::Destroy() {
  hints_.Destroy();
  if (Handle()) DestroyWindow(Handle());
}

void AboutPanel::LoadAboutTexts() {
  const std::wstring web_site = Utf8ToWide(texts::kWebSite);
  url_label1_.Target().address = web_site;
  url_label1_.SetCaption(FormatText(ResourceText(IDS_ABOUT_WEB_CAPTION), {Author()}));
  hints_.Set(url_label1_.Handle(), web_site);  // the web link's hint is its address
  url_label2_.Target().address = Utf8ToWide(texts::kEmail);
  url_label2_.Target().is_mail = true;
  url_label2_.SetCaption(FormatText(ResourceText(IDS_ABOUT_MAIL_CAPTION), {Author()}));
  hints_.Set(url_label2_.Handle(), FormatText(ResourceText(IDS_ABOUT_MAIL_HINT), {Author()}));
  hints_.Set(GetDlgItem(Handle(), IDC_IMAGE1), ResourceText(IDS_ABOUT_PICTURE_HINT));
  // The close button runs the about action but reads "Fermer", not the action's caption.
  const HWND fermer = GetDlgItem(Handle(), IDC_FERMER_BTN);
  SetWindowTextW(fermer, ResourceText(IDS_ABOUT_CLOSE_CAPTION).c_str());
  hints_.Set(fermer, ResourceText(IDS_ABOUT_CLOSE_HINT));
}

void AboutPanel::ShowAbout() {
  url_label2_.Target().subject =
      FormatText(ResourceText(IDS_ABOUT_MAIL_SUBJECT), {ProductVersion(), Author()});
  SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
  RECT outer, client, panel;
  GetWindowRect(main_window_, &outer);
  GetClientRect(main_window_, &client);
  GetClientRect(Handle(), &panel);
  saved_window_width_ = outer.right - outer.left;
  SetWindowTextW(Handle(), ProductVersion().c_str());  // the title is drawn from the panel's text
  FillAboutText();
  const int frame_width = saved_window_width_ - client.right;
  SetWindowPos(main_window_, nullptr, 0, 0, frame_width + panel.right, outer.bottom - outer.top,
               SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
  SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
}

void AboutPanel::HideAbout() {
  ShowWindow(Handle(), SW_HIDE);
  RECT outer;
  GetWindowRect(main_window_, &outer);
  SetWindowPos(main_window_, nullptr, 0, 0, saved_window_width_, outer.bottom - outer.top,
               SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
  // Back to its place in the tab order, right after the about button.
  SetWindowPos(Handle(), GetDlgItem(main_window_, IDC_APROPOS_BTN), 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void AboutPanel::FillAboutText() {
  const HWND text = GetDlgItem(Handle(), IDC_RX_APROPOS);
  SetWindowTextW(text, L"");
  CHARFORMAT2W default_format = AboutCharFormat({.bold = false, .colored = false});
  SendMessageW(text, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&default_format));
  const std::array<std::pair<std::wstring, AboutBlockFormat>, 3> blocks{{
      {AboutBlock1(), {.bold = false, .colored = false}},
      {L"   \r\n", {.bold = true, .colored = true}},
      {AboutBlock3(), {.bold = false, .colored = true}},
  }};
  for (const auto& [block, format] : blocks) {
    CHARFORMAT2W cf = AboutCharFormat(format);
    const auto end = static_cast<WPARAM>(GetWindowTextLengthW(text));
    SendMessageW(text, EM_SETSEL, end, static_cast<LPARAM>(end));
    SendMessageW(text, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    AppendAboutBlock(block);
  }
}

// Appends the block and a line break at the end, in the insertion format already set.
void AboutPanel::AppendAboutBlock(const std::wstring& block) {
  const std::wstring line = block + L"\r\n";
  SendMessageW(GetDlgItem(Handle(), IDC_RX_APROPOS), EM_REPLACESEL, FALSE,
               reinterpret_cast<LPARAM>(line.c_str()));
}

LRESULT AboutPanel::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      BeginPaint(Handle(), &paint);
      DrawTitle(paint.hdc);
      EndPaint(Handle(), &paint);
      return 0;
    }
    case WM_DRAWITEM:
      DrawPicture(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wparam) == IDC_FERMER_BTN && HIWORD(wparam) == BN_CLICKED) {
        SendMessageW(main_window_, WM_COMMAND, static_cast<WPARAM>(fermer_command_), 0);
        return 0;
      }
      break;
  }
  return DefaultMessage(message, wparam, lparam);
}

// The title with its shadow (lower left, in the button-text colour) and the icon beside it.
void AboutPanel::DrawTitle(HDC dc) {
  const RECT icon_box = ScaledRect(kImage2Place, scale_);
  if (icon_)
    DrawIconEx(dc, icon_box.left, icon_box.top, icon_.get(), kIconSize, kIconSize, 0, nullptr,
               DI_NORMAL);
  const std::wstring title = WindowText(Handle());
  const HGDIOBJ old_font = SelectObject(dc, title_font_.get());
  SetBkMode(dc, TRANSPARENT);
  const int offset = scale_(kTitleShadowOffset);
  RECT place = ScaledRect(kRxLabel1Place, scale_);
  RECT shadow = place;
  OffsetRect(&shadow, -offset, offset);
  constexpr UINT kFormat = DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX;
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  DrawTextW(dc, title.c_str(), static_cast<int>(title.size()), &shadow, kFormat);
  SetTextColor(dc, kTitleColor);
  DrawTextW(dc, title.c_str(), static_cast<int>(title.size()), &place, kFormat);
  SelectObject(dc, old_font);
}

// Image1: the JPEG stretched to its box.
void AboutPanel::DrawPicture(const DRAWITEMSTRUCT& item) {
  if (!picture_) return;
  const HDC source = CreateCompatibleDC(item.hDC);
  const HGDIOBJ old_bitmap = SelectObject(source, picture_.get());
  SetStretchBltMode(item.hDC, HALFTONE);
  SetBrushOrgEx(item.hDC, 0, 0, nullptr);
  const RECT& box = item.rcItem;
  StretchBlt(item.hDC, box.left, box.top, box.right - box.left, box.bottom - box.top, source, 0, 0,
             picture_size_.cx, picture_size_.cy, SRCCOPY);
  SelectObject(source, old_bitmap);
  DeleteDC(source);
}

}  // namespace mivalto::ui
