// Memo1, the report view on screen: a read-only RichEdit without word wrap whose two scroll
// bars always show. It is filled from the report model as RTF streams. A large report shows
// piece by piece: its first lines at once, the rest while the window has nothing else to do,
// so that the window answers from the first moment (a RichEdit lays out every character it
// holds, which takes seconds for a report of 100,000 lines).
#pragma once

#include <cstddef>

#include <windows.h>

#include "model/report_view.h"

namespace mivalto::ui {

// The lines of one piece: a few screens; Wine's RichEdit takes about a tenth of a second to
// lay them out.
inline constexpr std::size_t kReportPieceLines = 2000;

// Loads the RichEdit 4.1 library (Msftedit) that the RICHEDIT50W controls need; false when
// it is missing.
bool LoadRichEdit();

HWND CreateReportControl(HWND parent, int id, const RECT& place);

// Shows the report's first piece, colours and bold included, with the caret at the top, in a
// fresh control that takes the old one's id, place, font and tab position. Returns how many
// lines are shown. (Emptying a RichEdit of many lines costs far more than making a new one.)
std::size_t ShowReport(HWND control, const ReportView& view);

// Appends the next pieces after the `shown` first lines of the view at the end of the
// control, until every line is shown, the user's input waits or a tenth of a second has
// passed; the user's selection and scroll position stay as they were. Returns how many lines
// are shown now.
std::size_t ShowMoreOfReport(HWND control, const ReportView& view, std::size_t shown);

}  // namespace mivalto::ui
