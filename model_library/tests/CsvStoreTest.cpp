// The CSV report store: converted reports read back as tables.
#include <gtest/gtest.h>

#include <cstring>

#include "model_library/reports/CsvTableReader.h"
#include "model_library/reports/ReportCsv.h"
#include "model_library/tests/ReportFixtures.h"
#include "testing/TempFolder.h"

using namespace fixtures;

namespace {

std::string Utf16(const std::wstring& text, bool bom = true) {
  std::string out = bom ? std::string("\xFF\xFE", 2) : std::string();
  out += platform::WideToUtf16Le(text);
  return out;
}

// A cell's bytes up to the first 0 byte.
std::string Cell(const stTable_t& table, int row, int column) {
  const char* value = reinterpret_cast<const char*>(FieldValue(table, row, column));
  return std::string(value, strnlen(value, static_cast<size_t>(table.aFields[column].nWidth)));
}

class CsvStoreTest : public ::testing::Test {
 protected:
  stTable_t* LoadOne() {
    if (store.Load(folder.WPath().c_str()) != 1 || store.GetTableCount() != 1) return nullptr;
    return store.GetTable(0);
  }

  CaptionScope captions;
  TempFolder folder;
  CReportCsv store;
};

TEST_F(CsvStoreTest, ReadsTheConvertersHourlyReport) {
  Bytes report = SignedCount(3) + Amount(1250);
  report.resize(240, '\0');
  folder.Write("hour1200.ecr", report);
  CReportEcr reports;
  ASSERT_EQ(1, reports.Load(folder.WPath().c_str()));
  ASSERT_EQ(1, reports.Save(nullptr));

  EXPECT_EQ(1, store.SetFolder(folder.WPath().c_str()));
  stTable_t* table = LoadOne();
  ASSERT_NE(nullptr, table);
  EXPECT_STREQ(L"HOURLY 1200", table->szCaption);
  EXPECT_EQ(0u, table->uId);
  EXPECT_EQ(&store, table->pOwner);
  ASSERT_EQ(24, table->nRecordCount);
  EXPECT_EQ(3, table->nFieldCount);
  EXPECT_EQ(16 + 4 + 17, table->nRecordSize);
  EXPECT_EQ("00:00 - 00:59", Cell(*table, 0, 0));
  EXPECT_EQ("3", Cell(*table, 0, 1));
  EXPECT_EQ("1250", Cell(*table, 0, 2));
  EXPECT_EQ("23:00 - 23:59", Cell(*table, 23, 0));
}

TEST_F(CsvStoreTest, FilesWithOnlyTheByteOrderMarkGiveNoTable) {
  folder.Write("FINC1530.CSV", "\xFF\xFE");
  EXPECT_EQ(1, store.SetFolder(folder.WPath().c_str()));
  EXPECT_EQ(0, store.Load(nullptr));
  EXPECT_EQ(0, store.GetTableCount());
  EXPECT_EQ(nullptr, store.GetTable(0));
}

TEST_F(CsvStoreTest, ValuesIntoColumns) {
  folder.Write("OTAC0900.CSV", Utf16(L"\"1\",\"12,345\",\"7\"\r\n\"2\"\r\n\r\n\"123456\",\"1\",\"123456789012345678901\"\r\n"));
  stTable_t* table = LoadOne();
  ASSERT_NE(nullptr, table);
  EXPECT_STREQ(L"OPEN TABLE(ALL CLERK) 0900", table->szCaption);
  ASSERT_EQ(4, table->nRecordCount);
  EXPECT_EQ("1", Cell(*table, 0, 0));
  EXPECT_EQ("12", Cell(*table, 0, 1)) << "the quoted comma stays inside the value, cut to 2 bytes";
  EXPECT_EQ("7", Cell(*table, 0, 2));
  EXPECT_EQ("2", Cell(*table, 1, 0));
  EXPECT_EQ("", Cell(*table, 1, 1)) << "missing values are empty";
  EXPECT_EQ("", Cell(*table, 2, 0)) << "an empty line is a row of empty fields";
  EXPECT_EQ("123", Cell(*table, 3, 0));
  EXPECT_EQ("12345678901234567", Cell(*table, 3, 2));
}

TEST_F(CsvStoreTest, QuotedCommasKeepTheWholeValue) {
  stTable_t pattern = *store.GetCsvTemplate(RK_JOURNAL_FULL);
  std::string line = Utf16(L"\"A,,B, C\",\"x\"\r\n");
  std::vector<uint8_t> rows;
  ASSERT_EQ(1, ReadCsvRows(reinterpret_cast<const uint8_t*>(line.data()), line.size(), pattern, rows));
  pattern.pRows = rows.data();
  EXPECT_EQ("A,,B, C", Cell(pattern, 0, 0));
}

TEST_F(CsvStoreTest, FilesWithoutByteOrderMarkOrQuotes) {
  folder.Write("ALDP0100.CSV", "1,BREAD,2,FRESH \xC3\xA9,3.000,12.50\n7,,caf\xE9\n");
  stTable_t* table = LoadOne();
  ASSERT_NE(nullptr, table);
  ASSERT_EQ(2, table->nRecordCount);
  EXPECT_EQ("BREAD", Cell(*table, 0, 1));
  EXPECT_EQ("FRESH \xE9", Cell(*table, 0, 3)) << "UTF-8 text into register bytes";
  EXPECT_EQ("12.50", Cell(*table, 0, 5));
  EXPECT_EQ("caf\xE9", Cell(*table, 1, 1)) << "not UTF-8: the code page; several commas are one separator";
}

TEST_F(CsvStoreTest, LongLinesAndOddCharacters) {
  std::wstring longValue(5000, L'x');
  // U+010A has the byte 0A in its code: it must not end the line.
  folder.Write("FLEJ0100.CSV", Utf16(L"\"" + longValue + L"\",\"y\"\r\n\"\x010A" L"A\"\r\n\"tail\"") + "\x41");
  stTable_t* table = LoadOne();
  ASSERT_NE(nullptr, table);
  ASSERT_EQ(3, table->nRecordCount);
  EXPECT_EQ(std::string(24, 'x'), Cell(*table, 0, 0));
  EXPECT_EQ("?A", Cell(*table, 1, 0));
  EXPECT_EQ("tail", Cell(*table, 2, 0));
}

TEST_F(CsvStoreTest, ReadsEveryReportFileInFolderOrderAndIgnoresOthers) {
  folder.Write("notes.csv", Utf16(L"\"a\"\r\n"));
  folder.Write("finc1530.csv", Utf16(L"\"GROSS\",\"\",\"100\"\r\n"));
  folder.Write("EJ0912.CSV", Utf16(L"\"LINE\"\r\n"));
  folder.Write("FINC1530.ECR", "x");
  ASSERT_EQ(1, store.Load(folder.WPath().c_str()));
  ASSERT_EQ(2, store.GetTableCount());
  std::vector<std::wstring> captionsSeen;
  for (int i = 0; i < 2; ++i) captionsSeen.push_back(store.GetTable(i)->szCaption);
  std::sort(captionsSeen.begin(), captionsSeen.end());
  EXPECT_EQ((std::vector<std::wstring>{L"FINANCIAL 1530", L"REALTIME EJ 0912"}), captionsSeen);
  EXPECT_EQ(nullptr, store.GetTable(2));

  store.Reset();
  EXPECT_EQ(0, store.GetTableCount());
  EXPECT_EQ(0, store.m_bLoaded);
  EXPECT_EQ(0, store.Load(nullptr)) << "no folder after Reset";
  EXPECT_EQ(0, store.Save(folder.WPath().c_str()));
}

TEST_F(CsvStoreTest, WithoutCaptionManagerRowsAreEmpty) {
  folder.Write("EJ0912.CSV", Utf16(L"\"LINE\"\r\n"));
  SetCaptionCell(nullptr);
  stTable_t* table = LoadOne();
  ASSERT_NE(nullptr, table);
  ASSERT_EQ(1, table->nRecordCount);
  EXPECT_EQ("", Cell(*table, 0, 0));
}

TEST(CsvTemplateTest, TemplatesOfEveryKind) {
  CReportCsv store;
  EXPECT_EQ(L"CSV", store.m_strName);
  EXPECT_EQ(4, store.m_nKind);
  EXPECT_EQ(20, store.m_nKindCount);
  const int columns[20] = {3, 3, 10, 6, 13, 9, 3, 3, 3, 1, 1, 1, 1, 13, 3, 3, 6, 13, 4, 1};
  const uint32_t ids[20] = {7000, 7010, 7020, 7030, 7040, 7060, 7080, 7090, 7100, 7110,
                            7120, 7130, 7140, 7150, 7170, 7180, 7190, 7200, 7210, 7220};
  for (int kind = 0; kind < 20; ++kind) {
    stTable_t* pattern = store.GetCsvTemplate(kind);
    ASSERT_NE(nullptr, pattern);
    EXPECT_EQ(ids[kind], pattern->uId);
    EXPECT_EQ(columns[kind], pattern->nFieldCount) << kind;
    EXPECT_EQ(kind == 7 || kind == 8 ? 24 : 0, pattern->nRecordCount) << kind;
    EXPECT_EQ(-1, pattern->nSortField);
    EXPECT_EQ(2, pattern->nLevel);
    EXPECT_STREQ(ReportKindCode(kind), store.GetCsvCode(kind));
    for (int f = 0; f < pattern->nFieldCount; ++f) {
      EXPECT_EQ(0u, pattern->aFields[f].uType & 0xFF);
      EXPECT_EQ(2, pattern->aFields[f].nLevel);
    }
  }
  EXPECT_EQ(nullptr, store.GetCsvTemplate(20));
  EXPECT_EQ(nullptr, store.GetCsvCode(20));
  const stField_t& plu = store.GetCsvTemplate(4)->aFields[12];
  EXPECT_EQ(7056u, plu.uId);
  EXPECT_STREQ(L"Prict3 Amt", plu.szCaption);
  EXPECT_EQ(0x800u, plu.uType);
  EXPECT_EQ(17, plu.nWidth);
  EXPECT_EQ(7214u, store.GetCsvTemplate(18)->aFields[3].uId);
  EXPECT_EQ(0x800u, store.GetCsvTemplate(18)->aFields[3].uType);
}

TEST(CsvCaptionTest, CaptionFromTheFileName) {
  EXPECT_EQ(L"FINANCIAL 1530", CsvTableCaption(L"FINC1530.CSV", L"FINC", L"FINANCIAL"));
  EXPECT_EQ(L"ALL PLU 1530", CsvTableCaption(L"alpl1530.csv", L"ALPL", L"ALL PLU"));
  EXPECT_EQ(L"REALTIME EJ ", CsvTableCaption(L"EJ.CSV", L"EJ", L"REALTIME EJ"));
  EXPECT_EQ(L"REALTIME EJ 0912A", CsvTableCaption(L"EJE0912A.CSV", L"EJ", L"REALTIME EJ"));
}

}  // namespace
