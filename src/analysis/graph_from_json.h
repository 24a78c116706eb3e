// A graph model from the graph of a JSON report, as a person may have edited it: only the facts
// a graph file stores are read (version, filters' ids, names, CLSIDs, files and data,
// connections' ends and media types with their format bytes, the clock); what the program
// derives from them is recomputed by the walk. A connection end names its filter by `id`,
// which wins over `position`. Every fault names its place as a JSON pointer.
#pragma once

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "analysis/json_input.h"
#include "model/graph_model.h"

namespace mivalto {

// graph: what ReadReportGraph gives. A format field's edited number goes into the
// format's bytes (see WriteEditedNumbers); numbers_written, when given, gets the pointer of
// each such field. Throws JsonInputError: a member missing or of the wrong type, bad hex, a
// malformed GUID, a text the file format can't store (a double quote), a duplicate filter id,
// a connection or a clock to a filter that does not exist, an edited number refused.
GraphModel GraphFromJson(const ReportGraph& graph,
                         std::vector<std::string>* numbers_written = nullptr);

}  // namespace mivalto
