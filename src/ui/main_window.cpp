#include "ui/main_window.h"

#include <algorithm>
#include <exception>

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>
#include <windowsx.h>

#include "analysis/analysis_driver.h"
#include "base/program_texts.h"
#include "platform/wide_text.h"
#include "ui/report_control.h"
#include "ui/resource_ids.h"
#include "ui/resource_text.h"
#include "ui/shell_file_list.h"

namespace mivalto::ui {

std::wstring CurrentFileName;

namespace {

constexpr wchar_t kMainClassName[] = L"TForm1";
constexpr wchar_t kPanelClassName[] = L"MivaltoPanel";

constexpr FontSpec kDefaultFont{L"MS Sans Serif", 14};
constexpr FontSpec kLabel1Font{L"Arial", 20, false, true};
constexpr FontSpec kLegendFont{L"Arial", 15};
constexpr COLORREF kLabel1Color = RGB(0, 0, 255);

// The order in which Tab walks the controls.
constexpr std::array<int, 8> kTabOrder{IDC_APROPOS_BTN, IDC_APROPOS_FRAME1, IDC_OUVRIR_BTN,
                                       IDC_CLOSE_BTN,   IDC_SAVE_BTN,       IDC_PASTE_BTN,
                                       IDC_PANEL1,      IDC_MEMO1};

std::size_t ActionIndex(int action_id) {
  const std::span<const ActionDef> actions = Actions();
  return static_cast<std::size_t>(
      std::find_if(actions.begin(), actions.end(),
                   [&](const ActionDef& a) { return a.id == action_id; }) -
      actions.begin());
}

// Panel1: a raised strip along the top that holds Label1 and lets its parent colour it.
LRESULT CALLBACK PanelProc(HWND panel, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      const HDC dc = BeginPaint(panel, &paint);
      RECT area;
      GetClientRect(panel, &area);
      DrawEdge(dc, &area, BDR_RAISEDINNER, BF_RECT);
      EndPaint(panel, &paint);
      return 0;
    }
    case WM_CTLCOLORSTATIC:
      return SendMessageW(GetParent(panel), message, wparam, lparam);
  }
  return DefWindowProcW(panel, message, wparam, lparam);
}

void RegisterWindowClass(const wchar_t* name, WNDPROC procedure, HICON icon) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.hIcon = icon;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  window_class.lpszClassName = name;
  RegisterClassExW(&window_class);
}

// The hourglass for the length of an analysis.
class BusyCursor {
 public:
  BusyCursor() : previous_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
  ~BusyCursor() { SetCursor(previous_); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

 private:
  HCURSOR previous_;
};

}  // namespace

MainWindow::MainWindow(UiServices& services, const Calendar& calendar)
    : services_(services), calendar_(calendar) {
  for (const ActionDef& action : Actions())
    enabled_[ActionIndex(action.id)] = action.enabled_at_start;
}

MainWindow::~MainWindow() {
  if (window_) DestroyWindow(window_);
}

bool MainWindow::PrepareProgram() {
  if (CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED) != S_OK) return false;
  const INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  const HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MIVALTO));
  RegisterWindowClass(kMainClassName, WindowProc, icon);
  RegisterWindowClass(kPanelClassName, PanelProc, nullptr);
  AboutPanel::RegisterClass();
  LoadRichEdit();
  return true;
}

HWND MainWindow::Create(int show_command) {
  const DpiScale system_scale{GetDpiForSystem()};
  const RECT place = ScaledRect(kWindowPlace, system_scale);
  CreateWindowExW(WS_EX_CONTROLPARENT, kMainClassName, L"", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                  place.left, place.top, place.right - place.left, place.bottom - place.top,
                  nullptr, nullptr, GetModuleHandleW(nullptr), this);
  if (!window_) return nullptr;
  FormShow();
  ShowWindow(window_, show_command);
  UpdateWindow(window_);
  return window_;
}

bool MainWindow::PreTranslateMessage(MSG& message) {
  if (!window_) return false;
  return TranslateAcceleratorW(window_, accelerators_.get(), &message) ||
         IsDialogMessageW(window_, &message);
}

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* created =
        static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    created->window_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
  }
  auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  return self ? self->OnMessage(message, wparam, lparam)
              : DefWindowProcW(window, message, wparam, lparam);
}

