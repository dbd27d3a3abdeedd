// The grid as the user meets it: cell states and colours, column widths and
// the level filter, entries typed, deleted and pasted, the keys it keeps, and
// the right clicks on its headers.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "common/EntryCheck.h"
#include "main_tool/editing/EcrGrid.h"
#include "main_tool/editing/EcrGridModel.h"
#include "main_tool/shell/UmEvents.h"
#include "main_tool/tests/EditingSupport.h"

namespace {

enum Field { F_RANGE, F_FREE, F_OWNER, F_FIXED, F_GATED, F_GATED_RO, F_LONG, F_CENTRE, FIELD_COUNT };

const TableDef kTable{900, L"TEST TABLE", 3, -1, 98};
const std::vector<FieldDef> kFields = {
    {L"RANGE", 11, 0x2801, 2, INPUT_EDIT, CHECK_RANGE, 1, 99, 0, NO_LIST},
    {L"FREE", 12, 0x2802, 5, INPUT_EDIT, CHECK_RANGE, 0, 0, 0, NO_LIST},
    {L"OWNER", 13, 0x2804, 6, INPUT_EDIT, CHECK_OWNER, 0, 0, 0, NO_LIST},
    {L"FIXED", 14, 0x0801, 3, INPUT_EDIT, CHECK_RANGE, 0, 9, 0, NO_LIST},
    {L"GATED", 15, 0x3801, 3, INPUT_EDIT, CHECK_NONE, 1, 9, 0, NO_LIST},
    {L"GATED RO", 16, 0x1801, 3, INPUT_EDIT, CHECK_NONE, 1, 9, 0, NO_LIST},
    {L"A VERY LONG CAPTION TEXT", 17, 0x2400, 4, INPUT_EDIT, CHECK_NONE, 0, 0, 2, NO_LIST},
    {L"MID", 18, 0x2C01, 2, INPUT_EDIT, CHECK_NONE, 0, 0, 0, NO_LIST},
};

// Records a window's posted messages.
class CParent : public QWidget {
 public:
  struct Message {
    QEvent::Type type;
    intptr_t wParam, lParam;
  };
  std::vector<Message> messages;

 protected:
  bool event(QEvent* event) override {
    if (event->type() == UM_OPEN_RECORD_CARD || event->type() == UM_EDIT_COLUMN_CAPTION) {
      const auto* message = static_cast<CUmEvent*>(event);
      messages.push_back({event->type(), message->m_wParam, message->m_lParam});
      return true;
    }
    return QWidget::event(event);
  }
};

class Grid : public testing::Test {
 protected:
  void SetUp() override {
    EnsureQApplication();
    table = &data.AddTable(kTable, kFields);
    SetValueAt(*table, 0, F_GATED, L"5");
    SetValueAt(*table, 1, F_GATED, L"0");
    SetValueAt(*table, 0, F_GATED_RO, L"5");
    SetValueAt(*table, 1, F_GATED_RO, L"0");
    for (int record = 0; record < 3; ++record) SetValueAt(*table, record, F_RANGE, L"7");
    parent = std::make_unique<CParent>();
    parent->resize(900, 300);
    grid = new CEcrGrid(parent.get());
    grid->setGeometry(0, 0, 900, 300);
    parent->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(parent.get()));
    ASSERT_EQ(grid->LoadTable(table, -1), 1);
  }

  QModelIndex Cell(int record, int field) const { return grid->model()->index(record, field); }
  QString Shown(int record, int field) const { return Cell(record, field).data().toString(); }

  // Opens the in-place editor on the cell, types the text and ends with `key`.
  bool Type(int record, int field, const QString& text, Qt::Key key = Qt::Key_Return) {
    grid->setCurrentIndex(Cell(record, field));
    grid->edit(Cell(record, field));
    auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(Cell(record, field)));
    if (!editor) return false;
    editor->selectAll();
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, key);
    ProcessAll();
    return true;
  }

  void Select(int top, int left, int bottom, int right) {
    grid->setCurrentIndex(Cell(top, left));
    grid->selectionModel()->select(QItemSelection(Cell(top, left), Cell(bottom, right)),
                                   QItemSelectionModel::ClearAndSelect);
  }

  CTestData data;
  stTable_t* table = nullptr;
  std::unique_ptr<CParent> parent;
  CEcrGrid* grid = nullptr;
  MessageBoxRecorder boxes{MsgAnswer::Ok};
};

