// Memo1, the report view on screen: a read-only RichEdit without word wrap whose two scroll
// bars always show. It is filled from the report model in one go, as an RTF stream, so that
// a report of 100,000 lines shows at once.
#pragma once

#include <windows.h>

#include "report/report_view.h"

namespace mivalto::ui {

// Loads the RichEdit 4.1 library (Msftedit) that the RICHEDIT50W controls need; false when
// it is missing.
bool LoadRichEdit();

HWND CreateReportControl(HWND parent, int id, const RECT& place);

// Shows the report, colours and bold included, with the caret at the top, in a fresh
// control that takes the old one's id, place, font and tab position; returns it. (Emptying
// a RichEdit of many lines costs far more than making a new one.)
HWND ShowReport(HWND control, const ReportView& view);

}  // namespace mivalto::ui
