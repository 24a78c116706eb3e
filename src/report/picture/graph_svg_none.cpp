#include "report/picture/graph_svg.h"

namespace mivalto {

// This build has no Graphviz: pictures are written as DOT only.
std::optional<std::string> GraphsSvg(std::span<const TitledGraph>) { return std::nullopt; }

}  // namespace mivalto