TEST_F(Grid, ShowsEachCellInItsStateWithItsColours) {
  struct Case {
    int record, field, state;
    const char* text;
  };
  const Case cases[] = {
      {0, F_RANGE, CELL_EDITABLE, "7"},        {0, F_FIXED, CELL_READ_ONLY, "0"},
      {0, F_GATED, CELL_EDITABLE, "5"},        {1, F_GATED, CELL_GREY_EDITABLE, "0"},
      {0, F_GATED_RO, CELL_READ_ONLY, "5"},    {1, F_GATED_RO, CELL_GREY_READ_ONLY, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "record " << c.record << " field " << c.field);
    EXPECT_EQ(grid->GetCellState(c.field, c.record), c.state);
    EXPECT_EQ(Shown(c.record, c.field), QString::fromLatin1(c.text));
    const bool editable = c.state == CELL_EDITABLE;
    EXPECT_EQ((Cell(c.record, c.field).flags() & Qt::ItemIsEditable) != 0, editable);
    EXPECT_EQ(Cell(c.record, c.field).data(Qt::BackgroundRole).value<QColor>(),
              editable ? QColor(0xFF, 0xFF, 0xFF) : QColor(0xDC, 0xDC, 0xDC));
  }
  EXPECT_TRUE(Cell(1, F_GATED_RO).data(Qt::ForegroundRole).value<QColor>().isValid());
  std::wstring text = L"kept";
  EXPECT_EQ(grid->GetCellText(F_GATED_RO, 1, text), 1);
  EXPECT_EQ(text, L"0") << "the text of the value, whatever the cell shows";
  EXPECT_EQ(grid->model()->headerData(2, Qt::Vertical).toString(), QStringLiteral("3"));
  EXPECT_EQ(Cell(0, F_RANGE).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignHorizontal_Mask,
            Qt::AlignRight);
  EXPECT_EQ(Cell(0, F_CENTRE).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignHorizontal_Mask,
            Qt::AlignHCenter);
  const QFont font = Cell(0, F_RANGE).data(Qt::FontRole).value<QFont>();
  EXPECT_TRUE(QFontInfo(font).fixedPitch());
  EXPECT_EQ(font.pixelSize(), 12);
}

