// How long the window takes to show a report: opens the main window as Mivalto.exe does,
// drops a graph file on it and prints "SHOWN WHOLE LINES": the seconds from the drop until the
// report shows (the drop handled and the window painted), the seconds until
// its last piece is in the view too, and the report's line count.
//   mivalto-window-bench PATH     PATH as Windows names it (under Wine, Z:/... will do)
#include <windows.h>
#include <objbase.h>

#include <chrono>
#include <cstdio>

#include "platform/calendar.h"
#include "platform/wide_text.h"
#include "ui/main_window.h"
#include "ui/ui_services.h"
#include "windows/shell_file_list_builder.h"

namespace {

void Paint(HWND window) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

// Handles what is queued, paint included, until the queue is empty.
void HandlePendingMessages(HWND window) {
  Paint(window);
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: mivalto-window-bench PATH\n", stderr);
    return 2;
  }
  if (!mivalto::ui::MainWindow::PrepareProgram()) return 1;
  const auto services = mivalto::ui::DesktopServices();
  const auto calendar = mivalto::SystemCalendar();
  int status = 1;
  {
    mivalto::ui::MainWindow window(*services, *calendar);
    if (window.Create(SW_SHOWNORMAL)) {
      HandlePendingMessages(window.Handle());
      const HGLOBAL files = mivalto::testing::MakeFileList({mivalto::Utf8ToWide(argv[1])});
      const auto start = std::chrono::steady_clock::now();
      SendMessageW(window.Handle(), WM_DROPFILES, reinterpret_cast<WPARAM>(files), 0);
      Paint(window.Handle());
      const std::chrono::duration<double> shown = std::chrono::steady_clock::now() - start;
      MSG message;
      while (!window.ReportFullyShown() && GetMessageW(&message, nullptr, 0, 0) > 0) {
        DispatchMessageW(&message);
      }
      HandlePendingMessages(window.Handle());
      const std::chrono::duration<double> whole = std::chrono::steady_clock::now() - start;
      std::printf("%.3f %.3f %zu\n", shown.count(), whole.count(), window.Report().Lines().size());
      status = window.Report().Lines().empty() ? 1 : 0;
      DestroyWindow(window.Handle());
    }
  }
  CoUninitialize();
  return status;
}
