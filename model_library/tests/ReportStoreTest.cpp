// The report store: its kinds and descriptors, the search for report files
// and the conversion of the files it lists.
#include <gtest/gtest.h>

#include <filesystem>

#include "model_library/tests/ReportFixtures.h"
#include "platform/FileSystem.h"
#include "testing/TempFolder.h"

using namespace fixtures;

namespace {

TEST(ReportStoreTest, KindsAndDescriptors) {
  const struct {
    const wchar_t* code;
    int number, params;
    uint32_t id;
    const wchar_t* caption;
    int fields, records;
  } kinds[] = {
      {L"FINC", 16, 0, 7000, L"FINANCIAL", 5, 0},
      {L"ALCL", 17, 0, 7010, L"ALL CLERK", 3, 0},
      {L"DPCS", 18, 0, 7020, L"DEPT/PLU CLERK SALES", 8, 0},
      {L"ALDP", 19, 0, 7030, L"ALL DEPARTMENT", 7, 0},
      {L"ALPL", 20, 0, 7040, L"ALL PLU", 10, 0},
      {L"MTPL", 21, 0, 7060, L"URGENT PLU", 5, 0},
      {L"HOUR", 22, 0, 7080, L"HOURLY", 3, 24},
      {L"OTAC", 23, 0, 7090, L"OPEN TABLE(ALL CLERK)", 3, 0},
      {L"OT1C", 24, 1, 7100, L"OPEN TABLE(ONE CLERK)", 3, 0},
      {L"FLEJ", 25, 0, 7110, L"JOURNAL(FULL)", 1, 0},
      {L"LAEJ", 26, 1, 7120, L"JOURNAL(LATEST)", 1, 0},
      {L"OLEJ", 27, 1, 7130, L"JOURNAL(OLDEST)", 1, 0},
      {L"DAEJ", 28, 1, 7140, L"JOURNAL(DAILY)", 1, 0},
      {L"ATCL", 31, 0, 7150, L"ALL TRAINING CLERK", 1, 0},
      {L"FIGT", 32, 0, 7170, L"FINANCIAL GT", 5, 0},
      {L"ACGT", 33, 0, 7180, L"ALL CLERK GT", 3, 0},
      {L"ADGT", 35, 0, 7190, L"ALL DEPARTMENT GT", 7, 0},
      {L"APGT", 36, 0, 7200, L"ALL PLU GT", 10, 0},
      {L"ATCG", 47, 0, 7210, L"ALL TRAINING CLERK GT", 3, 0},
      {L"EJ", 0, 0, 7220, L"REALTIME EJ", 1, 0},
  };
  CReportEcr store;
  EXPECT_EQ(L"REPORT", store.m_strName);
  EXPECT_EQ(3, store.m_nKind);
  EXPECT_EQ(-1, store.m_nTransferLine);
  ASSERT_EQ(20, store.GetTableCount());
  for (int kind = 0; kind < 20; ++kind) {
    const auto& k = kinds[kind];
    SCOPED_TRACE(kind);
    EXPECT_EQ(k.code, store.m_arrCodes[kind]);
    EXPECT_STREQ(k.code, store.GetReportCode(kind));
    EXPECT_EQ(k.number, store.GetReportNumber(kind));
    EXPECT_EQ(k.params, store.GetReportParamCount(kind));
    stTable_t* table = store.GetTable(kind);
    ASSERT_NE(nullptr, table);
    EXPECT_EQ(k.id, table->uId);
    EXPECT_STREQ(k.caption, table->szCaption);
    EXPECT_EQ(k.fields, table->nFieldCount);
    EXPECT_EQ(k.records, table->nRecordCount);
    EXPECT_EQ(-1, table->nSortField);
    EXPECT_EQ(2, table->nLevel);
    EXPECT_EQ(&store, table->pOwner);
    for (int f = 0; f < table->nFieldCount; ++f) {
      EXPECT_EQ(0u, table->aFields[f].uId);
      EXPECT_EQ(0, table->aFields[f].nInput);
      EXPECT_EQ(0, table->aFields[f].nCheck);
    }
  }
  EXPECT_EQ(nullptr, store.GetTable(20));
  EXPECT_EQ(nullptr, store.GetTable(-1));
  EXPECT_EQ(-1, store.GetReportNumber(20));
  EXPECT_EQ(nullptr, store.GetReportCode(20));
  EXPECT_EQ(0, store.GetReportParamCount(20));
}

TEST(ReportStoreTest, FieldsOfTheDescriptors) {
  CReportEcr store;
  const struct {
    int kind, field;
    const wchar_t* caption;
    uint32_t type;
    int width;
  } fields[] = {
      {0, 0, L"Caption", 0x400, 12},  {0, 4, L"short", 0x902, 4},       {4, 2, L"PLU#", 0xb08, 14},
      {4, 6, L"stock", 0x906, 12},    {5, 1, L"LinkDept#", 0x801, 2},   {6, 0, L"Time HH:MM - HH:MM", 0x400, 16},
      {13, 4, L"Clerk#", 0x401, 1},   {13, 15, L"amt", 0x908, 16},      {14, 1, L"cnt", 0x812, 4},
      {14, 4, L"short", 0x802, 4},    {18, 0, L"Clerk#", 0x400, 1},     {19, 0, L"Rec", 0x400, 24},
      {8, 2, L"OLD BALANCE", 0x908, 16}, {17, 9, L"amt", 0x908, 16},    {2, 7, L"term", 0x801, 2},
  };
  for (const auto& f : fields) {
    const stField_t& field = store.GetTable(f.kind)->aFields[f.field];
    EXPECT_STREQ(f.caption, field.szCaption) << f.kind << "/" << f.field;
    EXPECT_EQ(f.type, field.uType) << f.kind << "/" << f.field;
    EXPECT_EQ(f.width, field.nWidth) << f.kind << "/" << f.field;
  }
}

class ReportFolderTest : public ::testing::Test {
 protected:
  void SetUp() override { store.m_bDecimalPoint = 0; }
  std::vector<std::pair<int, std::string>> Listed() {
    std::vector<std::pair<int, std::string>> listed;
    for (const Report_s& report : store.m_lstReports)
      listed.emplace_back(report.nKind, platform::NativePath(platform::FileNameOf(report.strPath)));
    return listed;
  }

