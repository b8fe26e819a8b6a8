// Runs a program as a user would from a shell: its exit status and what it printed.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <string>

struct CommandResult {
  int status;          // the exit status; -1 when it did not exit normally
  std::string output;  // standard output and standard error together
};

inline CommandResult RunCommand(const std::string& command) {
  CommandResult result{-1, ""};
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return result;
  char buffer[512];
  while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) result.output.append(buffer, n);
  const int raw = pclose(pipe);
  result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return result;
}

#ifdef HALVOREN_RUN_BINARY
// The headless runner with these arguments (a shell command line's rest).
inline CommandResult RunRunner(const std::string& arguments) {
  return RunCommand(std::string(HALVOREN_RUN_BINARY) + " " + arguments);
}
#endif
