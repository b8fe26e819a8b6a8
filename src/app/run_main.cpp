// halvoren-run: a headless run of a cartridge image, reported on one summary line.
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
  return RunRunner(options);
}