  CaptionScope captions;
  TempFolder folder;
  CReportEcr store;
};

TEST_F(ReportFolderTest, FindsNonEmptyReportFilesByKind) {
  folder.Write("alcl0910.ecr", Byte(1) + Name("ANNA") + Count(0));
  folder.Write("FINC1530.ECR", Bytes(1342, '\0'));
  folder.Write("HOUR1200.ecr", "");
  folder.Write("notes.ecr", "x");
  folder.Write("FINC1530.CSV", "x");
  EXPECT_EQ(1, store.SetFolder(folder.WPath().c_str()));
  EXPECT_TRUE(store.m_lstReports.empty()) << "SetFolder does not fill the list";
  EXPECT_EQ(1, store.Load(nullptr));
  EXPECT_EQ((std::vector<std::pair<int, std::string>>{{0, "FINC1530.ECR"}, {1, "alcl0910.ecr"}}), Listed());

  store.Reset();
  EXPECT_TRUE(store.m_lstReports.empty());
  EXPECT_TRUE(store.m_strFolder.empty());
  EXPECT_EQ(0, store.m_bLoaded);
}

TEST_F(ReportFolderTest, CodesBeginTheFileNames) {
  folder.Write("FINC.ecr", "x");
  folder.Write("EJ0912.ecr", "x");
  folder.Write("flej0912.ecr", "x");
  folder.Write("xEJ0912.ecr", "x");
  ASSERT_EQ(1, store.Load(folder.WPath().c_str()));
  auto listed = Listed();
  ASSERT_EQ(3u, listed.size());
  EXPECT_EQ(std::make_pair(0, std::string("FINC.ecr")), listed[0]);
  EXPECT_EQ(std::make_pair(9, std::string("flej0912.ecr")), listed[1]);
  EXPECT_EQ(std::make_pair(19, std::string("EJ0912.ecr")), listed[2]);
}

TEST_F(ReportFolderTest, EmptyFolderListsNothing) {
  folder.Write("HOUR1200.ECR", "");
  EXPECT_EQ(0, store.SetFolder(folder.WPath().c_str()));
  EXPECT_EQ(0, store.Load(nullptr));
  EXPECT_EQ(0, store.Save(nullptr));
  EXPECT_EQ(0, store.ConvertReport(0, nullptr));
  EXPECT_EQ(0, store.SetFolder(nullptr));
  EXPECT_EQ(0, store.Load(nullptr));
  EXPECT_EQ(0, store.SetFolder((folder.Path() + "/missing").size() ? L"/nonexistent/folder" : L""));
  EXPECT_FALSE(folder.Exists("HOUR1200.CSV"));
}

TEST_F(ReportFolderTest, ConvertsIntoUpperCaseCsvNames) {
  folder.Write("finc0101.ecr", Bytes(1342, '\0'));
  std::filesystem::create_directory(folder.File("out"));
  ASSERT_EQ(1, store.Load(folder.WPath().c_str()));
  EXPECT_EQ(1, store.ConvertReport(0, (folder.WPath() + L"/out/").c_str()));
  std::string csv = folder.Read("out/FINC0101.CSV");
  ASSERT_GE(csv.size(), 2u);
  EXPECT_EQ(std::string("\xFF\xFE", 2), csv.substr(0, 2));
  EXPECT_EQ(1, store.ConvertReport(0, nullptr)) << "without a folder the CSV goes beside the report";
  EXPECT_TRUE(folder.Exists("FINC0101.CSV"));
  EXPECT_EQ(0, store.ConvertReport(1, nullptr));
  EXPECT_EQ(0, store.ConvertReport(-1, nullptr));
  EXPECT_EQ(1u, store.m_lstReports.size()) << "a conversion leaves the list as it was";
  EXPECT_TRUE(folder.Exists("finc0101.ecr"));
}

TEST(ReportPathTest, OnlyTheFileNameIsUpperCased) {
  EXPECT_EQ(L"/data/Out/FINC1530.CSV", CReportEcr::CsvPathFor(L"/in/finc1530.ecr", L"/data/Out"));
  EXPECT_EQ(L"/data/Out/FINC1530.CSV", CReportEcr::CsvPathFor(L"/in/finc1530.ecr", L"/data/Out/"));
  EXPECT_EQ(L"o/EJ.CSV.CSV", CReportEcr::CsvPathFor(L"EJ.ecr.Ecr", L"o"));
}

TEST_F(ReportFolderTest, SaveConvertsEveryListedReportAndKeepsPartialOutput) {
  Bytes groups;
  for (int g = 1; g <= 9; ++g) groups += Name("G");
  folder.Write("ALDP0800.ECR", Byte(2) + groups + Byte(1) + Byte(1) + Name("A") + Triple(0, 0, 0) + Byte(2) +
                                   Byte(10) + Name("B") + Triple(0, 0, 0));
  folder.Write("MTPL0800.ECR", Byte(0) + "short");
  ASSERT_EQ(1, store.Load(folder.WPath().c_str()));
  ASSERT_EQ(2u, store.m_lstReports.size());
  EXPECT_EQ(0, store.ConvertReport(0, nullptr));
  std::vector<Line> lines;
  std::string error;
  ASSERT_TRUE(ParseCsv(folder.Read("ALDP0800.CSV"), lines, error)) << error;
  EXPECT_EQ(1u, lines.size()) << "the lines before the fault stay in the file";
  EXPECT_EQ(0, store.Save(nullptr)) << "no report converted";

  folder.Write("OTAC0800.ECR", Byte(1) + Byte(1) + Amount(1));
  ASSERT_EQ(1, store.Load(nullptr));
  EXPECT_EQ(1, store.Save(nullptr));
  EXPECT_TRUE(folder.Exists("OTAC0800.CSV"));
  EXPECT_TRUE(folder.Exists("MTPL0800.CSV"));
}

TEST_F(ReportFolderTest, MissingOutputFolderFails) {
  folder.Write("OTAC0800.ECR", Byte(1) + Byte(1) + Amount(1));
  ASSERT_EQ(1, store.Load(folder.WPath().c_str()));
  EXPECT_EQ(0, store.ConvertReport(0, (folder.WPath() + L"/missing").c_str()));
  EXPECT_FALSE(std::filesystem::exists(folder.File("missing")));
  std::filesystem::remove(folder.File("OTAC0800.ECR"));
  EXPECT_EQ(0, store.ConvertReport(0, nullptr)) << "the listed file is gone";
  EXPECT_FALSE(folder.Exists("OTAC0800.CSV"));
}

}  // namespace
