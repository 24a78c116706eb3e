// The graph's picture drawn as SVG by Graphviz's own library, from the DOT text of
// graph_dot.h: Debian's Graphviz on Linux, the static one of scripts/setup on Windows (which
// measures text with Graphviz's built-in font metrics, as it reads no font). A build of the
// command-line tool alone may go without Graphviz (MIVALTO_GRAPHVIZ=OFF): it writes no SVG.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>

#include "report/picture/graph_dot.h"

namespace mivalto {

// Graphviz's layout time grows much faster than the graph: with its work bounded as the
// renderer bounds it, 300 filters and connections take at most about two seconds even when
// every connection joins far-apart filters (a real graph of that size, a tenth of a second).
inline constexpr std::size_t kMostDrawnElements = 300;

// Graphviz's own failure to lay out or draw a picture (its French text): the writers that
// draw let it through, so that the run ends with a message instead of an empty picture.
class PictureFailure : public std::runtime_error {
 public:
  PictureFailure();
};

// Filters and connections, the measure of a picture's layout work.
std::size_t PictureElements(std::span<const TitledGraph> graphs);

// Why --format svg does not draw these reports (in French, for the error stream), or none
// when it does.
std::optional<FormatRefusal> SvgRefusal(std::span<const ReportDocument> documents);

// The writer of --format svg, on the builds that draw pictures (MIVALTO_HAS_GRAPHVIZ): the
// picture of the reports' graphs as one SVG document. Reports that SvgRefusal refuses leave the
// stream failed, with nothing written; Graphviz's failure throws PictureFailure.
void WriteSvg(std::span<const ReportDocument> documents, std::ostream& out);

// The SVG document of the graphs (see WriteGraphsDot), or none when this build draws no
// pictures or they hold more than kMostDrawnElements; Graphviz's failure throws PictureFailure.
std::optional<std::string> GraphsSvg(std::span<const TitledGraph> graphs);

}  // namespace mivalto
