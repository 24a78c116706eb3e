// Saving the report: the name the save dialog proposes, and the writing of the report as a
// Rich Text Format document or, under a name whose extension the output formats' table gives
// the window (the HTML page, the JSON report), in that format as the command-line tool writes it. The file is written beside the target under a temporary name and then
// moved over it, so a failed save never leaves half a file or loses the old one.
#pragma once

#include <string>

#include <windows.h>

#include "model/report_view.h"
#include "report/output_formats.h"
#include "report/report_writer.h"

namespace mivalto::ui {

// The graph's path with its extension replaced by ".log" (appended when it has none). The
// extension is what follows the last "." after the last separator ("\", "/" or a drive's
// ":").
std::wstring ProposedSaveName(const std::wstring& graph_path);

// The format a save under path writes: the window's format whose extension the name has, in
// any case; null for any other name, which gets the RTF report.
const OutputFormat* SavedFormat(const std::wstring& path);

// Writes the report as RTF under path. Returns ERROR_SUCCESS or the system's error code; on
// failure the target is as it was.
DWORD SaveReportFile(const std::wstring& path, const ReportView& view);

// Writes one report in that format, as the command-line tool does, under path; the same
// outcome.
DWORD SaveDocumentFile(const std::wstring& path, const OutputFormat& format,
                       const ReportDocument& document);

// The system's text for an error code, without its final period and line break.
std::wstring SystemErrorText(DWORD error);

}  // namespace mivalto::ui
