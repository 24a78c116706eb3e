#include "report/formats/rtf_writer.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "report/buffered_output.h"

namespace mivalto {
namespace {

constexpr std::string_view kHeader =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n"
    "{\\fonttbl{\\f0\\fswiss\\fcharset0 MS Sans Serif;}}\n";
constexpr std::string_view kBodyStart = "\\pard\\plain\\f0\\fs20\n";

// The colours in order of first use; entry 0 of an RTF colour table is the reader's
// default colour, so the report's colours are numbered from 1.
void AddUsedColors(std::span<const ReportLine> lines, std::vector<Color>& colors) {
  for (const ReportLine& line : lines) {
    if (std::find(colors.begin(), colors.end(), line.color) == colors.end()) {
      colors.push_back(line.color);
    }
  }
}

void WriteColorTable(const std::vector<Color>& colors, std::string& out) {
  out += "{\\colortbl;";
  for (const Color color : colors) {
    out += "\\red" + std::to_string(RedOf(color)) + "\\green" + std::to_string(GreenOf(color)) +
           "\\blue" + std::to_string(BlueOf(color)) + ';';
  }
  out += "}\n";
}

std::size_t ColorIndex(const std::vector<Color>& colors, Color color) {
  return static_cast<std::size_t>(std::find(colors.begin(), colors.end(), color) - colors.begin()) +
         1;
}

// \uN takes a signed 16-bit N; '?' is what a reader without Unicode shows instead.
void AppendUnicodeUnit(char32_t unit, std::string& out) {
  out += "\\u" + std::to_string(static_cast<std::int16_t>(static_cast<std::uint16_t>(unit))) + '?';
}

void AppendCodePoint(char32_t c, std::string& out) {
  if (c == '\\' || c == '{' || c == '}') {
    out += '\\';
    out += static_cast<char>(c);
  } else if (c == '\t') {
    out += "\\tab ";
  } else if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x10000) {
    AppendUnicodeUnit(c, out);
  } else {
    AppendUnicodeUnit(0xD800 + ((c - 0x10000) >> 10), out);
    AppendUnicodeUnit(0xDC00 + ((c - 0x10000) & 0x3FF), out);
  }
}

void AppendRtfText(std::string_view utf8, std::string& out) {
  const std::string printable = PrintableText(utf8);
  for (std::string_view rest = printable; !rest.empty();) {
    const CodePoint c = FrontCodePoint(rest);
    AppendCodePoint(c.value, out);
    rest.remove_prefix(c.length);
  }
}

void WriteLine(const ReportLine& line, const std::vector<Color>& colors, BufferedOutput& output) {
  std::string& out = output.Bytes();
  out += "\\cf" + std::to_string(ColorIndex(colors, line.color)) + (line.bold ? "\\b " : "\\b0 ");
  AppendRtfText(line.text, out);
}

void WriteParagraph(const ReportLine& line, const std::vector<Color>& colors,
                    BufferedOutput& output) {
  WriteLine(line, colors, output);
  output.Bytes() += "\\par\n";
}

// The document around a body of paragraphs in those colours.
template <typename WriteBody>
void WriteDocument(const std::vector<Color>& colors, BufferedOutput& output,
                   WriteBody write_body) {
  std::string& out = output.Bytes();
  out += kHeader;
  WriteColorTable(colors, out);
  out += kBodyStart;
  write_body();
  output.Bytes() += "}\n";
  output.Flush();
}

}  // namespace

void WriteRtf(std::span<const ReportDocument> documents, std::ostream& out) {
  std::vector<Color> colors;
  for (const ReportDocument& document : documents) AddUsedColors(document.view->Lines(), colors);
  BufferedOutput output(out);
  WriteDocument(colors, output, [&] {
    for (std::size_t i = 0; i < documents.size(); ++i) {
      if (i > 0) output.Bytes() += "\\par\n";
      for (const ReportLine& line : documents[i].view->Lines()) {
        WriteParagraph(line, colors, output);
      }
    }
  });
}

void WriteRtf(const ReportView& view, std::ostream& out) {
  const ReportDocument document{
      .file = {}, .complete = true, .view = &view, .graph = nullptr, .stop_reason = {}};
  WriteRtf(std::span(&document, 1), out);
}

void WriteRtfPiece(std::span<const ReportLine> lines, bool after_earlier_lines,
                   std::ostream& out) {
  std::vector<Color> colors;
  AddUsedColors(lines, colors);
  BufferedOutput output(out);
  WriteDocument(colors, output, [&] {
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (i > 0 || after_earlier_lines) output.Bytes() += "\\par\n";
      WriteLine(lines[i], colors, output);
    }
  });
}

}  // namespace mivalto
