#include "report/report_writer.h"

#include <algorithm>

namespace mivalto {
namespace {

constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";

// The length of the front run of printable ASCII and TABs, which is kept as it stands.
std::size_t PrintableAsciiLength(std::string_view text) {
  const auto printable = [](char c) { return (c >= 0x20 && c < 0x7F) || c == '\t'; };
  return static_cast<std::size_t>(std::find_if_not(text.begin(), text.end(), printable) -
                                  text.begin());
}

// C0 but TAB, DEL, C1, and the bidirectional embeddings, overrides and isolates, which
// would show the text after them reversed.
bool IsControl(char32_t c) {
  return (c < 0x20 && c != '\t') || (c >= 0x7F && c <= 0x9F) || (c >= 0x202A && c <= 0x202E) ||
         (c >= 0x2066 && c <= 0x2069);
}

// Hands the printable form of the text to `emit`, piece by piece.
template <typename Emit>
void EmitPrintable(std::string_view utf8, Emit emit) {
  while (!utf8.empty()) {
    // Runs of printable ASCII, nearly all of a report, are taken whole.
    const std::size_t plain = PrintableAsciiLength(utf8);
    if (plain > 0) emit(utf8.substr(0, plain));
    utf8.remove_prefix(plain);
    if (utf8.empty()) break;
    const CodePoint c = FrontCodePoint(utf8);
    // An invalid byte decodes as U+FFFD too: both become the same three bytes.
    const bool replaced = IsControl(c.value) || c.value == kReplacementChar;
    emit(replaced ? kReplacementUtf8 : utf8.substr(0, c.length));
    utf8.remove_prefix(c.length);
  }
}

}  // namespace

std::string PrintableText(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  AppendPrintable(utf8, out);
  return out;
}

void AppendPrintable(std::string_view utf8, std::string& out) {
  EmitPrintable(utf8, [&](std::string_view piece) { out += piece; });
}

StreamedLines::StreamedLines(std::ostream& out, LineAppender append_line)
    : output_(out), append_line_(append_line) {}

void StreamedLines::StartReport() {
  if (!first_report_) output_.Bytes() += '\n';
  first_report_ = false;
}

void StreamedLines::TakeLine(const ReportLine& line) {
  append_line_(line, output_.Bytes());
}

void StreamedLines::Flush() { output_.Flush(); }

void WriteLinesOneAfterAnother(std::span<const ReportDocument> documents, std::ostream& out,
                               LineAppender append_line) {
  StreamedLines lines(out, append_line);
  for (const ReportDocument& document : documents) {
    lines.StartReport();
    for (const ReportLine& line : document.view->Lines()) lines.TakeLine(line);
  }
  lines.Flush();
}

}  // namespace mivalto
