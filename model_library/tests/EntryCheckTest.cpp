// The entry check shared by the grid, the record card and ecrtool.
#include <gtest/gtest.h>

#include <iterator>

#include "common/EntryCheck.h"
#include "model_library/data/TableDef.h"

namespace {

// An owner that refuses texts starting with "x" and remembers what it was asked.
class FakeOwner : public CEcrData {
 public:
  FakeOwner() : CEcrData(L"FAKE", KIND_REGISTER, -1) {}
  int Load(const wchar_t*) override { return 0; }
  int Save(const wchar_t*) override { return 0; }
  int GetTableCount() override { return 0; }
  stTable_t* GetTable(int) override { return nullptr; }
  int CheckValue(CheckReq* request) override {
    m_lastRequest = *request;
    m_strLastText = request->pszText;
    if (request->pszText[0] != L'x') return 1;
    *request->pstrMessage = L"no x";
    return 0;
  }
  CheckReq m_lastRequest{};
  std::wstring m_strLastText;
};

class EntryCheckTest : public ::testing::Test {
 protected:
  void SetUp() override {
    static const FieldDef fields[] = {
        {L"PRICE", 1, 0x2904, 8, INPUT_EDIT, CHECK_RANGE, 0, 99999999, 2, NO_LIST},
        {L"ANY", 2, 0x2801, 1, INPUT_EDIT, CHECK_RANGE, 5, 5, 2, NO_LIST},
        {L"OWNED", 3, 0x2902, 4, INPUT_EDIT, CHECK_OWNER, 0, 0, 2, NO_LIST},
        {L"FREE", 4, 0x2400, 6, INPUT_EDIT, CHECK_NONE, 0, 0, 2, NO_LIST},
        {L"AMOUNT", 5, 0x2B06, 11, INPUT_EDIT, CHECK_RANGE, -9.5, 9.5, 2, NO_LIST},
        {L"SIGNED", 6, 0x2812, 4, INPUT_EDIT, CHECK_RANGE, -20, 20, 2, NO_LIST},
        {L"GREYS", 7, 0x3C01, 3, INPUT_EDIT, CHECK_RANGE, 1, 9, 2, NO_LIST},
        {L"SHOWN", 8, 0x0801, 3, INPUT_NONE, CHECK_NONE, 0, 0, 2, NO_LIST},
        {L"SHOWN GREY", 9, 0x1801, 3, INPUT_NONE, CHECK_NONE, 1, 9, 2, NO_LIST},
    };
    BuildTable(table, TableDef{1, L"T", 3, -1, 2}, fields, static_cast<int>(std::size(fields)), rows, &owner);
    ASSERT_LE(static_cast<size_t>(table.nRecordSize) * table.nRecordCount, sizeof rows);
  }
  int Check(int field, const wchar_t* text) { return CheckEntry(table, field, 1, text, message); }

  FakeOwner owner;
  uint8_t rows[256] = {};
  stTable_t table;
  std::wstring message;
};

TEST_F(EntryCheckTest, RangeChecksWholeTextsWithinTheBounds) {
  const struct {
    int field;
    const wchar_t* text;
    int accepted;
  } cases[] = {
      {0, L"0", 1},      {0, L"99999999", 1}, {0, L"", 1},      {0, L"100000000", 0}, {0, L"-1", 0},
      {0, L"12abc", 0},  {0, L"1e3", 0},      {0, L"0x10", 0},  {0, L"inf", 0},       {0, L"12.5", 0},
      {0, L"12.0", 1},   {0, L" 12", 1},      {0, L"12 ", 0},   {0, L"+7", 1},        {0, L"-", 0},
      {4, L"9.5", 1},    {4, L"-9.5", 1},     {4, L"9.51", 0},  {4, L".5", 1},        {4, L"5.", 1},
      {5, L"-20", 1},    {5, L"-21", 0},      {1, L"anything", 1},
      {3, L"free text", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "field " << c.field << " text '" << std::wstring(c.text).size() << "'");
    EXPECT_EQ(c.accepted, Check(c.field, c.text));
    if (!c.accepted && c.field == 0) {
      EXPECT_EQ(L"Range is 0 - 99999999", message);
    }
    if (c.accepted) {
      EXPECT_EQ(L"", message);
    }
  }
  Check(5, L"99");
  EXPECT_EQ(L"Range is -20 - 20", message);
}

TEST_F(EntryCheckTest, OwnerChecksGetTheRequestAndGiveTheMessage) {
  EXPECT_EQ(1, Check(2, L"42.5"));
  EXPECT_EQ(&table, owner.m_lastRequest.pTable);
  EXPECT_EQ(2, owner.m_lastRequest.nField);
  EXPECT_EQ(1, owner.m_lastRequest.nRow);
  EXPECT_EQ(L"42.5", owner.m_strLastText);
  EXPECT_EQ(42.5, owner.m_lastRequest.dValue);
  EXPECT_EQ(0, Check(2, L"x1"));
  EXPECT_EQ(L"no x", message);
}

TEST_F(EntryCheckTest, NumbersAreReadWithoutTheLocale) {
  double value = 0;
  EXPECT_TRUE(IsEntryNumber(L"999999.999", value));
  EXPECT_EQ(999999.999, value);
  EXPECT_TRUE(IsEntryNumber(L"-0.001", value));
  EXPECT_EQ(-0.001, value);
  EXPECT_FALSE(IsEntryNumber(L"1,5", value));
  const wchar_t* rest = nullptr;
  EXPECT_EQ(12.0, ReadEntryNumber(L"12x", &rest));
  EXPECT_STREQ(L"x", rest);
}

TEST_F(EntryCheckTest, CellStatesFollowTheEditableAndGreyFlags) {
  const struct {
    int field;
    uint8_t value;
    int state;
  } cases[] = {
      {6, 5, CELL_EDITABLE},  {6, 0, CELL_GREY_EDITABLE},  {6, 10, CELL_GREY_EDITABLE},
      {7, 0, CELL_READ_ONLY}, {8, 5, CELL_READ_ONLY},      {8, 0, CELL_GREY_READ_ONLY},
      {3, 0, CELL_EDITABLE},
  };
  for (const auto& c : cases) {
    *FieldValue(table, 2, c.field) = c.value;
    EXPECT_EQ(c.state, CellState(table, 2, c.field)) << "field " << c.field << " value " << int{c.value};
  }
  table.pRows = nullptr;
  EXPECT_EQ(CELL_GREY_READ_ONLY, CellState(table, 0, 0));
}

TEST_F(EntryCheckTest, EditLimitIsTheFieldWidth) {
  EXPECT_EQ(1, CheckEditLimit(table.aFields[3], L"ABCDEF", message));
  EXPECT_EQ(0, CheckEditLimit(table.aFields[3], L"ABCDEFG", message));
  EXPECT_EQ(L"At most 6 characters", message);
}

}  // namespace
