// The SVG picture drawn by Graphviz's library: one node per filter and one edge per
// connection, hostile names shown as text and never as markup, no picture beyond the size
// Graphviz lays out in seconds, and the HTML page holding the picture inline.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "../graph_samples.h"
#include "report/picture/graph_svg.h"
#include "report/formats/html_writer.h"

namespace mivalto {
namespace {

using namespace testing::graph_samples;

std::size_t Count(const std::string& text, std::string_view what) {
  std::size_t count = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
    ++count;
  }
  return count;
}

GraphModel HostileGraph() {
  GraphModel graph;
  graph.filters = {Filter(1, "</text><script>alert(1)</script>"),
                   Filter(2, "a&b \"q\" \\N {x} <y>", FilterKind::kAcm, "&amp; ]]> <!--"),
                   Filter(3, "line\nbreak\x1b[31m")};
  graph.connections = {Connection(1, "o<1>", 2, "i&1"), Connection(2, "\\", 3, "\"")};
  return graph;
}

std::string Svg(const GraphModel& graph) {
  const TitledGraph titled{&graph, "t<i>tle.grf"};
  const std::optional<std::string> svg = GraphsSvg(std::span(&titled, 1));
  return svg.value_or("");
}

TEST(GraphSvg, OneNodePerFilterOneEdgePerConnection) {
  const std::string svg = Svg(HostileGraph());
  ASSERT_TRUE(svg.starts_with("<?xml")) << svg;
  EXPECT_EQ(Count(svg, "class=\"node\""), 3u) << svg;
  EXPECT_EQ(Count(svg, "class=\"edge\""), 2u) << svg;
}

TEST(GraphSvg, HostileNamesAreText) {
  const std::string svg = Svg(HostileGraph());
  EXPECT_EQ(svg.find("<script"), std::string::npos) << svg;
  EXPECT_EQ(svg.find("<y>"), std::string::npos) << svg;
  EXPECT_EQ(svg.find("<!--\n"), std::string::npos) << svg;
  EXPECT_NE(svg.find("&lt;/text&gt;&lt;script&gt;alert(1)&lt;/script&gt;"), std::string::npos)
      << svg;
  EXPECT_NE(svg.find("a&amp;b &quot;q&quot; \\N {x} &lt;y&gt;"), std::string::npos) << svg;
  EXPECT_NE(svg.find("&amp;amp; ]]&gt; &lt;!&#45;&#45;"), std::string::npos) << svg;
  EXPECT_NE(svg.find("t&lt;i&gt;tle.grf"), std::string::npos) << svg;
  EXPECT_EQ(svg.find('\x1b'), std::string::npos) << svg;
}

TEST(GraphSvg, NoPictureBeyondTheSizeLaidOutInSeconds) {
  GraphModel graph;
  for (std::size_t i = 1; i <= kMostDrawnElements / 2; ++i) {
    graph.filters.push_back(Filter(static_cast<int>(i), "f"));
    graph.connections.push_back(Connection(static_cast<int>(i), "o", 1, "i"));
  }
  TitledGraph titled{&graph, ""};
  EXPECT_EQ(PictureElements(std::span(&titled, 1)), kMostDrawnElements);
  EXPECT_TRUE(GraphsSvg(std::span(&titled, 1)).has_value());
  ReportView view;
  const ReportDocument document{.file = "/g.grf", .complete = true, .view = &view, .graph = &graph};
  EXPECT_EQ(SvgRefusal(std::span(&document, 1)), std::nullopt);
  graph.filters.push_back(Filter(static_cast<int>(graph.filters.size() + 1), "f"));
  EXPECT_FALSE(GraphsSvg(std::span(&titled, 1)).has_value());
  EXPECT_EQ(SvgRefusal(std::span(&document, 1)).value_or(FormatRefusal{}).reason,
            "graphe trop grand pour être dessiné en SVG (301 filtres et connexions, 300 au plus ; "
            "--format dot l'écrit toujours)");
}

// Two files: two pictures drawn one after the other in one run (Graphviz keeps font data
// from one drawing to the next).
TEST(GraphSvg, HtmlPageHoldsThePictureAboveTheReport) {
  const GraphModel graph = HostileGraph();
  ReportView view;
  view.Append("FILTERS");
  const ReportDocument document{
      .file = "/g/x.grf", .complete = true, .view = &view, .graph = &graph};
  const ReportDocument documents[] = {document, document};
  std::ostringstream out;
  WriteHtml(documents, out);
  const std::string page = out.str();
  const std::size_t figure = page.find("<figure>\n<svg ");
  EXPECT_NE(figure, std::string::npos) << page;
  EXPECT_LT(figure, page.find("<pre>")) << page;
  EXPECT_EQ(page.find("<?xml"), std::string::npos) << page;
  EXPECT_EQ(Count(page, "<figure>"), 2u) << page;
  EXPECT_EQ(Count(page, "class=\"node\""), 6u) << page;
  EXPECT_EQ(page.find("<script"), std::string::npos) << page;
}

}  // namespace
}  // namespace mivalto
