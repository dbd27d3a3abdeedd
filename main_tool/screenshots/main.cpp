// ecrscreenshots: draws every screen of the main tool offscreen and saves each
// as a PNG, run in a folder set up like the demo folder.
#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QWidget>
#include <cstdio>
#include <cstring>
#include <functional>

#include "main_tool/captions/CaptionEditer.h"
#include "main_tool/editing/AboutDlg.h"
#include "main_tool/editing/CardDlg.h"
#include "main_tool/editing/FlexListDlg.h"
#include "main_tool/shell/EcrTilloraApp.h"
#include "main_tool/shell/MessageBox.h"
#include "model_library/reports/EcrReport.h"

namespace {

bool Save(QWidget* window, const QString& folder, const char* name) {
  QApplication::processEvents();
  const QString path = folder + QLatin1Char('/') + QString::fromLatin1(name) + QStringLiteral(".png");
  const bool saved = window && window->grab().save(path);
  std::printf("%s %s\n", saved ? "wrote" : "FAILED", path.toLocal8Bit().constData());
  return saved;
}

// A modal dialog drawn without running it.
bool SaveDialog(QWidget* dialog, const QString& folder, const char* name) {
  dialog->show();
  const bool saved = Save(dialog, folder, name);
  dialog->hide();
  return saved;
}

// The report viewer shows converted reports: the demo's report files are
// converted into CSV files beside them, as the conversion dialog would.
void ConvertDemoReports(CEcrTilloraApp& app) {
  constexpr int32_t kReportStore = 3, kCsvReportStore = 24;
  auto* reports = static_cast<CEcrReport*>(app.Library().GetEcrDataFromWndNo(kReportStore));
  if (!reports || !reports->Load(nullptr)) return;
  for (size_t index = 0; index < reports->m_lstReports.size(); ++index)
    reports->ConvertReport(static_cast<int>(index), reports->m_strFolder.c_str());
  app.ReloadData(0, kCsvReportStore);
}

// The table editors of the demo data, and a record card of the PLUs.
bool SaveTableEditors(CEcrTilloraApp& app, const QString& folder) {
  struct Shot {
    int32_t window;
    int table;
    const char* name;
  };
  const Shot shots[] = {{17, 1, "17_departments"}, {18, 1, "18_plus"}, {18, 0, "18_plu_groups"},
                        {20, 0, "20_service_mode"}, {21, 0, "21_program_mode"}, {24, 0, "24_report_viewer"}};
  bool ok = true;
  for (const Shot& shot : shots) {
    app.ShowWindow(shot.window);
    auto* editor = qobject_cast<CFlexListDlg*>(app.CurrentWindow());
    if (!editor) {
      std::printf("no table editor for window %d\n", shot.window);
      ok = false;
      continue;
    }
    editor->resize(900, 560);
    if (shot.table < editor->TableList()->count()) editor->TableList()->setCurrentRow(shot.table);
    ok = Save(editor, folder, shot.name) && ok;
    if (shot.window == 18 && shot.table == 1) {
      CEcrData* plus = app.Library().GetEcrDataFromWndNo(18);
      CCardDlg card(plus ? plus->GetTable(1) : nullptr, 3, editor);
      ok = SaveDialog(&card, folder, "18_plu_record_card") && ok;
    }
  }
  return ok;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 2 || std::strcmp(argv[1], "--help") == 0) {
    std::fputs("Usage: ecrscreenshots OUTPUT_FOLDER\n"
               "Run in a folder with Tillora.ini (the demo folder): starts the main tool\n"
               "offscreen and saves a PNG of every screen into OUTPUT_FOLDER.\n",
               argc == 2 ? stdout : stderr);
    return argc == 2 ? 0 : 1;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
  QDir().mkpath(folder);

  // Messages (a window without data) are printed, not waited for.
  SetMessageBoxHook([](const MessageBoxRequest& request) {
    std::printf("message: %s\n", request.text.toLocal8Bit().constData());
    return MsgAnswer::Ok;
  });
  CEcrTilloraApp app;
  app.Start();
  app.Config().m_nAutoPopup = 0;  // the record card is drawn on its own below
  bool ok = Save(app.CurrentWindow(), folder, "01_model_selection");
  app.ShowWindow(16);
  ok = Save(app.CurrentWindow(), folder, "16_function_menu") && ok;
  {
    CCaptionEditer editor(16, 1, app.CurrentWindow());
    ok = SaveDialog(&editor, folder, "caption_editor") && ok;
  }
  {
    CAboutDlg about(app.CurrentWindow());
    ok = SaveDialog(&about, folder, "about") && ok;
  }
  app.CurrentWindow()->resize(800, 520);
  ok = Save(app.CurrentWindow(), folder, "16_function_menu_enlarged") && ok;
  app.ShowWindow(1);
  ok = Save(app.CurrentWindow(), folder, "01_model_selection_enlarged") && ok;
  ConvertDemoReports(app);
  ok = SaveTableEditors(app, folder) && ok;
  // Nothing here may change the demo folder's settings.
  return ok ? 0 : 1;
}
