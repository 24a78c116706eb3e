// A filter catalogue as report lines, for --catalogue's text, ANSI and HTML: a title, then each
// category in bold with its filters (name and CLSID, in the colour of their kind), the DMOs in
// the DMO colour, and the kernel-streaming devices with their display names.
#pragma once

#include "catalogue/catalogue.h"
#include "model/report_view.h"

namespace mivalto {

void DescribeCatalogue(const FilterCatalogue& catalogue, ReportView& view);

}  // namespace mivalto
