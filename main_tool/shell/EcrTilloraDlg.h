// Window 1, the model selection: the user picks the register model and the
// caption language, then goes on to the function menu with Select.
#pragma once

#include "main_tool/editing/EcrDialog.h"

class QComboBox;
class QLabel;
class QPushButton;
class CPictureFrame;

class CEcrTilloraDlg : public CEcrDialog {
  Q_OBJECT
 public:
  static constexpr int kTemplateId = 102;
  static constexpr int32_t kWindowNumber = 1;
  enum ControlId { IDC_MODEL_LIST = 1000, IDC_SELECT = 1001, IDC_LOGO_PICTURE = 1012, IDC_ECR_PICTURE = 1015,
                   IDC_LANGUAGE_LIST = 1018, IDC_TOOL_TITLE = 1115 };

  CEcrTilloraDlg();

  int LayoutChild(QWidget* control, int dx, int dy) override;

 protected:
  void OnRefreshWindow() override;

 private:
  void BuildControls();
  void FillModelList();
  void FillLanguageList();
  void LoadPictures();
  void OnModelChosen();
  void OnLanguageChosen();
  void OnSelect();

  QComboBox* m_pModels = nullptr;
  QComboBox* m_pLanguages = nullptr;
  QPushButton* m_pSelect = nullptr;
  QLabel* m_pToolTitle = nullptr;
  CPictureFrame* m_pLogo = nullptr;
  CPictureFrame* m_pEcr = nullptr;
};

// "%s - %s": the model name and the data folder, the title of the screens.
QString ScreenTitle();
