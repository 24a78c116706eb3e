// mivalto-cli: the analysis of graph files in a terminal, or as text, RTF, HTML or JSON.
#include <iostream>
#include <new>

#include "cli/cli_options.h"
#include "cli/cli_run.h"
#include "cli/console.h"

int main(int argc, char** argv) {
  // Nothing here writes through C's stdio: the streams may keep buffers of their own.
  std::ios::sync_with_stdio(false);
  const mivalto::StandardStreams streams;
  try {
    const mivalto::CommandLine command_line =
        mivalto::ParseCommandLine(mivalto::Utf8Arguments(argc, argv),
                                  mivalto::StandardOutputIsTerminal(), std::cout, std::cerr);
    if (!command_line.options) return command_line.exit_status;
    return mivalto::RunCli(*command_line.options, std::cout, std::cerr);
  } catch (const std::bad_alloc&) {
    return mivalto::OutOfMemory(std::cerr);
  }
}
