// Runs a program as a user would from a shell: its exit status (-1 when it did not exit
// normally) and what it printed on standard output and standard error together.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <string>

struct CommandResult {
  int status = -1;
  std::string output;
};

inline CommandResult RunCommand(const std::string& command) {
  CommandResult result;
  if (FILE* pipe = popen((command + " 2>&1").c_str(), "r")) {
    char buffer[512];
    while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) result.output.append(buffer, n);
    const int raw = pclose(pipe);
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  }
  return result;
}

// The headless runner with these arguments (a shell command line's rest).
inline CommandResult RunRunner(const std::string& arguments) {
  return RunCommand(std::string(HALVOREN_RUN_BINARY) + " " + arguments);
}
