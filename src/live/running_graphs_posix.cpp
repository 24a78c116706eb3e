#include "base/running_graph_texts.h"
#include "live/running_graphs.h"

namespace mivalto {

// No Running Object Table outside Windows: nothing is published, nothing can be read.
bool HasRunningObjectTable() { return false; }

std::vector<RunningGraph> ListRunningGraphs() {
  throw LiveGraphError(std::string(texts::kNoRunningGraphTable));
}

LiveGraph ReadRunningGraph(const LiveGraphName&) {
  throw LiveGraphError(std::string(texts::kNoRunningGraphTable));
}

}  // namespace mivalto
