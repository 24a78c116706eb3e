#include "report/output_formats.h"

#include <algorithm>

#include "base/file_path.h"
#include "report/ansi_writer.h"
#include "report/cpp_writer.h"
#include "report/graph_dot.h"
#include "report/graph_svg.h"
#include "report/grf_writer.h"
#include "report/html_writer.h"
#include "report/json_writer.h"
#include "report/rtf_writer.h"
#include "report/text_writer.h"

namespace mivalto {
namespace {

constexpr OutputFormat kOutputFormats[] = {
    {.name = "ansi", .write = WriteAnsi, .model = GraphModelUse::kSkip,
     .stream_lines = AppendAnsiLine},
    {.name = "text", .extensions = {".txt"}, .write = WriteText, .model = GraphModelUse::kSkip,
     .stream_lines = AppendTextLine},
    {.name = "rtf", .extensions = {".rtf"}, .write = WriteRtf, .model = GraphModelUse::kSkip},
    {.name = "html", .extensions = {".html", ".htm"}, .write = WriteHtml,
     .saved_by_window = true},
    {.name = "json", .extensions = {".json"}, .write = WriteJson, .saved_by_window = true},
    {.name = "dot", .extensions = {".dot", ".gv"}, .write = WriteDot, .reads_lines = false},
#ifdef MIVALTO_HAS_GRAPHVIZ
    {.name = "svg", .extensions = {".svg"}, .write = WriteSvg, .refusal = SvgRefusal,
     .reads_lines = false},
#endif
    // One program builds one graph: a second wmain would not compile.
    {.name = "cpp", .extensions = {".cpp"}, .write = WriteCpp, .one_input = true,
     .reads_lines = false},
    // A graph file holds one graph, written to a file (or a pipe), never to a terminal.
    {.name = "grf", .extensions = {".grf"}, .write = WriteGrf, .one_input = true,
     .refusal = GrfRefusal, .graph_file = true, .reads_lines = false},
};

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameWord(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

// The extension of the path's file name, with its dot; empty when it has none.
std::string Extension(std::string_view path) {
  const std::string name = FileNameOf(path);
  const std::size_t dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(dot);
}

}  // namespace

std::span<const OutputFormat> OutputFormats() { return kOutputFormats; }
const OutputFormat& TerminalFormat() { return kOutputFormats[0]; }
const OutputFormat& PlainTextFormat() { return kOutputFormats[1]; }

const OutputFormat* FindOutputFormat(std::string_view name) {
  for (const OutputFormat& format : kOutputFormats) {
    if (SameWord(format.name, name)) return &format;
  }
  return nullptr;
}

const OutputFormat* FormatOfFileName(std::string_view utf8_path) {
  const std::string extension = Extension(utf8_path);
  if (extension.empty()) return nullptr;
  for (const OutputFormat& format : kOutputFormats) {
    for (const std::string_view known : format.extensions) {
      if (!known.empty() && SameWord(known, extension)) return &format;
    }
  }
  return nullptr;
}

}  // namespace mivalto
