// Start-up and screen switch of EcrTillora, offscreen.
// Start-up: from just before the process is spawned to the model selection
// window exposed, measured in a child process that runs the program's own
// start sequence. Switch: function menu <-> model selection in one process.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "main_tool/shell/EcrTilloraApp.h"

extern char** environ;

namespace {

constexpr int kStartRuns = 15;
constexpr int kSwitches = 200;

// A folder like an installed one: settings, model library, pictures.
std::string MakeFolder() {
  const std::string folder = MakeInstalledFolder();
  std::filesystem::create_directory(folder + "/Data");
  std::filesystem::create_directory(folder + "/Cap");
  const std::string art = std::string(ECR_BIN_DIR "/ecrdemoart ") + folder + " >/dev/null";
  if (std::system(art.c_str()) != 0) std::fprintf(stderr, "(pictures not drawn)\n");
  return folder;
}

// Child: the program's start sequence, then the time the first screen is exposed.
int RunChild() {
  int argc = 1;
  char name[] = "EcrTillora";
  char* argv[] = {name, nullptr};
  QApplication application(argc, argv);
  CEcrTilloraApp app;
  app.Start();
  if (!QTest::qWaitForWindowExposed(app.CurrentWindow(), 5000)) return 1;
  std::printf("%lld\n", static_cast<long long>(NowNs()));
  std::fflush(stdout);
  return 0;
}

double OneStart(const char* self) {
  int pipeFds[2];
  if (pipe(pipeFds) != 0) return -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
  char child[] = "--child";
  char* argv[] = {const_cast<char*>(self), child, nullptr};
  const int64_t start = NowNs();
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, self, &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipeFds[1]);
  char buffer[64] = {};
  const ssize_t got = spawned == 0 ? read(pipeFds[0], buffer, sizeof buffer - 1) : -1;
  close(pipeFds[0]);
  int status = 0;
  if (spawned == 0) waitpid(pid, &status, 0);
  if (got <= 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
  return (std::atoll(buffer) - start) / 1e6;
}

// False when a switch did not bring up its screen.
bool MeasureSwitches(Figures& figures) {
  int argc = 1;
  char name[] = "bench_maintool";
  char* argv[] = {name, nullptr};
  QApplication application(argc, argv);
  CEcrTilloraApp app;
  app.Start();
  if (!QTest::qWaitForWindowExposed(app.CurrentWindow(), 5000)) return false;
  std::vector<double> samples;
  for (int i = 0; i < kSwitches; ++i) {
    const int64_t start = NowNs();
    app.ShowWindow(i % 2 == 0 ? 16 : 1);
    if (!QTest::qWaitForWindowExposed(app.CurrentWindow(), 5000)) return false;
    QCoreApplication::processEvents();  // paints the new screen, frees the old one
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    samples.push_back((NowNs() - start) / 1e6);
  }
  figures = Summarise(samples);
  return true;
}

}  // namespace

int main(int argc, char* argv[]) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  if (argc > 1 && std::strcmp(argv[1], "--help") == 0) {
    std::puts("Usage: bench_maintool\nTimes EcrTillora's start-up to the model selection and a screen switch, offscreen.");
    return 0;
  }
  if (argc > 1 && std::strcmp(argv[1], "--child") == 0) return RunChild();

  const std::string folder = MakeFolder();
  if (chdir(folder.c_str()) != 0) return 1;
  char self[4096] = {};
  if (readlink("/proc/self/exe", self, sizeof self - 1) <= 0) return 1;

  std::vector<double> starts;
  for (int run = 0; run < kStartRuns; ++run) {
    const double ms = OneStart(self);
    if (ms < 0) {
      std::fprintf(stderr, "start-up run failed\n");
      return 1;
    }
    starts.push_back(ms);
  }
  const Figures start = Summarise(starts);
  std::printf("start-up to model selection shown: median %.1f ms (min %.1f, max %.1f; %d runs; target < 300 ms)\n",
              start.median, start.low, start.high, kStartRuns);
  Figures change{};
  if (!MeasureSwitches(change)) {
    std::fprintf(stderr, "a screen switch did not show its screen\n");
    return 1;
  }
  std::printf("screen switch 1 <-> 16:            median %.2f ms (min %.2f, max %.2f; %d switches; target < 50 ms)\n",
              change.median, change.low, change.high, kSwitches);
  std::filesystem::remove_all(folder);
  return 0;
}
