// The record card on tables made in the test, with choices from the demo
// data's option tables and PLU groups: pages, lists, option buttons, the
// range rule, entries committed by Enter, Tab and choices, F5, the record
// selector.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>

#include "main_tool/editing/CardDlg.h"
#include "main_tool/editing/ControlId.h"
#include "main_tool/tests/EditingSupport.h"
#include "model_library/data/OptionLists.h"

namespace {

constexpr ListRef kPluGroups{18, 0, 0};  // 99 group names

// Fields "F1" ... of one kind: editable bytes within 0..99.
std::vector<FieldDef> PlainFields(int count) {
  static std::vector<std::wstring> captions;
  captions.clear();
  captions.reserve(static_cast<size_t>(count));
  std::vector<FieldDef> fields;
  for (int i = 1; i <= count; ++i) {
    captions.push_back(L"F" + std::to_wstring(i));
    fields.push_back({captions.back().c_str(), static_cast<uint32_t>(100 + i), 0x2801, 2, INPUT_EDIT, CHECK_RANGE, 0,
                      99, 0, NO_LIST});
  }
  return fields;
}

enum { F_TEXT, F_GROUP, F_GROUP_FROM_ZERO, F_STATUS, F_YESNO, F_GATED, F_GATED_RO, F_NONE, F_LOW, F_RANGE };
const std::vector<FieldDef> kMixedFields = {
    {L"NAME", 1, 0x2400, 10, INPUT_EDIT, CHECK_NONE, 0, 0, 0, NO_LIST},
    {L"GROUP", 2, 0x2801, 2, INPUT_LIST, CHECK_RANGE, 0, 99, 0, kPluGroups},
    {L"GROUP FROM 0", 3, 0x2801, 2, INPUT_LIST, CHECK_RANGE, 0, 98, 0, kPluGroups},
    {L"STATUS", 4, 0x2801, 1, INPUT_BUTTONS, CHECK_RANGE, 0, 2, 0, LIST3_STAT_OP},
    {L"YES OR NO", 5, 0x2801, 1, INPUT_BUTTONS, CHECK_RANGE, 1, 2, 0, LIST2_YESNO},
    {L"GATED", 6, 0x3801, 2, INPUT_EDIT, CHECK_RANGE, 1, 9, 0, NO_LIST},
    {L"GATED RO", 7, 0x1801, 2, INPUT_EDIT, CHECK_RANGE, 1, 9, 0, NO_LIST},
    {L"NOT HERE", 8, 0x2801, 2, INPUT_NONE, CHECK_RANGE, 0, 9, 0, NO_LIST},
    {L"LOW", 9, 0x2801, 2, INPUT_EDIT, CHECK_RANGE, 0, 9, -5, NO_LIST},
    {L"RANGE", 10, 0x2801, 2, INPUT_EDIT, CHECK_RANGE, 1, 50, 0, NO_LIST},
};

class Card : public testing::Test {
 protected:
  void SetUp() override {
    EnsureQApplication();
    session = std::make_unique<DemoSession>("", "[4]\n6=" + CaptionLine("Sheet") + "\n");
    mixed = &data.AddTable({1, L"MIXED", 4, -1, 2}, kMixedFields);
    SetValueAt(*mixed, 0, F_TEXT, L"APPLE");
    SetValueAt(*mixed, 0, F_GROUP, L"5");
    SetValueAt(*mixed, 0, F_STATUS, L"1");
    SetValueAt(*mixed, 0, F_YESNO, L"4");
    SetValueAt(*mixed, 0, F_GATED, L"0");
    SetValueAt(*mixed, 0, F_GATED_RO, L"0");
    SetValueAt(*mixed, 0, F_RANGE, L"7");
    SetValueAt(*mixed, 1, F_GATED, L"3");
  }
  void TearDown() override {
    card.reset();
    session.reset();
  }

