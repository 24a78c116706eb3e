#include "ui/main_window.h"

#include <algorithm>
#include <exception>
#include <memory>
#include <stdexcept>

#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>
#include <windowsx.h>

#include "analysis/analysis_driver.h"
#include "analysis/catalogue_json.h"
#include "analysis/json_input.h"
#include "base/file_path.h"
#include "base/program_texts.h"
#include "platform/wide_text.h"
#include "scan/byte_source.h"
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

// "<file> : <problem>", for the error box of a JSON file.
std::runtime_error JsonFileError(const std::wstring& path, std::string_view problem) {
  return std::runtime_error(WideToUtf8(path) + " : " + std::string(problem));
}

// The window tells in a message box of a file it could not walk at all: a date that can't be
// had, a JSON that can't be read, named. A JSON that is no report is no catalogue either, as
// the window takes both. A file that can't be opened shows an empty report.
AnalysisResult ThrowIfNoWalk(AnalysisResult result, const std::wstring& path) {
  if (result.failure == FileFailure::kNoDate) throw FileDateError();
  if (result.failure != FileFailure::kBadJson) return result;
  if (result.stop_reason == texts::kJsonNotReport)
    throw JsonFileError(path, WideToUtf8(ResourceText(IDS_JSON_NEITHER)));
  throw JsonFileError(path, result.stop_reason);
}

}  // namespace

MainWindow::MainWindow(UiServices& services, const Calendar& calendar)
    : services_(services), calendar_(calendar) {
  for (const ActionDef& action : kActions)
    enabled_[ActionIndex(action.id)] = action.enabled_at_start;
}

MainWindow::~MainWindow() {
  if (Handle()) DestroyWindow(Handle());
}

bool MainWindow::PrepareProgram() {
  if (CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED) != S_OK) return false;
  const INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  const HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_MIVALTO));
  const HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW);
  RegisterObjectClass({kMainClassName, arrow, icon});
  RegisterWindowClass({kPanelClassName, arrow}, PanelProc);
  AboutPanel::RegisterClasses();
  LoadRichEdit();
  return true;
}

HWND MainWindow::Create(int show_command) {
  const DpiScale system_scale{GetDpiForSystem()};
  const RECT place = ScaledRect(kWindowPlace, system_scale);
  if (!CreateWindowFor(kMainClassName, WS_EX_CONTROLPARENT, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                       nullptr, 0, place))
    return nullptr;
  FormShow();
  ShowWindow(Handle(), show_command);
  UpdateWindow(Handle());
  return Handle();
}

bool MainWindow::PreTranslateMessage(MSG& message) {
  if (!Handle()) return false;
  return TranslateAcceleratorW(Handle(), accelerators_.get(), &message) ||
         IsDialogMessageW(Handle(), &message);
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
  }
  return DefaultMessage(message, wparam, lparam);
}

void MainWindow::FormCreate() {
  scale_ = DpiScale{GetDpiForWindow(Handle())};
  CreateControls();
  ApplyDpi();
  machine_catalogue_ = BuildCatalogue();
}

void MainWindow::FormShow() {
  ApplyHints();
  ShowTitle();
  about_.LoadAboutTexts();
  DragAcceptFiles(Handle(), TRUE);
}

// The program and its author, as ever; then the catalogue file, when one was given in place
// of this machine's.
void MainWindow::ShowTitle() {
  std::wstring title = Utf8ToWide(texts::kProductVersionName) + L" " +
                       ResourceText(IDS_TITLE_DE) + L" " + Utf8ToWide(texts::kAuthor);
  if (!catalogue_file_.empty()) {
    title += FormatText(ResourceText(IDS_CATALOGUE),
                        {Utf8ToWide(FileNameOf(WideToUtf8(catalogue_file_)))});
  }
  SetWindowTextW(Handle(), title.c_str());
}

