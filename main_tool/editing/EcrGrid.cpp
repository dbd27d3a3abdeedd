#include "main_tool/editing/EcrGrid.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyledItemDelegate>
#include <algorithm>

#include "main_tool/editing/EcrGridModel.h"
#include "main_tool/editing/ValueEntry.h"
#include "main_tool/shell/MessageBox.h"
#include "main_tool/shell/UmEvents.h"

namespace {

constexpr int kPixelsPerCharacter = 9;
constexpr int kRowPadding = 6;
const QChar kMiddleDot(0x30FB);  // what F5 types: the katakana middle dot

// The in-place editor takes at most the field's width in characters, as the
// checks expect, and draws in the cells' font.
class CCellDelegate : public QStyledItemDelegate {
 public:
  explicit CCellDelegate(CEcrGrid* grid) : QStyledItemDelegate(grid), m_pGrid(grid) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    const stTable_t* table = m_pGrid->Table();
    auto* line = qobject_cast<QLineEdit*>(editor);
    if (line && table && index.column() < table->nFieldCount) {
      const int width = table->aFields[index.column()].nWidth;
      if (width > 0) line->setMaxLength(width);
      line->setFont(index.data(Qt::FontRole).value<QFont>());
    }
    return editor;
  }

 private:
  CEcrGrid* m_pGrid;
};

// Clipboard text of the grid: cells separated by tabs, rows by line ends.
QList<QStringList> SplitClipboardText(const QString& text) {
  QStringList lines = text.split(QLatin1Char('\n'));
  if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  QList<QStringList> rows;
  for (QString& line : lines) {
    if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
    rows << line.split(QLatin1Char('\t'));
  }
  return rows;
}

}  // namespace

CEcrGrid::CEcrGrid(QWidget* parent) : QTableView(parent), m_pModel(new CEcrGridModel(this)) {
  setModel(m_pModel);
  setItemDelegate(new CCellDelegate(this));
  m_pModel->SetValidator([this](int field, int record, const std::wstring& text) {
    return ValidateEntry(field, record, text);
  });
  // Cells are picked one range at a time; a column header selects its
  // column, a row header nothing. Nothing is dragged, sorted or resized.
  setSelectionMode(QAbstractItemView::ContiguousSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                  QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
  setTabKeyNavigation(true);
  setDragEnabled(false);
  setSortingEnabled(false);
  setWordWrap(false);
  setShowGrid(true);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setSectionsClickable(false);
  horizontalHeader()->setHighlightSections(false);
  const int cellHeight = QFontMetrics(m_pModel->data(QModelIndex(), Qt::FontRole).value<QFont>()).height();
  verticalHeader()->setDefaultSectionSize(std::max(cellHeight, verticalHeader()->fontMetrics().height()) + kRowPadding);
  horizontalHeader()->viewport()->installEventFilter(this);
  verticalHeader()->viewport()->installEventFilter(this);
}

stTable_t* CEcrGrid::Table() const { return m_pModel->Table(); }

int CEcrGrid::ColumnWidth(const stField_t& field, const QString& header) {
  // One byte per character in the register's single-byte code page, plus
  // the terminating zero.
  const int headerBytes = static_cast<int>(header.toStdWString().size()) + 1;
  return kPixelsPerCharacter * std::max(field.nWidth, headerBytes);
}

int CEcrGrid::LoadTable(stTable_t* table, int level) {
  if (!table) return 0;
  m_pModel->Bind(table);
  SizeColumns(level);
  return 1;
}

void CEcrGrid::Empty() { m_pModel->Bind(nullptr); }

void CEcrGrid::SizeColumns(int level) {
  const stTable_t* table = Table();
  for (int field = 0; field < m_pModel->columnCount(); ++field) {
    const stField_t& descriptor = table->aFields[field];
    setColumnWidth(field, ColumnWidth(descriptor, m_pModel->HeaderText(field)));
    setColumnHidden(field, descriptor.nLevel < level);
  }
}

int CEcrGrid::RefreshHeaders() {
  if (!Table()) return 0;
  m_pModel->RefreshHeaders();
  SizeColumns(-1);
  viewport()->update();
  return 1;
}

int CEcrGrid::GetCellState(int field, int record) const { return m_pModel->State(record, field); }

int CEcrGrid::GetCellText(int field, int record, std::wstring& text) const {
  const stTable_t* table = Table();
  return table && FormatStoredValue(*table, field, record, text) ? 1 : 0;
}

int CEcrGrid::ValidateEntry(int field, int record, const std::wstring& text) {
  stTable_t* table = Table();
  if (!table) return 0;
  std::wstring message;
  if (CheckTypedValue(*table, field, record, text, message)) return 1;
  const QString shown = QString::fromStdWString(message);
  if (m_bInCommand) m_lstRefusals << shown;
  else EcrMessageBox(this, shown, MsgButtons::Ok, MsgIcon::NoIcon);
  return 0;
}

void CEcrGrid::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    // Kept here, or the dialog's default button would act on it.
    if (state() != EditingState && (currentIndex().flags() & Qt::ItemIsEditable))
      edit(currentIndex(), EditKeyPressed, event);
    event->accept();
  } else if (event->key() == Qt::Key_Escape) {
    event->accept();
  } else if (event->key() == Qt::Key_F5) {
    StartEditWithMiddleDot();
  } else if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
    ClearSelectedCells();
  } else if (event->matches(QKeySequence::Copy)) {
    CopySelection();
  } else if (event->matches(QKeySequence::Cut)) {
    CopySelection();
    ClearSelectedCells();
  } else if (event->matches(QKeySequence::Paste)) {
    PasteClipboard();
  } else {
    QTableView::keyPressEvent(event);
  }
}

