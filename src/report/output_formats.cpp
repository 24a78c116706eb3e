#include "report/output_formats.h"

#include <algorithm>

#include "base/file_path.h"
#include "report/ansi_writer.h"
#include "report/check_writer.h"
#include "report/compare_writer.h"
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
     .stream_lines = AppendAnsiLine, .write_catalogue = WriteCatalogueAnsi},
    {.name = "text", .extensions = {".txt"}, .write = WriteText, .model = GraphModelUse::kSkip,
     .stream_lines = AppendTextLine, .write_catalogue = WriteCatalogueText},
    {.name = "rtf", .extensions = {".rtf"}, .write = WriteRtf, .model = GraphModelUse::kSkip},
    {.name = "html", .extensions = {".html", ".htm"}, .write = WriteHtml,
     .saved_by_window = true, .write_catalogue = WriteCatalogueHtml},
    {.name = "json", .extensions = {".json"}, .write = WriteJson, .saved_by_window = true,
     .write_catalogue = WriteCatalogueJson},
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

constexpr OutputFormat kComparisonFormats[] = {
    {.name = "ansi", .write = WriteComparisonAnsi, .refusal = ComparisonRefusal,
     .reads_lines = false, .status = ComparisonStatus},
    {.name = "text", .extensions = {".txt"}, .write = WriteComparisonText,
     .refusal = ComparisonRefusal, .reads_lines = false, .status = ComparisonStatus},
    {.name = "html", .extensions = {".html", ".htm"}, .write = WriteComparisonHtml,
     .refusal = ComparisonRefusal, .reads_lines = false, .status = ComparisonStatus},
    {.name = "json", .extensions = {".json"}, .write = WriteComparisonJson,
     .refusal = ComparisonRefusal, .reads_lines = false, .status = ComparisonStatus},
};

constexpr OutputFormat kCheckFormats[] = {
    {.name = "ansi", .write = WriteCheckAnsi, .reads_lines = false, .status = CheckStatus},
    {.name = "text", .extensions = {".txt"}, .write = WriteCheckText, .reads_lines = false,
     .status = CheckStatus},
    {.name = "html", .extensions = {".html", ".htm"}, .write = WriteCheckHtml,
     .reads_lines = false, .status = CheckStatus},
    {.name = "json", .extensions = {".json"}, .write = WriteCheckJson, .reads_lines = false,
     .status = CheckStatus},
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

FormatTable OutputFormats() { return kOutputFormats; }
FormatTable ComparisonFormats() { return kComparisonFormats; }
FormatTable CheckFormats() { return kCheckFormats; }
const OutputFormat& TerminalFormat(FormatTable formats) { return formats[0]; }
const OutputFormat& PlainTextFormat(FormatTable formats) { return formats[1]; }

const OutputFormat* FindOutputFormat(std::string_view name, FormatTable formats) {
  for (const OutputFormat& format : formats) {
    if (SameWord(format.name, name)) return &format;
  }
  return nullptr;
}

const OutputFormat* FormatOfFileName(std::string_view utf8_path, FormatTable formats) {
  const std::string extension = Extension(utf8_path);
  if (extension.empty()) return nullptr;
  for (const OutputFormat& format : formats) {
    for (const std::string_view known : format.extensions) {
      if (!known.empty() && SameWord(known, extension)) return &format;
    }
  }
  return nullptr;
}

}  // namespace mivalto
