// Table text export and import: UTF-16 files of comma-separated rows.
#include <gtest/gtest.h>

#include "RecordTestSupport.h"
#include "model_library/VarkelApp.h"
#include "platform/TextCodec.h"
#include "testing/TempFolder.h"

namespace {

class TextExchangeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder.Write("CLERK.ECR", Word(2) + Word(0x0035) + Text("ANNA", 18) + std::string("\x01\x00\x11\x11\x00\x01\x02\x03\xA5\x10", 10) +
                                  Text("BEN", 18) + std::string(10, '\0'));
    app.SetEcrFolder(folder.WPath().c_str());
    ASSERT_EQ(1, app.m_clerk.Load(nullptr));
  }
  std::wstring Export(CEcrData& data, int table) {
    EXPECT_EQ(1, data.ExportText(table, platform::Utf8ToWide(folder.File("out.txt")).c_str()));
    std::string bytes = folder.Read("out.txt");
    EXPECT_EQ("\xFF\xFE", bytes.substr(0, 2)) << "byte-order mark";
    return platform::Utf16LeToWide(reinterpret_cast<const uint8_t*>(bytes.data()) + 2, bytes.size() - 2);
  }
  int Import(CEcrData& data, int table, const std::string& bytes) {
    folder.Write("in.txt", bytes);
    return data.ImportText(table, platform::Utf8ToWide(folder.File("in.txt")).c_str());
  }
  static std::string Utf16(const std::wstring& text, bool bom = true) {
    return (bom ? std::string("\xFF\xFE") : std::string()) + platform::WideToUtf16Le(text);
  }

  CVarkelApp& app = TheVarkelApp();
  TempFolder folder;
  CaptionManagerScope captions;
};

TEST_F(TextExchangeTest, ExportsCaptionsAndOneLinePerRow) {
  EXPECT_EQ(L"CLERK SYSTEM SETTING\r\nSYSTEM,CLERK CHANGE,EACH TRANSACT,AUTO SIGN OFF\r\n1,3,1,0\r\n",
            Export(app.m_clerk, 0));
  std::wstring clerks = Export(app.m_clerk, 1);
  EXPECT_EQ(0u, clerks.find(L"CLERK SETTING\r\nNAME,TYPE,PASS CODE,RATE,HALO,LALO,CONDITION CLEAR,"));
  EXPECT_NE(std::wstring::npos, clerks.find(L"\r\nANNA,1,1111,100,2,3,1,0,1,0,0,1,0,1,0,0,0,0,1\r\nBEN,0,0000,"));
}

TEST_F(TextExchangeTest, ExportUsesTheCaptionManagersCaptions) {
  S_ECR_CAP caption;
  caption.text = L"KASSIERER";
  captions.Manager().SetCaption(WND_TABLE_CAPTIONS, 500, &caption);
  caption.text = L"SYSTEM (DE)";
  captions.Manager().SetCaption(WND_TABLE_CAPTIONS, 501, &caption);
  EXPECT_EQ(0u, Export(app.m_clerk, 0).find(L"KASSIERER\r\nSYSTEM (DE),CLERK CHANGE,"));
}

TEST_F(TextExchangeTest, ExportOfAMissingTableOrFolderFails) {
  EXPECT_EQ(0, app.m_clerk.ExportText(2, platform::Utf8ToWide(folder.File("x.txt")).c_str()));
  EXPECT_EQ(0, app.m_clerk.ExportText(0, L"/nonexistent-folder/x.txt"));
  EXPECT_FALSE(folder.Exists("x.txt"));
}

TEST_F(TextExchangeTest, ExportOfPlusListsAllThousandRows) {
  folder.Write("PLU.ECR", Word(1) + std::string(1782, ' ') + "\x01" + std::string(65, '\0'));
  app.SetEcrFolder(folder.WPath().c_str());
  ASSERT_EQ(1, app.m_plu.Load(nullptr));
  std::wstring text = Export(app.m_plu, 1);
  EXPECT_EQ(1002, std::count(text.begin(), text.end(), L'\n'));
}

TEST_F(TextExchangeTest, ImportFillsRowsInOrderAndClearsTheRest) {
  folder.Write("DEPT.ECR", Word(80) + std::string(180 + 80 * 28, '\0'));
  app.SetEcrFolder(folder.WPath().c_str());
  ASSERT_EQ(1, app.m_dept.Load(nullptr));
  stTable_t& departments = *app.m_dept.GetTable(1);
  for (int row = 0; row < departments.nRecordCount; ++row) SetCell(departments, row, 201, L"OLD");
  ASSERT_EQ(1, Import(app.m_dept, 1, Utf16(L"BREAD,1,0,1,2,250,1,0,0,0\r\nMILK,0,1\r\nFISH,,,,,1999\r\n")));
  ASSERT_EQ(80, departments.nRecordCount);
  EXPECT_EQ(L"BREAD", Cell(departments, 0, 201));
  EXPECT_EQ(L"250", Cell(departments, 0, 207));
  EXPECT_EQ(L"2", Cell(departments, 0, 206));
  EXPECT_EQ(L"MILK", Cell(departments, 1, 201));
  EXPECT_EQ(L"1", Cell(departments, 1, 203));
  EXPECT_EQ(L"1999", Cell(departments, 2, 207));
  EXPECT_EQ(L"0", Cell(departments, 2, 202)) << "an empty cell parses as 0";
  for (int row = 3; row < 80; ++row) {
    EXPECT_EQ(L"", Cell(departments, row, 201)) << row;
    EXPECT_EQ(' ', FieldValue(departments, row, 0)[0]) << "cleared texts are blanks";
  }
}

