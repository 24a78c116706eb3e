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
#include "report/catalogue/catalogue_writer.h"
#include "report/report_writer.h"

namespace mivalto {

// What of a walk a writer reads: the report's lines, its graph model, or both. The walk keeps
// only that: the lines of a writer of the graph alone are dropped as they are written, and the
// model of a writer of lines alone is never built, as on a large graph either takes about as
// much memory as the other.
enum class WriterReads { kLines, kGraph, kLinesAndGraph };

// What the window's Save dialog makes of a format: not offered, the format itself (the page's
// picture, the JSON's graph, from a new walk), or the window's own RTF report under that
// format's extension (the report the window shows, saved under ".txt" as under ".log").
enum class WindowSave { kNotOffered, kFormat, kRtfReport };

struct OutputFormat {
  std::string_view name;  // a word, given in any case
  // The extensions that choose it (lower case, with the dot); unused entries empty.
  std::array<std::string_view, 2> extensions = {};
  ReportWriter write = nullptr;  // null for a comparison's and a check's: their `prepare` writes
  WriterReads reads = WriterReads::kLinesAndGraph;
  bool one_input = false;  // its output is one graph's alone (the C++ of a program)
  // For a format that may refuse the reports or whose output calls for an exit status: what it
  // works out once before any output is opened (see PreparedOutput). Null for one that always
  // writes, through `write`, with no status of its own.
  OutputPreparer prepare = nullptr;
  // For a line-by-line format: its lines go out as the analysis writes them (`write` gives
  // the same bytes from whole reports), so that no report is held in memory.
  LineAppender stream_lines = nullptr;
  // A graph file, not text: -o FILE (or "-o -" when standard output is not a terminal).
  bool graph_file = false;
  // What the window's Save writes under a name of its first extension, the type its dialog
  // offers with this caption; a name no row claims gets the RTF report too.
  WindowSave window = WindowSave::kNotOffered;
  std::string_view caption = {};  // French; empty where the dialog does not offer it
  // What --help says of it after the list of names and extensions, when they don't say enough
  // (French); empty for none.
  std::string_view help = {};
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

// The types the window's Save dialog offers from the table, in its order, as a dialog's filter
// reads them: "Fichier Texte (*.txt)|*.txt|Page HTML (*.html)|*.html|...".
std::string WindowSaveTypes(FormatTable formats = OutputFormats());

// The format the extension of the path's file name chooses, in any case; null when the name
// has no extension or one no format claims.
const OutputFormat* FormatOfFileName(std::string_view utf8_path,
                                     FormatTable formats = OutputFormats());

}  // namespace mivalto
