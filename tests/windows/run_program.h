// Runs a Windows program from a test, its standard output and error sent to a file, and
// gives back its exit code; a program still running after a minute is ended and fails.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>

namespace mivalto::testing {

// The folder of the running test program, ending with a separator.
std::wstring ProgramFolder();

// command_line: the program's quoted path and its arguments. Returns ~0u when it could not
// start or did not end in time (the test has then failed already).
DWORD RunProgram(std::wstring command_line, const std::filesystem::path& output);
// The same, with standard output and error sent to an inheritable handle (a console's screen
// buffer); null: the program runs in a console of its own.
DWORD RunProgram(std::wstring command_line, HANDLE output);

std::string ReadWhole(const std::filesystem::path& path);

}  // namespace mivalto::testing
