#include "report/text_writer.h"

namespace mivalto {
namespace {

void WriteTextLine(const ReportLine& line, std::ostream& out) {
  out << PrintableText(line.text) << '\n';
}

}  // namespace

void WriteText(std::span<const ReportDocument> documents, std::ostream& out) {
  WriteLinesOneAfterAnother(documents, out, WriteTextLine);
}

}  // namespace mivalto
