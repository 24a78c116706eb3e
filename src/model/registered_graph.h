// --only-registered: a graph without the filters its catalogue does not list (FilterModel::
// registered false), so that a graph editor that refuses a file with one missing filter loads
// the rest. The connections that touch a dropped filter go with it; a clock that a dropped
// filter gave becomes the system clock.
#pragma once

#include <vector>

#include "model/graph_model.h"

namespace mivalto {

struct DroppedParts {
  std::vector<FilterModel> filters;
  std::vector<ConnectionModel> connections;
  bool clock_reset = false;  // the clock was a dropped filter's

  bool Empty() const { return filters.empty() && connections.empty() && !clock_reset; }
};

// Removes them from the graph (a walk that reached its end) and numbers the filters left
// anew, ids and positions alike ("0001" for the first), in the connections and the clock
// too: a graph file's connections name their filters by that number.
DroppedParts DropUnregistered(GraphModel& graph);

}  // namespace mivalto
