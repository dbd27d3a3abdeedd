#include "main_tool/shell/EcrTilloraApp.h"

#include <QApplication>

#include "common/CaptionCell.h"
#include "main_tool/editing/CaptionFont.h"
#include "main_tool/editing/EcrDialog.h"
#include "main_tool/shell/MessageBox.h"
#include "main_tool/shell/UmEvents.h"

namespace {

CEcrTilloraApp* g_pApp = nullptr;

constexpr int32_t kModelSelectionWindow = 1;
constexpr int32_t kLastWindowNumber = 24;
constexpr int32_t kOptionTablesWindow = 4;

QWidget* AsWidget(void* window) { return static_cast<QWidget*>(window); }

}  // namespace

CEcrTilloraApp* TheApp() { return g_pApp; }

void PostAppMessage(QEvent::Type type, intptr_t wParam, intptr_t lParam) {
  if (g_pApp) QCoreApplication::postEvent(g_pApp, new CUmEvent(type, wParam, lParam));
}

void PostAppMessage(QEvent::Type type, const std::wstring& text) {
  if (g_pApp) QCoreApplication::postEvent(g_pApp, new CUmEvent(type, text));
}

CEcrTilloraApp::CEcrTilloraApp() : m_pConfig(std::make_unique<CToolConfig>()) {
  g_pApp = this;
  m_pConfig->Load(CToolConfig::PathInCurrentDirectory());
  SetTheToolConfig(m_pConfig.get());
  m_pCaptionCell = &m_captionMgr;
  SetCaptionCell(&m_pCaptionCell);
  RegisterScreens(m_screens);
}

CEcrTilloraApp::~CEcrTilloraApp() {
  CloseCurrentWindow(CloseMode::Now);  // only when Exit did not run
  SetCaptionCell(nullptr);
  SetTheToolConfig(nullptr);
  if (g_pApp == this) g_pApp = nullptr;
}

int CEcrTilloraApp::Run() {
  Start();
  const int code = QApplication::exec();
  Exit();
  return code;
}

void CEcrTilloraApp::Start() {
  QCoreApplication::setApplicationName(QStringLiteral("EcrTillora"));
  QGuiApplication::setQuitOnLastWindowClosed(false);  // the program ends only through the exit question
  auto model = m_pConfig->m_mapModels.find(m_pConfig->m_strEcrName);
  if (model != m_pConfig->m_mapModels.end()) {
    m_pConfig->m_strSelectedLibrary = model->second;
    ChangeModel(model->second);
  }
  ShowWindow(kModelSelectionWindow);
}

void CEcrTilloraApp::Exit() {
  CloseCurrentWindow(CloseMode::Now);
  m_pConfig->Save(CToolConfig::PathInCurrentDirectory());
  // The library keeps the cell's address; an empty cell tells it that the
  // caption manager is going.
  m_pCaptionCell = nullptr;
}

bool CEcrTilloraApp::event(QEvent* event) {
  const auto* message = static_cast<const CUmEvent*>(event);
  switch (static_cast<int>(event->type())) {
    case UM_SHOW_WINDOW: ShowWindow(static_cast<int32_t>(message->m_wParam)); return true;
    case UM_ASK_EXIT: AskExit(); return true;
    case UM_SET_DATA_FOLDER: ChangeDataFolder(message->m_strText); return true;
    case UM_SET_LANGUAGE: ChangeLanguage(message->m_strText); return true;
    case UM_SET_MODEL: ChangeModel(message->m_strText); return true;
    case UM_RELOAD_DATA: ReloadData(message->m_wParam, message->m_lParam); return true;
    default: return QObject::event(event);
  }
}

