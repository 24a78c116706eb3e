// The members of a JSON report's graph that the program derives from the stored facts (names of
// GUIDs, kinds, descriptions, decoded fields, sizes, positions). Read back they count for
// nothing, as the walk derives them again; each one that differs from what the walk derived is
// told, so that an edit of one is never dropped unseen.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "analysis/json_input.h"

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

// read: the graph as ReadReportGraph gives it (InDerivedMember is enough); computed: the graph the walk made of it, as the
// JSON report writes it. One difference per member, the smallest that differs (a field's
// value, not the whole list of fields), in the order of their places; a member left out or
// null is not compared. The catalogue's members (registered, registered_name) are compared only
// when a catalogue is known; the value texts of the fields whose numbers went into the bytes
// (numbers_written, see GraphFromJson) not at all, as they tell the old number.
std::vector<DerivedDifference> DerivedDifferences(const ReportGraph& read,
                                                  const nlohmann::json& computed,
                                                  bool catalogue_known,
                                                  std::span<const std::string> numbers_written);

}  // namespace mivalto