TEST_F(Grid, ColumnsAreAsWideAsTheirFieldOrHeaderAndFollowTheLevel) {
  EXPECT_EQ(grid->columnWidth(F_RANGE), 9 * 6) << "\"RANGE\" and its terminating zero";
  EXPECT_EQ(grid->columnWidth(F_OWNER), 9 * 6) << "six digits";
  EXPECT_EQ(grid->columnWidth(F_LONG), 9 * 25);
  EXPECT_EQ(grid->model()->headerData(F_LONG, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>() &
                Qt::AlignHorizontal_Mask,
            Qt::AlignLeft);
  EXPECT_EQ(grid->model()->headerData(F_RANGE, Qt::Horizontal, Qt::TextAlignmentRole).value<Qt::Alignment>() &
                Qt::AlignHorizontal_Mask,
            Qt::AlignRight);

  grid->Empty();
  ASSERT_EQ(grid->LoadTable(table, 1), 1);
  for (int field = 0; field < FIELD_COUNT; ++field) EXPECT_EQ(grid->isColumnHidden(field), field != F_LONG) << field;
  ASSERT_EQ(grid->RefreshHeaders(), 1);
  for (int field = 0; field < FIELD_COUNT; ++field) EXPECT_FALSE(grid->isColumnHidden(field)) << field;

  EXPECT_EQ(grid->LoadTable(nullptr, -1), 0);
  EXPECT_EQ(grid->Table(), table) << "a null table changes nothing";
  CEcrGrid empty;
  EXPECT_EQ(empty.RefreshHeaders(), 0);
}

TEST_F(Grid, ValidateEntryAppliesTheRangeOrTheOwnersCheck) {
  struct Case {
    int field;
    const wchar_t* text;
    bool accepted;
    const char* message;
  };
  const Case cases[] = {
      {F_RANGE, L"0", false, "Range is 1 - 99"},   {F_RANGE, L"100", false, "Range is 1 - 99"},
      {F_RANGE, L"12a", false, "Range is 1 - 99"}, {F_RANGE, L"", false, "Range is 1 - 99"},
      {F_RANGE, L"5", true, nullptr},              {F_FREE, L"abc", true, nullptr},
      {F_OWNER, L"4137", false, "Not 13"},         {F_OWNER, L"42", true, nullptr},
      {F_FREE, L"123456", false, "At most 5 characters"},
  };
  for (const Case& c : cases) {
    boxes.texts.clear();
    EXPECT_EQ(grid->ValidateEntry(c.field, 0, c.text) != 0, c.accepted) << QString::fromWCharArray(c.text).toStdString();
    EXPECT_EQ(boxes.texts, c.message ? QStringList{QString::fromLatin1(c.message)} : QStringList());
  }
}

TEST_F(Grid, TypedValuesAreCheckedStoredAndShownFormatted) {
  ASSERT_TRUE(Type(0, F_RANGE, QStringLiteral("42")));
  EXPECT_EQ(ValueAt(*table, 0, F_RANGE), L"42");
  EXPECT_EQ(Shown(0, F_RANGE), QStringLiteral("42"));
  EXPECT_TRUE(boxes.texts.isEmpty());
  EXPECT_EQ(data.m_nChanges, 1) << "an unsaved change of the owner";

  const std::vector<uint8_t> before = RowBytes(*table);
  ASSERT_TRUE(Type(1, F_RANGE, QStringLiteral("0")));
  EXPECT_EQ(boxes.texts, QStringList{QStringLiteral("Range is 1 - 99")});
  EXPECT_EQ(RowBytes(*table), before);
  EXPECT_EQ(Shown(1, F_RANGE), QStringLiteral("7")) << "the cell shows the stored value again";

  boxes.texts.clear();
  ASSERT_TRUE(Type(1, F_RANGE, QStringLiteral("0"), Qt::Key_Escape));
  EXPECT_TRUE(boxes.texts.isEmpty()) << "Esc cancels the edit";
  EXPECT_EQ(RowBytes(*table), before);

  ASSERT_TRUE(Type(2, F_RANGE, QStringLiteral("7")));
  EXPECT_EQ(data.m_nChanges, 1) << "typing the stored text again changes nothing";
}

TEST_F(Grid, AnEntryDoesNotChangeCellStatesBeforeTheNextLoad) {
  // Range-gated without a check: the out-of-range value is taken.
  ASSERT_TRUE(Type(0, F_GATED, QStringLiteral("0")));
  EXPECT_TRUE(boxes.texts.isEmpty());
  EXPECT_EQ(ValueAt(*table, 0, F_GATED), L"0");
  EXPECT_EQ(grid->GetCellState(F_GATED, 0), CELL_EDITABLE);
  grid->Empty();
  grid->LoadTable(table, -1);
  EXPECT_EQ(grid->GetCellState(F_GATED, 0), CELL_GREY_EDITABLE);
}

TEST_F(Grid, DeleteAndPasteNeverTouchReadOnlyCells) {
  const auto readOnlyBytes = [this] {
    std::vector<std::wstring> values;
    for (int record = 0; record < 3; ++record)
      for (int field : {F_FIXED, F_GATED_RO}) values.push_back(ValueAt(*table, record, field));
    values.push_back(ValueAt(*table, 1, F_GATED));
    return values;
  };
  const auto kept = readOnlyBytes();
  Select(0, F_RANGE, 2, F_GATED_RO);
  QTest::keyClick(grid, Qt::Key_Delete);
  EXPECT_EQ(readOnlyBytes(), kept);
  EXPECT_EQ(ValueAt(*table, 0, F_FREE), L"0");
  EXPECT_EQ(ValueAt(*table, 0, F_RANGE), L"7") << "an empty RANGE is refused";
  EXPECT_EQ(boxes.texts, QStringList{QStringLiteral("Range is 1 - 99")}) << "one message for the whole command";

  boxes.texts.clear();
  QApplication::clipboard()->setText(QStringLiteral("12\t345\t77\t8\t9\t9\r\n0\t1\t2\t3\t4\t5\r\n"));
  Select(0, F_RANGE, 0, F_RANGE);
  QTest::keyClick(grid, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(readOnlyBytes(), kept);
  EXPECT_EQ(ValueAt(*table, 0, F_RANGE), L"12");
  EXPECT_EQ(ValueAt(*table, 0, F_FREE), L"345");
  EXPECT_EQ(ValueAt(*table, 0, F_GATED), L"9");
  EXPECT_EQ(ValueAt(*table, 1, F_RANGE), L"7") << "0 is out of range";
  EXPECT_EQ(ValueAt(*table, 1, F_FREE), L"1");
  EXPECT_EQ(boxes.texts, QStringList{QStringLiteral("Range is 1 - 99")});

  // Cut copies the cells, then clears what may be cleared.
  Select(0, F_FREE, 0, F_OWNER);
  QTest::keyClick(grid, Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("345\t77\r\n"));
  EXPECT_EQ(ValueAt(*table, 0, F_FREE), L"0");
}

TEST_F(Grid, F5OpensTheEditorWithAMiddleDotOnlyOnEditableCells) {
  grid->setCurrentIndex(Cell(0, F_FIXED));
  QTest::keyClick(grid, Qt::Key_F5);
  EXPECT_EQ(grid->indexWidget(Cell(0, F_FIXED)), nullptr);
  grid->setCurrentIndex(Cell(0, F_LONG));
  QTest::keyClick(grid, Qt::Key_F5);
  auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(Cell(0, F_LONG)));
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->text(), QString(QChar(0x30FB)));
  EXPECT_EQ(editor->maxLength(), 4);
}

