// HTML: one standalone, styled UTF-8 page, titled with the files' names: a header with the
// program, its web site and the legend of the filter colours, then for each report a
// <section> with the graph's picture inline (SVG, drawn by Graphviz; the filters and
// connections the check flags marked), the check's findings, then a
// <pre> in which every line is a <span> in its colour and weight. No script, nothing fetched.
// Every text is escaped and cleaned of control characters. Should Graphviz fail to draw a
// picture, PictureFailure (report/graph_svg.h) goes through to the caller.
#pragma once

#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include "report/picture/graph_dot.h"
#include "report/report_writer.h"

namespace mivalto {

void WriteHtml(std::span<const ReportDocument> documents, std::ostream& out);

// The page's parts, for the program's other pages (the comparison of two graphs): from the
// doctype to <main>, the page titled `title` (UTF-8) and styled with `extra_style` (CSS rules)
// after the page's own style; then what follows <main>.
void WriteHtmlPageStart(std::string_view title, std::string_view extra_style, std::ostream& out);
void WriteHtmlPageEnd(std::ostream& out);
// Printable text, escaped for HTML.
std::string HtmlText(std::string_view utf8);
// Report lines, each a <span> in its colour and weight, for a <pre>; the web-site line's
// address a link.
void WriteHtmlLines(std::span<const ReportLine> lines, std::ostream& out);
// The graph's picture drawn by Graphviz, as an inline <svg> element; none for a graph without
// filters or too large to draw.
std::optional<std::string> InlineSvg(const TitledGraph& graph);
// A picture in a <figure>; nothing for none.
void WriteHtmlFigure(const std::optional<std::string>& svg, std::ostream& out);

}  // namespace mivalto
