#include "report/formats/text_writer.h"

namespace mivalto {
void AppendTextLine(const ReportLine& line, std::string& bytes) {
  AppendPrintable(line.text, bytes);
  bytes += '\n';
}

void WriteText(std::span<const ReportDocument> documents, std::ostream& out) {
  WriteLinesOneAfterAnother(documents, out, AppendTextLine);
}

}  // namespace mivalto
