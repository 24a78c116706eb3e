// The members of a JSON report's graph that the program derives from the stored facts (names of
// GUIDs, kinds, descriptions, decoded fields, sizes, positions), as the member tables say
// (graph_members.h). Read back they count for nothing, as the walk derives them again; each one
// that differs from what the walk derived is told, so that an edit of one is never dropped
// unseen.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/graph_model.h"
#include "scan/byte_source.h"

namespace mivalto {

// The graph's members the walk of a JSON report reads: its stored facts, and of the derived
// members those that may be edits (the fields' numbers) or tell one (the clock's kind).
bool InGraphForWalk(std::string_view pattern);
// The derived members, what they hold and the members that hold them.
bool InDerivedMember(std::string_view pattern);

struct DerivedDifference {
  std::string pointer;
  std::string read;      // as JSON, cut to fit a line
  std::string computed;  // as JSON, cut to fit a line; "(absent)" when there is none
};

// source: the JSON report (`report`: which of several, from 1, as ReadReportGraph takes it);
// walked: the graph its walk made. One difference per member, the smallest that differs (a
// field's value, not the whole list of fields), in the order of their places (an object's
// members by key); a member left out or null is not compared. The file's filters and
// connections are read and compared one at a time, never held together. The catalogue's
// members (registered, registered_name) are compared only when a catalogue is known; the value
// texts of the fields whose numbers went into the bytes (numbers_written, see GraphFromJson)
// not at all, as they tell the old number. Throws JsonInputError as ReadReportGraph.
std::vector<DerivedDifference> DerivedDifferences(ByteSource& source,
                                                  std::optional<std::size_t> report,
                                                  const GraphModel& walked, bool catalogue_known,
                                                  std::span<const std::string> numbers_written);

}  // namespace mivalto
