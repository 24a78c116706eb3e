// What mivalto-cli needs from the console it runs in: its arguments as UTF-8, whether
// standard output is a terminal, and a standard output that takes UTF-8 bytes as they are.
// One .cpp per OS.
#pragma once

#include <string>
#include <vector>

namespace mivalto {

// The arguments after the program's name, UTF-8 (Windows: from the wide command line).
std::vector<std::string> Utf8Arguments(int argc, char** argv);

bool StandardOutputIsTerminal();

// Windows: UTF-8 console output, no CR added before LF, escape sequences understood.
void PrepareStandardOutput();

}  // namespace mivalto
