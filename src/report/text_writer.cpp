#include "report/text_writer.h"

namespace mivalto {
namespace {

// One stream write per line, its end included: each stream operation costs more than a
// short copy.
void WriteTextLine(const ReportLine& line, std::ostream& out) {
  std::string text = PrintableText(line.text);
  text += '\n';
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

}  // namespace

void WriteText(std::span<const ReportDocument> documents, std::ostream& out) {
  WriteLinesOneAfterAnother(documents, out, WriteTextLine);
}

}  // namespace mivalto
