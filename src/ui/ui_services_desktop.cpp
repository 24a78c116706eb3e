#include <vector>

#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>
#include <shellapi.h>

#include "base/program_texts.h"
#include "platform/wide_text.h"
#include "ui/report_file.h"
#include "ui/resource_text.h"
#include "ui/ui_services.h"

namespace mivalto::ui {
namespace {

// Large enough for any name the dialogs accept, long paths included.
constexpr DWORD kFileNameBufferLength = 65536;

// The save dialog's name follows its type: choosing "Page HTML (*.html)" turns "graphe.log"
// into "graphe.html", so that what the name says is what gets written. A type of any extension
// leaves the name alone.
UINT_PTR CALLBACK FollowTypeHook(HWND hook, UINT message, WPARAM, LPARAM lparam) {
  if (message != WM_NOTIFY) return 0;
  const auto& notify = *reinterpret_cast<const OFNOTIFYW*>(lparam);
  if (notify.hdr.code != CDN_TYPECHANGE) return 0;
  const auto& request = *reinterpret_cast<const FileDialogRequest*>(notify.lpOFN->lCustData);
  const std::wstring extension =
      TypeExtension(request.filter, static_cast<int>(notify.lpOFN->nFilterIndex));
  const HWND dialog = GetParent(hook);
  std::vector<wchar_t> name(kFileNameBufferLength, L'\0');
  const LRESULT length = SendMessageW(dialog, CDM_GETSPEC, name.size(),
                                      reinterpret_cast<LPARAM>(name.data()));
  if (extension.empty() || length <= 1) return 0;
  const std::wstring renamed = WithExtension(name.data(), extension);
  // The name box is cmb13 in the dialogs of Windows 2000 on, edt1 before and in Wine.
  for (const int box : {cmb13, edt1}) {
    SendMessageW(dialog, CDM_SETCONTROLTEXT, box, reinterpret_cast<LPARAM>(renamed.c_str()));
  }
  return 0;
}

std::optional<SaveChoice> RunFileDialog(HWND owner, const FileDialogRequest& request, DWORD flags,
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
  ofn.lCustData = reinterpret_cast<LPARAM>(&request);
  ofn.lpfnHook = FollowTypeHook;  // called only with OFN_ENABLEHOOK: the save dialog's
  if (!run(&ofn)) return std::nullopt;
  return SaveChoice{name.data(), static_cast<int>(ofn.nFilterIndex)};
}

class DesktopUiServices final : public UiServices {
 public:
  std::optional<std::wstring> AskOpenPath(HWND owner, const FileDialogRequest& request) override {
    const auto chosen = RunFileDialog(owner, request, 0, GetOpenFileNameW);
    return chosen ? std::optional(chosen->path) : std::nullopt;
  }
  // Hooked, the dialog is the Explorer-style one on every Windows (and Wine), whose name
  // follows the type only through the hook.
  std::optional<SaveChoice> AskSavePath(HWND owner, const FileDialogRequest& request) override {
    return RunFileDialog(owner, request, OFN_OVERWRITEPROMPT | OFN_ENABLEHOOK, GetSaveFileNameW);
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
