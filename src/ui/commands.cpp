#include "ui/commands.h"

#include "platform/wide_text.h"
#include "ui/main_window.h"
#include "ui/report_file.h"
#include "ui/resource_text.h"
#include "ui/shell_file_list.h"

namespace mivalto::ui {
namespace {

// The RTF report of the lines the window shows, or the format of the chosen type from a new walk
// of the file: the page's picture and the JSON's graph need the graph model, which the window
// does not keep.
DWORD SaveAs(const MainWindow& window, const FileDialogRequest& request, const SaveChoice& choice) {
  const std::wstring& path = choice.path;
  const OutputFormat* format = SavedFormat(request.filter, choice.type, path);
  if (format == nullptr) return SaveReportFile(path, window.Report());
  ReportView view;
  const AnalysisResult walk = window.AnalyseWithGraph(view);
  return SaveDocumentFile(path, *format, {.file = WideToUtf8(CurrentFileName),
                             .complete = walk.complete,
                             .view = &view,
                             .graph = &walk.graph,
                             .stop_reason = walk.stop_reason,
                             .findings = &walk.findings,
                             .catalogue = window.CatalogueFileName()});
}

}  // namespace

void acOuvrirExecute(MainWindow& window) {
  const FileDialogRequest request{
      .filter = ResourceText(IDS_OPEN_FILTER), .default_extension = L"grf", .proposed_name = {}};
  if (const auto path = window.Services().AskOpenPath(window.Handle(), request)) {
    window.AnalyseFile(*path);
  }
}

void acSauverExecute(MainWindow& window) {
  const FileDialogRequest request{.filter = SaveFilter(),
                                  .default_extension = L"log",
                                  .proposed_name = ProposedSaveName(CurrentFileName)};
  const auto choice = window.Services().AskSavePath(window.Handle(), request);
  if (!choice) return;
  if (const DWORD error = SaveAs(window, request, *choice); error != ERROR_SUCCESS) {
    window.Services().ShowError(
        window.Handle(),
        FormatText(ResourceText(IDS_CANNOT_CREATE_FILE), {choice->path, SystemErrorText(error)}));
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
