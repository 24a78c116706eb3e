// What the rule families share: the media type under check with its format block, the list
// that findings join (placed and given their byte offsets there), and the shapes of the rule
// tables, one per family file (format, video, audio, graph, machine).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/checks/finding.h"
#include "mediatype/format_type_table.h"
#include "model/graph_model.h"

namespace mivalto {

// One connection's media type as the rules see it.
struct MediaTypeUnderCheck {
  int connection = 0;  // its number, from 1
  const MediaTypeModel* media = nullptr;
  const FormatType* format = nullptr;     // its format type's row
  std::span<const std::uint8_t> block;    // the format block's bytes
  bool holds_record = false;              // the block holds the format type's whole record
};

class FindingList {
 public:
  explicit FindingList(const GraphPlaces& places) : places_(places) {}

  // The rule whose findings come next: the one the engine runs.
  void SetRule(std::string_view rule) { rule_ = rule; }

  // A field of a connection's media type, `at` bytes from its format block's first byte
  // (negative: before it, in the media type's text).
  void AtField(Severity severity, const MediaTypeUnderCheck& type, std::string_view field,
               std::int64_t at, std::string sentence);
  void AtFilter(Severity severity, int position, std::string sentence);
  void AtConnection(Severity severity, int number, std::string sentence);
  void AtClock(Severity severity, std::string sentence);
  // The walk's stop, an error.
  void AtStop(std::string sentence);

  std::vector<Finding> Take() { return std::move(findings_); }

 private:
  void Add(Finding finding, std::optional<std::uint64_t> file_offset);

  const GraphPlaces& places_;
  std::string_view rule_;
  std::vector<Finding> findings_;
};

struct MediaTypeRule {
  std::string_view id;
  void (*check)(const MediaTypeUnderCheck& type, FindingList& out);
};

struct GraphRule {
  std::string_view id;
  void (*check)(const GraphModel& graph, FindingList& out);
};

// The families' tables, in the order the checks run.
std::span<const MediaTypeRule> FormatRules();
std::span<const MediaTypeRule> VideoRules();
std::span<const MediaTypeRule> AudioRules();
std::span<const GraphRule> GraphRules();
std::span<const GraphRule> MachineRules();

// A filter as the findings name it: its number and quoted name ("0003 "Rendu""), or the
// position alone when the graph has no such filter.
std::string FilterWords(const GraphModel& graph, int position);

// The format block's first byte is 122 bytes after the sample size's first character: ten
// digits, a separator, the format type's GUID (38), a separator, the count (10), a separator.
inline constexpr std::int64_t kSampleSizeBeforeBlock = -122;

}  // namespace mivalto
