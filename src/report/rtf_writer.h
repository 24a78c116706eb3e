// Rich Text Format: the report as WordPad, Word and LibreOffice open it, each line a
// paragraph in its colour and weight. Text outside printable ASCII is written as \uN
// escapes, so the document is 7-bit whatever the reader's code page. Several reports make
// one document, an empty paragraph between two. The window saves its report with the
// one-report form.
#pragma once

#include <ostream>
#include <span>

#include "report/report_view.h"
#include "report/report_writer.h"

namespace mivalto {

void WriteRtf(std::span<const ReportDocument> documents, std::ostream& out);
void WriteRtf(const ReportView& view, std::ostream& out);

}  // namespace mivalto
