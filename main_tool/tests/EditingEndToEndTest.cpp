// The table editors on the demo data, as a user takes them: from the
// function menu to a table, a price typed and written to "PLU.ECR", a
// refused save, refused entries, and the record card.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "main_tool/editing/CardDlg.h"
#include "main_tool/editing/ControlId.h"
#include "main_tool/editing/EcrGrid.h"
#include "main_tool/editing/FlexListDlg.h"
#include "main_tool/shell/SelectDlg.h"
#include "main_tool/shell/UmEvents.h"
#include "main_tool/tests/EditingSupport.h"

namespace {

constexpr int kRecordTable = 1;  // departments, PLUs and clerks: the records follow the block's table
constexpr uint32_t ID_PLU_CODE = 401, ID_PLU_PRICE1 = 410, ID_PLU_TAX = 415, ID_PLU_STOCK = 429;
constexpr uint32_t ID_DEPT_TAX = 208, ID_CLERK_PASS_CODE = 603;
// "PLU.ECR": count word and 99 group names, then records of 66 bytes with PRICE1 at 32.
constexpr size_t kPluRecords = 1784, kPluRecordSize = 66, kPrice1 = 32;

class EndToEnd : public testing::Test {
 protected:
  void SetUp() override {
    EnsureQApplication();
    session = std::make_unique<DemoSession>();
  }
  void TearDown() override { session.reset(); }

  CFlexListDlg* OpenRecords(int32_t window) {
    CFlexListDlg* editor = session->Open(window);
    if (editor) editor->TableList()->setCurrentRow(kRecordTable);
    return editor;
  }
  QModelIndex Cell(CFlexListDlg* editor, int record, uint32_t id) {
    return editor->Grid()->model()->index(record, FieldIndex(*editor->Grid()->Table(), id));
  }
  // Types into the cell's in-place editor and ends with Enter.
  void Type(CFlexListDlg* editor, const QModelIndex& cell, const QString& text) {
    CEcrGrid* grid = editor->Grid();
    grid->setCurrentIndex(cell);
    grid->edit(cell);
    auto* line = qobject_cast<QLineEdit*>(grid->indexWidget(cell));
    ASSERT_NE(line, nullptr);
    line->selectAll();
    QTest::keyClicks(line, text);
    QTest::keyClick(line, Qt::Key_Return);
    ProcessAll();
  }

  std::unique_ptr<DemoSession> session;
  MessageBoxRecorder boxes{MsgAnswer::Ok};
};

TEST_F(EndToEnd, TheFunctionMenuOpensEachTableEditor) {
  const std::pair<int, int32_t> buttons[] = {{1034, 17}, {1011, 18}, {1014, 19}, {1032, 20}, {1035, 21}};
  for (const auto& [id, window] : buttons) {
    SCOPED_TRACE(window);
    session->App().ShowWindow(16);
    auto* menu = qobject_cast<CSelectDlg*>(session->App().CurrentWindow());
    ASSERT_NE(menu, nullptr);
    menu->Button(id)->click();
    ProcessAll();
    auto* editor = qobject_cast<CFlexListDlg*>(session->App().CurrentWindow());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->WindowNumber(), window);
    EXPECT_GT(editor->TableList()->count(), 0);
    EXPECT_TRUE(editor->Button(CFlexListDlg::IDC_UPDATE)->isEnabled());
    EXPECT_GT(editor->Grid()->model()->rowCount(), 0);
  }
  // No report was converted yet: the viewer has nothing to show.
  session->Open(24);
  EXPECT_EQ(boxes.texts, QStringList{QStringLiteral("There is no data that can be displayed at the current level")});
  EXPECT_NE(qobject_cast<CSelectDlg*>(session->App().CurrentWindow()), nullptr);
}

TEST_F(EndToEnd, APriceTypedIntoThePluTableIsWrittenToPluEcr) {
  const std::string before = session->DataFile("PLU.ECR");
  CFlexListDlg* editor = OpenRecords(18);
  ASSERT_NE(editor, nullptr);
  Type(editor, Cell(editor, 0, ID_PLU_PRICE1), QStringLiteral("1234"));
  EXPECT_EQ(Cell(editor, 0, ID_PLU_PRICE1).data().toString(), QStringLiteral("1234"));
  editor->Button(CFlexListDlg::IDC_UPDATE)->click();
  EXPECT_EQ(boxes.texts, QStringList{QStringLiteral("Update Success")});
  const std::string after = session->DataFile("PLU.ECR");
  ASSERT_EQ(after.size(), before.size());
  const size_t price = kPluRecords + kPrice1;
  EXPECT_EQ(after.substr(price, 4), std::string("\x34\x12\x00\x00", 4)) << "8 packed digits, low byte first";
  EXPECT_EQ(after.substr(0, price), before.substr(0, price));
  EXPECT_EQ(after.substr(price + 4), before.substr(price + 4)) << "nothing else changed";
  EXPECT_EQ(session->Data(18)->m_nChanges, 0);
}

