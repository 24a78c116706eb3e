// The running graphs' part of a run of mivalto-cli: --live's list of the graphs that programs
// publish (text, ansi or json), and the refusal of --live and of live: inputs where there is
// no Running Object Table.
#pragma once

#include <optional>
#include <ostream>

#include "cli/cli_options.h"

namespace mivalto {

// Whether --live writes its list in that format.
bool ListsRunningGraphs(const OutputFormat& format);

// --live: the list in the chosen format; returns the exit status (1 for an empty table, 2 when
// the table or the output can't be written or read).
int ListLiveGraphs(const CliOptions& options, std::ostream& standard_output, std::ostream& err);

// Exit status 1, said on err, for --live or a live: input where there is no table; none else.
std::optional<int> RefuseWithoutTable(const CliOptions& options, std::ostream& err);

}  // namespace mivalto