void MainWindow::FormResize() {
  if (!GetDlgItem(Handle(), IDC_MEMO1)) return;  // sizes sent while the window is being made
  RECT client, outer, memo;
  GetClientRect(Handle(), &client);
  GetWindowRect(Handle(), &outer);
  const HWND memo1 = GetDlgItem(Handle(), IDC_MEMO1);
  GetWindowRect(memo1, &memo);
  MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&memo), 2);
  const ResizedPlaces places =
      FormResizePlaces({client.right, client.bottom}, outer.right - outer.left, memo.top);
  SetWindowPos(memo1, nullptr, 0, 0, places.memo_width, places.memo_height,
               SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
  for (const auto& [id, left] : {std::pair{IDC_CLOSE_BTN, places.close_left},
                                 std::pair{IDC_APROPOS_BTN, places.apropos_left}}) {
    const HWND button = GetDlgItem(Handle(), id);
    RECT r;
    GetWindowRect(button, &r);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&r), 2);
    SetWindowPos(button, nullptr, left, r.top, 0, 0, SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  // Panel1 is docked along the top; Label1 may use all of it.
  const int panel_height = scale_(kPanel1Height);
  SetWindowPos(GetDlgItem(Handle(), IDC_PANEL1), nullptr, 0, 0, client.right, panel_height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  const RECT label = ScaledRect(kLabel1Place, scale_);
  SetWindowPos(GetDlgItem(GetDlgItem(Handle(), IDC_PANEL1), IDC_LABEL1), nullptr, 0, 0,
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
  EnableWindow(GetDlgItem(Handle(), IDC_PASTE_BTN), ClipboardHasFiles());
}

void MainWindow::FormDestroy() {
  about_.Destroy();
  hints_.Destroy();
  ReleaseCatalogue(machine_catalogue_);
  ReleaseCatalogue(file_catalogue_);
}

void MainWindow::OnCommand(int id) {
  if (id == ID_MACHINE_CATALOGUE) {
    ReportErrors([&] { UseMachineCatalogue(); });
    return;
  }
  const ActionDef* action = FindAction(id);
  if (!action || !enabled_[ActionIndex(action->id)]) return;
  ReportErrors([&] { action->execute(*this); });
}

template <typename Command>
void MainWindow::ReportErrors(Command command) {
  try {
    command();
  } catch (const std::exception& error) {
    services_.ShowError(Handle(), Utf8ToWide(error.what()));
  }
}

bool MainWindow::TakeCatalogue(const std::wstring& path) {
  const std::unique_ptr<FileSource> source = FileSource::Open(WideToUtf8(path));
  if (!source || !IsCatalogueJson(*source)) return false;
  try {
    file_catalogue_ = ReadCatalogueJson(*source);
  } catch (const JsonInputError& error) {
    throw JsonFileError(path, error.what());
  }
  catalogue_file_ = path;
  CatalogueChanged();
  return true;
}

void MainWindow::UseMachineCatalogue() {
  if (catalogue_file_.empty()) return;
  catalogue_file_.clear();
  ReleaseCatalogue(file_catalogue_);
  CatalogueChanged();
}

// The title and the context menu say which catalogue is in use, and the report on screen is
// made again with it, so that what is shown is always what the catalogue says.
void MainWindow::CatalogueChanged() {
  ShowTitle();
  ShowCatalogueMenuItem();
  if (!shown_file_.empty()) ShowAnalysis(shown_file_);
}

// The way back to this machine's catalogue, below the actions, while another is in use.
void MainWindow::ShowCatalogueMenuItem() {
  const HMENU menu = popup_menu_.get();
  while (GetMenuItemCount(menu) > static_cast<int>(kPopupMenuItems.size()))
    DeleteMenu(menu, static_cast<UINT>(kPopupMenuItems.size()), MF_BYPOSITION);
  if (catalogue_file_.empty()) return;
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, ID_MACHINE_CATALOGUE, ResourceText(IDS_MACHINE_CATALOGUE).c_str());
}

const FilterCatalogue& MainWindow::Catalogue() const {
  return catalogue_file_.empty() ? machine_catalogue_ : file_catalogue_;
}

std::string MainWindow::CatalogueFileName() const {
  return catalogue_file_.empty() ? std::string() : FileNameOf(WideToUtf8(catalogue_file_));
}

void MainWindow::AnalyseFile(const std::wstring& path) {
  const BusyCursor busy;
  if (TakeCatalogue(path)) return;
  CurrentFileName = path;
  ShowAnalysis(path);
}

void MainWindow::ShowAnalysis(const std::wstring& path) {
  // The window shows only the report's lines.
  const std::string utf8_path = WideToUtf8(path);
  ThrowIfNoWalk(mivalto::AnalyseFile(utf8_path, utf8_path, Catalogue(), calendar_, report_,
                                     GraphModelUse::kSkip),
                path);
  shown_file_ = path;
  SetDlgItemTextW(GetDlgItem(Handle(), IDC_PANEL1), IDC_LABEL1, (path + L"  ").c_str());
  const ActionDef& save = ActionOf(ID_AC_SAUVER);
  hints_.Set(GetDlgItem(Handle(), save.button_id), ActionHint(save, CurrentFileName));
  SetActionEnabled(ID_AC_SAUVER, true);
  report_shown_ = ShowReport(GetDlgItem(Handle(), IDC_MEMO1), report_);
  // The rest of a large report follows on timer ticks, which come only when no input, paint
  // or other message waits.
  if (!ReportFullyShown()) SetTimer(Handle(), kShowMoreTimer, USER_TIMER_MINIMUM, nullptr);
}

AnalysisResult MainWindow::AnalyseWithGraph(ReportView& view) const {
  const BusyCursor busy;
  const std::string utf8_path = WideToUtf8(CurrentFileName);
  return ThrowIfNoWalk(mivalto::AnalyseFile(utf8_path, utf8_path, Catalogue(), calendar_, view),
                       CurrentFileName);
}

void MainWindow::ShowMoreOfReportOnTimer() {
  report_shown_ = ShowMoreOfReport(GetDlgItem(Handle(), IDC_MEMO1), report_, report_shown_);
  if (ReportFullyShown()) KillTimer(Handle(), kShowMoreTimer);
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
  if (focus_was_inside) SetFocus(GetDlgItem(Handle(), IDC_APROPOS_BTN));
}

void MainWindow::SetActionEnabled(int action_id, bool enabled) {
  enabled_[ActionIndex(action_id)] = enabled;
  EnableWindow(GetDlgItem(Handle(), ActionOf(action_id).button_id), enabled);
  EnableMenuItem(popup_menu_.get(), static_cast<UINT>(action_id),
                 MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void MainWindow::CreateControls() {
  hints_.Create(Handle());
  for (const ActionDef& action : kActions) {
    CreateGlyphButton(Handle(), action.button_id, {});
    EnableWindow(GetDlgItem(Handle(), action.button_id), action.enabled_at_start);
  }
  const HWND panel1 = CreateChild(Handle(), kPanelClassName, IDC_PANEL1, WS_VISIBLE, {});
  CreateChild(panel1, WC_STATICW, IDC_LABEL1, WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX, {});
  for (std::size_t i = 0; i < kLegend.size(); ++i) {
    CreateChild(Handle(), WC_STATICW, IDC_LEGEND_LABEL_FIRST + static_cast<int>(i),
                WS_VISIBLE | SS_LEFTNOWORDWRAP, {}, ResourceText(kLegend[i].text_id));
  }
  CreateReportControl(Handle(), IDC_MEMO1, {});
  about_.Create(Handle(), ID_AC_APROPOS,
                [this](const std::wstring& address) { services_.OpenAddress(Handle(), address); });
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
      item.fState = ActionOf(id).enabled_at_start ? MFS_ENABLED : MFS_GRAYED;
    }
    InsertMenuItemW(popup_menu_.get(), GetMenuItemCount(popup_menu_.get()), TRUE, &item);
  }
}

void MainWindow::ApplyTabOrder() {
  HWND previous = HWND_TOP;
  for (const int id : kTabOrder) {
    const HWND control = GetDlgItem(Handle(), id);
    SetWindowPos(control, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    previous = control;
  }
}

void MainWindow::ApplyDpi() {
  default_font_ = CreateDesignFont(kDefaultFont, scale_);
  label1_font_ = CreateDesignFont(kLabel1Font, scale_);
  legend_font_ = CreateDesignFont(kLegendFont, scale_);
  image_list1_ = LoadImageList(kImageBitmaps, kGlyphSize, scale_);
  for (const ActionDef& action : kActions) {
    PlaceChild(Handle(), action.button_id, ScaledRect(action.button_place, scale_));
    SetChildFont(Handle(), action.button_id, default_font_.get());
    // The button lets go of its old glyph before the glyph is destroyed.
    UniqueImageList glyph = LoadImageList(
        {&kImageBitmaps[static_cast<std::size_t>(action.image)], 1}, kGlyphSize, scale_);
    SetButtonGlyph(GetDlgItem(Handle(), action.button_id), glyph.get(), scale_);
    button_glyphs_[ActionIndex(action.id)] = std::move(glyph);
  }
  const HWND panel1 = GetDlgItem(Handle(), IDC_PANEL1);
  PlaceChild(panel1, IDC_LABEL1, ScaledRect(kLabel1Place, scale_));
  SetChildFont(panel1, IDC_LABEL1, label1_font_.get());
  for (std::size_t i = 0; i < kLegend.size(); ++i) {
    const int id = IDC_LEGEND_LABEL_FIRST + static_cast<int>(i);
    const HWND label = GetDlgItem(Handle(), id);
    SetChildFont(Handle(), id, legend_font_.get());
    const POINT at = kLegend[i].label_at;
    SetWindowPos(label, nullptr, scale_(at.x), scale_(at.y), CaptionSize(label, legend_font_.get()).cx,
                 scale_(kLegendLabelHeight), SWP_NOZORDER | SWP_NOACTIVATE);
  }
  PlaceChild(Handle(), IDC_MEMO1, ScaledRect(kMemo1Place, scale_));
  SetChildFont(Handle(), IDC_MEMO1, default_font_.get());
  about_.ApplyDpi(scale_);
  FormResize();
  InvalidateRect(Handle(), nullptr, TRUE);
}

void MainWindow::ApplyHints() {
  for (const ActionDef& action : kActions) {
    const std::wstring caption = ResourceText(action.caption_id);
    const HWND button = GetDlgItem(Handle(), action.button_id);
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
    ClientToScreen(Handle(), &at);
  }
  TrackPopupMenuEx(popup_menu_.get(), TPM_RIGHTBUTTON, at.x, at.y, Handle(), nullptr);
}

void MainWindow::OnDpiChanged(UINT dpi, const RECT& suggested) {
  scale_ = DpiScale{dpi};
  SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  ApplyDpi();
}

void MainWindow::OnMeasureMenuItem(MEASUREITEMSTRUCT& item) const {
  item.itemWidth = static_cast<UINT>(scale_(kGlyphSize));
  item.itemHeight = static_cast<UINT>(scale_(kGlyphSize));
}

void MainWindow::OnDrawMenuItem(const DRAWITEMSTRUCT& item) const {
  const ActionDef* action = FindAction(static_cast<int>(item.itemID));
  if (item.CtlType != ODT_MENU || !action) return;
  const UINT style =
      (item.itemState & ODS_GRAYED) ? ILD_TRANSPARENT | ILD_BLEND50 : ILD_TRANSPARENT;
  const int top = item.rcItem.top + (item.rcItem.bottom - item.rcItem.top - scale_(kGlyphSize)) / 2;
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
  const HDC dc = BeginPaint(Handle(), &paint);
  for (const LegendEntry& entry : kLegend) {
    const UniqueBrush brush(CreateSolidBrush(KindRow(entry.kind).color));
    const RECT shape = ScaledRect(entry.shape, scale_);
    FillRect(dc, &shape, brush.get());
  }
  EndPaint(Handle(), &paint);
}

}  // namespace mivalto::ui