void CEcrGrid::StartEditWithMiddleDot() {
  const QModelIndex index = currentIndex();
  if (!index.isValid() || !(index.flags() & Qt::ItemIsEditable)) return;
  if (state() != EditingState && !edit(index, EditKeyPressed, nullptr)) return;
  if (auto* editor = qobject_cast<QLineEdit*>(indexWidget(index))) {
    editor->selectAll();
    editor->insert(QString(kMiddleDot));
  }
}

bool CEcrGrid::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
    const QPoint point = static_cast<QMouseEvent*>(event)->position().toPoint();
    if (watched == verticalHeader()->viewport()) {
      const int row = verticalHeader()->logicalIndexAt(point.y());
      if (row >= 0) OnRowHeaderRightClick(row);
    } else if (watched == horizontalHeader()->viewport()) {
      const int column = horizontalHeader()->logicalIndexAt(point.x());
      if (column >= 0 && Table()) PostToParent(UM_EDIT_COLUMN_CAPTION, column + 1);
    }
  }
  return QTableView::eventFilter(watched, event);
}

void CEcrGrid::OnRowHeaderRightClick(int row) {
  if (!Table()) return;
  // The row is clicked first, so the card's record is the focus row.
  int column = currentIndex().isValid() ? currentIndex().column() : 0;
  while (column < m_pModel->columnCount() - 1 && isColumnHidden(column)) ++column;
  const QModelIndex cell = m_pModel->index(row, column);
  selectionModel()->setCurrentIndex(cell, QItemSelectionModel::ClearAndSelect);
  PostToParent(UM_OPEN_RECORD_CARD, row + 1);
}

void CEcrGrid::PostToParent(QEvent::Type type, intptr_t number) {
  if (QWidget* parent = parentWidget())
    QCoreApplication::postEvent(parent, new CUmEvent(type, reinterpret_cast<intptr_t>(Table()), number));
}

void CEcrGrid::BeginCommand() {
  m_bInCommand = true;
  m_lstRefusals.clear();
}

void CEcrGrid::EndCommand() {
  m_bInCommand = false;
  m_lstRefusals.removeDuplicates();
  if (!m_lstRefusals.isEmpty())
    EcrMessageBox(this, m_lstRefusals.join(QLatin1Char('\n')), MsgButtons::Ok, MsgIcon::NoIcon);
  m_lstRefusals.clear();
}

void CEcrGrid::ClearSelectedCells() {
  BeginCommand();
  // Read-only cells refuse the change in the model (flags and setData agree).
  for (const QModelIndex& index : selectionModel()->selectedIndexes())
    if (!isColumnHidden(index.column())) m_pModel->setData(index, QString());
  EndCommand();
}

QRect CEcrGrid::SelectedRange() const {
  QRect range;  // x: columns, y: rows
  for (const QModelIndex& index : selectionModel()->selectedIndexes())
    range = range.united(QRect(index.column(), index.row(), 1, 1));
  return range;
}

void CEcrGrid::CopySelection() {
  const QRect range = SelectedRange();
  if (range.isEmpty()) return;
  QStringList lines;
  for (int row = range.top(); row <= range.bottom(); ++row) {
    QStringList cells;
    for (int column = range.left(); column <= range.right(); ++column)
      if (!isColumnHidden(column)) cells << m_pModel->index(row, column).data().toString();
    lines << cells.join(QLatin1Char('\t'));
  }
  QApplication::clipboard()->setText(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

void CEcrGrid::PasteClipboard() {
  // From the top left cell of the selection, or the focus cell.
  const QRect range = SelectedRange();
  const QModelIndex origin = range.isEmpty() ? currentIndex() : m_pModel->index(range.top(), range.left());
  if (!origin.isValid()) return;
  BeginCommand();
  int row = origin.row();
  for (const QStringList& cells : SplitClipboardText(QApplication::clipboard()->text())) {
    if (row >= m_pModel->rowCount()) break;
    // Pasted cells fill the columns on display, from the origin rightwards.
    int column = origin.column();
    for (const QString& text : cells) {
      while (column < m_pModel->columnCount() && isColumnHidden(column)) ++column;
      if (column >= m_pModel->columnCount()) break;
      m_pModel->setData(m_pModel->index(row, column++), text);
    }
    ++row;
  }
  EndCommand();
}