  CCardDlg& Open(stTable_t* table, int record) {
    card = std::make_unique<CCardDlg>(table, record, nullptr);
    card->show();
    card->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(card.get()));
    return *card;
  }
  template <typename Control>
  Control* Row(int id, int k) const {
    return qobject_cast<Control*>(FindControl(card.get(), id + k));
  }
  QLineEdit* Entry(int k) const { return Row<QLineEdit>(CCardDlg::IDC_FIRST_ENTRY, k); }
  QComboBox* List(int k) const { return Row<QComboBox>(CCardDlg::IDC_FIRST_LIST, k); }
  QRadioButton* Option(int k, int j) const {
    return Row<QRadioButton>(CCardDlg::IDC_FIRST_OPTION + j * CCardDlg::IDC_OPTION_STEP, k);
  }
  // A click on the button's round mark.
  void ClickOption(int k, int j) {
    QRadioButton* option = Option(k, j);
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(6, option->height() / 2));
    ProcessAll();
  }
  // The row of the page on display that shows the field.
  int RowOf(int field) const {
    for (int k = 0; k < CCardDlg::kRowsPerPage; ++k)
      if (card->FieldOfRow(k) == field) return k;
    return -1;
  }
  void TypeAndEnter(int k, const QString& text) {
    Entry(k)->setFocus();
    Entry(k)->selectAll();
    QTest::keyClicks(Entry(k), text);
    QTest::keyClick(Entry(k), Qt::Key_Return);
    ProcessAll();
  }

  std::unique_ptr<DemoSession> session;
  MessageBoxRecorder boxes{MsgAnswer::Ok};
  CTestData data;
  stTable_t* mixed = nullptr;
  std::unique_ptr<CCardDlg> card;
};

TEST_F(Card, ShowsTenFieldsAPageWithPageTitlesFromTheCaptions) {
  stTable_t& wide = data.AddTable({2, L"WIDE", 2, -1, 2}, PlainFields(25));
  CCardDlg& dialog = Open(&wide, 1);
  auto* pages = qobject_cast<QTabBar*>(FindControl(&dialog, CCardDlg::IDC_PAGES));
  ASSERT_EQ(pages->count(), 3);
  EXPECT_EQ(pages->tabText(0), QStringLiteral("Sheet 1"));
  EXPECT_EQ(pages->tabText(2), QStringLiteral("Sheet 3"));
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Record Edit"));
  pages->setCurrentIndex(2);
  EXPECT_EQ(dialog.Page(), 2);
  for (int k = 0; k < CCardDlg::kRowsPerPage; ++k) {
    SCOPED_TRACE(k);
    const bool shown = k < 5;
    EXPECT_EQ(Row<QLabel>(CCardDlg::IDC_FIRST_CAPTION, k)->isVisible(), shown);
    EXPECT_EQ(Row<QGroupBox>(CCardDlg::IDC_FIRST_GROUP, k)->isVisible(), shown);
    EXPECT_EQ(Entry(k)->isVisible(), shown);
  }
  EXPECT_EQ(Row<QLabel>(CCardDlg::IDC_FIRST_CAPTION, 4)->text(), QStringLiteral("F25"));
}

TEST_F(Card, PagesAreTitledPageWithoutACaption) {
  session.reset();
  session = std::make_unique<DemoSession>();
  stTable_t& wide = data.AddTable({2, L"WIDE", 2, -1, 2}, PlainFields(11));
  Open(&wide, 1);
  auto* pages = qobject_cast<QTabBar*>(FindControl(card.get(), CCardDlg::IDC_PAGES));
  ASSERT_EQ(pages->count(), 2);
  EXPECT_EQ(pages->tabText(1), QStringLiteral("Page 2"));
}

TEST_F(Card, ShowsFieldsAtOrAboveTheDisplayLevel) {
  session->App().Config().m_nLevel = -1;
  Open(mixed, 1);
  EXPECT_EQ(RowOf(F_LOW), -1) << "level -5 is below -1";
  EXPECT_EQ(RowOf(F_RANGE), F_RANGE - 1);
}

