#include "main_tool/captions/CaptionEditer.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFontDialog>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "common/CaptionCell.h"
#include "main_tool/editing/CaptionFont.h"
#include "main_tool/editing/ControlId.h"
#include "main_tool/shell/UmEvents.h"

namespace {

// The font of a caption that does not exist yet.
S_LOGFONT DefaultCaptionFont() {
  S_LOGFONT logFont;
  logFont.lfHeight = 12;
  logFont.lfPitchAndFamily = FF_SWISS;
  SetFaceName(logFont, QStringLiteral("MS UI Gothic"));
  return logFont;
}

template <typename Control>
Control* MakeControl(QWidget* parent, int id) {
  auto* control = new Control(parent);
  SetControlId(control, id);
  return control;
}

QLabel* MakeLabel(QWidget* parent, int id, const QString& text) {
  auto* label = MakeControl<QLabel>(parent, id);
  label->setText(text);
  return label;
}

}  // namespace

CCaptionEditer::CCaptionEditer(int32_t windowNumber, int32_t captionNumber, QWidget* owner)
    : QDialog(owner), m_pOwner(owner), m_nWindowNumber(windowNumber), m_nCaptionNumber(captionNumber) {
  setWindowTitle(QStringLiteral("Caption Editer"));
  BuildControls();
  LoadCaption();
}

void CCaptionEditer::BuildControls() {
  m_pWndNo = MakeControl<QLineEdit>(this, 3020);
  m_pCaptionNo = MakeControl<QLineEdit>(this, 3019);
  m_pWndComment = MakeLabel(this, 3021, QStringLiteral("WndCOMMENT"));
  m_pCaption = MakeControl<QLineEdit>(this, 3023);
  auto* font = MakeControl<QPushButton>(this, 3024);
  font->setText(QStringLiteral("Font"));
  font->setAutoDefault(false);
  m_pToolTip = MakeControl<QCheckBox>(this, 3025);
  m_pToolTip->setText(QStringLiteral("ToolTip"));
  m_pToolTipText = MakeControl<QPlainTextEdit>(this, 3026);
  m_pToolTipText->setTabChangesFocus(true);
  m_pToolTipText->setFixedHeight(64);
  m_pPreview = MakeLabel(this, 3027, QStringLiteral("PreView"));
  m_pPreview->setFrameShape(QFrame::StyledPanel);
  m_pPreview->setMinimumHeight(56);
  m_pPreview->setAlignment(Qt::AlignCenter);
  auto* update = MakeControl<QPushButton>(this, 3016);
  update->setText(QStringLiteral("Update"));
  update->setAutoDefault(false);
  auto* close = MakeControl<QPushButton>(this, 1);
  close->setText(QStringLiteral("Close"));
  close->setDefault(true);

  auto* numbers = new QHBoxLayout;
  numbers->addWidget(MakeLabel(this, 3017, QStringLiteral("WndNo:")));
  numbers->addWidget(m_pWndNo);
  numbers->addSpacing(12);
  numbers->addWidget(MakeLabel(this, 3018, QStringLiteral("CaptionNo:")));
  numbers->addWidget(m_pCaptionNo);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(update);
  buttons->addWidget(close);

  auto* grid = new QGridLayout(this);
  grid->addLayout(numbers, 0, 0, 1, 3);
  grid->addWidget(m_pWndComment, 1, 0, 1, 3);
  grid->addWidget(MakeLabel(this, 3022, QStringLiteral("Caption:")), 2, 0);
  grid->addWidget(m_pCaption, 2, 1);
  grid->addWidget(font, 2, 2);
  grid->addWidget(m_pToolTip, 3, 0, Qt::AlignTop);
  grid->addWidget(m_pToolTipText, 3, 1, 1, 2);
  grid->addWidget(m_pPreview, 4, 0, 1, 3);
  grid->addLayout(buttons, 5, 0, 1, 3);
  grid->setColumnStretch(1, 1);
  setMinimumWidth(420);

  connect(m_pCaption, &QLineEdit::textChanged, m_pPreview, &QLabel::setText);
  connect(font, &QPushButton::clicked, this, &CCaptionEditer::OnFont);
  connect(m_pToolTip, &QCheckBox::clicked, this, &CCaptionEditer::OnToolTip);
  connect(update, &QPushButton::clicked, this, &CCaptionEditer::OnUpdate);
  connect(close, &QPushButton::clicked, this, &CCaptionEditer::OnClose);
}

void CCaptionEditer::LoadCaption() {
  m_pWndNo->setText(QString::number(static_cast<uint32_t>(m_nWindowNumber), 16));
  m_pCaptionNo->setText(QString::number(m_nCaptionNumber));
  m_pToolTip->setChecked(true);

  CCaptionManagerBase* manager = CurrentCaptionManager();
  const S_ECR_CAP* windowName = manager ? manager->GetCaption(m_nWindowNumber, 0) : nullptr;
  m_pWndComment->setText(windowName ? CaptionToDisplay(windowName->text) : QStringLiteral("Unknown Window"));

  const S_ECR_CAP* caption = manager ? manager->GetCaption(m_nWindowNumber, m_nCaptionNumber) : nullptr;
  if (caption) {
    m_logFont = caption->font;
    // The caption box holds one line; line breaks are kept as written in the file.
    m_pCaption->setText(QString::fromStdWString(caption->text).replace(QLatin1String("\r\n"), QLatin1String("\\n")));
    m_pToolTipText->setPlainText(CaptionToDisplay(caption->toolTip));
    if (!caption->nToolTip) {
      m_pToolTip->setChecked(false);
      m_pToolTipText->setReadOnly(true);
    }
  } else {
    m_logFont = DefaultCaptionFont();
  }
  SetPreviewFont(m_logFont);
  m_pWndNo->setReadOnly(m_bNumbersLocked);
  m_pCaptionNo->setReadOnly(m_bNumbersLocked);
}

void CCaptionEditer::SetPreviewFont(const S_LOGFONT& logFont) { m_pPreview->setFont(FontFromLogFont(logFont)); }

void CCaptionEditer::OnFont() {
  bool confirmed = false;
  const QFont chosen = QFontDialog::getFont(&confirmed, FontFromLogFont(m_logFont), this);
  if (!confirmed) return;
  m_logFont = LogFontFromFont(chosen, m_logFont);
  SetPreviewFont(m_logFont);
}

void CCaptionEditer::OnToolTip() { m_pToolTipText->setReadOnly(!m_pToolTip->isChecked()); }

void CCaptionEditer::OnUpdate() {
  bool ok = false;
  const int32_t window = static_cast<int32_t>(m_pWndNo->text().toUInt(&ok, 16));
  if (!ok || window == 0) return;
  const int32_t caption = m_pCaptionNo->text().toInt();
  CCaptionManagerBase* manager = CurrentCaptionManager();
  if (!manager) return;
  S_ECR_CAP record;
  record.font = m_logFont;
  record.text = DisplayToCaption(m_pCaption->text().replace(QLatin1String("\\n"), QLatin1String("\n")));
  record.nToolTip = m_pToolTip->isChecked() ? 1 : 0;
  record.toolTip = DisplayToCaption(m_pToolTipText->toPlainText());
  manager->SetCaption(window, caption, &record);
  m_bChanged = 1;
}

void CCaptionEditer::OnClose() {
  if (m_bChanged && m_bNumbersLocked && m_pOwner)
    QCoreApplication::postEvent(m_pOwner, new CUmEvent(UM_REFRESH_WINDOW));
  accept();
}
