// HTML: one standalone, styled UTF-8 page, titled with the files' names: a header with the
// program, its web site and the legend of the filter colours, then for each report a
// <section> with the graph's picture inline (SVG, drawn by Graphviz) above a
// <pre> in which every line is a <span> in its colour and weight. No script, nothing fetched.
// Every text is escaped and cleaned of control characters.
#pragma once

#include <ostream>
#include <span>

#include "report/report_writer.h"

namespace mivalto {

void WriteHtml(std::span<const ReportDocument> documents, std::ostream& out);

}  // namespace mivalto
