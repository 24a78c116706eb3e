// The member tables of a JSON report's graph (docs/report.schema.json): the graph, a filter, its
// file clause and what it wraps, a connection, a pin end, a media type, a GUID with its name, a
// format and its fields, the clock. They drive the JSON report's writer, the reader of an edited
// report (graph_from_json.h) and the lists of derived members (derived_members.h).
#pragma once

#include "analysis/member_table.h"
#include "analysis/tree_writer.h"
#include "model/graph_model.h"

namespace mivalto {

const MemberKind& GraphMembers();

// The graph as the "graph" member of a JSON report: each member present only when the walk
// reached it.
void WriteGraphTree(TreeWriter& tree, const GraphModel& graph);

}  // namespace mivalto
