#include "windows/window_fixture.h"

#include <objbase.h>
#include <shlobj.h>

#include <cstring>
#include <fstream>

#include "platform/wide_text.h"
#include "support/graph_text.h"
#include "ui/controls.h"
#include "ui/resource_ids.h"

namespace mivalto::testing {

std::optional<std::wstring> RecordingServices::AskOpenPath(HWND,
                                                           const ui::FileDialogRequest& request) {
  open_requests.push_back(request);
  return open_answer;
}

std::optional<ui::SaveChoice> RecordingServices::AskSavePath(HWND,
                                                             const ui::FileDialogRequest& request) {
  save_requests.push_back(request);
  if (!save_answer) return std::nullopt;
  return ui::SaveChoice{*save_answer, save_type};
}

void RecordingServices::ShowError(HWND, const std::wstring& message) {
  errors.push_back(ui::ErrorBoxText(message));
}

void RecordingServices::OpenAddress(HWND, const std::wstring& address) {
  opened_addresses.push_back(address);
}

std::wstring TextOf(HWND window) { return ui::WindowText(window); }

RECT PlaceOf(HWND child) {
  RECT place;
  GetWindowRect(child, &place);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&place), 2);
  return place;
}

void MainWindowTest::SetUpTestSuite() {
  ASSERT_TRUE(ui::MainWindow::PrepareProgram());
}

void MainWindowTest::TearDownTestSuite() { CoUninitialize(); }

void MainWindowTest::SetUp() {
  ui::CurrentFileName.clear();
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  folder_ =
      std::filesystem::path(temp) / (L"mivalto-window-" + std::to_wstring(GetCurrentProcessId()) +
                                     L"-" + std::to_wstring(GetTickCount64()));
  std::filesystem::create_directories(folder_);
  window_ = std::make_unique<ui::MainWindow>(services_, calendar_);
  ASSERT_NE(window_->Create(show_command_), nullptr);
}

void MainWindowTest::TearDown() {
  window_.reset();
  MSG message;  // the closed window's quit message, and whatever else is left
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
  }
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

HWND MainWindowTest::Control(int id) const {
  const HWND control = GetDlgItem(Window(), id);
  return control ? control : GetDlgItem(GetDlgItem(Window(), IDC_PANEL1), id);
}

HWND MainWindowTest::AboutControl(int id) const {
  return GetDlgItem(GetDlgItem(Window(), IDC_APROPOS_FRAME1), id);
}

std::wstring MainWindowTest::WriteGraph(const std::wstring& name) const {
  return WriteGraph(name,
                    GraphText().Line("0002").Line("FILTERS").Line("CONNECTIONS").Text("END").Bytes());
}

std::wstring MainWindowTest::WriteGraph(const std::wstring& name, const ByteVector& bytes) const {
  const std::filesystem::path path = folder_ / name;
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  return path.wstring();
}

void MainWindowTest::Drop(const std::vector<std::wstring>& names, bool wide) {
  SendMessageW(Window(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeFileList(names, wide)), 0);
}

void MainWindowTest::PutOnClipboard(UINT format, HANDLE data) {
  ASSERT_TRUE(OpenClipboard(Window()));
  EmptyClipboard();
  EXPECT_NE(SetClipboardData(format, data), nullptr);
  CloseClipboard();
}

void MainWindowTest::PutFilesOnClipboard(const std::vector<std::wstring>& names) {
  PutOnClipboard(CF_HDROP, MakeFileList(names));
}

void MainWindowTest::PutTextOnClipboard(const std::wstring& text) {
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  std::memcpy(GlobalLock(memory), text.c_str(), bytes);
  GlobalUnlock(memory);
  PutOnClipboard(CF_UNICODETEXT, memory);
}

void MainWindowTest::Command(int id) {
  SendMessageW(Window(), WM_COMMAND, static_cast<WPARAM>(id), 0);
}

void MainWindowTest::Activate() { SendMessageW(Window(), WM_ACTIVATEAPP, TRUE, 0); }

}  // namespace mivalto::testing