TEST_F(Card, ListsOfferTheNamesOfTheListTable) {
  stTable_t* groups = session->Data(18)->GetTable(0);
  ASSERT_EQ(groups->nRecordCount, 99);
  Open(mixed, 1);
  QComboBox* withBlank = List(RowOf(F_GROUP));
  ASSERT_EQ(withBlank->count(), 100) << "max - min is the record count: an empty entry stands for 0";
  EXPECT_EQ(withBlank->itemText(0), QString());
  EXPECT_EQ(withBlank->itemText(1).toStdWString(), ValueAt(*groups, 0, 0));
  EXPECT_EQ(withBlank->currentIndex(), 5);
  QComboBox* fromZero = List(RowOf(F_GROUP_FROM_ZERO));
  ASSERT_EQ(fromZero->count(), 99);
  EXPECT_EQ(fromZero->itemText(0).toStdWString(), ValueAt(*groups, 0, 0));
  EXPECT_EQ(fromZero->currentIndex(), 0);

  // Choosing an entry stores min + its position.
  withBlank->setFocus();
  QTest::keyClick(withBlank, Qt::Key_Down);
  ProcessAll();
  EXPECT_EQ(ValueAt(*mixed, 0, F_GROUP), L"6");
  EXPECT_EQ(Entry(RowOf(F_GROUP))->text(), QStringLiteral("6"));
  EXPECT_TRUE(card->Changed());
}

TEST_F(Card, OptionButtonsShowTheFirstChoicesOfTheListTable) {
  Open(mixed, 1);
  const int status = RowOf(F_STATUS), yesNo = RowOf(F_YESNO);
  EXPECT_EQ(Option(status, 0)->text(), QStringLiteral("OPEN&&PRESET")) << "shown as OPEN&PRESET";
  EXPECT_TRUE(Option(status, 1)->isChecked());
  EXPECT_FALSE(Option(status, 0)->isChecked());
  EXPECT_TRUE(Option(yesNo, 1)->isVisible());
  EXPECT_FALSE(Option(yesNo, 2)->isVisible()) << "two choices, two buttons";
  for (int j = 0; j < 2; ++j) EXPECT_FALSE(Option(yesNo, j)->isChecked()) << "4 - 1 is no choice";

  ClickOption(status, 2);
  EXPECT_EQ(ValueAt(*mixed, 0, F_STATUS), L"2");
  EXPECT_TRUE(Option(status, 2)->isChecked());
  EXPECT_FALSE(Option(status, 1)->isChecked());
  ClickOption(yesNo, 0);
  EXPECT_EQ(ValueAt(*mixed, 0, F_YESNO), L"1") << "min + the button's place";
}

TEST_F(Card, OutOfRangeValuesOfGatedFieldsAreGreyedOrHidden) {
  Open(mixed, 1);
  const int gated = RowOf(F_GATED), readOnly = RowOf(F_GATED_RO);
  EXPECT_TRUE(Entry(gated)->isVisible());
  EXPECT_FALSE(Entry(gated)->isEnabled());
  EXPECT_FALSE(Entry(readOnly)->isVisible());
  EXPECT_TRUE(Row<QLabel>(CCardDlg::IDC_FIRST_CAPTION, readOnly)->isVisible());
  EXPECT_FALSE(Entry(RowOf(F_NONE))->isVisible()) << "a field the card does not edit";
  EXPECT_TRUE(Entry(RowOf(F_RANGE))->isEnabled());

  // The next record's value is in range: the row follows it.
  qobject_cast<QPushButton*>(FindControl(card.get(), CCardDlg::IDC_NEXT))->click();
  EXPECT_EQ(card->RecordNumber(), 2);
  EXPECT_TRUE(Entry(gated)->isEnabled());
  EXPECT_EQ(Entry(gated)->text(), QStringLiteral("3"));
}

