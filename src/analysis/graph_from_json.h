// A graph model from the graph of a JSON report, as a person may have edited it: only the facts
// a graph file stores are read (version, filters' ids, names, CLSIDs, files and data,
// connections' ends and media types with their format bytes, the clock); what the program
// derives from them is recomputed by the walk. A connection end names its filter by `id`,
// which wins over `position`. Every fault names its place as a JSON pointer.
#pragma once

#include <nlohmann/json.hpp>

#include "model/graph_model.h"

namespace mivalto {

// graph: the member ReadReportGraph gives. Throws JsonInputError: a member missing or of the
// wrong type, bad hex, a malformed GUID, a text the file format can't store (a double quote),
// a duplicate filter id, a connection to a filter that does not exist.
GraphModel GraphFromJson(const nlohmann::json& graph);

}  // namespace mivalto
