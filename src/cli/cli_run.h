// The run of mivalto-cli once its options are known: analyses every graph file, writes the
// reports that could be made with the chosen writer, reports each file's trouble on the
// error stream, and says how it all went as the exit status.
#pragma once

#include <ostream>
#include <span>

#include "cli/cli_options.h"

namespace mivalto {

// How one file went; the values are the exit statuses they call for.
enum class FileOutcome {
  kComplete = 0,     // the walk reached its end
  kEndedEarly = 1,   // the report stops where the analysis stopped
  kNotAnalysed = 2,  // an empty report: the path names no file, or it can't be opened
};

// The worst outcome's status; 0 for no file.
int ExitStatus(std::span<const FileOutcome> outcomes);

// Writes to the --output file or else to standard_output; returns the exit status (2 also
// when the output can't be written, when it is one of the files to analyse, and when memory
// runs out).
int RunCli(const CliOptions& options, std::ostream& standard_output, std::ostream& err);

// Says on err that memory ran out; returns the exit status for it.
int OutOfMemory(std::ostream& err);

}  // namespace mivalto
