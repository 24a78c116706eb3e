#include "ui/report_control.h"

#include <algorithm>
#include <cstring>
#include <sstream>
#include <string>

#include <richedit.h>

#include "report/formats/rtf_writer.h"
#include "ui/controls.h"

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

// Streams the lines in as RTF: the first piece as the whole content, a later one in place of
// the selection.
void StreamLines(HWND control, std::span<const ReportLine> lines, bool first_piece) {
  std::ostringstream rtf;
  WriteRtfPiece(lines, !first_piece, rtf);
  const WPARAM how = first_piece ? SF_RTF : SF_RTF | SFF_SELECTION;
  const std::string bytes = rtf.str();
  StreamSource source{bytes};
  EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&source), 0, ReadRtfChunk};
  SendMessageW(control, EM_STREAMIN, how, reinterpret_cast<LPARAM>(&stream));
}

std::span<const ReportLine> PieceAfter(const ReportView& view, std::size_t shown) {
  return view.Lines().subspan(shown, std::min(kReportPieceLines, view.Lines().size() - shown));
}

bool InputWaits() { return HIWORD(GetQueueStatus(QS_INPUT)) != 0; }

// Where the user left the view.
struct ViewPlace {
  CHARRANGE selection{};
  POINT scroll{};
  LRESULT first_line = 0;
};

ViewPlace PlaceOf(HWND control) {
  ViewPlace place;
  SendMessageW(control, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&place.selection));
  SendMessageW(control, EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&place.scroll));
  place.first_line = SendMessageW(control, EM_GETFIRSTVISIBLELINE, 0, 0);
  return place;
}

// Restoring the selection brings the caret into view: the scroll position goes back after it.
// Scroll positions are exact only up to 65,535 pixels, lines always.
void Restore(HWND control, ViewPlace place) {
  SendMessageW(control, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&place.selection));
  SendMessageW(control, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&place.scroll));
  SendMessageW(control, EM_LINESCROLL, 0,
               place.first_line - SendMessageW(control, EM_GETFIRSTVISIBLELINE, 0, 0));
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
  LeaveOnTab(control);
  return control;
}

std::size_t ShowReport(HWND control, const ReportView& view) {
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

  const std::span<const ReportLine> piece = PieceAfter(view, 0);
  StreamLines(fresh, piece, true);
  SendMessageW(fresh, EM_SETSEL, 0, 0);
  SendMessageW(fresh, EM_SCROLLCARET, 0, 0);
  return piece.size();
}

std::size_t ShowMoreOfReport(HWND control, const ReportView& view, std::size_t shown) {
  constexpr ULONGLONG kTimeSliceMs = 100;
  const ULONGLONG start = GetTickCount64();
  const ViewPlace place = PlaceOf(control);
  // The selection goes to the end and back: nothing of that may show.
  SendMessageW(control, WM_SETREDRAW, FALSE, 0);
  while (shown < view.Lines().size()) {
    // The end of the text: a position past it stands for it.
    CHARRANGE end{0x7FFFFFFF, 0x7FFFFFFF};
    SendMessageW(control, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&end));
    const std::span<const ReportLine> piece = PieceAfter(view, shown);
    StreamLines(control, piece, false);
    shown += piece.size();
    if (InputWaits() || GetTickCount64() - start >= kTimeSliceMs) break;
  }
  SendMessageW(control, WM_SETREDRAW, TRUE, 0);
  Restore(control, place);
  InvalidateRect(control, nullptr, FALSE);
  return shown;
}

}  // namespace mivalto::ui
