#include "report/report_writer.h"

#include <algorithm>

namespace mivalto {
namespace {

// The multi-byte forms of UTF-8: lead byte range, length, smallest code point it may carry.
struct Utf8Form {
  unsigned char first_lead, last_lead;
  std::size_t length;
  char32_t smallest;
};
constexpr Utf8Form kUtf8Forms[] = {
    {0xC2, 0xDF, 2, 0x80},
    {0xE0, 0xEF, 3, 0x800},
    {0xF0, 0xF4, 4, 0x10000},
};

constexpr CodePoint kInvalidByte = {kReplacementChar, 1};
constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";

bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

CodePoint DecodeForm(std::string_view utf8, const Utf8Form& form) {
  if (utf8.size() < form.length) return kInvalidByte;
  char32_t value = static_cast<unsigned char>(utf8[0]) & (0x7F >> form.length);
  for (std::size_t i = 1; i < form.length; ++i) {
    const auto byte = static_cast<unsigned char>(utf8[i]);
    if ((byte & 0xC0) != 0x80) return kInvalidByte;
    value = (value << 6) | (byte & 0x3F);
  }
  if (value < form.smallest || value > 0x10FFFF || IsSurrogate(value)) return kInvalidByte;
  return {value, form.length};
}

// The length of the front run of printable ASCII and TABs, which is kept as it stands.
std::size_t PrintableAsciiLength(std::string_view text) {
  const auto printable = [](char c) { return (c >= 0x20 && c < 0x7F) || c == '\t'; };
  return static_cast<std::size_t>(std::find_if_not(text.begin(), text.end(), printable) -
                                  text.begin());
}

bool IsControl(char32_t c) { return (c < 0x20 && c != '\t') || (c >= 0x7F && c <= 0x9F); }

}  // namespace

CodePoint FrontCodePoint(std::string_view utf8) {
  const auto lead = static_cast<unsigned char>(utf8[0]);
  if (lead < 0x80) return {lead, 1};
  for (const Utf8Form& form : kUtf8Forms) {
    if (lead >= form.first_lead && lead <= form.last_lead) return DecodeForm(utf8, form);
  }
  return kInvalidByte;
}

std::string PrintableText(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  while (!utf8.empty()) {
    // Runs of printable ASCII, nearly all of a report, are taken whole.
    const std::size_t plain = PrintableAsciiLength(utf8);
    out += utf8.substr(0, plain);
    utf8.remove_prefix(plain);
    if (utf8.empty()) break;
    const CodePoint c = FrontCodePoint(utf8);
    // An invalid byte decodes as U+FFFD too: both become the same three bytes.
    if (IsControl(c.value) || c.value == kReplacementChar) {
      out += kReplacementUtf8;
    } else {
      out += utf8.substr(0, c.length);
    }
    utf8.remove_prefix(c.length);
  }
  return out;
}

std::string_view FileNameOf(std::string_view path) {
  const std::size_t separator = path.find_last_of("/\\");
  return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

void WriteLinesOneAfterAnother(std::span<const ReportDocument> documents, std::ostream& out,
                               void (*write_line)(const ReportLine& line, std::ostream& out)) {
  for (std::size_t i = 0; i < documents.size(); ++i) {
    if (i > 0) out << '\n';
    for (const ReportLine& line : documents[i].view->Lines()) write_line(line, out);
  }
}

}  // namespace mivalto
