// The graph model as the "graph" member of a JSON report: version, filters, connections and
// clock, each member present only when the walk reached it (docs/report.schema.json).
#pragma once

#include "model/graph_model.h"
#include "report/formats/json_stream.h"

namespace mivalto {

void WriteGraphJson(JsonStream& json, const GraphModel& graph);

}  // namespace mivalto