TEST_F(Card, EnterStoresAValidEntryAndKeepsTheCardOpen) {
  Open(mixed, 1);
  const int range = RowOf(F_RANGE);
  TypeAndEnter(range, QStringLiteral("42"));
  EXPECT_EQ(ValueAt(*mixed, 0, F_RANGE), L"42");
  EXPECT_TRUE(card->isVisible());
  EXPECT_TRUE(card->Changed());
  EXPECT_EQ(data.m_nChanges, 1);
  EXPECT_TRUE(boxes.texts.isEmpty());

  const std::vector<uint8_t> before = RowBytes(*mixed);
  TypeAndEnter(range, QStringLiteral("51"));
  EXPECT_EQ(boxes.texts, QStringList{QStringLiteral("Range is 1 - 50")});
  EXPECT_EQ(RowBytes(*mixed), before);
  EXPECT_EQ(Entry(range)->text(), QStringLiteral("42")) << "the stored value again";
  EXPECT_TRUE(Entry(range)->hasFocus());
  EXPECT_EQ(Entry(range)->selectedText(), QStringLiteral("42"));
}

TEST_F(Card, LeavingAnEntryCommitsIt) {
  Open(mixed, 1);
  const int range = RowOf(F_RANGE);
  Entry(range)->setFocus();
  Entry(range)->selectAll();
  QTest::keyClicks(Entry(range), QStringLiteral("9"));
  QTest::keyClick(Entry(range), Qt::Key_Tab);
  ProcessAll();
  EXPECT_EQ(ValueAt(*mixed, 0, F_RANGE), L"9");
  EXPECT_FALSE(Entry(range)->hasFocus()) << "Tab moved on";
}

TEST_F(Card, F5TypesItsCharacterOnlyIntoTextEntries) {
  Open(mixed, 1);
  QLineEdit* name = Entry(RowOf(F_TEXT));
  name->setFocus();
  name->setCursorPosition(2);
  QTest::keyClick(name, Qt::Key_F5);
  EXPECT_EQ(name->text(), QStringLiteral("AP") + QChar(0xF8F3) + QStringLiteral("PLE"));
  QLineEdit* range = Entry(RowOf(F_RANGE));
  range->setFocus();
  QTest::keyClick(range, Qt::Key_F5);
  EXPECT_EQ(range->text(), QStringLiteral("7"));
}

TEST_F(Card, TheRecordSelectorStepsThroughTheRecords) {
  Open(mixed, 1);
  auto* previous = qobject_cast<QPushButton*>(FindControl(card.get(), CCardDlg::IDC_PREVIOUS));
  auto* next = qobject_cast<QPushButton*>(FindControl(card.get(), CCardDlg::IDC_NEXT));
  auto* selector = qobject_cast<QComboBox*>(FindControl(card.get(), CCardDlg::IDC_RECORD_SELECTOR));
  EXPECT_EQ(selector->count(), 4);
  EXPECT_FALSE(previous->isEnabled());
  EXPECT_TRUE(next->isEnabled());
  selector->lineEdit()->setFocus();
  selector->lineEdit()->selectAll();
  QTest::keyClicks(selector->lineEdit(), QStringLiteral("4"));
  QTest::keyClick(selector->lineEdit(), Qt::Key_Return);
  EXPECT_EQ(card->RecordNumber(), 4);
  EXPECT_FALSE(next->isEnabled());
  EXPECT_TRUE(card->isVisible()) << "Enter never closes the card";
  selector->lineEdit()->selectAll();
  QTest::keyClicks(selector->lineEdit(), QStringLiteral("9"));
  QTest::keyClick(selector->lineEdit(), Qt::Key_Return);
  EXPECT_EQ(card->RecordNumber(), 4) << "a number outside the records is ignored";
  previous->click();
  EXPECT_EQ(card->RecordNumber(), 3);
  EXPECT_EQ(Entry(RowOf(F_TEXT))->text(), QString()) << "the rows show record 3";
  EXPECT_FALSE(card->Changed());
}

}  // namespace
