// The output formats, one row each: the command-line tool's help, its --format check and the
// format an --output file's extension chooses, and the formats the window's Save writes beside
// its RTF report, all come from this table.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "analysis/analysis_driver.h"
#include "report/catalogue_writer.h"
#include "report/report_writer.h"

namespace mivalto {

struct OutputFormat {
  std::string_view name;  // a word, given in any case
  // The extensions that choose it (lower case, with the dot); unused entries empty.
  std::array<std::string_view, 2> extensions = {};
  ReportWriter write;
  GraphModelUse model = GraphModelUse::kKeep;  // kSkip for writers that read only the lines
  bool one_input = false;  // its output is one graph's alone (the C++ of a program)
  // Why the format can't be written for these reports (French), checked before any output
  // is opened; null when it always can.
  std::optional<FormatRefusal> (*refusal)(std::span<const ReportDocument> documents) = nullptr;
  // For a line-by-line format: its lines go out as the analysis writes them (`write` gives
  // the same bytes from whole reports), so that no report is held in memory.
  LineAppender stream_lines = nullptr;
  // A graph file, not text: -o FILE (or "-o -" when standard output is not a terminal).
  bool graph_file = false;
  // False for a writer that reads the graph alone: the report's lines are dropped as the
  // walk writes them, and cost no memory.
  bool reads_lines = true;
  // The window's Save writes it under a name with one of its extensions; under any other
  // name the window saves its RTF report.
  bool saved_by_window = false;
  // The exit status that what was written calls for beyond the walks' (a comparison: 1 when
  // the graphs differ); null for none.
  int (*status)(std::span<const ReportDocument> documents) = nullptr;
  // How --catalogue writes the catalogue in this format; null when it can't.
  CatalogueWriter write_catalogue = nullptr;
};

using FormatTable = std::span<const OutputFormat>;

// Every format built into this program, the terminal's first and the plain text second.
FormatTable OutputFormats();
// The formats of the comparison of two graphs (--compare), in the same order: a comparison is
// refused when either walk ended early, and its status says whether the graphs differ.
FormatTable ComparisonFormats();
// The formats of the check of graphs (--check), in the same order; the status says whether a
// finding is above a note.
FormatTable CheckFormats();
const OutputFormat& TerminalFormat(FormatTable formats = OutputFormats());
const OutputFormat& PlainTextFormat(FormatTable formats = OutputFormats());

// The format of that name, in any case; null when there is none.
const OutputFormat* FindOutputFormat(std::string_view name, FormatTable formats = OutputFormats());

// The format the extension of the path's file name chooses, in any case; null when the name
// has no extension or one no format claims.
const OutputFormat* FormatOfFileName(std::string_view utf8_path,
                                     FormatTable formats = OutputFormats());

}  // namespace mivalto
