// Runs one command the way scripts/bench measures it: its standard output to a file, its
// errors discarded. Prints the wall time in seconds, the peak resident memory in KiB and the
// exit status, e.g. "0.123456 24320 0" (128 + the signal's number when a signal ended it).
// Small on purpose: a child's peak memory starts from the size of the process that spawned it.
//   mivalto-run-measured OUT COMMAND [ARGUMENTS...]
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>

extern char** environ;

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fputs("usage: mivalto-run-measured OUT COMMAND [ARGUMENTS...]\n", stderr);
    return 2;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, argv[1], O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);

  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  if (posix_spawnp(&pid, argv[2], &actions, nullptr, argv + 2, environ) != 0) {
    std::fprintf(stderr, "mivalto-run-measured: cannot run %s\n", argv[2]);
    return 2;
  }
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid) return 2;
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;

  const int exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  std::printf("%.6f %ld %d\n", elapsed.count(), usage.ru_maxrss, exit_status);
  return 0;
}
