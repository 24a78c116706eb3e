// Terminal output: each line in its colour and weight through ANSI escape sequences (SGR),
// reset at the end of the line. The graph's texts go through PrintableText, so that they can
// never carry an escape sequence of their own. Several reports: an empty line between two.
#pragma once

#include <ostream>
#include <span>
#include <string>

#include "report/report_writer.h"

namespace mivalto {

void WriteAnsi(std::span<const ReportDocument> documents, std::ostream& out);
// One line's bytes, for a caller that streams the lines (StreamedLines).
void AppendAnsiLine(const ReportLine& line, std::string& bytes);

}  // namespace mivalto
