#include "main_tool/editing/CardDlg.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "common/CaptionCell.h"
#include "common/EntryCheck.h"
#include "main_tool/editing/CaptionFont.h"
#include "main_tool/editing/ControlId.h"
#include "main_tool/editing/ValueEntry.h"
#include "main_tool/shell/EcrTilloraApp.h"
#include "main_tool/shell/MessageBox.h"
#include "main_tool/shell/ToolConfig.h"

namespace {

constexpr int kTemplateWidth = 640;
constexpr int kTemplateHeight = 466;
constexpr int kFirstRowTop = 80;
constexpr int kRowStep = 34;
constexpr int kEntryLeft = 215;
constexpr int kEntryRightLimit = 622;
constexpr int kOptionWidth = 125;
constexpr int kPixelsPerCharacter = 8;
constexpr int32_t kOptionTablesWindow = 4;
const QChar kF5Character(0xF8F3);  // what F5 types into a text entry

CEcrData* DataObjectOf(int32_t window) {
  CEcrTilloraApp* app = TheApp();
  return app && window ? app->Library().GetEcrDataFromWndNo(window) : nullptr;
}

// The table whose records name the choices of a list or option field.
stTable_t* ChoiceTable(const stField_t& field, bool load) {
  CEcrData* source = DataObjectOf(field.nListWnd);
  if (!source) return nullptr;
  if (load && !source->m_bLoaded) source->Load(nullptr);
  return source->GetTable(field.nListTable);
}

QString ChoiceText(const stTable_t& choices, int record, int field) {
  std::wstring text;
  FormatStoredValue(choices, field, record, text);
  return QString::fromStdWString(text);
}

int WholeMin(const stField_t& field) { return static_cast<int>(field.dMin); }

// The entry's number less the field's min: the position of its choice; -1
// when the number is far outside any list.
int ChoicePosition(const QLineEdit* entry, const stField_t& field) {
  const std::wstring text = entry->text().toStdWString();
  const double number = std::trunc(ReadEntryNumber(text.c_str(), nullptr));
  if (std::fabs(number) > 1e9) return -1;
  return static_cast<int>(number) - WholeMin(field);
}

}  // namespace

CCardDlg::CCardDlg(stTable_t* table, int record, QWidget* parent)
    : CEcrDialog(kTemplateId, kWindowNumber, parent), m_pTable(table), m_nRecord(record) {
  setWindowTitle(QStringLiteral("Record Edit"));
  BuildControls();
  SetTemplateSize(kTemplateWidth, kTemplateHeight);
  setFixedSize(kTemplateWidth, kTemplateHeight);
  Initialise();
}

void CCardDlg::BuildControls() {
  m_pDataNo = PlaceControl<QLabel>(this, IDC_DATA_NO, QRect(10, 12, 70, 22));
  m_pDataNo->setText(QStringLiteral("DataNo."));
  m_pSelector = PlaceControl<QComboBox>(this, IDC_RECORD_SELECTOR, QRect(85, 10, 110, 26));
  m_pSelector->setEditable(true);
  m_pSelector->setInsertPolicy(QComboBox::NoInsert);
  m_pPrevious = PlaceControl<QPushButton>(this, IDC_PREVIOUS, QRect(430, 9, 95, 28));
  m_pPrevious->setText(QStringLiteral("Previous"));
  m_pNext = PlaceControl<QPushButton>(this, IDC_NEXT, QRect(535, 9, 95, 28));
  m_pNext->setText(QStringLiteral("Next"));
  m_pPages = PlaceControl<QTabBar>(this, IDC_PAGES, QRect(10, 46, 620, 28));
  m_pPages->setFocusPolicy(Qt::StrongFocus);  // a click commits the entry being typed
  m_pPages->setExpanding(false);
  for (int k = 0; k < kRowsPerPage; ++k) BuildRow(k);
  m_pClose = PlaceControl<QPushButton>(this, IDC_CLOSE,
                                       QRect(535, kFirstRowTop + kRowsPerPage * kRowStep + 10, 95, 28));
  m_pClose->setText(QStringLiteral("Close"));
  for (QPushButton* button : {m_pPrevious, m_pNext, m_pClose}) button->setAutoDefault(false);

  connect(m_pPages, &QTabBar::currentChanged, this, [this](int page) {
    if (page >= 0) ShowPage(page);
  });
  connect(m_pSelector, &QComboBox::activated, this, [this] { OnRecordChosen(); });
  connect(m_pPrevious, &QPushButton::clicked, this, [this] { SelectRecord(m_pSelector->currentIndex()); });
  connect(m_pNext, &QPushButton::clicked, this, [this] { SelectRecord(m_pSelector->currentIndex() + 2); });
  connect(m_pClose, &QPushButton::clicked, this, &CCardDlg::reject);
}

