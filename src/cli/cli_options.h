// The command line of mivalto-cli:
//   mivalto-cli [--format ansi|text|rtf|html|json|dot|svg|cpp|grf] [--output FILE]
//               [--catalogue-file CATALOGUE.json] [--only-registered] GRAPH.grf...
//   mivalto-cli --compare [--format ansi|text|html|json] [--output FILE] A B
//   mivalto-cli --check [--format ansi|text|html|json] [--output FILE] GRAPH.grf...
//   mivalto-cli --catalogue [--format ansi|text|html|json] [--output FILE]
//   mivalto-cli --live [--format ansi|text|json] [--output FILE]
// A graph may be named live:PID or live:PID/N, the graph a running program holds.
// Turns the arguments into options, or prints the help, the version or a usage error.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "report/output_formats.h"

namespace mivalto {

struct CliOptions {
  const OutputFormat* format = nullptr;  // under --compare or --check, one of their formats
  std::optional<std::string> output;  // UTF-8 path; none: standard output
  std::vector<std::string> files;     // UTF-8 paths, as given, at least one but with --catalogue
  bool list_catalogue = false;        // --catalogue: the catalogue in use, no graph
  std::optional<std::string> catalogue_file = {};  // --catalogue-file: in place of this machine's
  bool only_registered = false;       // --only-registered: grf without unregistered filters
  bool list_live = false;             // --live: the running graphs, no graph read
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
