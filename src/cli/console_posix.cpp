#include <unistd.h>

#include "cli/console.h"

namespace mivalto {

// The bytes are taken as they are: paths here are bytes, and UTF-8 in practice.
std::vector<std::string> Utf8Arguments(int argc, char** argv) {
  if (argc < 1) return {};
  return {argv + 1, argv + argc};
}

bool StandardOutputIsTerminal() { return isatty(STDOUT_FILENO) != 0; }

// Terminals here take UTF-8 and escape sequences as they come.
StandardStreams::StandardStreams() = default;
StandardStreams::~StandardStreams() = default;

}  // namespace mivalto