LRESULT MainWindow::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      FormCreate();
      return 0;
    case WM_SIZE:
      FormResize();
      return 0;
    case WM_DROPFILES:
      WMDROPFILES(reinterpret_cast<HDROP>(wparam));
      return 0;
    case WM_ACTIVATEAPP:
      if (wparam) AppEvents1Activate();
      return 0;
    case WM_COMMAND:
      OnCommand(LOWORD(wparam));
      return 0;
    case WM_CONTEXTMENU:
      OnContextMenu(lparam);
      return 0;
    case WM_MEASUREITEM:
      OnMeasureMenuItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lparam));
      return TRUE;
    case WM_DRAWITEM:
      OnDrawMenuItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam));
      return TRUE;
    case WM_CTLCOLORSTATIC:
      return OnCtlColorStatic(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_TIMER:
      if (wparam == kShowMoreTimer) ShowMoreOfReportOnTimer();
      return 0;
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
      return 0;
    case WM_DESTROY:
      FormDestroy();
      PostQuitMessage(0);  // the program's only window: closing it ends the program
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

void MainWindow::FormCreate() {
  scale_ = DpiScale{GetDpiForWindow(window_)};
  CreateControls();
  ApplyDpi();
  catalogue_ = BuildCatalogue();
}

void MainWindow::FormShow() {
  ApplyHints();
  const std::wstring title = Utf8ToWide(texts::kProductVersionName) + L" " +
                             ResourceText(IDS_TITLE_DE) + L" " + Utf8ToWide(texts::kAuthor);
  SetWindowTextW(window_, title.c_str());
  about_.LoadAboutTexts();
  DragAcceptFiles(window_, TRUE);
}

void MainWindow::FormResize() {
  if (!GetDlgItem(window_, IDC_MEMO1)) return;  // sizes sent while the window is being made
  RECT client, outer, memo;
  GetClientRect(window_, &client);
  GetWindowRect(window_, &outer);
  const HWND memo1 = GetDlgItem(window_, IDC_MEMO1);
  GetWindowRect(memo1, &memo);
  MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&memo), 2);
  const ResizedPlaces places =
      FormResizePlaces({client.right, client.bottom}, outer.right - outer.left, memo.top);
  SetWindowPos(memo1, nullptr, 0, 0, places.memo_width, places.memo_height,
               SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
  for (const auto& [id, left] : {std::pair{IDC_CLOSE_BTN, places.close_left},
                                 std::pair{IDC_APROPOS_BTN, places.apropos_left}}) {
    const HWND button = GetDlgItem(window_, id);
    RECT r;
    GetWindowRect(button, &r);
    MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&r), 2);
    SetWindowPos(button, nullptr, left, r.top, 0, 0, SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  // Panel1 is docked along the top; Label1 may use all of it.
  const int panel_height = scale_(kPanel1Height);
  SetWindowPos(GetDlgItem(window_, IDC_PANEL1), nullptr, 0, 0, client.right, panel_height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  const RECT label = ScaledRect(kLabel1Place, scale_);
  SetWindowPos(GetDlgItem(GetDlgItem(window_, IDC_PANEL1), IDC_LABEL1), nullptr, 0, 0,
               std::max(0, static_cast<int>(client.right - label.left)), label.bottom - label.top,
               SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
}

void MainWindow::WMDROPFILES(HDROP files) {
  const std::wstring path = TakeDroppedFile(files);
  DragFinish(files);
  if (!path.empty()) ReportErrors([&] { AnalyseFile(path); });
}

void MainWindow::AppEvents1Activate() {
  // Only the button follows the clipboard: the action, its menu item and Ctrl+V stay enabled.
  EnableWindow(GetDlgItem(window_, IDC_PASTE_BTN), ClipboardHasFiles());
}

void MainWindow::FormDestroy() {
  about_.Destroy();
  hints_.Destroy();
  ReleaseCatalogue(catalogue_);
}

void MainWindow::OnCommand(int id) {
  const ActionDef* action = FindAction(id);
  if (!action || !enabled_[ActionIndex(action->id)]) return;
  ReportErrors([&] { action->execute(*this); });
}

template <typename Command>
void MainWindow::ReportErrors(Command command) {
  try {
    command();
  } catch (const std::exception& error) {
    services_.ShowError(window_, Utf8ToWide(error.what()));
  }
}

void MainWindow::AnalyseFile(const std::wstring& path) {
  const BusyCursor busy;
  CurrentFileName = path;
  // The window shows only the report's lines.
  mivalto::AnalyseFile(WideToUtf8(path), catalogue_, calendar_, report_, GraphModelUse::kSkip);
  SetDlgItemTextW(GetDlgItem(window_, IDC_PANEL1), IDC_LABEL1, (path + L"  ").c_str());
  const ActionDef& save = *FindAction(ID_AC_SAUVER);
  hints_.Set(GetDlgItem(window_, save.button_id), ActionHint(save, CurrentFileName));
  SetActionEnabled(ID_AC_SAUVER, true);
  report_shown_ = ShowReport(GetDlgItem(window_, IDC_MEMO1), report_);
  // The rest of a large report follows on timer ticks, which come only when no input, paint
  // or other message waits.
  if (!ReportFullyShown()) SetTimer(window_, kShowMoreTimer, USER_TIMER_MINIMUM, nullptr);
}

void MainWindow::ShowMoreOfReportOnTimer() {
  report_shown_ = ShowMoreOfReport(GetDlgItem(window_, IDC_MEMO1), report_, report_shown_);
  if (ReportFullyShown()) KillTimer(window_, kShowMoreTimer);
}

bool MainWindow::ActionEnabled(int action_id) const { return enabled_[ActionIndex(action_id)]; }

bool MainWindow::ActionChecked(int action_id) const { return checked_[ActionIndex(action_id)]; }

void MainWindow::ToggleAbout() {
  bool& checked = checked_[ActionIndex(ID_AC_APROPOS)];
  checked = !checked;
  CheckMenuItem(popup_menu_.get(), ID_AC_APROPOS,
                MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
  if (checked) {
    about_.ShowAbout();
    return;
  }
  const bool focus_was_inside = IsChild(about_.Handle(), GetFocus());
  about_.HideAbout();
  if (focus_was_inside) SetFocus(GetDlgItem(window_, IDC_APROPOS_BTN));
}

void MainWindow::SetActionEnabled(int action_id, bool enabled) {
  enabled_[ActionIndex(action_id)] = enabled;
  EnableWindow(GetDlgItem(window_, FindAction(action_id)->button_id), enabled);
  EnableMenuItem(popup_menu_.get(), static_cast<UINT>(action_id),
                 MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void MainWindow::CreateControls() {
  hints_.Create(window_);
  image_list1_ = LoadImageList(kImageBitmaps, kGlyphSize);
  for (const ActionDef& action : Actions()) {
    UniqueImageList& glyph = button_glyphs_[ActionIndex(action.id)];
    glyph = LoadImageList({&kImageBitmaps[static_cast<std::size_t>(action.image)], 1}, kGlyphSize);
    CreateGlyphButton(window_, action.button_id, {}, glyph.get());
    EnableWindow(GetDlgItem(window_, action.button_id), action.enabled_at_start);
  }
  const HWND panel1 = CreateChild(window_, kPanelClassName, IDC_PANEL1, WS_VISIBLE, {});
  CreateChild(panel1, WC_STATICW, IDC_LABEL1, WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX, {});
  for (std::size_t i = 0; i < kLegend.size(); ++i) {
    CreateChild(window_, WC_STATICW, IDC_LEGEND_LABEL_FIRST + static_cast<int>(i),
                WS_VISIBLE | SS_LEFTNOWORDWRAP, {}, ResourceText(kLegend[i].text_id));
  }
  CreateReportControl(window_, IDC_MEMO1, {});
  about_.Create(window_, ID_AC_APROPOS,
                [this](const std::wstring& address) { services_.OpenAddress(window_, address); });
  BuildPopupMenu();
  accelerators_.reset(CreateActionAccelerators());
  ApplyTabOrder();
}

void MainWindow::BuildPopupMenu() {
  popup_menu_.reset(CreatePopupMenu());
  for (const int id : kPopupMenuItems) {
    MENUITEMINFOW item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_FTYPE | MIIM_ID;
    item.fType = id == 0 ? MFT_SEPARATOR : MFT_STRING;
    item.wID = static_cast<UINT>(id);
    if (id != 0) {
      // The item's image is drawn from ImageList1 when the menu asks for it.
      item.fMask |= MIIM_BITMAP | MIIM_STATE;
      item.hbmpItem = HBMMENU_CALLBACK;
      item.fState = FindAction(id)->enabled_at_start ? MFS_ENABLED : MFS_GRAYED;
    }
    InsertMenuItemW(popup_menu_.get(), GetMenuItemCount(popup_menu_.get()), TRUE, &item);
  }
}

void MainWindow::ApplyTabOrder() {
  HWND previous = HWND_TOP;
  for (const int id : kTabOrder) {
    const HWND control = GetDlgItem(window_, id);
    SetWindowPos(control, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    previous = control;
  }
}

void MainWindow::ApplyDpi() {
  default_font_ = CreateDesignFont(kDefaultFont, scale_);
  label1_font_ = CreateDesignFont(kLabel1Font, scale_);
  legend_font_ = CreateDesignFont(kLegendFont, scale_);
  for (const ButtonPlace& button : kButtonPlaces) {
    PlaceChild(window_, button.id, ScaledRect(button.place, scale_));
    SetChildFont(window_, button.id, default_font_.get());
  }
  const HWND panel1 = GetDlgItem(window_, IDC_PANEL1);
  PlaceChild(panel1, IDC_LABEL1, ScaledRect(kLabel1Place, scale_));
  SetChildFont(panel1, IDC_LABEL1, label1_font_.get());
  for (std::size_t i = 0; i < kLegend.size(); ++i) {
    const int id = IDC_LEGEND_LABEL_FIRST + static_cast<int>(i);
    PlaceChild(window_, id, ScaledRect(kLegend[i].label, scale_));
    SetChildFont(window_, id, legend_font_.get());
  }
  PlaceChild(window_, IDC_MEMO1, ScaledRect(kMemo1Place, scale_));
  SetChildFont(window_, IDC_MEMO1, default_font_.get());
  about_.ApplyDpi(scale_);
  FormResize();
  InvalidateRect(window_, nullptr, TRUE);
}

void MainWindow::ApplyHints() {
  for (const ActionDef& action : Actions()) {
    const std::wstring caption = ResourceText(action.caption_id);
    const HWND button = GetDlgItem(window_, action.button_id);
    SetWindowTextW(button, caption.c_str());
    hints_.Set(button, ActionHint(action, CurrentFileName));
    const std::wstring item_text = caption + L"\t" + ShortcutText(action.modifiers, action.key);
    MENUITEMINFOW item{};
    item.cbSize = sizeof(item);
    item.fMask = MIIM_STRING;
    item.dwTypeData = const_cast<wchar_t*>(item_text.c_str());
    SetMenuItemInfoW(popup_menu_.get(), static_cast<UINT>(action.id), FALSE, &item);
  }
}

void MainWindow::OnContextMenu(LPARAM screen_point) {
  POINT at{GET_X_LPARAM(screen_point), GET_Y_LPARAM(screen_point)};
  if (at.x == -1 && at.y == -1) {  // from the keyboard: at the window's top-left corner
    at = {0, 0};
    ClientToScreen(window_, &at);
  }
  TrackPopupMenuEx(popup_menu_.get(), TPM_RIGHTBUTTON, at.x, at.y, window_, nullptr);
}

void MainWindow::OnDpiChanged(UINT dpi, const RECT& suggested) {
  scale_ = DpiScale{dpi};
  SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  ApplyDpi();
}

void MainWindow::OnMeasureMenuItem(MEASUREITEMSTRUCT& item) const {
  item.itemWidth = kGlyphSize;
  item.itemHeight = kGlyphSize;
}

void MainWindow::OnDrawMenuItem(const DRAWITEMSTRUCT& item) const {
  const ActionDef* action = FindAction(static_cast<int>(item.itemID));
  if (item.CtlType != ODT_MENU || !action) return;
  const UINT style =
      (item.itemState & ODS_GRAYED) ? ILD_TRANSPARENT | ILD_BLEND50 : ILD_TRANSPARENT;
  const int top = item.rcItem.top + (item.rcItem.bottom - item.rcItem.top - kGlyphSize) / 2;
  ImageList_Draw(image_list1_.get(), action->image, item.hDC, item.rcItem.left, top, style);
}

LRESULT MainWindow::OnCtlColorStatic(HDC dc, HWND control) const {
  if (GetDlgCtrlID(control) == IDC_LABEL1) SetTextColor(dc, kLabel1Color);
  SetBkMode(dc, TRANSPARENT);
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

// The legend's filled rectangles, without outline.
void MainWindow::OnPaint() {
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(window_, &paint);
  for (const LegendEntry& entry : kLegend) {
    const UniqueBrush brush(CreateSolidBrush(entry.color));
    const RECT shape = ScaledRect(entry.shape, scale_);
    FillRect(dc, &shape, brush.get());
  }
  EndPaint(window_, &paint);
}

}  // namespace mivalto::ui
