// The sections after the filters: each connection's pin line (first filter and pin "=>"
// second filter and pin; its media type is read by the media type section), and the clock
// line of version "0003" graphs, which names the graph's reference clock. Each is read into
// the graph model, then described from it and the filters read before.
#pragma once

#include <string>

#include "analysis/filter_section.h"
#include "model/graph_model.h"
#include "scan/graph_scanner.h"

namespace mivalto {

// Reads a connection up to its media type (CurrentChar on the major type's "{"). Filter
// numbers are positions in the list, from 1; any other number is a read failure.
struct ConnectionPins {
  PinEnd from;
  PinEnd to;
};
ConnectionPins ReadConnectionPins(GraphScanner& scanner, const GraphFilterList& filters);

// Fails unless a filter of the list has that position.
void CheckConnectedFilter(const GraphFilterList& filters, std::int32_t position);

// The pin line: each end's filter, by its quoted name, and quoted pin.
std::string DescribeConnectionPins(const PinEnd& from, const PinEnd& to,
                                   const GraphFilterList& filters);

// The clock line as read: the model's facts, and aside the keyword the title echoes.
struct ClockEntry {
  ClockModel clock;  // required and reference; the rest is derived by DeriveClock
  std::string keyword;
};

// Reads the clock line; CurrentChar ends on the next line.
ClockEntry ReadClockLine(GraphScanner& scanner);

struct ClockLines {
  std::string title;  // the keyword, two spaces, and " (Requis)" for a required clock
  std::string clock;  // "Aucun", "System Clock", a filter's quoted name, or the reference
};

// Sets the clock's kind and position from its reference, a filter's number (compared with the
// numbers written in the filter section) or a CLSID. A reference of 38 characters that is no
// GUID is a read failure.
void DeriveClock(ClockModel& clock, const GraphFilterList& filters);
// The two lines of a derived clock.
ClockLines DescribeClock(const ClockModel& clock, const std::string& keyword,
                         const GraphFilterList& filters);

}  // namespace mivalto
