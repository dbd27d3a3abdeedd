#include <cstdio>

#include "EcrTool.h"

int main(int argc, char** argv) {
  ToolOptions options;
  std::string error;
  if (!ParseCommandLine(argc, argv, options, error)) {
    std::fprintf(stderr, "ecrtool: %s; see ecrtool --help\n", error.c_str());
    return EXIT_USAGE;
  }
  if (options.bHelp) {
    std::fputs(UsageText(), stdout);
    return EXIT_OK;
  }
  return RunTool(options);
}
