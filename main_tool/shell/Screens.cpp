// The screens of the main tool by window number, and the modal dialogs of the
// function menu. The logo composer (22), the keyboard layout (23) and the
// transfer and conversion dialogs join here.
#include "main_tool/editing/FlexListDlg.h"
#include "main_tool/shell/EcrTilloraApp.h"
#include "main_tool/shell/EcrTilloraDlg.h"
#include "main_tool/shell/ScreenRegistry.h"
#include "main_tool/shell/SelectDlg.h"

namespace {

// The table editors: departments, PLUs, clerks, service mode, program mode
// and the report viewer.
constexpr int32_t kTableEditorWindows[] = {17, 18, 19, 20, 21, 24};

CEcrDialog* CreateTableEditor(int32_t windowNumber) {
  CEcrTilloraApp* app = TheApp();
  return new CFlexListDlg(windowNumber, app ? app->Library().GetEcrDataFromWndNo(windowNumber) : nullptr);
}

}  // namespace

void RegisterScreens(CScreenRegistry& registry) {
  registry.AddScreen(CEcrTilloraDlg::kWindowNumber, [](int32_t) { return new CEcrTilloraDlg; });
  registry.AddScreen(CSelectDlg::kWindowNumber, [](int32_t) { return new CSelectDlg; });
  for (int32_t window : kTableEditorWindows) registry.AddScreen(window, CreateTableEditor);
}
