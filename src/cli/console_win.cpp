#include <windows.h>
#include <shellapi.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <iostream>

#include "cli/console.h"
#include "cli/console_plain.h"
#include "platform/wide_text.h"

namespace mivalto {

// argv holds the arguments in the ANSI code page, which loses characters: read the wide
// command line instead.
std::vector<std::string> Utf8Arguments(int, char**) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) return {};
  std::vector<std::string> arguments;
  for (int i = 1; i < count; ++i) arguments.push_back(WideToUtf8(wide[i]));
  LocalFree(wide);
  return arguments;
}

// A console answers GetConsoleMode; _isatty would also say yes for NUL and serial ports.
bool StandardOutputIsTerminal() {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode) != 0;
}

StandardStreams::StandardStreams() {
  SetConsoleOutputCP(CP_UTF8);
  // In text mode the C library would write error messages otherwise than the report.
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  const HANDLE console = GetStdHandle(STD_OUTPUT_HANDLE);
  DWORD mode = 0;
  if (!GetConsoleMode(console, &mode)) return;  // no console: the bytes go on as they are
  // A console that takes the mode keeps it; one that says yes and drops it can't do it either.
  DWORD taken = 0;
  if (SetConsoleMode(console, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING) &&
      GetConsoleMode(console, &taken) && (taken & ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0) {
    return;
  }
  // Older consoles would show the colours' escape sequences as text.
  own_ = std::cout.rdbuf();
  plain_ = std::make_unique<EscapeDroppingBuffer>(*own_);
  std::cout.rdbuf(plain_.get());
}

StandardStreams::~StandardStreams() {
  if (!own_) return;
  std::cout.flush();
  std::cout.rdbuf(own_);
}

}  // namespace mivalto
