// The PLU table editor, offscreen: from the request to a painted grid when
// the editor opens (1000 records, 29 fields) and when the user switches
// between its tables, and the process's resident memory afterwards.
#include <unistd.h>

#include <QApplication>
#include <QListWidget>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "main_tool/editing/EcrGrid.h"
#include "main_tool/editing/FlexListDlg.h"
#include "main_tool/shell/EcrTilloraApp.h"

namespace {

constexpr int kOpens = 30;
constexpr int kSwitches = 100;
constexpr int32_t kPluWindow = 18;
constexpr int32_t kFunctionMenu = 16;

// A folder like an installed one, with the demo shop's data in ./Data.
std::string MakeFolder() {
  const std::string folder = MakeInstalledFolder();
  const std::string demo = std::string(ECR_BIN_DIR "/ecrdemo ") + folder + "/Data >/dev/null";
  if (std::system(demo.c_str()) != 0) std::fprintf(stderr, "(demo data not written)\n");
  std::ofstream(folder + "/Tillora.ini") << "[DEFAULT]\nDataPath=./Data\n[OPTION]\nAutoPopup=0\n";
  return folder;
}

// Notes when the grid's cells have been painted.
class PaintWatch : public QObject {
 public:
  bool painted = false;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted = true;
    return false;
  }
};

// Delivers events until the grid of the editor has been painted.
bool WaitForPaintedGrid(CFlexListDlg* editor, PaintWatch& watch) {
  for (int round = 0; round < 1000 && !watch.painted; ++round) QCoreApplication::processEvents();
  return watch.painted && editor->Grid()->isVisible();
}

// VmRSS and VmHWM of this process in MB.
std::pair<double, double> ResidentMemory() {
  std::ifstream status("/proc/self/status");
  std::string line;
  double now = 0, peak = 0;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) now = std::atof(line.c_str() + 6) / 1024;
    if (line.rfind("VmHWM:", 0) == 0) peak = std::atof(line.c_str() + 6) / 1024;
  }
  return {now, peak};
}

}  // namespace

int main(int argc, char* argv[]) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  if (argc > 1 && std::strcmp(argv[1], "--help") == 0) {
    std::puts("Usage: bench_editing\nTimes opening the PLU table editor and switching its tables, offscreen,\n"
              "and reports the resident memory.");
    return 0;
  }
  const std::string folder = MakeFolder();
  if (chdir(folder.c_str()) != 0) return 1;
  QApplication application(argc, argv);
  CEcrTilloraApp app;
  app.Start();
  app.ShowWindow(kFunctionMenu);
  if (!QTest::qWaitForWindowExposed(app.CurrentWindow(), 5000)) return 1;

  std::vector<double> opens;
  for (int run = 0; run < kOpens; ++run) {
    const int64_t start = NowNs();
    app.ShowWindow(kPluWindow);
    auto* editor = qobject_cast<CFlexListDlg*>(app.CurrentWindow());
    if (!editor || editor->TableList()->count() < 2) {
      std::fprintf(stderr, "the PLU table editor did not open\n");
      return 1;
    }
    PaintWatch watch;
    editor->Grid()->viewport()->installEventFilter(&watch);
    if (!QTest::qWaitForWindowExposed(editor, 5000) || !WaitForPaintedGrid(editor, watch)) return 1;
    opens.push_back((NowNs() - start) / 1e6);
    editor->Grid()->viewport()->removeEventFilter(&watch);
    app.ShowWindow(kFunctionMenu);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  app.ShowWindow(kPluWindow);
  auto* editor = qobject_cast<CFlexListDlg*>(app.CurrentWindow());
  if (!editor || !QTest::qWaitForWindowExposed(editor, 5000)) return 1;
  // Row 0 of the list: the 99 PLU groups; row 1: the 1000 PLUs of 29 fields.
  std::vector<double> switches[2];
  for (int run = 0; run < kSwitches; ++run) {
    PaintWatch watch;
    editor->Grid()->viewport()->installEventFilter(&watch);
    const int target = 1 - editor->TableList()->currentRow();
    const int64_t start = NowNs();
    editor->TableList()->setCurrentRow(target);
    if (!WaitForPaintedGrid(editor, watch)) return 1;
    switches[target].push_back((NowNs() - start) / 1e6);
    editor->Grid()->viewport()->removeEventFilter(&watch);
    if (target == 1 && (editor->Grid()->model()->rowCount() != 1000 || editor->Grid()->model()->columnCount() != 29)) {
      std::fprintf(stderr, "the PLU table is not 1000 x 29\n");
      return 1;
    }
  }
  const auto [resident, peak] = ResidentMemory();

  Report("open the PLU table editor:", Summarise(opens), kOpens, "< 100 ms");
  Report("switch to the PLUs (1000 x 29):", Summarise(switches[1]), kSwitches / 2, "< 100 ms");
  Report("switch to the PLU groups (99 x 1):", Summarise(switches[0]), kSwitches / 2, "< 100 ms");
  std::printf("%-40s %.1f MB (peak %.1f MB; target < 80 MB)\n", "resident memory:", resident, peak);
  std::filesystem::remove_all(folder);
  return 0;
}
