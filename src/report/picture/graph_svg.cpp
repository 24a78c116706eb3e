#include "report/picture/graph_svg.h"

#include "base/program_texts.h"

namespace mivalto {

PictureFailure::PictureFailure() : std::runtime_error(std::string(texts::kPictureNotDrawn)) {}

std::size_t PictureElements(std::span<const TitledGraph> graphs) {
  std::size_t elements = 0;
  for (const TitledGraph& titled : graphs) {
    elements += titled.graph->filters.size() + titled.graph->connections.size();
  }
  return elements;
}

std::optional<FormatRefusal> SvgRefusal(std::span<const ReportDocument> documents) {
  const std::size_t elements = PictureElements(TitledGraphs(documents));
  if (elements <= kMostDrawnElements) return std::nullopt;
  return FormatRefusal{std::string(texts::kPictureTooLarge) + " (" + std::to_string(elements) +
                       " " + std::string(texts::kPictureElements) + ", " +
                       std::to_string(kMostDrawnElements) + " " +
                       std::string(texts::kPictureMostElements) + ")"};
}

}  // namespace mivalto
