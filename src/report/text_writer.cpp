#include "report/text_writer.h"

namespace mivalto {
namespace {

void AppendTextLine(const ReportLine& line, std::string& bytes) {
  AppendPrintable(line.text, bytes);
  bytes += '\n';
}

}  // namespace

void WriteText(std::span<const ReportDocument> documents, std::ostream& out) {
  WriteLinesOneAfterAnother(documents, out, AppendTextLine);
}

}  // namespace mivalto
