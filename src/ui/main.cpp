// Mivalto.exe: the French desktop window that explains DirectShow graph files. It reads no
// command-line argument.
#include <windows.h>
#include <objbase.h>

#include "platform/calendar.h"
#include "ui/main_window.h"
#include "ui/ui_services.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int show_command) {
  if (!mivalto::ui::MainWindow::PrepareProgram()) return 1;

  const auto services = mivalto::ui::DesktopServices();
  const auto calendar = mivalto::SystemCalendar();
  int exit_code = 1;
  {
    mivalto::ui::MainWindow window(*services, *calendar);
    if (window.Create(show_command)) {
      MSG message;
      while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (window.PreTranslateMessage(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
      exit_code = static_cast<int>(message.wParam);
    }
  }
  CoUninitialize();
  return exit_code;
}
