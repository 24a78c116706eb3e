// The comparison of two graphs (--compare A B), written from their two reports, A first:
// text and ANSI give the differences in the report's words under the headings of their
// sections, "-" marking what is only in A or A's value, "+" B's, "~" bytes that differ (where,
// never the bytes themselves); HTML gives the page with both pictures side by side, what differs
// marked, above the same lines; JSON gives the typed differences (docs/compare.schema.json).
// The reports' headers (paths, dates) are never differences.
#pragma once

#include <optional>
#include <ostream>
#include <span>
#include <string>

#include "analysis/graph_compare.h"
#include "model/report_view.h"
#include "report/report_writer.h"

namespace mivalto {

// Why the two reports can't be compared (French), with the file of the first walk that did not
// reach its end (the command line names it, with its own reason, before); none when they can.
std::optional<FormatRefusal> ComparisonRefusal(std::span<const ReportDocument> documents);

// 0 when the two graphs are the same, 1 when they differ.
int ComparisonStatus(std::span<const ReportDocument> documents);

// The comparison's lines with their marks and colours, as text, ANSI and HTML show them.
ReportView ComparisonLines(const ReportDocument& a, const ReportDocument& b,
                           std::span<const Difference> differences);

void WriteComparisonText(std::span<const ReportDocument> documents, std::ostream& out);
void WriteComparisonAnsi(std::span<const ReportDocument> documents, std::ostream& out);
void WriteComparisonHtml(std::span<const ReportDocument> documents, std::ostream& out);
void WriteComparisonJson(std::span<const ReportDocument> documents, std::ostream& out);

}  // namespace mivalto