void CCardDlg::BuildRow(int k) {
  const int top = kFirstRowTop + k * kRowStep;
  Row& row = m_aRows[static_cast<size_t>(k)];
  row.group = PlaceControl<QGroupBox>(this, IDC_FIRST_GROUP + k, QRect(10, top, 620, kRowStep - 2));
  row.caption = PlaceControl<QLabel>(this, IDC_FIRST_CAPTION + k, QRect(18, top + 7, 190, 20));
  row.caption->setText(QStringLiteral("Caption"));
  row.entry = PlaceControl<QLineEdit>(this, IDC_FIRST_ENTRY + k, QRect(kEntryLeft, top + 5, 100, 22));
  row.list = PlaceControl<QComboBox>(this, IDC_FIRST_LIST + k, QRect(kEntryLeft + 106, top + 5, 120, 22));
  connect(row.list, &QComboBox::activated, this, [this, k](int position) { ChooseValue(k, position); });
  for (int j = 0; j < kOptionCount; ++j) {
    QRadioButton*& option = row.options[static_cast<size_t>(j)];
    option = PlaceControl<QRadioButton>(this, IDC_FIRST_OPTION + j * IDC_OPTION_STEP + k,
                                        QRect(kEntryLeft, top + 6, kOptionWidth - 5, 20));
    option->setText(QString::fromUtf8("オプション1"));
    option->setAutoExclusive(false);  // the stored value decides which one is checked
    connect(option, &QRadioButton::clicked, this, [this, k, j] { ChooseValue(k, j); });
  }
}

void CCardDlg::Initialise() {
  for (const Row& row : m_aRows) {
    row.group->hide();
    row.caption->hide();
    HideInputs(row);
  }
  if (!m_pTable) return;
  if (CEcrData* options = DataObjectOf(kOptionTablesWindow); options && !options->m_bLoaded) options->Load(nullptr);
  BindCaption(this, 1);
  BindCaption(m_pClose, 2);
  BindCaption(m_pDataNo, 3);
  BindCaption(m_pPrevious, 4);
  BindCaption(m_pNext, 5);

  for (int record = 1; record <= m_pTable->nRecordCount; ++record) m_pSelector->addItem(QString::number(record));
  m_pSelector->setCurrentIndex(m_nRecord - 1);
  const int level = DisplayLevel();
  for (int field = 0; field < std::min(m_pTable->nFieldCount, MAX_TABLE_FIELDS); ++field)
    if (m_pTable->aFields[field].nLevel >= level) m_lstVisibleFields.push_back(field);

  const int pages = (std::max(static_cast<int>(m_lstVisibleFields.size()), 1) - 1) / kRowsPerPage + 1;
  CCaptionManagerBase* manager = CurrentCaptionManager();
  const S_ECR_CAP* prefix = manager ? manager->GetCaption(kWindowNumber, 6) : nullptr;
  {
    const QSignalBlocker quiet(m_pPages);
    for (int page = 1; page <= pages; ++page)
      m_pPages->addTab(prefix ? QStringLiteral("%1 %2").arg(CaptionToDisplay(prefix->text)).arg(page)
                              : QStringLiteral("Page %1").arg(page));
    m_pPages->setCurrentIndex(0);
  }
  ShowPage(0);
  EnablePreviousNext();
}

int CCardDlg::FieldOfRow(int row) const {
  const size_t n = static_cast<size_t>(m_nPage) * kRowsPerPage + static_cast<size_t>(row);
  return row >= 0 && row < kRowsPerPage && n < m_lstVisibleFields.size() ? m_lstVisibleFields[n] : -1;
}

void CCardDlg::ShowPage(int page) {
  m_nPage = page;
  for (int k = 0; k < kRowsPerPage; ++k) ShowRow(k);
}

