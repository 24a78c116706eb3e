#include "ui/report_control.h"

#include <algorithm>
#include <cstring>
#include <sstream>
#include <string>

#include <richedit.h>

#include "report/rtf_writer.h"

namespace mivalto::ui {
namespace {

struct StreamSource {
  const std::string& bytes;
  std::size_t offset = 0;
};

DWORD CALLBACK ReadRtfChunk(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
  auto& source = *reinterpret_cast<StreamSource*>(cookie);
  const std::size_t count = std::min<std::size_t>(static_cast<std::size_t>(wanted),
                                                  source.bytes.size() - source.offset);
  std::memcpy(buffer, source.bytes.data() + source.offset, count);
  source.offset += count;
  *given = static_cast<LONG>(count);
  return 0;
}

}  // namespace

bool LoadRichEdit() { return LoadLibraryW(L"Msftedit.dll") != nullptr; }

HWND CreateReportControl(HWND parent, int id, const RECT& place) {
  constexpr DWORD kStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_HSCROLL | WS_VSCROLL |
                           ES_MULTILINE | ES_READONLY | ES_AUTOHSCROLL | ES_AUTOVSCROLL |
                           ES_DISABLENOSCROLL | ES_NOHIDESEL;
  const HWND control = CreateWindowExW(
      WS_EX_CLIENTEDGE, MSFTEDIT_CLASS, L"", kStyle, place.left, place.top,
      place.right - place.left, place.bottom - place.top, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  // The default limit is 32,767 characters; a report can be far longer.
  SendMessageW(control, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
  SendMessageW(control, EM_SETTARGETDEVICE, 0, 1);  // no word wrap
  return control;
}

void ShowReport(HWND control, const ReportView& view) {
  std::ostringstream rtf;
  WriteRtf(view, rtf);
  const std::string bytes = std::move(rtf).str();
  StreamSource source{bytes};
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0, ReadRtfChunk};
  SendMessageW(control, WM_SETREDRAW, FALSE, 0);
  SendMessageW(control, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
  SendMessageW(control, EM_SETSEL, 0, 0);
  SendMessageW(control, WM_SETREDRAW, TRUE, 0);
  SendMessageW(control, EM_SCROLLCARET, 0, 0);
  InvalidateRect(control, nullptr, TRUE);
}

}  // namespace mivalto::ui
