#include "main_tool/editing/FlexListDlg.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolTip>

#include "common/CaptionCell.h"
#include "main_tool/captions/CaptionEditer.h"
#include "main_tool/editing/CaptionFont.h"
#include "main_tool/editing/CardDlg.h"
#include "main_tool/editing/ControlId.h"
#include "main_tool/editing/EcrGrid.h"
#include "main_tool/editing/ValueEntry.h"
#include "main_tool/shell/EcrTilloraDlg.h"
#include "main_tool/shell/MessageBox.h"
#include "main_tool/shell/ToolConfig.h"
#include "main_tool/shell/UmEvents.h"

namespace {

constexpr int kTemplateWidth = 640;
constexpr int kTemplateHeight = 440;
constexpr int32_t kFunctionMenu = 16;
constexpr int kRecordListLevel = 98;  // tables that accept a CSV import
constexpr int kFirstLevelCaption = 11;
constexpr int kLastLevelCaption = 15;
constexpr int kTipTextLimit = 80;

// The buttons: id, template text, caption number, place.
struct ButtonDef {
  int id;
  const char* text;  // UTF-8
  int32_t caption;
  QRect rect;
};

// Captions are bound in this order: Sort, Import CSV, Update, Back, Dump.
const ButtonDef kButtons[] = {
    {CFlexListDlg::IDC_SORT, "ソート", 1, QRect(370, 396, 80, 30)},
    {CFlexListDlg::IDC_IMPORT_CSV, "Import CSV", 9, QRect(96, 396, 84, 30)},
    {CFlexListDlg::IDC_UPDATE, "更新", 2, QRect(460, 396, 80, 30)},
    {CFlexListDlg::IDC_BACK, "戻る", 3, QRect(550, 396, 80, 30)},
    {CFlexListDlg::IDC_DUMP, "ダンプ", 4, QRect(10, 396, 80, 30)},
};

const QRect kTableListRect(10, 10, 170, 376);
const QRect kGridRect(190, 10, 440, 376);
const QRect kLevelListRect(10, 10, 170, 24);

const QString kDumpFilter = QStringLiteral("Text Files (*.txt);;Csv Files (*.csv);;All Files (*)");

bool AutoPopupOn() {
  const CToolConfig* config = TheToolConfig();
  return config && config->m_nAutoPopup == 1;
}

// The wait cursor, shown while a handler works on the whole table.
class CWaitCursor {
 public:
  CWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~CWaitCursor() { QApplication::restoreOverrideCursor(); }
  CWaitCursor(const CWaitCursor&) = delete;
  CWaitCursor& operator=(const CWaitCursor&) = delete;
};

}  // namespace

CFlexListDlg::CFlexListDlg(int32_t windowNumber, CEcrData* dataObject)
    : CEcrDialog(kTemplateId, windowNumber), m_pData(dataObject) {
  BuildControls();
  SetTemplateSize(kTemplateWidth, kTemplateHeight);
  setWindowTitle(ScreenTitle());
  for (const ButtonDef& button : kButtons) BindCaption(Button(button.id), button.caption);
  FillLevelList();
  m_pLevels->hide();
  Button(IDC_DUMP)->hide();
  Initialise();
}

