#include "ui/commands.h"

#include "ui/main_window.h"
#include "ui/report_file.h"
#include "ui/resource_text.h"
#include "ui/shell_file_list.h"

namespace mivalto::ui {

void acOuvrirExecute(MainWindow& window) {
  const FileDialogRequest request{
      .filter = ResourceText(IDS_OPEN_FILTER), .default_extension = L"grf", .proposed_name = {}};
  if (const auto path = window.Services().AskOpenPath(window.Handle(), request)) {
    window.AnalyseFile(*path);
  }
}

void acSauverExecute(MainWindow& window) {
  const FileDialogRequest request{.filter = ResourceText(IDS_SAVE_FILTER),
                                  .default_extension = L"log",
                                  .proposed_name = ProposedSaveName(CurrentFileName)};
  const auto path = window.Services().AskSavePath(window.Handle(), request);
  if (!path) return;
  if (const DWORD error = SaveReportFile(*path, window.Report()); error != ERROR_SUCCESS) {
    window.Services().ShowError(window.Handle(), FormatText(ResourceText(IDS_CANNOT_CREATE_FILE),
                                                            {*path, SystemErrorText(error)}));
  }
}

void acPasteExecute(MainWindow& window) {
  // The clipboard is closed again before the analysis starts.
  const std::wstring path = TakeClipboardFile(window.Handle());
  if (!path.empty()) window.AnalyseFile(path);
}

void acAproposExecute(MainWindow& window) { window.ToggleAbout(); }

void acQuitterExecute(MainWindow& window) { SendMessageW(window.Handle(), WM_CLOSE, 0, 0); }

}  // namespace mivalto::ui
