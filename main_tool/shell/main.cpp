// EcrTillora: programs an electronic cash register from the PC and collects
// its sales reports. Settings come from Tillora.ini in the current directory.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "main_tool/shell/EcrTilloraApp.h"

namespace {

const char kUsage[] =
    "Usage: EcrTillora [--help]\n"
    "\n"
    "Programs an electronic cash register from this PC and collects its sales\n"
    "reports. Start it in the folder that holds its settings: it reads and, at\n"
    "exit, writes Tillora.ini in the current directory, and resolves every\n"
    "relative path (data folder, caption folder, model list Ecr.lst, pictures)\n"
    "from there.\n"
    "\n"
    "Without a display, run it under a virtual one:  xvfb-run -a EcrTillora\n"
    "or draw offscreen:  QT_QPA_PLATFORM=offscreen EcrTillora\n";

bool HasDisplay() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    const char* value = std::getenv(name);
    if (value && *value) return true;
  }
  return false;
}

}  // namespace

int main(int argc, char* argv[]) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(kUsage, stdout);
      return 0;
    }
  }
  if (!HasDisplay()) {
    std::fputs("EcrTillora: no display found (DISPLAY is not set).\n"
               "Run it under a virtual display:  xvfb-run -a EcrTillora\n", stderr);
    return 2;
  }
  QApplication application(argc, argv);
  CEcrTilloraApp app;
  return app.Run();
}
