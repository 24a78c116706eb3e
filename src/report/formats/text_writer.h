// Plain text: the report's lines, each ended by "\n", control characters replaced so that
// the output can go to a terminal safely. Several reports: an empty line between two.
#pragma once

#include <ostream>
#include <span>
#include <string>

#include "report/report_writer.h"

namespace mivalto {

void WriteText(std::span<const ReportDocument> documents, std::ostream& out);
// One line's bytes, for a caller that streams the lines (StreamedLines).
void AppendTextLine(const ReportLine& line, std::string& bytes);

}  // namespace mivalto
