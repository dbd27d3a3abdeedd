#include "main_tool/editing/EcrDialog.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QTableView>
#include <algorithm>

#include "common/CaptionCell.h"
#include "main_tool/captions/CaptionEditer.h"
#include "main_tool/editing/AboutDlg.h"
#include "main_tool/editing/CaptionFont.h"
#include "main_tool/editing/ProgramIcon.h"
#include "main_tool/shell/ToolConfig.h"
#include "main_tool/shell/UmEvents.h"

namespace {

bool CaptionEditingOn() {
  const CToolConfig* config = TheToolConfig();
  return config && config->m_nCapEdit == 1;
}

// Controls that grow with the window: grids in both directions (the button
// list of the keyboard screen only downwards), list boxes downwards.
enum class Growth { None, Both, Height };

Growth GrowthOf(const QWidget* control) {
  if (control->inherits("CBtnListCtrl")) return Growth::Height;
  if (qobject_cast<const QTableView*>(control)) return Growth::Both;
  if (qobject_cast<const QListView*>(control)) return Growth::Height;
  return Growth::None;
}

}  // namespace

void SetControlText(QWidget* control, const QString& text) {
  if (auto* button = qobject_cast<QAbstractButton*>(control)) button->setText(text);
  else if (auto* label = qobject_cast<QLabel*>(control)) label->setText(text);
  else if (auto* group = qobject_cast<QGroupBox*>(control)) group->setTitle(text);
  else if (auto* edit = qobject_cast<QLineEdit*>(control)) edit->setText(text);
  else if (control->isWindow()) control->setWindowTitle(text);
}

CEcrDialog::CEcrDialog(int templateId, int32_t windowNumber, QWidget* parent)
    : QDialog(parent), m_nTemplateId(templateId), m_nWindowNumber(windowNumber) {
  if (!parent)
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
  setWindowIcon(ProgramIcon());
  AddAboutEntry();
  // Right clicks reach the host before any control handles them.
  qApp->installEventFilter(this);
}

void CEcrDialog::AddAboutEntry() {
  // Linux window managers offer no system menu to extend: the about entry is
  // the window's context menu and F1.
  auto* about = new QAction(tr("Version Info EcrTillora(&A)..."), this);
  about->setShortcut(QKeySequence::HelpContents);
  about->setShortcutContext(Qt::WindowShortcut);
  connect(about, &QAction::triggered, this, [this] { CAboutDlg(this).exec(); });
  addAction(about);
  setContextMenuPolicy(Qt::ActionsContextMenu);
}

