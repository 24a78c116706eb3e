// The comparison's page: the report page's skeleton and style, the legend of the changes'
// colours, the two graphs' pictures side by side at one scale, each node and edge that differs
// filled or drawn in its change's colour (through the picture's marks), then the comparison's
// lines.
#include <algorithm>
#include <charconv>

#include "base/file_path.h"
#include "base/program_texts.h"
#include "report/compare/compare_writer.h"
#include "report/picture/graph_dot.h"
#include "report/formats/html_writer.h"

namespace mivalto {
namespace {

// The pictures keep one scale: each column's share of the row is its picture's width, so that
// a row too narrow for both shrinks both alike.
constexpr std::string_view kPairStyle = R"(<style>
.pair { display: flex; gap: 16px; align-items: flex-start; margin: 0 0 12px; }
.pair > div { min-width: 0; }
h3 { margin: 0 0 6px; font-size: 15px; overflow-wrap: anywhere; }
.changes { margin: 0 0 10px; }
</style>
)";

// Each change's look in the pictures and the legend, in the colours of the lines' marks: a
// node filled, an edge and its label drawn.
struct ChangeLook {
  Change change;
  std::string_view fill;
  std::string_view line;
  std::string_view legend;
};
constexpr ChangeLook kChangeLooks[] = {
    {Change::kRemoved, "#F8D7D7", "#C00000", texts::kLegendRemoved},
    {Change::kAdded, "#D7F0D7", "#008000", texts::kLegendAdded},
    {Change::kChanged, "#F5EBC0", "#A07800", texts::kLegendChanged},
};

// The DOT attributes of each change's nodes and edges, in the order of kChangeLooks.
struct ChangeMarks {
  std::string node[std::size(kChangeLooks)];
  std::string edge[std::size(kChangeLooks)];
};

ChangeMarks MarksOfLooks() {
  ChangeMarks marks;
  for (std::size_t i = 0; i < std::size(kChangeLooks); ++i) {
    const std::string fill(kChangeLooks[i].fill), line(kChangeLooks[i].line);
    marks.node[i] = R"(style="rounded,filled", fillcolor=")" + fill + R"(", penwidth=2)";
    marks.edge[i] = R"(color=")" + line + R"(", fontcolor=")" + line + R"(", penwidth=2)";
  }
  return marks;
}

std::size_t LookIndex(Change change) {
  return static_cast<std::size_t>(std::ranges::find(kChangeLooks, change, &ChangeLook::change) -
                                  std::begin(kChangeLooks));
}

void Mark(std::vector<std::string_view>& marks, std::size_t index, std::string_view mark) {
  if (marks.size() <= index) marks.resize(index + 1);
  marks[index] = mark;
}

// The marks of one side's picture: its entries only there, and those changed.
PictureMarks MarksOf(std::span<const Difference> differences, bool side_a,
                     const ChangeMarks& looks) {
  PictureMarks marks;
  for (const Difference& difference : differences) {
    const std::optional<std::size_t> index = side_a ? difference.in_a : difference.in_b;
    if (!index) continue;
    const std::size_t look = LookIndex(
        difference.item == DifferenceItem::kWhole ? difference.change : Change::kChanged);
    if (difference.section == DifferenceSection::kFilters) {
      Mark(marks.filters, *index, looks.node[look]);
    }
    if (difference.section == DifferenceSection::kConnections) {
      Mark(marks.connections, *index, looks.edge[look]);
    }
  }
  return marks;
}

void WriteLegend(std::ostream& out) {
  out << "<ul class=\"legend changes\">\n";
  for (const ChangeLook& look : kChangeLooks) {
    out << "<li><span class=\"swatch\" style=\"background:" << look.fill
        << ";border-color:" << look.line << "\"></span>" << HtmlText(look.legend) << "</li>\n";
  }
  out << "</ul>\n";
}

// A picture's width in points, as Graphviz writes it on the <svg> element; a side without a
// picture takes the room of a small one.
long PictureWidth(const std::optional<std::string>& svg) {
  constexpr long kNoPicture = 300;
  constexpr std::string_view kWidth = "width=\"";
  const std::size_t at = svg ? svg->find(kWidth) : std::string::npos;
  if (at == std::string::npos) return kNoPicture;
  long width = 0;  // the whole points are enough
  const char* start = svg->data() + at + kWidth.size();
  const auto [end, error] = std::from_chars(start, svg->data() + svg->size(), width);
  return error == std::errc() && width > 0 ? width : kNoPicture;
}

void WriteSide(const ReportDocument& document, std::string_view side,
               const std::optional<std::string>& svg, std::ostream& out) {
  out << "<div style=\"flex: " << PictureWidth(svg) << " 1 0\">\n<h3>" << side << " : "
      << HtmlText(PictureTitle(document)) << "</h3>\n";
  WriteHtmlFigure(svg, out);
  out << "</div>\n";
}

}  // namespace

void WriteComparisonHtml(const Comparison& comparison, std::ostream& out) {
  const ReportDocument& a = comparison.documents[0];
  const ReportDocument& b = comparison.documents[1];
  const std::vector<Difference>& differences = comparison.differences;
  const ChangeMarks looks = MarksOfLooks();
  const PictureMarks a_marks = MarksOf(differences, true, looks);
  const PictureMarks b_marks = MarksOf(differences, false, looks);
  const std::optional<std::string> a_svg = InlineSvg({a.graph, "", &a_marks});
  const std::optional<std::string> b_svg = InlineSvg({b.graph, "", &b_marks});
  const std::string names = FileNameOf(a.file) + ", " + FileNameOf(b.file);
  WriteHtmlPageStart(names, kPairStyle, out);
  out << "<section>\n<h2>" << HtmlText(names) << "</h2>\n";
  WriteLegend(out);
  out << "<div class=\"pair\">\n";
  WriteSide(a, "A", a_svg, out);
  WriteSide(b, "B", b_svg, out);
  out << "</div>\n<pre>\n";
  const ReportView lines = ComparisonLines(a, b, differences);
  WriteHtmlLines(lines.Lines(), out);
  out << "</pre>\n</section>\n";
  WriteHtmlPageEnd(out);
}

}  // namespace mivalto
