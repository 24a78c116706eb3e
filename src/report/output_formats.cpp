#include "report/output_formats.h"

#include <algorithm>

#include "base/file_path.h"
#include "base/program_texts.h"
#include "report/formats/ansi_writer.h"
#include "report/check/check_writer.h"
#include "report/compare/compare_writer.h"
#include "report/code/cpp_writer.h"
#include "report/picture/graph_dot.h"
#include "report/picture/graph_svg.h"
#include "report/graph_file/grf_writer.h"
#include "report/formats/html_writer.h"
#include "report/formats/json_writer.h"
#include "report/formats/rtf_writer.h"
#include "report/formats/text_writer.h"

namespace mivalto {
namespace {

template <ReportWriter Write>
std::function<void(std::ostream&)> Writing(std::span<const ReportDocument> documents) {
  return [documents](std::ostream& out) { Write(documents, out); };
}

#ifdef MIVALTO_HAS_GRAPHVIZ
PreparedOutput PrepareSvg(std::span<const ReportDocument> documents) {
  if (std::optional<FormatRefusal> refused = SvgRefusal(documents)) return {.refusal = refused};
  return {.write = Writing<WriteSvg>(documents)};
}
#endif

// A check's status: whether a finding is above a note, or a walk fell short.
template <ReportWriter Write>
PreparedOutput PrepareCheck(std::span<const ReportDocument> documents) {
  return {.status = CheckStatus(documents), .write = Writing<Write>(documents)};
}

constexpr OutputFormat kOutputFormats[] = {
    {.name = "ansi", .write = WriteAnsi, .reads = WriterReads::kLines,
     .stream_lines = AppendAnsiLine, .write_catalogue = WriteCatalogueAnsi},
    {.name = "text", .extensions = {".txt"}, .write = WriteText, .reads = WriterReads::kLines,
     .stream_lines = AppendTextLine, .window = WindowSave::kRtfReport,
     .caption = texts::kTextFileCaption, .write_catalogue = WriteCatalogueText},
    {.name = "rtf", .extensions = {".rtf"}, .write = WriteRtf, .reads = WriterReads::kLines},
    {.name = "html", .extensions = {".html", ".htm"}, .write = WriteHtml,
     .window = WindowSave::kFormat, .caption = texts::kHtmlPageCaption,
     .write_catalogue = WriteCatalogueHtml},
    {.name = "json", .extensions = {".json"}, .write = WriteJson, .window = WindowSave::kFormat,
     .caption = texts::kJsonReportCaption, .write_catalogue = WriteCatalogueJson},
    {.name = "dot", .extensions = {".dot", ".gv"}, .write = WriteDot, .reads = WriterReads::kGraph},
#ifdef MIVALTO_HAS_GRAPHVIZ
    {.name = "svg", .extensions = {".svg"}, .write = WriteSvg, .reads = WriterReads::kGraph,
     .prepare = PrepareSvg},
#endif
    // One program builds one graph: a second wmain would not compile.
    {.name = "cpp", .extensions = {".cpp"}, .write = WriteCpp, .reads = WriterReads::kGraph,
     .one_input = true, .help = texts::kCppFormatHelp},
    // A graph file holds one graph, written to a file (or a pipe), never to a terminal.
    {.name = "grf", .extensions = {".grf"}, .write = WriteGrf, .reads = WriterReads::kGraph,
     .one_input = true, .prepare = PrepareGrf, .graph_file = true,
     .help = texts::kGrfFormatHelp},
};

constexpr OutputFormat kComparisonFormats[] = {
    {.name = "ansi", .reads = WriterReads::kGraph,
     .prepare = PrepareComparison<WriteComparisonAnsi>},
    {.name = "text", .extensions = {".txt"}, .reads = WriterReads::kGraph,
     .prepare = PrepareComparison<WriteComparisonText>},
    {.name = "html", .extensions = {".html", ".htm"}, .reads = WriterReads::kGraph,
     .prepare = PrepareComparison<WriteComparisonHtml>},
    {.name = "json", .extensions = {".json"}, .reads = WriterReads::kGraph,
     .prepare = PrepareComparison<WriteComparisonJson>},
};

constexpr OutputFormat kCheckFormats[] = {
    {.name = "ansi", .reads = WriterReads::kGraph, .prepare = PrepareCheck<WriteCheckAnsi>},
    {.name = "text", .extensions = {".txt"}, .reads = WriterReads::kGraph,
     .prepare = PrepareCheck<WriteCheckText>},
    {.name = "html", .extensions = {".html", ".htm"}, .reads = WriterReads::kGraph,
     .prepare = PrepareCheck<WriteCheckHtml>},
    {.name = "json", .extensions = {".json"}, .reads = WriterReads::kGraph,
     .prepare = PrepareCheck<WriteCheckJson>},
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

std::string WindowSaveTypes(FormatTable formats) {
  std::string types;
  for (const OutputFormat& format : formats) {
    if (format.window == WindowSave::kNotOffered) continue;
    const std::string pattern = "*" + std::string(format.extensions.front());
    if (!types.empty()) types += '|';
    types += std::string(format.caption) + " (" + pattern + ")|" + pattern;
  }
  return types;
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
