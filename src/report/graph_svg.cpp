#include "report/graph_svg.h"

namespace mivalto {

std::size_t PictureElements(std::span<const TitledGraph> graphs) {
  std::size_t elements = 0;
  for (const TitledGraph& titled : graphs) {
    elements += titled.graph->filters.size() + titled.graph->connections.size();
  }
  return elements;
}

}  // namespace mivalto
