// Saving the report: the name the save dialog proposes, and the writing of the report as a
// Rich Text Format document or, under a name whose extension the output formats' table gives
// the window (the HTML page, the JSON report), in that format as the command-line tool writes it. The file is written beside the target under a temporary name and then
// moved over it, so a failed save never leaves half a file or loses the old one.
#pragma once

#include <string>
#include <string_view>

#include <windows.h>

#include "model/report_view.h"
#include "report/output_formats.h"
#include "report/report_writer.h"

namespace mivalto::ui {

// The path with its extension replaced by `extension` (with its dot), appended when it has
// none. The extension is what follows the last "." after the last separator ("\", "/" or a
// drive's ":").
std::wstring WithExtension(const std::wstring& path, std::wstring_view extension);

// The graph's path with ".log" in place of its extension.
std::wstring ProposedSaveName(const std::wstring& graph_path);

// The Save dialog's filter: the window's own report type (".log"), the types the output
// formats' table offers, then any file.
std::wstring SaveFilter();

// The extension (with its dot) that the dialog's type number `type` (1 for the first) of a
// "Name|*.ext|..." filter gives a name; empty for a type of any extension ("*.*") and for a
// number the list does not have.
std::wstring TypeExtension(const std::wstring& filter, int type);

// The format a save writes, from the type chosen in the dialog: the window's format of that
// type's extension (".html", ".json"), or for a type of any extension the one of the name's
// own, in any case; null for every other, which gets the RTF report (".log", ".txt").
const OutputFormat* SavedFormat(const std::wstring& filter, int type, const std::wstring& path);

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
