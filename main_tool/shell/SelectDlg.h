// Window 16, the function menu: opens the table editors, the logo and
// keyboard screens, the report conversion and transfer dialogs, chooses the
// data folder and goes back to the model selection. Buttons of what the model
// library does not offer are hidden; those whose register file is missing in
// the data folder are disabled.
#pragma once

#include <QSet>

#include "main_tool/editing/EcrDialog.h"

class QPushButton;
struct MenuButton;

class CSelectDlg : public CEcrDialog {
  Q_OBJECT
 public:
  static constexpr int kTemplateId = 103;
  static constexpr int32_t kWindowNumber = 16;

  CSelectDlg();

  int LayoutChild(QWidget* control, int dx, int dy) override;
  QPushButton* Button(int id) const;

 protected:
  void OnRefreshWindow() override;

 private:
  void BuildButtons();
  void UpdateButtonsAndTitle();
  void OnButton(const MenuButton& button);
  void OnFolderSelect();

  QSet<int> m_setHidden;  // once hidden, a button stays hidden
};
