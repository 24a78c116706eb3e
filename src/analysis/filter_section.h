// The filter section: one graph entry becomes one report line, coloured by the kind of
// filter (recognised by its CLSID), named from the machine's catalogue and completed with what
// its data block says (which DMO, device, wave format or codec). Each filter read is recorded in
// the GraphFilterList, where connections and the clock line find it again, and described for
// the graph model by the same facts as its line.
#pragma once

#include <string>
#include <string_view>

#include "catalogue/catalogue.h"
#include "model/graph_model.h"
#include "model/report_view.h"
#include "platform/large_memory.h"
#include "scan/graph_scanner.h"

namespace mivalto {

// The filters of a large graph take large memory, as its report does.
using GraphFilterList = LargeVector<TfilterItem>;

struct FilterEntryLine {
  std::string text;
  Color color = kBlack;  // FilterColour
  FilterModel filter;
};

// Reads one entry (CurrentChar on its first digit) and leaves CurrentChar on the next line.
FilterEntryLine ReadFilterEntry(GraphScanner& scanner, const FilterCatalogue& catalogue,
                                GraphFilterList& filters);

// The kind of a filter of that class, as its line's colour says it.
FilterKind FilterKindOf(const Guid& clsid);

// A quoted text as the scanner reads it, without its two double quotes.
std::string WithoutQuotes(std::string_view quoted);

// Device paths "prefix#hardware id#instance id#interface": equal but for the instance id.
bool DevicePathMatch(std::string_view a, std::string_view b);

}  // namespace mivalto
