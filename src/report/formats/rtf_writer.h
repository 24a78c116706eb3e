// Rich Text Format: the report as WordPad, Word and LibreOffice open it, each line a
// paragraph in its colour and weight. Text outside printable ASCII is written as \uN
// escapes, so the document is 7-bit whatever the reader's code page. Several reports make
// one document, an empty paragraph between two. The window saves its report with the
// one-report form, and shows a large one piece by piece.
#pragma once

#include <ostream>
#include <span>

#include "model/report_view.h"
#include "report/report_writer.h"

namespace mivalto {

void WriteRtf(std::span<const ReportDocument> documents, std::ostream& out);
void WriteRtf(const ReportView& view, std::ostream& out);
// A piece of a report, to be put after the lines already shown: lines separated by paragraph
// marks, one before the first when earlier lines precede it, none after the last (a reader
// drops a final mark at the end of its text, or keeps it, depending on how it was asked to
// insert; with none, both give the same lines).
void WriteRtfPiece(std::span<const ReportLine> lines, bool after_earlier_lines, std::ostream& out);

}  // namespace mivalto
