#include "run_program.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace mivalto::testing {

std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  const std::wstring full(path, n);
  return full.substr(0, full.find_last_of(L"\\/") + 1);
}

DWORD RunProgram(std::wstring command_line, const std::filesystem::path& output_path) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  // Shared, so that the test reads it even while Wine still closes the ended child's handles.
  const HANDLE output = CreateFileW(output_path.c_str(), GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  EXPECT_NE(output, INVALID_HANDLE_VALUE) << "got error " << GetLastError();
  const DWORD code = RunProgram(std::move(command_line), output);
  CloseHandle(output);
  return code;
}

DWORD RunProgram(std::wstring command_line, HANDLE output) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = output ? STARTF_USESTDHANDLES : 0;
  startup.hStdOutput = output;
  startup.hStdError = output;
  PROCESS_INFORMATION process{};
  // Wine, starting two programs at once in one prefix, now and then answers "internal error"
  // (1359): that start is tried again, a little later.
  constexpr int kTries = 3;
  BOOL started = FALSE;
  for (int attempt = 0; attempt < kTries && !started; ++attempt) {
    if (attempt > 0) Sleep(500);
    started = CreateProcessW(nullptr, command_line.data(), nullptr, nullptr, TRUE,
                             output ? 0 : CREATE_NEW_CONSOLE, nullptr, nullptr, &startup, &process);
    if (!started && GetLastError() != ERROR_INTERNAL_ERROR) break;
  }
  EXPECT_TRUE(started) << "got error " << GetLastError();
  if (!started) return ~0u;
  DWORD code = ~0u;
  if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0) {
    GetExitCodeProcess(process.hProcess, &code);
  } else {
    ADD_FAILURE() << "still running after a minute, ended";
    TerminateProcess(process.hProcess, ~0u);
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code;
}

std::string ReadWhole(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace mivalto::testing