TEST_F(EndToEnd, DuplicatePluCodesRefuseTheSaveAndKeepTheFile) {
  const std::string before = session->DataFile("PLU.ECR");
  CFlexListDlg* editor = OpenRecords(18);
  ASSERT_NE(editor, nullptr);
  const QString code = Cell(editor, 0, ID_PLU_CODE).data().toString();
  Type(editor, Cell(editor, 1, ID_PLU_CODE), code);
  editor->Button(CFlexListDlg::IDC_UPDATE)->click();
  EXPECT_EQ(boxes.texts, QStringList{QStringLiteral("Update Fail\nThe unique key (PLU code etc.) overlaps")});
  EXPECT_EQ(session->DataFile("PLU.ECR"), before);
  int shown = 0;
  for (int record = 0; record < 3; ++record) shown += Cell(editor, record, ID_PLU_CODE).data().toString() == code;
  EXPECT_EQ(shown, 2) << "both records stay on display";
  EXPECT_GT(session->Data(18)->m_nChanges, 0) << "the edits are still unsaved";
}

TEST_F(EndToEnd, RefusedEntriesShowTheirMessageAndLeaveTheRecord) {
  struct Case {
    int32_t window;
    uint32_t field;
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {18, ID_PLU_TAX, "5", "Range is 0 - 4"},
      {18, ID_PLU_STOCK, "1.2345", "Input until THIRD decimal place"},
      {19, ID_CLERK_PASS_CODE, "12G4", "0-9,A,B,C,D,E,F"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    CFlexListDlg* editor = OpenRecords(c.window);
    ASSERT_NE(editor, nullptr);
    const std::vector<uint8_t> before = RowBytes(*editor->Grid()->Table());
    const QString shown = Cell(editor, 2, c.field).data().toString();
    boxes.texts.clear();
    Type(editor, Cell(editor, 2, c.field), QString::fromLatin1(c.text));
    EXPECT_EQ(boxes.texts, QStringList{QString::fromLatin1(c.message)});
    EXPECT_EQ(RowBytes(*editor->Grid()->Table()), before);
    EXPECT_EQ(Cell(editor, 2, c.field).data().toString(), shown);
  }
}

TEST_F(EndToEnd, TheRecordCardChangesADepartmentsTaxAndTheGridShowsIt) {
  CFlexListDlg* editor = OpenRecords(17);
  ASSERT_NE(editor, nullptr);
  stTable_t* departments = editor->Grid()->Table();
  const int tax = FieldIndex(*departments, ID_DEPT_TAX);
  const int before = std::stoi(ValueAt(*departments, 1, tax));
  ASSERT_LT(before, 4);
  QHeaderView* rows = editor->Grid()->verticalHeader();
  const bool opened = WithModalDialog(
      [&] { QTest::mouseClick(rows->viewport(), Qt::RightButton, {}, QPoint(5, rows->sectionViewportPosition(1) + 3)); },
      [&](QWidget* modal) {
        auto* card = qobject_cast<CCardDlg*>(modal);
        ASSERT_NE(card, nullptr);
        EXPECT_EQ(card->RecordNumber(), 2);
        int row = 0;
        while (row < CCardDlg::kRowsPerPage && card->FieldOfRow(row) != tax) ++row;
        auto* list = qobject_cast<QComboBox*>(FindControl(card, CCardDlg::IDC_FIRST_LIST + row));
        ASSERT_NE(list, nullptr);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        qobject_cast<QPushButton*>(FindControl(card, CCardDlg::IDC_CLOSE))->click();
      });
  ASSERT_TRUE(opened);
  EXPECT_EQ(ValueAt(*departments, 1, tax), std::to_wstring(before + 1));
  EXPECT_EQ(editor->Grid()->model()->index(1, tax).data().toString(), QString::number(before + 1));
}

}  // namespace
