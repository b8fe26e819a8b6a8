// halvoren-run: a headless run of a cartridge image, reported on one summary line.
#include <csignal>
#include <cstdio>
#include <string>

#include "app/runner.h"

int main(int argc, char** argv) {
  RunnerOptions options;
  std::string error;
  bool helpWanted = false;
  if (!ParseRunnerOptions(argc, argv, options, error, helpWanted)) {
    std::fprintf(stderr, "halvoren-run: %s\n", error.c_str());
    PrintRunnerUsage();
    return 2;
  }
  if (helpWanted) {
    PrintRunnerHelp();
    return 0;
  }
  // A reader of --png or --wav through a pipe that goes away is a failed write, reported with
  // status 1, not a silent death.
  std::signal(SIGPIPE, SIG_IGN);
  return RunRunner(options);
}