TEST_F(TextExchangeTest, ExtraCellsAreIgnoredAndMissingOnesKeepTheirValue) {
  stTable_t& clerks = *app.m_clerk.GetTable(1);
  ASSERT_EQ(1, Import(app.m_clerk, 1, Utf16(L"CARLA,2\r\nDORA,0,9999,50,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,EXTRA,MORE\r\n")));
  EXPECT_EQ(L"CARLA", Cell(clerks, 0, 601));
  EXPECT_EQ(L"2", Cell(clerks, 0, 602));
  EXPECT_EQ(L"1111", Cell(clerks, 0, 603)) << "fields after the last cell stay";
  EXPECT_EQ(L"DORA", Cell(clerks, 1, 601));
  EXPECT_EQ(L"1", Cell(clerks, 1, 619));
}

TEST_F(TextExchangeTest, ALastLineWithoutLineEndIsLost) {
  stTable_t& clerks = *app.m_clerk.GetTable(1);
  ASSERT_EQ(1, Import(app.m_clerk, 1, Utf16(L"CARLA,2\r\nDORA,1")));
  EXPECT_EQ(L"CARLA", Cell(clerks, 0, 601));
  EXPECT_EQ(L"", Cell(clerks, 1, 601));
  EXPECT_EQ(L"0", Cell(clerks, 1, 602));
}

TEST_F(TextExchangeTest, TextCellsAreCutToTheFieldWidth) {
  ASSERT_EQ(1, Import(app.m_clerk, 1, Utf16(L"ABCDEFGHIJKLMNOPQRSTUVWXYZ,1\r\n")));
  EXPECT_EQ(L"ABCDEFGHIJKLMNOPQR", Cell(*app.m_clerk.GetTable(1), 0, 601));
  EXPECT_EQ(L"1", Cell(*app.m_clerk.GetTable(1), 0, 602));
}

TEST_F(TextExchangeTest, FilesWithoutBomWithLoneLineFeedsOrInUtf8AreRead) {
  stTable_t& clerks = *app.m_clerk.GetTable(1);
  const struct {
    const char* what;
    std::string bytes;
  } files[] = {
      {"no byte-order mark", Utf16(L"J\u00D6RG,1\r\n", false)},
      {"line feeds alone", Utf16(L"J\u00D6RG,1\n")},
      {"UTF-8 with its mark", "\xEF\xBB\xBFJ\xC3\x96RG,1\r\n"},
  };
  for (const auto& f : files) {
    SCOPED_TRACE(f.what);
    SetCell(clerks, 0, 601, L"OLD");
    ASSERT_EQ(1, Import(app.m_clerk, 1, f.bytes));
    EXPECT_EQ(L"J\u00D6RG", Cell(clerks, 0, 601));
    EXPECT_EQ(L"1", Cell(clerks, 0, 602));
  }
}

TEST_F(TextExchangeTest, ExportedRowsImportBackToTheSameBytes) {
  const std::string before = folder.Read("CLERK.ECR");
  std::wstring text = Export(app.m_clerk, 1);
  text.erase(0, text.find(L'\n', text.find(L'\n') + 1) + 1);  // the two caption lines
  stTable_t& clerks = *app.m_clerk.GetTable(1);
  SetCell(clerks, 0, 601, L"CHANGED");
  ASSERT_EQ(1, Import(app.m_clerk, 1, Utf16(text)));
  ASSERT_EQ(1, app.m_clerk.Save(nullptr));
  EXPECT_TRUE(folder.Read("CLERK.ECR") == before);
}

TEST_F(TextExchangeTest, FailedImportsLeaveTheRows) {
  stTable_t& clerks = *app.m_clerk.GetTable(1);
  EXPECT_EQ(0, Import(app.m_clerk, 1, ""));
  EXPECT_EQ(0, Import(app.m_clerk, 1, "\xFF\xFE"));
  EXPECT_EQ(0, Import(app.m_clerk, 5, Utf16(L"X\r\n")));
  EXPECT_EQ(0, app.m_clerk.ImportText(1, L"/nonexistent/in.txt"));
  EXPECT_EQ(L"ANNA", Cell(clerks, 0, 601));
}

TEST_F(TextExchangeTest, ImportStopsAtTheLastRow) {
  std::wstring text;
  for (int i = 0; i < 12; ++i) text += L"C" + std::to_wstring(i) + L",1\r\n";
  ASSERT_EQ(1, Import(app.m_clerk, 1, Utf16(text)));
  EXPECT_EQ(L"C1", Cell(*app.m_clerk.GetTable(1), 1, 601));
  EXPECT_EQ(2, app.m_clerk.GetTable(1)->nRecordCount);
}

}  // namespace
