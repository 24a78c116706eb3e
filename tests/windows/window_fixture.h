// The real main window, made in the test's own process and driven through its messages:
// dialogs and the error box answered by a recording fake, graph files written by the test
// into a folder of its own, shell file lists built by hand in an HGLOBAL.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/calendar.h"
#include "support/byte_writer.h"
#include "ui/main_window.h"
#include "ui/ui_services.h"
#include "windows/shell_file_list_builder.h"

namespace mivalto::testing {

// Answers the dialogs with prepared paths and remembers what the window asked and showed.
class RecordingServices final : public ui::UiServices {
 public:
  std::optional<std::wstring> open_answer;
  std::optional<std::wstring> save_answer;
  int save_type = 0;  // the type chosen with save_answer; 0: none, the name decides
  std::vector<ui::FileDialogRequest> open_requests;
  std::vector<ui::FileDialogRequest> save_requests;
  std::vector<std::wstring> errors;
  std::vector<std::wstring> opened_addresses;

  std::optional<std::wstring> AskOpenPath(HWND, const ui::FileDialogRequest& request) override;
  std::optional<ui::SaveChoice> AskSavePath(HWND, const ui::FileDialogRequest& request) override;
  void ShowError(HWND, const std::wstring& message) override;
  void OpenAddress(HWND, const std::wstring& address) override;
};

class FixedCalendar final : public Calendar {
 public:
  LocalDateTime Now() const override { return {2016, 5, 20, 10, 30, 0}; }
  std::string ShortDateLongTime(const LocalDateTime&) const override {
    return "20/05/2016 10:30:00";
  }
  std::string LongDate(const LocalDateTime&) const override { return "vendredi 20 mai 2016"; }
};

// The window's text; for a RichEdit, its paragraphs separated by "\r".
std::wstring TextOf(HWND window);
// A child's rectangle in its parent's client coordinates.
RECT PlaceOf(HWND child);

class MainWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  static void TearDownTestSuite();
  void SetUp() override;
  void TearDown() override;

  HWND Window() const { return window_->Handle(); }
  HWND Control(int id) const;       // a control of the main window or of Panel1
  HWND AboutControl(int id) const;  // a control of the about panel
  ui::MainWindow& Main() const { return *window_; }

  // A graph file of the test's own making: a version "0002" text with empty sections.
  std::wstring WriteGraph(const std::wstring& name) const;
  // A file of these bytes in the test's folder.
  std::wstring WriteGraph(const std::wstring& name, const ByteVector& bytes) const;
  std::wstring FolderPath() const { return folder_.wstring(); }

  void Drop(const std::vector<std::wstring>& names, bool wide = true);
  void PutOnClipboard(UINT format, HANDLE data);
  void PutFilesOnClipboard(const std::vector<std::wstring>& names);
  void PutTextOnClipboard(const std::wstring& text);
  void Command(int id);
  void Activate();

  // Hidden by default: without a window manager, Wine waits two seconds for every shown
  // window to be unmapped when it is destroyed. The messages work the same.
  int show_command_ = SW_HIDE;
  RecordingServices services_;
  FixedCalendar calendar_;
  std::unique_ptr<ui::MainWindow> window_;
  std::filesystem::path folder_;
};

}  // namespace mivalto::testing
