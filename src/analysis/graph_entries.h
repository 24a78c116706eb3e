// Where a walk's entries come from, in the order a graph text holds them: a graph text read by
// the scanner (a file, a stream a running program saved), or a graph model already filled with
// what an input stores (a JSON report, a running graph walked through its interfaces). The walk
// derives and describes each entry as it comes, the same way whatever gave it, so that every
// input is explained alike; each source fails with ReadFailure where a graph file's walk would.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "analysis/connection_section.h"
#include "analysis/filter_section.h"
#include "analysis/media_type_section.h"
#include "model/graph_model.h"

namespace mivalto {

class GraphEntries {
 public:
  virtual ~GraphEntries() = default;

  virtual std::string Version() = 0;       // "0002" or "0003"
  virtual std::string SectionTitle() = 0;  // the filters' section's, then the connections'
  // Whether an entry of the current section follows; the reader's first step.
  virtual bool HasEntry() = 0;
  virtual FilterAsRead Filter(int position) = 0;
  // A connection up to its media type; each end names a filter of the list.
  virtual ConnectionPins Pins(const GraphFilterList& filters) = 0;
  virtual void MajorType(MediaTypeModel& media, MediaTypeSpelling& spelling) = 0;
  virtual void Subtype(MediaTypeModel& media, MediaTypeSpelling& spelling) = 0;
  // The format type and block; where the block starts in the file, for a file.
  virtual std::optional<std::uint64_t> Format(MediaTypeModel& media) = 0;
  virtual void EndConnection() = 0;
  virtual ClockEntry Clock() = 0;
  // The end marker's text, when the graph text has one.
  virtual std::optional<std::string> EndMarker() = 0;
  // Where the next entry starts in the file, and where the graph text starts, for a graph
  // text read from a file or stream.
  virtual std::optional<std::uint64_t> Offset() const = 0;
  virtual std::uint64_t TextStart() const = 0;
};

}  // namespace mivalto