void CEcrTilloraApp::ShowWindow(int32_t windowNumber) {
  QWidget* created = AsWidget(m_library.CreateExDialog(windowNumber | EX_DIALOG_FLAG));
  const bool fromLibrary = created != nullptr;
  if (!created) {
    if (windowNumber < 1 || windowNumber > kLastWindowNumber) return;
    created = m_screens.CreateScreen(windowNumber);
    if (!created) return;
  }
  if (m_pCurrent) {
    if (m_pCurrent->isMaximized()) {
      created->showMaximized();
    } else {
      created->setGeometry(m_pCurrent->geometry());
      created->showNormal();
    }
    CloseCurrentWindow(CloseMode::AfterHandlers);
  } else {
    created->show();
  }
  created->activateWindow();
  m_pCurrent = created;
  m_bLibraryWindow = fromLibrary;
}

void CEcrTilloraApp::CloseCurrentWindow(CloseMode mode) {
  if (!m_pCurrent) return;
  QWidget* closing = m_pCurrent;
  m_pCurrent = nullptr;
  if (m_bLibraryWindow) {
    m_library.DeleteExDialog(closing);
  } else if (mode == CloseMode::Now) {
    delete closing;
  } else {
    // The screen may be inside one of its own handlers (a button that asked
    // for its replacement): hide it now, free it once that has returned.
    closing->hide();
    closing->deleteLater();
  }
  m_bLibraryWindow = false;
}

void CEcrTilloraApp::AskExit() {
  const QString question = CaptionToDisplay(CaptionTextOr(0, 1, L"Do you really want to exit?"));
  if (EcrMessageBox(m_pCurrent, question, MsgButtons::YesNo, MsgIcon::Question) == MsgAnswer::Yes)
    QCoreApplication::exit(0);
}

void CEcrTilloraApp::ChangeModel(const std::wstring& libraryPath) {
  if (m_bLibraryWindow) ShowWindow(kModelSelectionWindow);
  if (!m_library.Load(libraryPath, m_pConfig.get(), &m_pCaptionCell)) return;
  const std::wstring baseName = CModelLibrary::ModelBaseName(libraryPath);
  m_captionMgr.OpenCaptionFile(m_pConfig->m_strCapPath.c_str(), baseName.c_str(), m_pConfig->m_strLanguage.c_str());
  m_captionMgr.LoadCharTable(m_pConfig->m_strCapPath.c_str(), baseName.c_str());
  m_library.SetEcrFolder(m_pConfig->m_strDataPath.c_str());
}

void CEcrTilloraApp::ChangeLanguage(const std::wstring& language) {
  auto model = m_pConfig->m_mapModels.find(m_pConfig->m_strEcrName);
  const std::wstring baseName =
      CModelLibrary::ModelBaseName(model != m_pConfig->m_mapModels.end() ? model->second : std::wstring());
  m_captionMgr.OpenCaptionFile(m_pConfig->m_strCapPath.c_str(), baseName.c_str(), language.c_str());
  // The option texts come from the caption file: read them anew.
  ResetAndAttach(m_library.GetEcrDataFromWndNo(kOptionTablesWindow));
  RefreshCurrentWindow();
}

void CEcrTilloraApp::ChangeDataFolder(const std::wstring& folder) {
  m_library.SetEcrFolder(folder.c_str());
  RefreshCurrentWindow();
}

void CEcrTilloraApp::ReloadData(intptr_t kind, intptr_t number) {
  CEcrData* data = nullptr;
  if (kind == 0) data = m_library.GetEcrDataFromWndNo(static_cast<int>(number));
  else if (kind == 1) data = m_library.GetEcrDataFromIndex(static_cast<int>(number));
  else return;
  if (!data) return;
  ResetAndAttach(data);
  RefreshCurrentWindow();
}

void CEcrTilloraApp::ResetAndAttach(CEcrData* data) {
  // The object forgets what it read and looks at its file again.
  if (!data) return;
  data->Reset();
  data->SetFolder(m_pConfig->m_strDataPath.c_str());
}

void CEcrTilloraApp::RefreshCurrentWindow() {
  if (!m_pCurrent) return;
  CUmEvent refresh(UM_REFRESH_WINDOW);
  QCoreApplication::sendEvent(m_pCurrent, &refresh);
}
