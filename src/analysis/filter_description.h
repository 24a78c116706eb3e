// A filter entry in words: what the graph model derives from the stored facts (the kind, by
// CLSID; the name the machine's catalogue gives the class; what a wrapper's data block says
// it wraps), then the report line, coloured by the kind, made from the model alone.
#pragma once

#include <string>

#include "analysis/filter_section.h"
#include "catalogue/catalogue.h"
#include "model/graph_model.h"
#include "model/report_view.h"

namespace mivalto {

// The kind of a filter of that class, as its line's colour says it.
FilterKind FilterKindOf(const Guid& clsid);

// Sets the filter's kind, registered_name, description and wraps from its CLSID and data, and
// whether the catalogue lists it when the catalogue is known.
void DeriveFilter(FilterModel& filter, const FilterSpelling& spelling,
                    const FilterCatalogue& catalogue);

struct FilterLine {
  std::string text;
  Color color = kBlack;  // the kind's colour
};

// The line of a classified filter.
FilterLine DescribeFilter(const FilterModel& filter, const FilterSpelling& spelling);

}  // namespace mivalto
