// The sections after the filters: each connection's pin line (first filter and pin "=>"
// second filter and pin; its media type is read by the media type describers), and the clock
// line of version "0003" graphs, which names the graph's reference clock. Each comes with the
// facts the graph model keeps of it.
#pragma once

#include <string>

#include "analysis/filter_section.h"
#include "model/graph_model.h"
#include "scan/graph_scanner.h"

namespace mivalto {

// Reads a connection up to its media type (CurrentChar on the major type's "{"). Filter
// numbers are positions in the list, from 1; any other number is a read failure.
struct ConnectionPins {
  std::string text;
  PinEnd from;
  PinEnd to;
};
ConnectionPins ReadConnectionPins(GraphScanner& scanner, const GraphFilterList& filters);

struct ClockLine {
  std::string title;  // the keyword, two spaces, and " (Requis)" for a required clock
  std::string clock;  // "Aucun", "System Clock", a filter's quoted name, or the reference
  ClockModel model;
};

// Reads the clock line; a clock reference is a filter's number (compared with the numbers
// written in the filter section) or a CLSID. CurrentChar ends on the next line.
ClockLine ReadClockLine(GraphScanner& scanner, const GraphFilterList& filters);

}  // namespace mivalto
