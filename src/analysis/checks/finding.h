// What a check of a graph finds: a value that a filter built on the platform's own code would
// refuse, or that goes against the documentation, typed (its rule's stable id, its severity,
// the entry and field it is about, the French sentence that gives the values and what the
// rule expects) with where its bytes are, in the file and in the graph text. Also where the
// walk met each entry (GraphPlaces), which the checks turn into those byte offsets.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mivalto {

// In increasing order of gravity: a note never makes a check fail.
enum class Severity { kNote, kWarning, kError };

// What a finding is about, in the order the findings of a graph are listed.
enum class PlaceKind { kFilter, kConnection, kClock, kFile };

struct Finding {
  std::string_view rule;  // e.g. "video.size-image"
  Severity severity = Severity::kNote;
  PlaceKind place = PlaceKind::kFile;
  int number = 0;          // the filter's position or the connection's, from 1; 0 otherwise
  std::string_view field;  // the field as the report names it ("biSizeImage"); empty for none
  std::string sentence;    // French: the values involved and what the rule expects
  std::optional<std::uint64_t> file_offset = std::nullopt;  // the field's first byte in the file
  std::optional<std::uint64_t> text_offset = std::nullopt;  // the same, from the graph text's first byte
  friend bool operator==(const Finding&, const Finding&) = default;
};

// Where the walk read each entry: file offsets of first bytes, in the model's order. A graph
// walked from a model (a JSON report's) has none.
struct GraphPlaces {
  std::uint64_t text_start = 0;
  std::vector<std::uint64_t> filters;        // each filter's line
  std::vector<std::uint64_t> connections;    // each connection's line
  std::vector<std::uint64_t> format_blocks;  // each connection's format block
  std::optional<std::uint64_t> clock;        // the clock line
  std::optional<std::uint64_t> stop;         // where a walk that ended early stopped
};

// The worst severity among the findings; nullopt for none.
std::optional<Severity> WorstSeverity(const std::vector<Finding>& findings);

}  // namespace mivalto
