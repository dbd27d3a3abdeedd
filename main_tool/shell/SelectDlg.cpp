#include "main_tool/shell/SelectDlg.h"

#include <QPushButton>

#include "common/CaptionCell.h"
#include "main_tool/editing/CaptionFont.h"
#include "main_tool/editing/ControlId.h"
#include "main_tool/shell/EcrTilloraApp.h"
#include "main_tool/shell/EcrTilloraDlg.h"
#include "main_tool/shell/MessageBox.h"
#include "main_tool/shell/UmEvents.h"
#include "platform/FileSystem.h"

enum class MenuAction { ShowWindow, Dialog, FolderSelect, None };

// One button of the menu: template id and text, the caption it is bound to,
// what it does, and the window number whose data object decides whether it
// is shown and enabled (0: always shown and enabled).
struct MenuButton {
  int id;
  const char* text;
  int32_t caption;
  MenuAction action;
  int32_t target;  // window number to show, or the FunctionDialog to open
  int32_t stateWindow;
  int column, row;  // place in the menu's grid
};

namespace {

constexpr int kTemplateWidth = 560;
constexpr int kTemplateHeight = 380;
constexpr int kButtonWidth = 160, kButtonHeight = 44, kColumnGap = 20, kRowGap = 14;
constexpr int kRows = 5;

constexpr int kFolderSelectId = 1024;

const MenuButton kMenuButtons[] = {
    {1034, "DEPT", 1, MenuAction::ShowWindow, 17, 17, 0, 0},
    {1011, "PLU", 2, MenuAction::ShowWindow, 18, 18, 0, 1},
    {1014, "CLERK", 3, MenuAction::ShowWindow, 19, 19, 0, 2},
    {1031, "LOGO", 4, MenuAction::ShowWindow, 22, 0, 1, 1},
    {1037, "KEYBOARD", 5, MenuAction::ShowWindow, 23, 23, 1, 0},
    {1032, "S_MODE", 6, MenuAction::ShowWindow, 20, 20, 0, 3},
    {1035, "PROG_MODE", 7, MenuAction::ShowWindow, 21, 21, 0, 4},
    {1030, "ReportConvert", 8, MenuAction::Dialog, static_cast<int32_t>(FunctionDialog::ReportConvert), 3, 1, 2},
    {1027, "ReportViewer", 9, MenuAction::ShowWindow, 24, 24, 1, 3},
    {1038, "Resurve", 10, MenuAction::None, 0, 25, 1, 4},
    {kFolderSelectId, "Folder Select", 11, MenuAction::FolderSelect, 0, 0, 2, 2},
    {1017, "EcrDataReceive", 12, MenuAction::Dialog, static_cast<int32_t>(FunctionDialog::DataReceive), 0, 2, 0},
    {1022, "EcrDataSend", 13, MenuAction::Dialog, static_cast<int32_t>(FunctionDialog::DataSend), 0, 2, 1},
    {1033, "Back", 14, MenuAction::ShowWindow, 1, 0, 2, 4},
};

// The order in which the buttons' data objects are asked for.
const int32_t kStateWindowOrder[] = {17, 18, 19, 20, 21, 3, 24, 23, 25};

QRect ButtonRect(const MenuButton& button) {
  const int left = (kTemplateWidth - 3 * kButtonWidth - 2 * kColumnGap) / 2;
  const int top = (kTemplateHeight - kRows * kButtonHeight - (kRows - 1) * kRowGap) / 2;
  return QRect(left + button.column * (kButtonWidth + kColumnGap), top + button.row * (kButtonHeight + kRowGap),
               kButtonWidth, kButtonHeight);
}

QString Caption16(int32_t caption, const wchar_t* fallback) {
  return CaptionToDisplay(CaptionTextOr(CSelectDlg::kWindowNumber, caption, fallback));
}

// True when some data object holds changes that are not yet saved.
bool AnyUnsavedChanges(CModelLibrary& library) {
  const int count = library.GetEcrDataCount();
  for (int index = 0; index < count; ++index) {
    const CEcrData* data = library.GetEcrDataFromIndex(index);
    if (data && data->m_nChanges > 0) return true;
  }
  return false;
}

}  // namespace

CSelectDlg::CSelectDlg() : CEcrDialog(kTemplateId, kWindowNumber) {
  BuildButtons();
  SetTemplateSize(kTemplateWidth, kTemplateHeight);
  for (const MenuButton& button : kMenuButtons) BindCaption(Button(button.id), button.caption);
  UpdateButtonsAndTitle();
}

void CSelectDlg::BuildButtons() {
  for (const MenuButton& entry : kMenuButtons) {
    auto* button = new QPushButton(QString::fromLatin1(entry.text), this);
    SetControlId(button, entry.id);
    button->setGeometry(ButtonRect(entry));
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, &entry] { OnButton(entry); });
  }
}

QPushButton* CSelectDlg::Button(int id) const { return static_cast<QPushButton*>(FindControl(this, id)); }

int CSelectDlg::LayoutChild(QWidget* control, int, int) { return CentreChild(control); }

void CSelectDlg::OnRefreshWindow() {
  UpdateButtonsAndTitle();
  CEcrDialog::OnRefreshWindow();
}

void CSelectDlg::UpdateButtonsAndTitle() {
  CEcrTilloraApp* app = TheApp();
  for (int32_t window : kStateWindowOrder) {
    const CEcrData* object = app ? app->Library().GetEcrDataFromWndNo(window) : nullptr;
    for (const MenuButton& entry : kMenuButtons) {
      if (entry.stateWindow != window || m_setHidden.contains(entry.id)) continue;
      QPushButton* button = Button(entry.id);
      if (!object) {
        button->hide();
        m_setHidden.insert(entry.id);
      } else {
        button->setEnabled(object->m_bExists != 0);
      }
    }
  }
  setWindowTitle(ScreenTitle());
}

void CSelectDlg::OnButton(const MenuButton& button) {
  switch (button.action) {
    case MenuAction::ShowWindow: PostAppMessage(UM_SHOW_WINDOW, button.target); break;
    case MenuAction::FolderSelect: OnFolderSelect(); break;
    case MenuAction::Dialog:
      if (!TheApp() || !TheApp()->Screens().OpenDialog(static_cast<FunctionDialog>(button.target), this))
        EcrMessageBox(this, tr("\"%1\" is not available in this version.").arg(QString::fromLatin1(button.text)));
      break;
    case MenuAction::None: break;
  }
}

void CSelectDlg::OnFolderSelect() {
  CEcrTilloraApp* app = TheApp();
  if (!app) return;
  QPushButton* folderButton = Button(kFolderSelectId);
  folderButton->setEnabled(false);
  CToolConfig& config = app->Config();
  const bool folderExists = platform::GetFileStatus(config.m_strDataPath).bDirectory;
  const QString chosen = ChooseFolder(this, Caption16(16, L"Select EcrData Folder"),
                                      folderExists ? QString::fromStdWString(config.m_strDataPath) : QString());
  if (!chosen.isEmpty()) {
    const bool dropChanges = !AnyUnsavedChanges(app->Library()) ||
                             EcrMessageBox(this, Caption16(15, L"The content under the correction is annulled\nIs it good?"),
                                           MsgButtons::OkCancel, MsgIcon::Question) == MsgAnswer::Ok;
    if (dropChanges) {
      config.m_strDataPath = chosen.toStdWString();
      PostAppMessage(UM_SET_DATA_FOLDER, config.m_strDataPath);
    }
  }
  folderButton->setEnabled(true);
}
