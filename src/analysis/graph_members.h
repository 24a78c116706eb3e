// The member tables of a JSON report's graph (docs/report.schema.json): the graph, a filter, its
// file clause and what it wraps, a connection, a pin end, a media type, a GUID with its name, a
// format and its fields, the clock. They drive the JSON report's writer, the reader of an edited
// report (graph_from_json.h) and the lists of derived members (derived_members.h).
#pragma once

#include <string_view>

#include "analysis/member_table.h"
#include "analysis/tree_writer.h"
#include "model/graph_model.h"

namespace mivalto {

// The keys that readers consult beside their own row's (a pin end's id and position, read
// together; the clock's kind; a format's fields, their numbers with their names and values, and
// the bytes the numbers go into), named once for the rows and those readers.
namespace graph_keys {
inline constexpr std::string_view kId = "id";
inline constexpr std::string_view kPosition = "position";
inline constexpr std::string_view kKind = "kind";
inline constexpr std::string_view kBytes = "bytes";
inline constexpr std::string_view kFields = "fields";
inline constexpr std::string_view kName = "name";
inline constexpr std::string_view kValue = "value";
inline constexpr std::string_view kNumber = "number";
}  // namespace graph_keys

const MemberKind& GraphMembers();

// The graph as the "graph" member of a JSON report: each member present only when the walk
// reached it.
void WriteGraphTree(TreeWriter& tree, const GraphModel& graph);

}  // namespace mivalto