TEST_F(Grid, EnterAndEscStayInTheGrid) {
  QDialog dialog;
  auto* button = new QPushButton(QStringLiteral("Back"), &dialog);
  button->setDefault(true);
  auto* inDialog = new CEcrGrid(&dialog);
  inDialog->setGeometry(0, 40, 400, 200);
  inDialog->LoadTable(table, -1);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  QSignalSpy clicked(button, &QPushButton::clicked);
  QSignalSpy rejected(&dialog, &QDialog::rejected);
  inDialog->setFocus();
  inDialog->setCurrentIndex(inDialog->model()->index(0, F_RANGE));
  QTest::keyClick(inDialog, Qt::Key_Return);
  EXPECT_NE(inDialog->indexWidget(inDialog->model()->index(0, F_RANGE)), nullptr) << "Enter edits the focus cell";
  QTest::keyClick(inDialog->indexWidget(inDialog->model()->index(0, F_RANGE)), Qt::Key_Escape);
  QTest::keyClick(inDialog, Qt::Key_Escape);
  ProcessAll();
  EXPECT_EQ(clicked.count(), 0);
  EXPECT_EQ(rejected.count(), 0);
  EXPECT_TRUE(dialog.isVisible());
}

TEST_F(Grid, RightClicksOnHeadersAskForTheCardOrTheCaptionEditor) {
  QHeaderView* rows = grid->verticalHeader();
  QHeaderView* columns = grid->horizontalHeader();
  QTest::mouseClick(rows->viewport(), Qt::RightButton, {}, QPoint(5, rows->sectionViewportPosition(1) + 3));
  QTest::mouseClick(columns->viewport(), Qt::RightButton, {}, QPoint(columns->sectionViewportPosition(2) + 3, 5));
  // The top left corner asks for nothing.
  QTest::mouseClick(grid, Qt::RightButton, {}, QPoint(2, 2));
  ProcessAll();
  ASSERT_EQ(parent->messages.size(), 2u);
  EXPECT_EQ(parent->messages[0].type, UM_OPEN_RECORD_CARD);
  EXPECT_EQ(parent->messages[0].wParam, reinterpret_cast<intptr_t>(table));
  EXPECT_EQ(parent->messages[0].lParam, 2);
  EXPECT_EQ(grid->currentIndex().row(), 1) << "the row is clicked first";
  EXPECT_EQ(parent->messages[1].type, UM_EDIT_COLUMN_CAPTION);
  EXPECT_EQ(parent->messages[1].lParam, 3);
}

TEST_F(Grid, ATableWithoutRowsShowsHeadersAndNothingToEdit) {
  stTable_t noRows = *table;
  noRows.pRows = nullptr;
  grid->Empty();
  ASSERT_EQ(grid->LoadTable(&noRows, -1), 1);
  EXPECT_EQ(grid->model()->columnCount(), FIELD_COUNT);
  EXPECT_EQ(grid->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("RANGE"));
  EXPECT_EQ(Shown(0, F_RANGE), QString());
  EXPECT_FALSE(Cell(0, F_RANGE).flags() & Qt::ItemIsEditable);
  EXPECT_FALSE(grid->model()->setData(Cell(0, F_RANGE), QStringLiteral("5")));
  std::wstring text = L"kept";
  EXPECT_EQ(grid->GetCellText(F_RANGE, 0, text), 0);
  EXPECT_EQ(text, L"kept");
}

}  // namespace
