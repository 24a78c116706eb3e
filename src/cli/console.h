// What mivalto-cli needs from the console it runs in: its arguments as UTF-8, whether
// standard output is a terminal, and standard output and error that take UTF-8 bytes as they
// are. One .cpp per OS.
#pragma once

#include <memory>
#include <streambuf>
#include <string>
#include <vector>

namespace mivalto {

// The arguments after the program's name, UTF-8 (Windows: from the wide command line).
std::vector<std::string> Utf8Arguments(int argc, char** argv);

bool StandardOutputIsTerminal();

// Standard output and error made ready for the program's UTF-8 for as long as it lives.
// Windows: the console's code page is UTF-8 and both streams are binary (no CR added before
// LF, nothing changed in the bytes); a console that understands escape sequences is told to,
// and one that refuses gets std::cout's text without them, plain.
class StandardStreams {
 public:
  StandardStreams();
  ~StandardStreams();
  StandardStreams(const StandardStreams&) = delete;
  StandardStreams& operator=(const StandardStreams&) = delete;

 private:
  std::unique_ptr<std::streambuf> plain_;  // now std::cout's, when the console has no colours
  std::streambuf* own_ = nullptr;           // std::cout's own buffer, given back at the end
};

}  // namespace mivalto
