#include "main_tool/shell/EcrTilloraDlg.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "main_tool/editing/CaptionFont.h"
#include "main_tool/editing/ControlId.h"
#include "main_tool/shell/EcrTilloraApp.h"
#include "main_tool/shell/MessageBox.h"
#include "main_tool/shell/PictureFrame.h"
#include "main_tool/shell/UmEvents.h"
#include "platform/FileSystem.h"

namespace {

constexpr int kTemplateWidth = 560;
constexpr int kTemplateHeight = 380;

// Bold 28-pixel "MS UI Gothic" of the Swiss family in the ANSI character set.
S_LOGFONT TitleFont() {
  S_LOGFONT logFont;
  logFont.lfHeight = 28;
  logFont.lfWeight = 700;
  logFont.lfPitchAndFamily = FF_SWISS;
  SetFaceName(logFont, QStringLiteral("MS UI Gothic"));
  return logFont;
}

// The language of a caption file name "<model>_<language>.Cap": what follows
// the last "_", upper-cased, without ".CAP"; empty when there is no "_".
QString LanguageOfCaptionFile(const std::wstring& path) {
  const QString name = QString::fromStdWString(platform::FileNameOf(path));
  const int underscore = name.lastIndexOf(QLatin1Char('_'));
  if (underscore < 0) return QString();
  return name.mid(underscore + 1).toUpper().remove(QStringLiteral(".CAP"));
}

// Where a sorted list box would put `name`: letters compared ignoring case.
int SortedPosition(const QComboBox* list, const QString& name) {
  int position = 0;
  while (position < list->count() && QString::compare(list->itemText(position), name, Qt::CaseInsensitive) <= 0)
    ++position;
  return position;
}

void SelectByPrefix(QComboBox* list, const std::wstring& prefix) {
  const int found = list->findText(QString::fromStdWString(prefix), Qt::MatchStartsWith);
  list->setCurrentIndex(found >= 0 ? found : 0);
}

}  // namespace

QString ScreenTitle() {
  const CToolConfig* config = TheToolConfig();
  if (!config) return QString();
  return QStringLiteral("%1 - %2").arg(QString::fromStdWString(config->m_strEcrName),
                                       QString::fromStdWString(config->m_strDataPath));
}

CEcrTilloraDlg::CEcrTilloraDlg() : CEcrDialog(kTemplateId, kWindowNumber) {
  BuildControls();
  SetTemplateSize(kTemplateWidth, kTemplateHeight);
  setWindowTitle(ScreenTitle());
  BindCaption(m_pSelect, 1);
  FillModelList();
  FillLanguageList();
  if (const CToolConfig* config = TheToolConfig()) m_pToolTitle->setText(QString::fromStdWString(config->m_strToolName));
  LoadPictures();
}

void CEcrTilloraDlg::BuildControls() {
  m_pToolTitle = PlaceControl<QLabel>(this, IDC_TOOL_TITLE, QRect(20, 14, 520, 44));
  m_pToolTitle->setAlignment(Qt::AlignCenter);
  m_pToolTitle->setFont(FontFromLogFont(TitleFont()));
  m_pLogo = PlaceControl<CPictureFrame>(this, IDC_LOGO_PICTURE, QRect(20, 66, 250, 150));
  m_pEcr = PlaceControl<CPictureFrame>(this, IDC_ECR_PICTURE, QRect(290, 66, 250, 150));

  PlaceControl<QLabel>(this, 0, QRect(70, 240, 90, 26))->setText(tr("Model:"));
  m_pModels = PlaceControl<QComboBox>(this, IDC_MODEL_LIST, QRect(160, 240, 330, 26));
  PlaceControl<QLabel>(this, 0, QRect(70, 278, 90, 26))->setText(tr("Language:"));
  m_pLanguages = PlaceControl<QComboBox>(this, IDC_LANGUAGE_LIST, QRect(160, 278, 130, 26));
  m_pSelect = PlaceControl<QPushButton>(this, IDC_SELECT, QRect(350, 322, 140, 36));
  m_pSelect->setText(QStringLiteral("Select (&S)"));
  m_pSelect->setDefault(true);

  connect(m_pModels, &QComboBox::activated, this, &CEcrTilloraDlg::OnModelChosen);
  connect(m_pLanguages, &QComboBox::activated, this, &CEcrTilloraDlg::OnLanguageChosen);
  connect(m_pSelect, &QPushButton::clicked, this, &CEcrTilloraDlg::OnSelect);
}

void CEcrTilloraDlg::OnRefreshWindow() {
  setWindowTitle(ScreenTitle());  // the model may have changed since opening
  CEcrDialog::OnRefreshWindow();
}

int CEcrTilloraDlg::LayoutChild(QWidget* control, int, int) { return CentreChild(control); }

void CEcrTilloraDlg::FillModelList() {
  const CToolConfig* config = TheToolConfig();
  if (!config) return;
  for (const auto& model : config->m_mapModels) {
    const QString name = QString::fromStdWString(model.first);
    m_pModels->insertItem(SortedPosition(m_pModels, name), name);
  }
  SelectByPrefix(m_pModels, config->m_strEcrName);
}

void CEcrTilloraDlg::FillLanguageList() {
  m_pLanguages->clear();
  const CToolConfig* config = TheToolConfig();
  if (!config) return;
  auto model = config->m_mapModels.find(m_pModels->currentText().toStdWString());
  if (model == config->m_mapModels.end()) return;
  const std::wstring pattern = CModelLibrary::ModelBaseName(model->second) + L"_*.Cap";
  bool matched = false;
  for (const std::wstring& path : platform::FindFiles(config->m_strCapPath, pattern)) {
    matched = true;
    const QString language = LanguageOfCaptionFile(path);
    if (!language.isEmpty()) m_pLanguages->addItem(language);
  }
  if (matched) SelectByPrefix(m_pLanguages, config->m_strLanguage);
}

void CEcrTilloraDlg::LoadPictures() {
  const CToolConfig* config = TheToolConfig();
  if (!config) return;
  m_pEcr->LoadPicture(QString::fromStdWString(config->m_strEcrBmp));
  m_pLogo->LoadPicture(QString::fromStdWString(config->m_strLogoBmp));
}

void CEcrTilloraDlg::OnModelChosen() {
  CToolConfig* config = TheToolConfig();
  if (!config) return;
  auto model = config->m_mapModels.find(m_pModels->currentText().toStdWString());
  if (model != config->m_mapModels.end()) {
    config->m_strSelectedLibrary = model->second;
    config->m_strEcrName = model->first;
    PostAppMessage(UM_SET_MODEL, config->m_strSelectedLibrary);
  }
  FillLanguageList();
  OnLanguageChosen();
}

void CEcrTilloraDlg::OnLanguageChosen() {
  CToolConfig* config = TheToolConfig();
  if (m_pLanguages->currentIndex() < 0 || !config) {
    m_pSelect->setText(QStringLiteral("Select(&S)"));
    return;
  }
  config->m_strLanguage = m_pLanguages->currentText().toStdWString();
  PostAppMessage(UM_SET_LANGUAGE, config->m_strLanguage);
}

void CEcrTilloraDlg::OnSelect() {
  const CEcrTilloraApp* app = TheApp();
  if (app && app->Library().IsLoaded()) {
    PostAppMessage(UM_SHOW_WINDOW, 16);
    return;
  }
  EcrMessageBox(this, QStringLiteral("System DLL of selected ECR was not able to be read"), MsgButtons::Ok,
                MsgIcon::Warning);
}
