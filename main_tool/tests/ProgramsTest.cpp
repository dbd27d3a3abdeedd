// The main tool's programs as a user starts them from a shell.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

struct CommandResult {
  int status;
  std::string output;
};

CommandResult RunCommand(const std::string& command) {
  CommandResult run{-1, {}};
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return run;
  char buffer[512];
  while (size_t got = fread(buffer, 1, sizeof buffer, pipe)) run.output.append(buffer, got);
  const int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

TEST(Programs, EachAnswersHelp) {
  for (const char* program : {"EcrTillora", "ecrdemoart", "ecrscreenshots"}) {
    const CommandResult run = RunCommand(std::string(ECR_BIN_DIR "/") + program + " --help");
    EXPECT_EQ(run.status, 0) << program;
    EXPECT_NE(run.output.find("Usage: " + std::string(program)), std::string::npos) << run.output;
  }
}

TEST(Programs, EcrTilloraWithoutADisplaySaysHowToRunIt) {
  const CommandResult run = RunCommand("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " ECR_BIN_DIR "/EcrTillora");
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.output.find("xvfb-run"), std::string::npos) << run.output;
}

}  // namespace