void CCardDlg::ShowRow(int k) {
  const Row& row = m_aRows[static_cast<size_t>(k)];
  const int field = FieldOfRow(k);
  if (field < 0) {
    row.group->hide();
    row.caption->hide();
    HideInputs(row);
    return;
  }
  row.group->show();
  row.caption->setText(FieldCaption(m_pTable->aFields[field]));
  row.caption->show();
  SetUpInput(k);
  ApplyState(k);
}

void CCardDlg::HideInputs(const Row& row) {
  row.entry->hide();
  HideChoices(row);
}

void CCardDlg::HideChoices(const Row& row) {
  row.list->hide();
  for (QRadioButton* option : row.options) option->hide();
}

void CCardDlg::SetUpInput(int k) {
  Row& row = m_aRows[static_cast<size_t>(k)];
  const int field = FieldOfRow(k);
  if (field < 0) return;
  const stField_t& descriptor = m_pTable->aFields[field];
  // The entry stays while it is filled again: hiding it would pass its focus on.
  HideChoices(row);
  if (descriptor.nInput != INPUT_EDIT && descriptor.nInput != INPUT_LIST && descriptor.nInput != INPUT_BUTTONS) {
    row.entry->hide();  // not edited on the card
    return;
  }
  std::wstring text;
  FormatStoredValue(*m_pTable, field, m_nRecord - 1, text);
  row.entry->setMaxLength(descriptor.nWidth > 0 ? descriptor.nWidth : 32767);
  row.entry->setText(QString::fromStdWString(text));  // also clears the modified mark
  QRect place = row.entry->geometry();
  place.setWidth(std::min(descriptor.nWidth * kPixelsPerCharacter + 17, kEntryRightLimit - kEntryLeft));
  row.entry->setGeometry(place);
  row.entry->show();
  if (descriptor.nInput == INPUT_LIST) SetUpList(row, descriptor);
  else if (descriptor.nInput == INPUT_BUTTONS) SetUpOptions(row, descriptor);
}

void CCardDlg::SetUpList(Row& row, const stField_t& field) {
  row.list->clear();
  const QRect entry = row.entry->geometry();
  const stTable_t* choices = ChoiceTable(field, true);
  int listWidth = 120;
  if (choices) {
    // An empty first entry stands for min when the choices leave one value over.
    if (static_cast<int>(field.dMax) - WholeMin(field) == choices->nRecordCount) row.list->addItem(QString());
    for (int record = 0; record < choices->nRecordCount; ++record)
      row.list->addItem(ChoiceText(*choices, record, field.nListField));
    if (field.nListField >= 0 && field.nListField < choices->nFieldCount)
      listWidth = std::max(choices->aFields[field.nListField].nWidth * kPixelsPerCharacter, 40);
    const int position = ChoicePosition(row.entry, field);
    row.list->setCurrentIndex(position >= 0 && position <= choices->nRecordCount ? position : -1);
  }
  row.list->setGeometry(entry.right() + 7, entry.top(), std::min(listWidth, kEntryRightLimit - entry.right() - 7),
                        entry.height());
  row.list->show();
}

void CCardDlg::SetUpOptions(Row& row, const stField_t& field) {
  const stTable_t* choices = ChoiceTable(field, false);
  if (!choices) return;
  const int checked = ChoicePosition(row.entry, field);
  const int left = row.entry->geometry().right() + 9;
  for (int j = 0; j < kOptionCount; ++j) {
    QRadioButton* option = row.options[static_cast<size_t>(j)];
    option->setChecked(false);
    option->setText(QString());
    if (j >= choices->nRecordCount) continue;  // a list of two choices shows two buttons
    option->setText(ChoiceText(*choices, j, field.nListField));
    option->setChecked(j == checked);
    option->move(left + j * kOptionWidth, option->y());
    option->show();
  }
  row.group->show();
}

void CCardDlg::ApplyState(int k) {
  // The grid's cell state decides: editable, greyed, or nothing to show.
  const Row& row = m_aRows[static_cast<size_t>(k)];
  const int state = CellState(*m_pTable, m_nRecord - 1, FieldOfRow(k));
  if (state == CELL_GREY_READ_ONLY) {
    HideInputs(row);
    return;
  }
  const bool enabled = state == CELL_EDITABLE;
  row.entry->setEnabled(enabled);
  row.list->setEnabled(enabled);
  for (QRadioButton* option : row.options) option->setEnabled(enabled);
}

