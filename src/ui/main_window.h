// TForm1, the program's one window: the report view, the command buttons, the colour
// legend, the file label and the about panel. Its window procedure hands each message to one
// named handler; the commands live in commands.cpp.
#pragma once

#include <array>
#include <string>

#include <windows.h>
#include <shellapi.h>

#include "analysis/analysis_driver.h"
#include "catalogue/catalogue.h"
#include "model/report_view.h"
#include "platform/calendar.h"
#include "ui/about_panel.h"
#include "ui/actions.h"
#include "ui/controls.h"
#include "ui/layout.h"
#include "ui/ui_services.h"
#include "ui/win_handles.h"
#include "ui/window_base.h"

namespace mivalto::ui {

// The path last handed to AnalyseFile, kept for the program's life: the Save command
// proposes a name from it. The one global the design allows.
extern std::wstring CurrentFileName;

class MainWindow final : public WindowBase {
 public:
  MainWindow(UiServices& services, const Calendar& calendar);
  ~MainWindow();

  // What the window needs before it is made, once per program, on its user-interface
  // thread: COM in a single-threaded apartment (the catalogue is read through COM), the common
  // controls, the window classes of the main window and its panels. False when COM can't be
  // had so; the caller uninitialises COM at the end otherwise.
  static bool PrepareProgram();

  // Creates the window (FormCreate: layout, catalogue), then shows it (FormShow: captions,
  // hints, title, about texts, drop target).
  HWND Create(int show_command);

  // Shortcuts and keyboard navigation between controls; true when the message was used.
  bool PreTranslateMessage(MSG& message);

  // The analysis of one file, whichever command chose it; a filter catalogue's JSON (told from
  // a report by its content) becomes instead the catalogue in use: the title names it, the
  // report on screen is made again with it, and the context menu offers the way back to this
  // machine's. Throws FileDateError when the path names no file, std::runtime_error naming the
  // file for a JSON that can't be read (a report, a catalogue, or neither); then only
  // CurrentFileName has changed, or for a catalogue nothing.
  void AnalyseFile(const std::wstring& path);
  // Back to this machine's catalogue, the report on screen made again with it.
  void UseMachineCatalogue();
  // The catalogue file's name, empty while this machine's catalogue is in use.
  std::string CatalogueFileName() const;
  // CurrentFileName walked again into view, keeping the graph model that the window itself
  // skips, for the saves that draw the graph. Throws FileDateError as AnalyseFile does.
  AnalysisResult AnalyseWithGraph(ReportView& view) const;

  bool ActionEnabled(int action_id) const;
  bool ActionChecked(int action_id) const;
  // acApropos: toggles its check mark and shows or hides the about panel accordingly.
  void ToggleAbout();

  UiServices& Services() { return services_; }
  const ReportView& Report() const { return report_; }
  // Whether Memo1 shows every line of the report (a large one comes piece by piece).
  bool ReportFullyShown() const { return report_shown_ == report_.Lines().size(); }
  AboutPanel& About() { return about_; }
  const Hints& WindowHints() const { return hints_; }
  HMENU PopupMenu() const { return popup_menu_.get(); }

 private:
  LRESULT OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;

  void FormCreate();
  void FormShow();
  void FormResize();
  void WMDROPFILES(HDROP files);
  void AppEvents1Activate();
  void FormDestroy();
  void OnCommand(int id);
  void OnContextMenu(LPARAM screen_point);
  void OnDpiChanged(UINT dpi, const RECT& suggested);
  void OnMeasureMenuItem(MEASUREITEMSTRUCT& item) const;
  void OnDrawMenuItem(const DRAWITEMSTRUCT& item) const;
  LRESULT OnCtlColorStatic(HDC dc, HWND control) const;
  void OnPaint();
  void ShowMoreOfReportOnTimer();

  void CreateControls();
  void BuildPopupMenu();
  void ApplyTabOrder();
  void ApplyDpi();
  void ApplyHints();
  void SetActionEnabled(int action_id, bool enabled);
  bool TakeCatalogue(const std::wstring& path);
  void CatalogueChanged();
  void ShowCatalogueMenuItem();
  void ShowAnalysis(const std::wstring& path);
  const FilterCatalogue& Catalogue() const;
  void ShowTitle();
  // Runs a command; an error that escapes it is shown in the error box.
  template <typename Command>
  void ReportErrors(Command command);

  UiServices& services_;
  const Calendar& calendar_;
  DpiScale scale_;
  FilterCatalogue machine_catalogue_;
  FilterCatalogue file_catalogue_;  // in use in place of the machine's while catalogue_file_ is set
  std::wstring catalogue_file_;     // the catalogue's JSON; empty for this machine's
  std::wstring shown_file_;         // the file whose report is on screen; empty for none
  ReportView report_;
  std::size_t report_shown_ = 0;  // lines of report_ that Memo1 shows
  static constexpr UINT_PTR kShowMoreTimer = 1;
  AboutPanel about_;
  Hints hints_;
  PerAction<bool> enabled_{};  // in the action table's order
  PerAction<bool> checked_{};
  UniqueImageList image_list1_;
  PerAction<UniqueImageList> button_glyphs_;
  UniqueMenu popup_menu_;
  UniqueAccelerators accelerators_;
  UniqueFont default_font_, label1_font_, legend_font_;
};

}  // namespace mivalto::ui
