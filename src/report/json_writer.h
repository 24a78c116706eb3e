// JSON for scripts: one report is the object
//   {"file": "<absolute path>", "complete": <bool>,
//    "lines": [{"text": "...", "color": "#RRGGBB", "bold": <bool>}, ...]}
// and several reports an array of such objects. Texts are kept as they are (JSON escapes
// control characters itself); a byte that is not valid UTF-8 becomes U+FFFD.
#pragma once

#include <ostream>
#include <span>

#include "report/report_writer.h"

namespace mivalto {

void WriteJson(std::span<const ReportDocument> documents, std::ostream& out);

}  // namespace mivalto
