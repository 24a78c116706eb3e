#include "ui/report_control.h"

#include <algorithm>
#include <cstring>
#include <string>

#include <richedit.h>

#include "ui/report_file.h"

namespace mivalto::ui {
namespace {

struct StreamSource {
  const std::string& bytes;
  std::size_t offset = 0;
};

DWORD CALLBACK ReadRtfChunk(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
  auto& source = *reinterpret_cast<StreamSource*>(cookie);
  const std::size_t count =
      std::min<std::size_t>(static_cast<std::size_t>(wanted), source.bytes.size() - source.offset);
  std::memcpy(buffer, source.bytes.data() + source.offset, count);
  source.offset += count;
  *given = static_cast<LONG>(count);
  return 0;
}

}  // namespace

bool LoadRichEdit() { return LoadLibraryW(L"Msftedit.dll") != nullptr; }

HWND CreateReportControl(HWND parent, int id, const RECT& place) {
  constexpr DWORD kStyle = WS_CHILD | WS_CLIPSIBLINGS | WS_VISIBLE | WS_TABSTOP | WS_HSCROLL |
                           WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOHSCROLL |
                           ES_AUTOVSCROLL | ES_DISABLENOSCROLL | ES_NOHIDESEL;
  const HWND control = CreateWindowExW(
      WS_EX_CLIENTEDGE, MSFTEDIT_CLASS, L"", kStyle, place.left, place.top,
      place.right - place.left, place.bottom - place.top, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  // The default limit is 32,767 characters; a report can be far longer.
  SendMessageW(control, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
  SendMessageW(control, EM_SETTARGETDEVICE, 0, 1);  // no word wrap
  return control;
}

HWND ShowReport(HWND control, const ReportView& view) {
  const HWND parent = GetParent(control);
  RECT place;
  GetWindowRect(control, &place);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
  const HWND fresh = CreateReportControl(parent, GetDlgCtrlID(control), place);
  SetWindowPos(fresh, control, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SendMessageW(fresh, WM_SETFONT, SendMessageW(control, WM_GETFONT, 0, 0), FALSE);
  const bool had_focus = GetFocus() == control;
  DestroyWindow(control);
  if (had_focus) SetFocus(fresh);

  const std::string bytes = ReportRtf(view);
  StreamSource source{bytes};
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0, ReadRtfChunk};
  SendMessageW(fresh, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
  SendMessageW(fresh, EM_SETSEL, 0, 0);
  SendMessageW(fresh, EM_SCROLLCARET, 0, 0);
  return fresh;
}

}  // namespace mivalto::ui
