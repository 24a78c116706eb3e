// The comparison of two graphs (--compare A B), written from their two reports, A first:
// text and ANSI give the differences in the report's words under the headings of their
// sections, "-" marking what is only in A or A's value, "+" B's, "~" bytes that differ (where,
// never the bytes themselves); HTML gives the page with both pictures side by side, what differs
// marked, above the same lines; JSON gives the typed differences (docs/compare.schema.json).
// The reports' headers (paths, dates) are never differences.
#pragma once

#include <memory>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "analysis/graph_compare.h"
#include "model/report_view.h"
#include "report/report_writer.h"

namespace mivalto {

// The two reports, A first, and their graphs' differences, worked out once for everything the
// comparison writes and for its status.
struct Comparison {
  std::span<const ReportDocument, 2> documents;
  std::vector<Difference> differences;
};

// The comparison of the first two reports, whose walks reached their ends.
Comparison CompareReports(std::span<const ReportDocument> documents);

// Why the two reports can't be compared (French), with the file of the first walk that did not
// reach its end (the command line names it, with its own reason, before); none when they can.
std::optional<FormatRefusal> ComparisonRefusal(std::span<const ReportDocument> documents);

// The comparison's lines with their marks and colours, as text, ANSI and HTML show them.
ReportView ComparisonLines(const ReportDocument& a, const ReportDocument& b,
                           std::span<const Difference> differences);

using ComparisonWriter = void (*)(const Comparison& comparison, std::ostream& out);
void WriteComparisonText(const Comparison& comparison, std::ostream& out);
void WriteComparisonAnsi(const Comparison& comparison, std::ostream& out);
void WriteComparisonHtml(const Comparison& comparison, std::ostream& out);
void WriteComparisonJson(const Comparison& comparison, std::ostream& out);

// A comparison format: refused as ComparisonRefusal says, else the reports compared once, the
// status 0 when the graphs are the same and 1 when they differ, written by Write.
template <ComparisonWriter Write>
PreparedOutput PrepareComparison(std::span<const ReportDocument> documents) {
  if (std::optional<FormatRefusal> refused = ComparisonRefusal(documents)) {
    return {.refusal = std::move(refused)};
  }
  const auto comparison = std::make_shared<const Comparison>(CompareReports(documents));
  return {.status = comparison->differences.empty() ? 0 : 1,
          .write = [comparison](std::ostream& out) { Write(*comparison, out); }};
}

}  // namespace mivalto
