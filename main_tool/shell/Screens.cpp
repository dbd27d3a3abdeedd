// The screens of the main tool by window number, and the modal dialogs of the
// function menu. Table editors (17 to 21, 24), the logo composer (22), the
// keyboard layout (23) and the transfer and conversion dialogs join here.
#include "main_tool/shell/EcrTilloraDlg.h"
#include "main_tool/shell/ScreenRegistry.h"
#include "main_tool/shell/SelectDlg.h"

void RegisterScreens(CScreenRegistry& registry) {
  registry.AddScreen(CEcrTilloraDlg::kWindowNumber, [](int32_t) { return new CEcrTilloraDlg; });
  registry.AddScreen(CSelectDlg::kWindowNumber, [](int32_t) { return new CSelectDlg; });
}
