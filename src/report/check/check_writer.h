// The check of graphs (mivalto-cli --check) written out, one section per input: text and ANSI
// give each finding as three lines (severity, rule and place; the sentence; the byte
// offsets), HTML the page with each graph's picture, its flagged filters and connections
// marked, above the list of findings, JSON the typed findings (docs/check.schema.json). Also
// the pieces the JSON report and the HTML page share to show the findings of a report.
#pragma once

#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "analysis/checks/finding.h"
#include "report/picture/graph_dot.h"
#include "analysis/tree_writer.h"
#include "report/report_writer.h"

namespace mivalto {

// 0 when no finding is above a note; 1 when one is; 2 when a graph could not be read to its
// end (or at all).
int CheckStatus(std::span<const ReportDocument> documents);

void WriteCheckText(std::span<const ReportDocument> documents, std::ostream& out);
void WriteCheckAnsi(std::span<const ReportDocument> documents, std::ostream& out);
void WriteCheckHtml(std::span<const ReportDocument> documents, std::ostream& out);
void WriteCheckJson(std::span<const ReportDocument> documents, std::ostream& out);

// The report's findings; none where no walk kept a graph.
const std::vector<Finding>& FindingsOf(const ReportDocument& document);

// One finding as a JSON object (docs/check.schema.json), with a first member "side" when
// `side` is not empty (a comparison's "a" or "b").
void WriteFindingJson(TreeWriter& json, const Finding& finding, const GraphModel& graph,
                      std::string_view side = {});

// The report's findings as a JSON array of finding objects.
void WriteFindingsJson(TreeWriter& json, const ReportDocument& document);

// The marks that flag, in the report's picture, each filter and connection a finding is
// about: coloured by the worst severity there, the rule ids and sentences as the tooltip.
// The marks' texts live in `texts`, which must outlive them.
PictureMarks FindingMarks(const ReportDocument& document, std::vector<std::string>& texts);

// The report's findings as an HTML list (nothing when it has none), for under its picture.
void WriteHtmlFindings(const ReportDocument& document, std::ostream& out);

// The report's picture with its findings marked (when it has a graph), then their list.
void WriteHtmlPictureAndFindings(const ReportDocument& document, std::ostream& out);

// The style of that list, for the pages that show it.
extern const std::string_view kFindingsStyle;

}  // namespace mivalto
