// Saving the report: the name the save dialog proposes, and the writing of the report as a
// Rich Text Format document or, under an HTML name, as the page of --format html with the
// graph's picture. The file is written beside the target under a temporary name and then
// moved over it, so a failed save never leaves half a file or loses the old one.
#pragma once

#include <string>

#include <windows.h>

#include "model/report_view.h"
#include "report/report_writer.h"

namespace mivalto::ui {

// The graph's path with its extension replaced by ".log" (appended when it has none). The
// extension is what follows the last "." after the last separator ("\", "/" or a drive's
// ":").
std::wstring ProposedSaveName(const std::wstring& graph_path);

// Whether a save under path writes the HTML page: its extension is ".html" or ".htm", in any
// case. Any other name gets the RTF report.
bool SavesPage(const std::wstring& path);

// Writes the report as RTF under path. Returns ERROR_SUCCESS or the system's error code; on
// failure the target is as it was.
DWORD SaveReportFile(const std::wstring& path, const ReportView& view);

// Writes the HTML page of one report, as --format html does, under path; the same outcome.
DWORD SavePageFile(const std::wstring& path, const ReportDocument& document);

// The system's text for an error code, without its final period and line break.
std::wstring SystemErrorText(DWORD error);

}  // namespace mivalto::ui