void CFlexListDlg::BuildControls() {
  m_pTables = PlaceControl<QListWidget>(this, IDC_TABLE_LIST, kTableListRect);
  m_pTables->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  m_pGrid = PlaceControl<CEcrGrid>(this, IDC_GRID, kGridRect);
  m_pGrid->horizontalHeader()->viewport()->setMouseTracking(true);
  m_pLevels = PlaceControl<QComboBox>(this, IDC_LEVEL_LIST, kLevelListRect);
  static const std::pair<int, void (CFlexListDlg::*)()> kHandlers[] = {
      {IDC_SORT, &CFlexListDlg::OnSort},     {IDC_IMPORT_CSV, &CFlexListDlg::OnImportCsv},
      {IDC_UPDATE, &CFlexListDlg::OnUpdate}, {IDC_BACK, &CFlexListDlg::OnBack},
      {IDC_DUMP, &CFlexListDlg::OnDump}};
  for (const ButtonDef& def : kButtons) {
    auto* button = PlaceControl<QPushButton>(this, def.id, def.rect);
    button->setText(QString::fromUtf8(def.text));
    button->setAutoDefault(false);
    for (const auto& [id, handler] : kHandlers)
      if (id == def.id) connect(button, &QPushButton::clicked, this, handler);
  }
  // Enter in the table list acts as Back.
  Button(IDC_BACK)->setDefault(true);
  connect(m_pTables, &QListWidget::currentRowChanged, this, [this] { OnTableSelected(); });
}

QPushButton* CFlexListDlg::Button(int id) const { return qobject_cast<QPushButton*>(FindControl(this, id)); }

void CFlexListDlg::FillLevelList() {
  CCaptionManagerBase* manager = CurrentCaptionManager();
  for (int32_t caption = kFirstLevelCaption; manager && caption <= kLastLevelCaption; ++caption) {
    const S_ECR_CAP* level = manager->GetCaption(0, caption);
    if (!level) break;
    m_pLevels->addItem(CaptionToDisplay(level->text));
  }
  const int level = DisplayLevel();
  m_pLevels->setCurrentIndex(level >= 0 && level < m_pLevels->count() ? level : -1);
}

int CFlexListDlg::SelectedLevel() const { return m_pLevels->currentIndex(); }

void CFlexListDlg::Initialise() {
  if (!m_pData) {
    LeaveForMenu(5, L"There is no pertinent data");
    return;
  }
  if (!m_pData->m_bLoaded) m_pData->Load(nullptr);
  if (!FillTableList()) {
    LeaveForMenu(8, L"There is no data that can be displayed at the current level");
    return;
  }
  {
    const QSignalBlocker quiet(m_pTables);
    m_pTables->setCurrentRow(0);
  }
  stTable_t* first = m_pData->GetTable(m_lstTableMap.front());
  const bool shown = m_pGrid->LoadTable(first, SelectedLevel()) != 0;
  Button(IDC_UPDATE)->setEnabled(shown && m_pData->m_bLoaded &&
                                 (m_pData->m_nKind == KIND_REGISTER || m_pData->m_nKind == KIND_REGISTER_ALT));
  Button(IDC_DUMP)->setVisible(shown && m_pData->m_nKind != KIND_CSV_REPORTS);
  ShowTableButtons(shown ? first : nullptr);
  if (AutoPopupOn()) PostRecordCard();
}

bool CFlexListDlg::FillTableList() {
  // Levels compare unsigned: a negative display level hides every table.
  const auto level = static_cast<uint32_t>(DisplayLevel());
  const int count = m_pData->GetTableCount();
  for (int index = 0; index < count; ++index) {
    const stTable_t* table = m_pData->GetTable(index);
    if (!table || static_cast<uint32_t>(table->nLevel) < level) continue;
    m_lstTableMap.push_back(index);
    m_pTables->addItem(TableCaption(*table));
  }
  return !m_lstTableMap.empty();
}

void CFlexListDlg::LeaveForMenu(int32_t caption, const wchar_t* fallback) {
  for (const ButtonDef& button : kButtons)
    if (button.id != IDC_BACK) Button(button.id)->setEnabled(false);
  EcrMessageBox(this, CaptionToDisplay(CaptionTextOr(WindowNumber(), caption, fallback)), MsgButtons::Ok,
                MsgIcon::NoIcon);
  PostAppMessage(UM_SHOW_WINDOW, kFunctionMenu);
}

int CFlexListDlg::SelectedTableIndex() const {
  const int row = m_pTables->currentRow();
  return row >= 0 && row < static_cast<int>(m_lstTableMap.size()) ? m_lstTableMap[static_cast<size_t>(row)] : -1;
}