void CEcrDialog::SetTemplateSize(int width, int height) {
  resize(width, height);
  m_nLastWidth = width;
  m_nLastHeight = height;
  m_templateSize = QSize(width, height);
  for (QWidget* control : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    m_mapTemplatePositions.insert(control, control->pos());
}

int CEcrDialog::CentreChild(QWidget* control) {
  auto found = m_mapTemplatePositions.constFind(control);
  if (found == m_mapTemplatePositions.constEnd()) return 0;
  const QSize growth = size() - m_templateSize;
  control->move(found.value() + QPoint(std::max(0, growth.width()) / 2, std::max(0, growth.height()) / 2));
  return 1;
}

int CEcrDialog::DoModal() {
  m_bModal = 1;
  return exec();
}

void CEcrDialog::reject() {
  if (m_bModal) {
    QDialog::reject();
    return;
  }
  PostAppMessage(UM_ASK_EXIT);
}

CEcrDialog::Binding* CEcrDialog::FindBinding(const QWidget* control) {
  for (Binding& binding : m_bindings)
    if (binding.control == control) return &binding;
  return nullptr;
}

void CEcrDialog::BindCaption(QWidget* control, int32_t caption) {
  if (!control) return;
  Binding* binding = FindBinding(control);
  if (binding && binding->caption == caption) return;
  if (binding) binding->caption = caption;
  else m_bindings.push_back({control, caption});
  ApplyCaption(control, caption);
}

void CEcrDialog::ApplyCaption(QWidget* control, int32_t caption) {
  CCaptionManagerBase* manager = CurrentCaptionManager();
  const S_ECR_CAP* found = manager ? manager->GetCaption(m_nWindowNumber, caption) : nullptr;
  if (!found) return;
  control->setFont(FontFromLogFont(found->font));
  SetControlText(control, CaptionToDisplay(found->text));
  control->setToolTip(found->nToolTip ? CaptionToDisplay(found->toolTip) : QString());
}

int CEcrDialog::RefreshCaptions() {
  for (const Binding& binding : m_bindings)
    if (binding.control) ApplyCaption(binding.control, binding.caption);
  update();
  return 0;
}

void CEcrDialog::OnRefreshWindow() { RefreshCaptions(); }

bool CEcrDialog::event(QEvent* event) {
  if (event->type() == UM_REFRESH_WINDOW) {
    OnRefreshWindow();
    return true;
  }
  if (event->type() == UM_EDIT_CONTROL_CAPTION) {
    EditControlCaption(static_cast<CUmEvent*>(event)->m_pControl);
    return true;
  }
  return QDialog::event(event);
}

bool CEcrDialog::IsOwnWidget(QObject* object) const {
  return object->isWidgetType() && static_cast<QWidget*>(object)->window() == this;
}

bool CEcrDialog::eventFilter(QObject* watched, QEvent* event) {
  if (!CaptionEditingOn() || !IsOwnWidget(watched)) return false;
  if (event->type() == QEvent::MouseButtonPress) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::RightButton && !m_bCaptionEditor) StartCaptionEditing(mouse->globalPosition().toPoint());
    return false;  // the press itself is handled as usual
  }
  // While captions are edited, the right button belongs to the caption editor.
  return event->type() == QEvent::ContextMenu;
}

void CEcrDialog::StartCaptionEditing(const QPoint& globalPosition) {
  m_bCaptionEditor = 1;
  // The widget under the mouse, disabled ones included; inside a compound
  // control (a combo box's edit field) the bound control that holds it.
  QWidget* target = childAt(mapFromGlobal(globalPosition));
  QWidget* bound = target;
  while (bound && bound != this && !FindBinding(bound)) bound = bound->parentWidget();
  if (bound && bound != this) target = bound;
  QCoreApplication::postEvent(this, new CUmEvent(UM_EDIT_CONTROL_CAPTION, target ? target : this));
}

int CEcrDialog::EditControlCaption(QWidget* control) {
  if (!m_bCaptionEditor) return 0;
  const Binding* binding = control ? FindBinding(control) : nullptr;
  if (binding) {
    CCaptionEditer editor(m_nWindowNumber, binding->caption, this);
    editor.exec();
  }
  m_bCaptionEditor = 0;
  return 0;
}

int CEcrDialog::LayoutChild(QWidget*, int, int) { return 0; }

void CEcrDialog::PlaceChild(QWidget* control, int dx, int dy) {
  const QRect rect = control->geometry();
  switch (GrowthOf(control)) {
    case Growth::Both: control->resize(rect.width() + dx, rect.height() + dy); break;
    case Growth::Height: control->resize(rect.width(), rect.height() + dy); break;
    case Growth::None: control->move(rect.x() + dx, rect.y() + dy); break;
  }
}

void CEcrDialog::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  const int width = event->size().width(), height = event->size().height();
  if (width < 2 || height < 2) return;
  if (m_nLastWidth >= 0) {
    const int dx = width - m_nLastWidth, dy = height - m_nLastHeight;
    if (dx != 0 || dy != 0) {
      for (QObject* child : children()) {
        auto* control = qobject_cast<QWidget*>(child);
        if (!control || control->isWindow()) continue;
        if (!LayoutChild(control, dx, dy)) PlaceChild(control, dx, dy);
      }
      update();
    }
  }
  m_nLastWidth = width;
  m_nLastHeight = height;
}
