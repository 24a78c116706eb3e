// HTML: one standalone UTF-8 page, titled with the files' names, each report a <section>
// holding a <pre> in which every line is a <span> in its colour and weight. Every text is
// escaped and cleaned of control characters.
#pragma once

#include <ostream>
#include <span>

#include "report/report_writer.h"

namespace mivalto {

void WriteHtml(std::span<const ReportDocument> documents, std::ostream& out);

}  // namespace mivalto