void CFlexListDlg::ReloadGrid(stTable_t* table) {
  if (!table) {
    const int index = SelectedTableIndex();
    if (index < 0 || !m_pData) return;
    table = m_pData->GetTable(index);
  }
  m_pGrid->hide();
  m_pGrid->Empty();
  m_pGrid->LoadTable(table, SelectedLevel());
  m_pGrid->show();
}

void CFlexListDlg::ShowTableButtons(const stTable_t* table) {
  Button(IDC_SORT)->setVisible(table && table->nSortField != -1);
  Button(IDC_IMPORT_CSV)->setVisible(table && table->nLevel == kRecordListLevel);
}

bool CFlexListDlg::OpensRecordCards() const {
  return m_pData && (m_pData->m_nKind == KIND_REGISTER || m_pData->m_nKind == KIND_REGISTER_ALT);
}

void CFlexListDlg::PostRecordCard() {
  const int index = SelectedTableIndex();
  if (index < 0) return;
  QCoreApplication::postEvent(this,
                              new CUmEvent(UM_OPEN_RECORD_CARD, reinterpret_cast<intptr_t>(m_pData->GetTable(index)), 1));
}

void CFlexListDlg::OnUpdate() {
  if (!m_pData) return;
  int saved = 0;
  {
    const CWaitCursor wait;
    saved = m_pData->Save(nullptr);
  }
  if (saved) {
    m_pData->m_nChanges = 0;
    EcrMessageBox(this, CaptionToDisplay(CaptionTextOr(WindowNumber(), 6, L"Update Success")), MsgButtons::Ok,
                  MsgIcon::Information);
  } else {
    EcrMessageBox(this,
                  CaptionToDisplay(CaptionTextOr(WindowNumber(), 7,
                                                 L"Update Fail\nThe unique key (PLU code etc.) overlaps")),
                  MsgButtons::Ok, MsgIcon::NoIcon);
  }
  const CWaitCursor wait;
  ReloadGrid();
}

void CFlexListDlg::OnSort() {
  const int index = SelectedTableIndex();
  if (index < 0 || !m_pData) return;
  const CWaitCursor wait;
  m_pData->Sort(index);
  ReloadGrid();
}

void CFlexListDlg::OnDump() {
  const int index = SelectedTableIndex();
  if (index < 0 || !m_pData) return;
  const QString path = ChooseFile(this, {FileDialogMode::Save, kDumpFilter, QString()});
  if (path.isEmpty()) return;
  if (m_pData->ExportText(index, path.toStdWString().c_str()))
    EcrMessageBox(this, QStringLiteral("Success"), MsgButtons::Ok, MsgIcon::Information);
}

void CFlexListDlg::OnImportCsv() {
  const int index = SelectedTableIndex();
  if (index < 0 || !m_pData) return;
  const QString path = ChooseFile(this, {FileDialogMode::Open, QString(), QStringLiteral("csv")});
  if (path.isEmpty()) return;
  const int imported = m_pData->ImportText(index, path.toStdWString().c_str());
  // Whatever the import changed, even when it stopped half-way, is unsaved.
  ++m_pData->m_nChanges;
  if (imported) EcrMessageBox(this, QStringLiteral("Success"), MsgButtons::Ok, MsgIcon::Information);
  const CWaitCursor wait;
  ReloadGrid();
}

void CFlexListDlg::OnBack() { PostAppMessage(UM_SHOW_WINDOW, kFunctionMenu); }

void CFlexListDlg::OnTableSelected() {
  if (SelectedTableIndex() < 0) return;
  {
    const CWaitCursor wait;
    ReloadGrid();
    ShowTableButtons(m_pData->GetTable(SelectedTableIndex()));
  }
  if (AutoPopupOn()) PostRecordCard();
}

void CFlexListDlg::OnRecordCard(stTable_t* table, int record) {
  if (!OpensRecordCards() || !table) return;
  CCardDlg card(table, record, this);
  card.DoModal();
  if (!card.Changed()) return;
  const CWaitCursor wait;
  ReloadGrid(table);
}

