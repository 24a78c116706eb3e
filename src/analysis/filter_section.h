// The filter section: each graph entry is read into the graph model as the file stores it
// (number, name, CLSID, the optional file clause, the data block), with aside the CLSID's text
// as spelled, which the report line echoes. Each filter read is recorded in the
// GraphFilterList, where connections and the clock line find it again.
#pragma once

#include <string>
#include <string_view>

#include "model/graph_model.h"
#include "platform/large_memory.h"
#include "scan/graph_scanner.h"

namespace mivalto {

// A filter read, as connections and the clock line find it (by position, number or CLSID) and
// name it.
struct ListedFilter {
  std::string number;       // the four characters of its entry
  std::string quoted_name;  // between double quotes, as the lines show it
  Guid clsid;
};

// The filters of a large graph take large memory, as its report does.
using GraphFilterList = LargeVector<ListedFilter>;

// What a filter's line echoes as the file spells it and the model does not keep: the CLSID's
// text when it is not the canonical one (empty otherwise).
struct FilterSpelling {
  std::string clsid;
};

struct FilterAsRead {
  FilterModel filter;  // the stored facts; what is derived from them is left to describe
  FilterSpelling spelling;
};

// Reads one entry (CurrentChar on its first digit), the filter at `position` in the section,
// and leaves CurrentChar on the next line.
FilterAsRead ReadFilterEntry(GraphScanner& scanner, int position);

ListedFilter ListingOf(const FilterModel& filter);

// A quoted text as the scanner reads it, without its two double quotes.
std::string WithoutQuotes(std::string_view quoted);

}  // namespace mivalto
