// The run of mivalto-cli once its options are known: analyses every graph file, writes the
// reports that could be made with the chosen writer, reports each file's trouble on the
// error stream, and says how it all went as the exit status.
#pragma once

#include <functional>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include "cli/cli_options.h"
#include "platform/file_system.h"

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

// What the run's parts share: "mivalto-cli : <subject> : <problem>" on err, cleaned for a
// terminal; why a file that could not be opened can't be read; writing to the --output
// file (replaced whole once written) or else to standard output, and the output's problem.
void ReportProblem(std::ostream& err, std::string_view subject, std::string_view problem);
std::string ReadProblemText(const FileError& error);
std::optional<std::string> WriteOutput(const CliOptions& options, std::ostream& standard_output,
                                       const std::function<void(std::ostream&)>& write);

// Says on err that memory ran out; returns the exit status for it.
int OutOfMemory(std::ostream& err);

}  // namespace mivalto
