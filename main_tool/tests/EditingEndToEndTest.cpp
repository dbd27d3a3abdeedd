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
#include <filesystem>

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
    return editor->Grid()->model()->index(record, FindField(*editor->Grid()->Table(), id));
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
  const int tax = FindField(*departments, ID_DEPT_TAX);
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

// Converts the demo reports of the data folder into CSV files beside them,
// with a copy of Convra whose settings name the working folder's library.
bool ConvertDemoReports(const WorkingFolder& work) {
  std::filesystem::copy_file(ECR_BIN_DIR "/Convra", work.Path("Convra"));
  work.Write("CONVRA.ini", "[PATH]\nDLL=" + work.Path("Arvodll.so") + "\n[CAP]\nCAP=" + work.Path("Cap") + "\n");
  const std::string command = work.Path("Convra") + " " + work.Path("Data") + " " + work.Path("Data") + " >/dev/null";
  return std::system(command.c_str()) == 0;
}

TEST_F(EndToEnd, TheReportViewerShowsConvertedReportsReadOnly) {
  ASSERT_TRUE(ConvertDemoReports(session->Work()));
  session->App().Config().m_nAutoPopup = 1;
  CFlexListDlg* viewer = session->Open(24);
  ASSERT_NE(viewer, nullptr);
  EXPECT_TRUE(boxes.texts.isEmpty());
  ASSERT_GT(viewer->TableList()->count(), 0);
  EXPECT_FALSE(viewer->Button(CFlexListDlg::IDC_UPDATE)->isEnabled());
  EXPECT_FALSE(viewer->Button(CFlexListDlg::IDC_DUMP)->isVisible());
  for (int row = 0; row < viewer->TableList()->count(); ++row) {
    viewer->TableList()->setCurrentRow(row);
    const QAbstractItemModel* cells = viewer->Grid()->model();
    ASSERT_GT(cells->rowCount(), 0) << row;
    bool anyText = false;
    for (int column = 0; column < cells->columnCount(); ++column) {
      EXPECT_FALSE(cells->index(0, column).flags() & Qt::ItemIsEditable);
      anyText = anyText || !cells->index(0, column).data().toString().isEmpty();
    }
    EXPECT_TRUE(anyText) << "table " << viewer->TableList()->item(row)->text().toStdString();
  }
  QHeaderView* rows = viewer->Grid()->verticalHeader();
  EXPECT_FALSE(WithModalDialog(
      [&] { QTest::mouseClick(rows->viewport(), Qt::RightButton, {}, QPoint(5, rows->sectionViewportPosition(0) + 3)); },
      [](QWidget* modal) { static_cast<QDialog*>(modal)->reject(); }))
      << "no record card";
}

}  // namespace
