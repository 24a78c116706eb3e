// What differs between two graph models, graph A (the old) and graph B (the new): a list of
// typed differences in the order a reader takes them (version, filters, connections, clock),
// each value in the report's words. The order of the filters and connections in their sections
// is no difference; a filter's number is one.
//
// Filters are paired in two passes, each over the filters still unpaired, first ones first:
//   1. equal ids whose name or CLSID agree (the same filter, perhaps renamed or replaced);
//   2. equal name and CLSID, whatever the ids (a graph renumbered).
// What is left is only in A or only in B: a filter whose name and CLSID both differ is another
// filter, whatever its id. Connections are paired by their two ends: the output filter
// (through the filters' pairing) and pin, and the input filter and pin; a connection only in
// one graph is said with the media type it carried (its subtype and first figures).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "model/graph_model.h"

namespace mivalto {

enum class DifferenceSection { kVersion, kFilters, kConnections, kClock };

enum class Change {
  kRemoved,  // only in A (the value in A, for a flag set only there)
  kAdded,    // only in B
  kChanged,  // in both, with other values
};

// What differs of an entry: the entry itself when it is only in one graph, else one of its
// stored facts (the filter's description, derived from its data, stands for what it wraps).
enum class DifferenceItem {
  kWhole,
  kVersion,
  kId,
  kName,
  kClsid,
  kFile,
  kDataSize,
  kData,
  kDescription,
  kMajorType,
  kSubtype,
  kFixedSizeSamples,
  kTemporalCompression,
  kSampleSize,
  kFormatType,
  kFormatSize,
  kFormatField,
  kFormatBytes,
  kClockRequired,
  kClockSource,
};

struct ByteRun {
  std::size_t offset = 0;
  std::size_t count = 0;
};

// Where two byte blocks differ, without their bytes: the runs of differing bytes within the
// length they have in common, the first kMostByteRuns of them listed.
inline constexpr std::size_t kMostByteRuns = 8;
struct ByteDifference {
  std::size_t a_size = 0;
  std::size_t b_size = 0;
  std::size_t differing = 0;  // bytes of the common length that differ
  std::size_t run_count = 0;  // runs of them in all
  std::vector<ByteRun> runs;
};

struct Difference {
  DifferenceSection section = DifferenceSection::kVersion;
  DifferenceItem item = DifferenceItem::kWhole;
  Change change = Change::kChanged;
  // The filter's or connection's index in each graph's list; none on the side that lacks it,
  // and for the version and the clock.
  std::optional<std::size_t> in_a;
  std::optional<std::size_t> in_b;
  // The entry as the report names it (A's words when it is in A): a filter's number, name and
  // CLSID, a connection's pin line; empty for the version and the clock.
  std::string subject;
  std::string field;  // kFormatField: the field's name
  // Each side's value in the report's words; none where that side has none (a flag not set,
  // a field its format lacks, the entry itself when it is on the other side only).
  std::optional<std::string> a;
  std::optional<std::string> b;
  std::optional<ByteDifference> bytes;  // kData and kFormatBytes
};

// Empty when the graphs are the same.
std::vector<Difference> CompareGraphs(const GraphModel& a, const GraphModel& b);

// The report's words for a filter ("0002  \"Caméra USB\"  {17CC...}") and for a
// connection's pin line ("\"A\"  \"Sortie\"   => \"B\"  \"Entrée\"").
std::string FilterWords(const FilterModel& filter);
std::string ConnectionWords(const ConnectionModel& connection, const GraphModel& graph);

}  // namespace mivalto