bool CCardDlg::Commit(int k) {
  const int field = FieldOfRow(k);
  if (field < 0) return false;
  const int record = m_nRecord - 1;
  const std::wstring text = m_aRows[static_cast<size_t>(k)].entry->text().toStdWString();
  std::wstring stored;
  // Choosing or typing what is stored changes nothing, and its bytes stay.
  if (FormatStoredValue(*m_pTable, field, record, stored) && stored == text) return true;
  std::wstring message;
  if (!CheckTypedValue(*m_pTable, field, record, text, message)) {
    EcrMessageBox(this, QString::fromStdWString(message), MsgButtons::Ok, MsgIcon::NoIcon);
    return false;
  }
  if (StoreTypedValue(*m_pTable, field, record, text)) m_bChanged = 1;
  return true;
}

void CCardDlg::CommitEntry(int k) {
  QLineEdit* entry = m_aRows[static_cast<size_t>(k)].entry;
  const bool committed = Commit(k);
  SetUpInput(k);
  if (committed) return;
  // The refused text goes; the entry keeps the focus with the stored value selected.
  QTimer::singleShot(0, entry, [entry] {
    entry->setFocus(Qt::OtherFocusReason);
    entry->selectAll();
  });
}

void CCardDlg::ChooseValue(int k, int offsetFromMin) {
  const int field = FieldOfRow(k);
  if (field < 0) return;
  m_aRows[static_cast<size_t>(k)].entry->setText(QString::number(WholeMin(m_pTable->aFields[field]) + offsetFromMin));
  Commit(k);
  SetUpInput(k);
}

void CCardDlg::SelectRecord(int record) {
  if (record < 1 || record > m_pSelector->count()) return;
  m_pSelector->setCurrentIndex(record - 1);
  OnRecordChosen();
}

void CCardDlg::OnRecordChosen() {
  if (m_pSelector->currentIndex() < 0) return;
  m_nRecord = m_pSelector->currentIndex() + 1;
  for (int k = 0; k < kRowsPerPage; ++k)
    if (FieldOfRow(k) >= 0) ShowRow(k);
  EnablePreviousNext();
}

void CCardDlg::EnablePreviousNext() {
  m_pPrevious->setEnabled(m_nRecord >= 2);
  m_pNext->setEnabled(m_nRecord < m_pSelector->count());
}

int CCardDlg::RowOfEntry(const QObject* object) const {
  for (int k = 0; k < kRowsPerPage; ++k)
    if (m_aRows[static_cast<size_t>(k)].entry == object) return k;
  return -1;
}

bool CCardDlg::eventFilter(QObject* watched, QEvent* event) {
  // The filter sees the whole application from the host's construction on.
  if (!m_pClose) return CEcrDialog::eventFilter(watched, event);
  const int k = RowOfEntry(watched);
  if (k >= 0 && event->type() == QEvent::FocusOut) {
    // A message box or a list's pop-up takes the focus for a moment: that
    // is no end of the entry.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
        m_aRows[static_cast<size_t>(k)].entry->isModified())
      CommitEntry(k);
  } else if (event->type() == QEvent::KeyPress && (k >= 0 || watched == m_pSelector->lineEdit())) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (k >= 0 && key == Qt::Key_F5) {
      const int field = FieldOfRow(k);
      if (field >= 0 && (m_pTable->aFields[field].uType & FT_STORAGE_MASK) == FT_TEXT)
        m_aRows[static_cast<size_t>(k)].entry->insert(QString(kF5Character));
      return true;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      // Enter never closes the card: it stores the entry, or picks the
      // record typed into the selector.
      if (k >= 0 && m_aRows[static_cast<size_t>(k)].entry->isModified()) CommitEntry(k);
      if (k < 0) {
        const std::wstring text = m_pSelector->lineEdit()->text().toStdWString();
        double number = 0;
        if (IsEntryNumber(text.c_str(), number) && number >= 1 && number <= m_pSelector->count())
          SelectRecord(static_cast<int>(number));
      }
      return true;
    }
  }
  return CEcrDialog::eventFilter(watched, event);
}
