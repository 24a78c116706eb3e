// The command line of mivalto-cli:
//   mivalto-cli [--format ansi|text|rtf|html|json|dot|svg|cpp|grf] [--output FILE]
//               [--catalogue-file CATALOGUE.json] [--only-registered] GRAPH.grf...
//   mivalto-cli --catalogue [--format ansi|text|html|json] [--output FILE]
// Turns the arguments into options, or prints the help, the version or a usage error.
#pragma once

#include <array>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/analysis_driver.h"
#include "report/catalogue_writer.h"
#include "report/report_writer.h"

namespace mivalto {

// One row of the output formats' table, from which the help, the check of --format and the
// format of an --output file's extension all come.
struct OutputFormat {
  std::string_view name;  // a word, given in any case
  // The --output extensions that choose it when --format is not given (lower case, with the
  // dot); unused entries empty.
  std::array<std::string_view, 2> extensions = {};
  ReportWriter write;
  GraphModelUse model = GraphModelUse::kKeep;  // kSkip for writers that read only the lines
  bool one_input = false;  // its output is one graph's alone (the C++ of a program)
  // Why the format can't be written for these reports (French), checked before any output
  // is opened; null when it always can.
  std::optional<std::string> (*refusal)(std::span<const ReportDocument> documents) = nullptr;
  // For a line-by-line format: its lines go out as the analysis writes them (`write` gives
  // the same bytes from whole reports), so that no report is held in memory.
  LineAppender stream_lines = nullptr;
  // A graph file, not text: -o FILE (or "-o -" when standard output is not a terminal).
  bool graph_file = false;
  // False for a writer that reads the graph alone: the report's lines are dropped as the
  // walk writes them, and cost no memory.
  bool reads_lines = true;
  // How --catalogue writes the catalogue in this format; null when it can't.
  CatalogueWriter write_catalogue = nullptr;
};

struct CliOptions {
  const OutputFormat* format = nullptr;
  std::optional<std::string> output;  // UTF-8 path; none: standard output
  std::vector<std::string> files;     // UTF-8 paths, as given, at least one but with --catalogue
  bool list_catalogue = false;        // --catalogue: the catalogue in use, no graph
  std::optional<std::string> catalogue_file;  // --catalogue-file: in place of this machine's
  bool only_registered = false;       // --only-registered: grf without unregistered filters
};

// Options to run with, or none when the command line has been answered: exit_status 0 after
// the help or the version (printed on out), 2 after a usage error (printed on err).
struct CommandLine {
  std::optional<CliOptions> options;
  int exit_status = 0;
};

// arguments: the UTF-8 arguments after the program's name. Without --format the output is
// coloured for a terminal only when it goes to standard output and that is a terminal; an
// --output file's extension (.html, .json...) chooses its format.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments,
                             bool standard_output_is_terminal, std::ostream& out,
                             std::ostream& err);

}  // namespace mivalto
