#include "report/formats/ansi_writer.h"

#include <string>
#include <string_view>

namespace mivalto {
namespace {

// The report's colours as the terminal's own palette, which suits light and dark themes.
// Black is the terminal's default foreground: true black would vanish on a dark background.
struct TerminalColor {
  Color color;
  std::string_view sgr;
};
constexpr TerminalColor kTerminalColors[] = {
    {kBlack, ""},
    {kGreen, "32"},
    {kPurple, "35"},
    {kBlue, "34"},
    {kOlive, "33"},
    {kRed, "31"},
};

// Any other colour is sent as 24-bit RGB.
std::string ColorSgr(Color color) {
  for (const TerminalColor& known : kTerminalColors) {
    if (known.color == color) return std::string(known.sgr);
  }
  return "38;2;" + std::to_string(RedOf(color)) + ';' + std::to_string(GreenOf(color)) + ';' +
         std::to_string(BlueOf(color));
}

std::string LineSgr(const ReportLine& line) {
  const std::string color = ColorSgr(line.color);
  if (!line.bold) return color;
  return color.empty() ? "1" : "1;" + color;
}


}  // namespace

void AppendAnsiLine(const ReportLine& line, std::string& bytes) {
  const std::string sgr = LineSgr(line);
  if (sgr.empty()) {
    AppendPrintable(line.text, bytes);
    bytes += '\n';
  } else {
    bytes += "\x1b[";
    bytes += sgr;
    bytes += 'm';
    AppendPrintable(line.text, bytes);
    bytes += "\x1b[0m\n";
  }
}

void WriteAnsi(std::span<const ReportDocument> documents, std::ostream& out) {
  WriteLinesOneAfterAnother(documents, out, AppendAnsiLine);
}

}  // namespace mivalto