void CFlexListDlg::OnEditColumnCaption(stTable_t* table, int column) {
  const CToolConfig* config = TheToolConfig();
  if (!config || config->m_nCapEdit != 1 || CaptionEditorRunning()) return;
  if (!table || column < 1 || column > table->nFieldCount) return;
  SetCaptionEditorRunning(true);
  CCaptionEditer editor(WND_TABLE_CAPTIONS, static_cast<int32_t>(table->aFields[column - 1].uId), this);
  editor.exec();
  SetCaptionEditorRunning(false);
}

void CFlexListDlg::OnRefreshWindow() {
  m_pGrid->RefreshHeaders();
  CEcrDialog::OnRefreshWindow();
}

bool CFlexListDlg::event(QEvent* event) {
  if (event->type() == UM_OPEN_RECORD_CARD || event->type() == UM_EDIT_COLUMN_CAPTION) {
    const auto* message = static_cast<const CUmEvent*>(event);
    auto* table = reinterpret_cast<stTable_t*>(message->m_wParam);
    const int number = static_cast<int>(message->m_lParam);
    if (event->type() == UM_OPEN_RECORD_CARD) OnRecordCard(table, number);
    else OnEditColumnCaption(table, number);
    return true;
  }
  return CEcrDialog::event(event);
}

int CFlexListDlg::LayoutChild(QWidget* control, int, int dy) {
  const int id = ControlIdOf(control);
  if (id != IDC_DUMP && id != IDC_IMPORT_CSV) return 0;
  control->move(control->x(), control->y() + dy);
  return 1;
}

bool CFlexListDlg::eventFilter(QObject* watched, QEvent* event) {
  // The filter sees the whole application from the host's construction on.
  if (!m_pGrid) return CEcrDialog::eventFilter(watched, event);
  const QEvent::Type type = event->type();
  if (watched == m_pGrid->horizontalHeader()->viewport()) {
    if (type == QEvent::ToolTip) return true;  // the header's tips are shown below
    if (type == QEvent::MouseMove || type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
        type == QEvent::Leave)
      TrackHeaderTip(event);
  } else if (type == QEvent::MouseMove && watched->isWidgetType() &&
             static_cast<QWidget*>(watched)->window() == this && m_nHoveredColumn != -1) {
    m_nHoveredColumn = -1;
    QToolTip::hideText();
  }
  return CEcrDialog::eventFilter(watched, event);
}

void CFlexListDlg::TrackHeaderTip(QEvent* event) {
  if (event->type() == QEvent::Leave) {
    m_nHoveredColumn = -1;
    QToolTip::hideText();
    return;
  }
  // A tip shows only once the mouse has moved twice within one header cell.
  const auto* mouse = static_cast<QMouseEvent*>(event);
  const int column = m_pGrid->horizontalHeader()->logicalIndexAt(mouse->position().toPoint().x()) + 1;
  const QString tip = column == m_nHoveredColumn ? HeaderTipText(column) : QString();
  if (tip.isEmpty()) QToolTip::hideText();
  else QToolTip::showText(mouse->globalPosition().toPoint(), tip, m_pGrid->horizontalHeader()->viewport());
  m_nHoveredColumn = column;
}

QString CFlexListDlg::HeaderTipText(int column) const {
  const stTable_t* table = m_pGrid->Table();
  CCaptionManagerBase* manager = CurrentCaptionManager();
  if (column <= 0 || !table || column > table->nFieldCount || !manager) return QString();
  const S_ECR_CAP* caption =
      manager->GetCaption(WND_TABLE_CAPTIONS, static_cast<int32_t>(table->aFields[column - 1].uId));
  if (!caption || !caption->nToolTip || caption->toolTip.size() >= kTipTextLimit) return QString();
  return CaptionToDisplay(caption->toolTip);
}
