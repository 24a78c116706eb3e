#include <vector>

#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>

#include "base/program_texts.h"
#include "platform/wide_text.h"
#include "ui/resource_text.h"
#include "ui/ui_services.h"

namespace mivalto::ui {
namespace {

// Large enough for any name the dialogs accept, long paths included.
constexpr DWORD kFileNameBufferLength = 65536;

std::optional<std::wstring> RunFileDialog(HWND owner, const FileDialogRequest& request, DWORD flags,
                                          BOOL(WINAPI* run)(LPOPENFILENAMEW)) {
  const std::wstring filter = DialogFilter(request.filter);
  std::vector<wchar_t> name(kFileNameBufferLength, L'\0');
  request.proposed_name.copy(name.data(), name.size() - 1);
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof(ofn);
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter.c_str();
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = name.data();
  ofn.nMaxFile = kFileNameBufferLength;
  ofn.lpstrDefExt = request.default_extension.c_str();
  ofn.Flags = OFN_EXPLORER | OFN_ENABLESIZING | OFN_HIDEREADONLY | flags;
  if (!run(&ofn)) return std::nullopt;
  return std::wstring(name.data());
}

class DesktopUiServices final : public UiServices {
 public:
  std::optional<std::wstring> AskOpenPath(HWND owner, const FileDialogRequest& request) override {
    return RunFileDialog(owner, request, 0, GetOpenFileNameW);
  }
  std::optional<std::wstring> AskSavePath(HWND owner, const FileDialogRequest& request) override {
    return RunFileDialog(owner, request, OFN_OVERWRITEPROMPT, GetSaveFileNameW);
  }
  void ShowError(HWND owner, const std::wstring& message) override {
    const std::wstring title = Utf8ToWide(texts::kProductName);
    MessageBoxW(owner, ErrorBoxText(message).c_str(), title.c_str(), MB_OK | MB_ICONSTOP);
  }
  void OpenAddress(HWND owner, const std::wstring& address) override {
    // Nothing is shown when the shell can't open it.
    ShellExecuteW(owner, L"open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  }
};

}  // namespace

std::unique_ptr<UiServices> DesktopServices() { return std::make_unique<DesktopUiServices>(); }

std::wstring ErrorBoxText(const std::wstring& message) {
  if (!message.empty() && message.back() > L'.') return message + L'.';
  return message;
}

}  // namespace mivalto::ui
