// The application object: owns for the whole run the settings, the caption
// manager, the binding of the model library and the one screen on display.
// Screens never call each other: they post UM_ messages here, and the
// current screen hears of changes through UM_REFRESH_WINDOW.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <memory>

#include "common/CaptionMgr.h"
#include "main_tool/shell/ModelLibrary.h"
#include "main_tool/shell/ScreenRegistry.h"
#include "main_tool/shell/ToolConfig.h"

class CEcrTilloraApp : public QObject {
  Q_OBJECT
 public:
  // Program load: the library binding starts on its defaults, then the
  // caption manager, then the settings from Tillora.ini in the current
  // directory and the model list, then the caption-manager cell.
  CEcrTilloraApp();
  // Destroys the caption manager (writing its cache), then frees the library.
  ~CEcrTilloraApp() override;
  CEcrTilloraApp(const CEcrTilloraApp&) = delete;
  CEcrTilloraApp& operator=(const CEcrTilloraApp&) = delete;

  // Start, message loop, exit; returns the loop's exit code.
  int Run();
  // Binds the last used model and shows the model selection.
  void Start();
  // After the loop: closes the screen, saves the settings, drops the cell.
  void Exit();

  CToolConfig& Config() { return *m_pConfig; }
  CModelLibrary& Library() { return m_library; }
  const CModelLibrary& Library() const { return m_library; }
  CCaptionMgr& CaptionManager() { return m_captionMgr; }
  CScreenRegistry& Screens() { return m_screens; }
  QWidget* CurrentWindow() const { return m_pCurrent; }
  bool CurrentIsLibraryWindow() const { return m_bLibraryWindow; }

  // The handlers of the UM_ messages, also called directly where the
  // program's sequence says so.
  void ShowWindow(int32_t windowNumber);
  void AskExit();
  void ChangeModel(const std::wstring& libraryPath);
  void ChangeLanguage(const std::wstring& language);
  void ChangeDataFolder(const std::wstring& folder);
  void ReloadData(intptr_t kind, intptr_t number);

 protected:
  bool event(QEvent* event) override;

 private:
  enum class CloseMode { Now, AfterHandlers };
  void CloseCurrentWindow(CloseMode mode);
  void RefreshCurrentWindow();
  void ResetAndAttach(CEcrData* data);

  // Declared first so that it outlives the library, which keeps its address.
  CCaptionManagerBase* m_pCaptionCell = nullptr;
  CModelLibrary m_library;
  CCaptionMgr m_captionMgr;
  std::unique_ptr<CToolConfig> m_pConfig;
  CScreenRegistry m_screens;
  QPointer<QWidget> m_pCurrent;
  bool m_bLibraryWindow = false;
};

// The application object of the running program (null when there is none).
CEcrTilloraApp* TheApp();
