// JSON for scripts: one report is the object
//   {"file": "<absolute path>", "complete": <bool>,
//    "stop_reason": "<why the walk ended early, in French>"   (only when not complete),
//    "catalogue": "<catalogue file's name>"                   (when one named the filters),
//    "graph": {...}                                           (when a walk ran),
//    "lines": [{"text": "...", "color": "#RRGGBB", "bold": <bool>}, ...]}
// and several reports an array of such objects; docs/report.schema.json describes it all.
// Texts are kept as they are (control characters escaped); a byte that is not valid UTF-8
// becomes U+FFFD. Written as it goes: no document is built in memory first.
#pragma once

#include <ostream>
#include <span>

#include "report/report_writer.h"

namespace mivalto {

class TreeWriter;

void WriteJson(std::span<const ReportDocument> documents, std::ostream& out);

// The first members of every per-report object: file, complete and, for a walk that ended
// early, stop_reason.
void WriteDocumentOutcome(TreeWriter& json, const ReportDocument& document);

// The shape every per-report JSON output shares: one report's object alone, any other count an
// array of them, each written by `write`; then a final line break.
void WriteJsonPerDocument(std::span<const ReportDocument> documents, std::ostream& out,
                          void (*write)(TreeWriter&, const ReportDocument&));

}  // namespace mivalto
