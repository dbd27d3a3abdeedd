// The option tables' shape: six tables of option lists.
#include <gtest/gtest.h>

#include "model_library/data/FixedTbl.h"

namespace {

TEST(FixedTblTest, SixTablesOfOptionLists) {
  CFixedTbl options;
  const struct {
    const wchar_t* caption;
    int rows;
    int fields;
    int width;
    const wchar_t* firstList;
    const wchar_t* lastList;
  } expected[] = {
      {L"Two Era", 2, 44, 20, L"SYMBOL", L"KP_PRINT"}, {L"Three Era", 3, 10, 20, L"FROUND", L"OUTPUT"},
      {L"Fore Era", 4, 9, 20, L"DPPOS", L"KP_PRINT"},  {L"Five Era", 5, 5, 20, L"CSYMBOL", L"FC"},
      {L"Six Era", 6, 1, 20, L"COM1CONNECT", L"COM1CONNECT"}, {L"Eight Era", 8, 2, 30, L"HALO", L"LALO"},
  };
  ASSERT_EQ(6, options.GetTableCount());
  for (int t = 0; t < 6; ++t) {
    const stTable_t* table = options.GetTable(t);
    ASSERT_NE(nullptr, table);
    EXPECT_STREQ(expected[t].caption, table->szCaption);
    EXPECT_EQ(0u, table->uId);
    EXPECT_EQ(expected[t].rows, table->nRecordCount);
    EXPECT_EQ(expected[t].fields, table->nFieldCount);
    EXPECT_EQ(-1, table->nSortField);
    EXPECT_EQ(2, table->nLevel);
    EXPECT_EQ(expected[t].fields * expected[t].width, table->nRecordSize);
    EXPECT_STREQ(expected[t].firstList, table->aFields[0].szCaption);
    EXPECT_STREQ(expected[t].lastList, table->aFields[table->nFieldCount - 1].szCaption);
    for (int f = 0; f < table->nFieldCount; ++f) {
      EXPECT_EQ(0x400u, table->aFields[f].uType);
      EXPECT_EQ(INPUT_NONE, table->aFields[f].nInput);
      EXPECT_EQ(CHECK_NONE, table->aFields[f].nCheck);
    }
  }
  EXPECT_EQ(nullptr, options.GetTable(-1));
  EXPECT_EQ(0, options.HasCountPrefix());
}

TEST(FixedTblTest, LoadFillsEveryCellWithBlankPaddedText) {
  CFixedTbl options;
  ASSERT_EQ(1, options.Load(nullptr));
  const stTable_t* two = options.GetTable(0);
  EXPECT_EQ(std::string("YES                 "), std::string(reinterpret_cast<char*>(FieldValue(*two, 0, 7)), 20));
  const stTable_t* eight = options.GetTable(5);
  EXPECT_EQ(std::string("7 digits(1000000-9999999)     "),
            std::string(reinterpret_cast<char*>(FieldValue(*eight, 7, 1)), 30));
  EXPECT_EQ(1, options.Save(nullptr));
}

}  // namespace
