#include "report/check/check_writer.h"

#include <algorithm>
#include <map>

#include "analysis/checks/check_texts.h"
#include "analysis/checks/graph_check.h"
#include "base/file_path.h"
#include "report/formats/ansi_writer.h"
#include "report/formats/html_writer.h"
#include "report/formats/json_writer.h"
#include "report/formats/text_writer.h"

namespace mivalto {
namespace {

using check_texts::Said;

const GraphModel& GraphOf(const ReportDocument& document) {
  static const GraphModel kNoGraph;
  return document.graph != nullptr ? *document.graph : kNoGraph;
}

// Each severity's look: the lines' colour, the picture's fill for a node and colour for an edge.
struct SeverityLook {
  Color line;
  std::string_view fill;
  std::string_view edge;
};
constexpr SeverityLook kSeverityLooks[] = {
    {kBlue, "#D7E4F5", "#2060A0"},
    {kOlive, "#F5EBC0", "#A07800"},
    {kRed, "#F8D7D7", "#C00000"},
};

const SeverityLook& LookOf(Severity severity) { return kSeverityLooks[static_cast<int>(severity)]; }
std::string_view WordOf(Severity severity) {
  return check_texts::kSeverityWords[static_cast<int>(severity)];
}

std::string CountLine(const std::vector<Finding>& findings) {
  if (findings.empty()) return std::string(check_texts::kNoFinding);
  std::size_t counts[3] = {};
  for (const Finding& finding : findings) ++counts[static_cast<int>(finding.severity)];
  return Said(check_texts::kFindingsCount,
              {std::to_string(findings.size()), std::to_string(counts[2]),
               std::to_string(counts[1]), std::to_string(counts[0])});
}

// The heading's words after the file: the count of findings, or why there are none.
std::string Summary(const ReportDocument& document) {
  if (document.graph == nullptr) return Said(check_texts::kNotChecked, {document.stop_reason});
  return CountLine(FindingsOf(document));
}

struct CheckLine {
  std::string text;
  Color color = kBlack;
  bool bold = false;
};

std::vector<CheckLine> CheckLines(const ReportDocument& document) {
  std::vector<CheckLine> lines{{document.file + " : " + Summary(document), kBlack, true}};
  for (const Finding& finding : FindingsOf(document)) {
    lines.push_back({"  " + std::string(WordOf(finding.severity)) + "  " + std::string(finding.rule) +
                         "  " + PlaceText(finding, GraphOf(document)),
                     LookOf(finding.severity).line, true});
    lines.push_back({"      " + finding.sentence});
    const std::string offset = OffsetText(finding);
    if (!offset.empty()) lines.push_back({"      " + offset});
  }
  return lines;
}

void WriteCheckLines(std::span<const ReportDocument> documents, std::ostream& out,
                     LineAppender append) {
  BufferedOutput output(out);
  for (std::size_t i = 0; i < documents.size(); ++i) {
    if (i > 0) output.Bytes() += '\n';
    for (const CheckLine& line : CheckLines(documents[i])) {
      append({line.text, line.color, line.bold}, output.Bytes());
    }
  }
}

constexpr std::string_view kPlaceIds[] = {"filter", "connection", "clock", "file"};

}  // namespace

void WriteFindingJson(TreeWriter& json, const Finding& finding, const GraphModel& graph,
                      std::string_view side) {
  const auto optional_number = [&](std::string_view key, std::optional<std::uint64_t> value) {
    json.Key(key);
    if (value) {
      json.Unsigned(*value);
    } else {
      json.Null();
    }
  };
  json.BeginObject();
  if (!side.empty()) {
    json.Key("side");
    json.String(side);
  }
  json.Key("rule");
  json.String(finding.rule);
  json.Key("severity");
  json.String(check_texts::kSeverityIds[static_cast<int>(finding.severity)]);
  json.Key("place");
  json.String(kPlaceIds[static_cast<int>(finding.place)]);
  optional_number("number", finding.number > 0 ? std::optional<std::uint64_t>(finding.number)
                                               : std::nullopt);
  json.Key("field");
  if (finding.field.empty()) {
    json.Null();
  } else {
    json.String(finding.field);
  }
  json.Key("where");
  json.String(PlaceText(finding, graph));
  json.Key("sentence");
  json.String(finding.sentence);
  optional_number("file_offset", finding.file_offset);
  optional_number("text_offset", finding.text_offset);
  json.EndObject();
}

namespace {

void WriteCheckDocument(TreeWriter& json, const ReportDocument& document) {
  json.BeginObject();
  WriteDocumentOutcome(json, document);
  json.Key("findings");
  WriteFindingsJson(json, document);
  json.EndObject();
}

// The finding's tooltip line: its rule and sentence.
std::string TooltipLine(const Finding& finding) {
  return std::string(finding.rule) + " : " + finding.sentence;
}

void WriteCheckSection(const ReportDocument& document, std::ostream& out) {
  out << "<section>\n<h2>" << HtmlText(PictureTitle(document)) << "</h2>\n<p>"
      << HtmlText(Summary(document)) << "</p>\n";
  WriteHtmlPictureAndFindings(document, out);
  out << "</section>\n";
}

}  // namespace

const std::string_view kFindingsStyle = R"(<style>
ul.findings { margin: 0 0 12px; padding-left: 20px; font-size: 14px; }
ul.findings li { margin: 0 0 6px; }
.severity { font-weight: bold; }
.error { color: #C00000; } .warning { color: #A07800; } .note { color: #2060A0; }
.rule { font-family: "DejaVu Sans Mono", Consolas, monospace; }
.offset { color: #606060; font-size: 12px; }
</style>
)";

const std::vector<Finding>& FindingsOf(const ReportDocument& document) {
  static const std::vector<Finding> kNoFindings;
  return document.findings != nullptr ? *document.findings : kNoFindings;
}

int CheckStatus(std::span<const ReportDocument> documents) {
  int status = 0;
  for (const ReportDocument& document : documents) {
    if (!document.complete) return 2;
    const std::optional<Severity> worst = WorstSeverity(FindingsOf(document));
    if (worst && *worst > Severity::kNote) status = 1;
  }
  return status;
}

void WriteCheckText(std::span<const ReportDocument> documents, std::ostream& out) {
  WriteCheckLines(documents, out, AppendTextLine);
}

void WriteCheckAnsi(std::span<const ReportDocument> documents, std::ostream& out) {
  WriteCheckLines(documents, out, AppendAnsiLine);
}

void WriteFindingsJson(TreeWriter& json, const ReportDocument& document) {
  json.BeginArray();
  for (const Finding& finding : FindingsOf(document)) WriteFindingJson(json, finding, GraphOf(document));
  json.EndArray();
}

void WriteCheckJson(std::span<const ReportDocument> documents, std::ostream& out) {
  WriteJsonPerDocument(documents, out, WriteCheckDocument);
}

PictureMarks FindingMarks(const ReportDocument& document, std::vector<std::string>& texts) {
  // Per entry (filters then connections, by index): the worst severity and the tooltip.
  std::map<std::pair<bool, std::size_t>, std::pair<Severity, std::string>> flagged;
  for (const Finding& finding : FindingsOf(document)) {
    const bool filter = finding.place == PlaceKind::kFilter;
    if ((!filter && finding.place != PlaceKind::kConnection) || finding.number < 1) continue;
    auto [at, added] = flagged.try_emplace({filter, finding.number - 1}, finding.severity, "");
    at->second.first = std::max(at->second.first, finding.severity);
    if (!added) at->second.second += "\\n";
    AppendDotText(TooltipLine(finding), at->second.second);
  }
  PictureMarks marks;
  texts.reserve(flagged.size());
  for (const auto& [entry, look] : flagged) {
    const SeverityLook& colours = LookOf(look.first);
    const auto& [filter, index] = entry;
    texts.push_back(filter ? "style=\"rounded,filled\", fillcolor=\"" + std::string(colours.fill) +
                                 "\", penwidth=2"
                           : "color=\"" + std::string(colours.edge) + "\", fontcolor=\"" +
                                 std::string(colours.edge) + "\", penwidth=2");
    texts.back() += ", tooltip=\"" + look.second + "\"";
    std::vector<std::string_view>& list = filter ? marks.filters : marks.connections;
    if (list.size() <= index) list.resize(index + 1);
    list[index] = texts.back();
  }
  return marks;
}

void WriteHtmlPictureAndFindings(const ReportDocument& document, std::ostream& out) {
  if (document.graph != nullptr) {
    std::vector<std::string> texts;
    const PictureMarks marks = FindingMarks(document, texts);
    WriteHtmlFigure(InlineSvg({document.graph, "", &marks}), out);
  }
  WriteHtmlFindings(document, out);
}

void WriteHtmlFindings(const ReportDocument& document, std::ostream& out) {
  const std::vector<Finding>& findings = FindingsOf(document);
  if (findings.empty()) return;
  out << "<ul class=\"findings\">\n";
  for (const Finding& finding : findings) {
    const std::string_view id = check_texts::kSeverityIds[static_cast<int>(finding.severity)];
    out << "<li><span class=\"severity " << id << "\">" << HtmlText(WordOf(finding.severity))
        << "</span> <span class=\"rule\">" << HtmlText(finding.rule) << "</span> "
        << HtmlText(PlaceText(finding, GraphOf(document))) << "<br>" << HtmlText(finding.sentence);
    const std::string offset = OffsetText(finding);
    if (!offset.empty()) out << " <span class=\"offset\">(" << HtmlText(offset) << ")</span>";
    out << "</li>\n";
  }
  out << "</ul>\n";
}

void WriteCheckHtml(std::span<const ReportDocument> documents, std::ostream& out) {
  std::string title;
  for (const ReportDocument& document : documents) {
    if (!title.empty()) title += ", ";
    title += FileNameOf(document.file);
  }
  WriteHtmlPageStart(title, kFindingsStyle, out);
  for (const ReportDocument& document : documents) WriteCheckSection(document, out);
  WriteHtmlPageEnd(out);
}

}  // namespace mivalto
