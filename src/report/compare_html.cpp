// The comparison's page: the report page's skeleton and style, the two graphs' pictures side by
// side, each node and edge that differs filled or drawn in its change's colour (through the
// picture's marks), then the comparison's lines.
#include <array>

#include "base/file_path.h"
#include "report/compare_writer.h"
#include "report/graph_dot.h"
#include "report/html_writer.h"

namespace mivalto {
namespace {

constexpr std::string_view kPairStyle = R"(<style>
.pair { display: flex; flex-wrap: wrap; gap: 16px; margin: 0 0 12px; }
.pair > div { flex: 1 1 420px; min-width: 0; }
h3 { margin: 0 0 6px; font-size: 15px; }
</style>
)";

// Each change's look in the pictures, in the colours of the lines' marks.
struct ChangeMark {
  Change change;
  std::string_view node;
  std::string_view edge;
};
constexpr ChangeMark kChangeMarks[] = {
    {Change::kRemoved, R"(style="rounded,filled", fillcolor="#F8D7D7", penwidth=2)",
     R"(color="#C00000", fontcolor="#C00000", penwidth=2)"},
    {Change::kAdded, R"(style="rounded,filled", fillcolor="#D7F0D7", penwidth=2)",
     R"(color="#008000", fontcolor="#008000", penwidth=2)"},
    {Change::kChanged, R"(style="rounded,filled", fillcolor="#F5EBC0", penwidth=2)",
     R"(color="#A07800", fontcolor="#A07800", penwidth=2)"},
};

void Mark(std::vector<std::string_view>& marks, std::size_t index, std::string_view mark) {
  if (marks.size() <= index) marks.resize(index + 1);
  marks[index] = mark;
}

// The marks of one side's picture: its entries only there, and those changed.
PictureMarks MarksOf(std::span<const Difference> differences, bool side_a) {
  PictureMarks marks;
  for (const Difference& difference : differences) {
    const std::optional<std::size_t> index = side_a ? difference.in_a : difference.in_b;
    if (!index) continue;
    const Change change =
        difference.item == DifferenceItem::kWhole ? difference.change : Change::kChanged;
    const ChangeMark& mark = *std::ranges::find(kChangeMarks, change, &ChangeMark::change);
    if (difference.section == DifferenceSection::kFilters) Mark(marks.filters, *index, mark.node);
    if (difference.section == DifferenceSection::kConnections) {
      Mark(marks.connections, *index, mark.edge);
    }
  }
  return marks;
}

void WriteSide(const ReportDocument& document, std::string_view side, const PictureMarks& marks,
               std::ostream& out) {
  out << "<div>\n<h3>" << side << " : " << HtmlText(PictureTitle(document)) << "</h3>\n";
  WriteHtmlFigure({document.graph, "", &marks}, out);
  out << "</div>\n";
}

}  // namespace

void WriteComparisonHtml(std::span<const ReportDocument> documents, std::ostream& out) {
  const ReportDocument& a = documents[0];
  const ReportDocument& b = documents[1];
  const std::vector<Difference> differences = CompareGraphs(*a.graph, *b.graph);
  const std::string names = FileNameOf(a.file) + ", " + FileNameOf(b.file);
  WriteHtmlPageStart(names, kPairStyle, out);
  out << "<section>\n<h2>" << HtmlText(names) << "</h2>\n<div class=\"pair\">\n";
  WriteSide(a, "A", MarksOf(differences, true), out);
  WriteSide(b, "B", MarksOf(differences, false), out);
  out << "</div>\n<pre>\n";
  const ReportView lines = ComparisonLines(a, b, differences);
  for (const ReportLine& line : lines.Lines()) WriteHtmlLine(line, out);
  out << "</pre>\n</section>\n";
  WriteHtmlPageEnd(out);
}

}  // namespace mivalto
