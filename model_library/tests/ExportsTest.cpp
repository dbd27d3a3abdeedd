// The model library as its callers meet it: loaded with dlopen and used only
// through its eight exports and the virtual interface of its objects.
#include <gtest/gtest.h>

#include "common/CaptionCell.h"
#include "common/CaptionMgr.h"
#include "common/ModelLibraryBinding.h"
#include "common/ValueFormat.h"
#include "testing/TempFolder.h"

namespace {

class ExportsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    library = new platform::CDynamicLibrary();
    ASSERT_TRUE(library->Open(L"" ECR_BIN_DIR "/Arvodll.so")) << library->LastError();
    exports.Bind(*library);
  }
  static void TearDownTestSuite() {
    delete library;
    library = nullptr;
  }
  void SetUp() override {
    ASSERT_TRUE(exports.Complete());
    exports.pfnSetGClassAddr(nullptr, nullptr);
  }

  static std::wstring Cell(CEcrData* data, int table, int row, int field) {
    stTable_t* descriptor = data->GetTable(table);
    std::wstring text;
    FormatValue(FieldValue(*descriptor, row, field), text, descriptor->aFields[field]);
    return text;
  }

  static platform::CDynamicLibrary* library;
  static ModelLibraryExports exports;
};
platform::CDynamicLibrary* ExportsTest::library;
ModelLibraryExports ExportsTest::exports;

TEST_F(ExportsTest, HandsOutTenObjectsInIndexOrder) {
  ASSERT_EQ(10, exports.pfnGetEcrDataCount());
  const struct {
    const wchar_t* name;
    int kind;
    int transferLine;
    int index;  // what GetEcrIndexFromData answers
  } expected[] = {
      {L"DEPT", 0, 5, 0},          {L"PLU", 0, 6, 1},           {L"CLERK", 0, 7, 2},  {L"S MODE", 0, 1, 3},
      {L"PRG MODE", 0, 4, 4},      {L"GraphicHeader", 5, 2, 5}, {L"GraphicFooter", 5, 3, 6},
      {L"REPORT", 3, -1, 7},       {L"CSV", 4, -1, 8},          {L"FixedTbl", 2, -1, -1},
  };
  for (int i = 0; i < 10; ++i) {
    CEcrData* data = exports.pfnGetEcrDataFromIndex(i);
    ASSERT_NE(nullptr, data);
    EXPECT_EQ(expected[i].name, data->m_strName);
    EXPECT_EQ(expected[i].kind, data->m_nKind) << i;
    EXPECT_EQ(expected[i].transferLine, data->m_nTransferLine) << i;
    EXPECT_EQ(expected[i].index, exports.pfnGetEcrIndexFromData(data)) << i;
    EXPECT_EQ(data, exports.pfnGetEcrDataFromIndex(i)) << "addresses are stable";
  }
  EXPECT_EQ(nullptr, exports.pfnGetEcrDataFromIndex(-1));
  EXPECT_EQ(nullptr, exports.pfnGetEcrDataFromIndex(10));
  EXPECT_EQ(-1, exports.pfnGetEcrIndexFromData(nullptr));
}

TEST_F(ExportsTest, AnswersWindowNumbers) {
  const struct {
    int wndNo;
    int index;
  } answered[] = {{3, 7}, {4, 9}, {17, 0}, {18, 1}, {19, 2}, {20, 3}, {21, 4}, {23, 3}, {24, 8}};
  for (const auto& a : answered)
    EXPECT_EQ(exports.pfnGetEcrDataFromIndex(a.index), exports.pfnGetEcrDataFromWndNo(a.wndNo)) << a.wndNo;
  for (int wndNo : {0, 1, 2, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 22, 25, -1, 0x01000011})
    EXPECT_EQ(nullptr, exports.pfnGetEcrDataFromWndNo(wndNo)) << wndNo;
}

TEST_F(ExportsTest, OffersNoWindowsOfItsOwn) {
  for (int wndNo : {0, 1, 16, 17, 24, 0x7FFFFFFF}) EXPECT_EQ(nullptr, exports.pfnCreateExDialog(wndNo | 0x01000000));
  exports.pfnDeleteExDialog(nullptr);
}

TEST_F(ExportsTest, SetGClassAddrAnswersItsFirstArgument) {
  int config = 0;
  EXPECT_EQ(&config, exports.pfnSetGClassAddr(&config, nullptr));
  EXPECT_EQ(nullptr, exports.pfnSetGClassAddr(nullptr, nullptr));
}

TEST_F(ExportsTest, SetEcrFolderSeesWhichFilesExist) {
  TempFolder folder;
  EXPECT_EQ(1, exports.pfnSetEcrFolder(folder.WPath().c_str()));
  for (int i = 0; i < 9; ++i) EXPECT_EQ(0, exports.pfnGetEcrDataFromIndex(i)->m_bExists) << i;

  folder.Write("plu.ecr", std::string(1784, '\0'));
  folder.Write("S_MODE.ECR", std::string());  // empty files do not count
  folder.Write("GRP_FOOT.ECR", std::string(3888, '\0'));
  folder.Write("finc1530.ecr", "x");
  folder.Write("HOUR1200.CSV", "\xFF\xFE");
  EXPECT_EQ(1, exports.pfnSetEcrFolder(folder.WPath().c_str()));
  const int exists[9] = {0, 1, 0, 0, 0, 0, 1, 1, 1};
  for (int i = 0; i < 9; ++i) {
    CEcrData* data = exports.pfnGetEcrDataFromIndex(i);
    EXPECT_EQ(exists[i], data->m_bExists) << i;
    EXPECT_EQ(0, data->m_bLoaded) << i;
    EXPECT_EQ(folder.WPath(), data->m_strFolder) << i;
  }
  EXPECT_EQ(L"PLU.ECR", exports.pfnGetEcrDataFromIndex(1)->m_strFile);

  EXPECT_EQ(1, exports.pfnSetEcrFolder(nullptr));
  for (int i = 0; i < 9; ++i) {
    CEcrData* data = exports.pfnGetEcrDataFromIndex(i);
    EXPECT_EQ(0, data->m_bExists) << i;
    EXPECT_TRUE(data->m_strFolder.empty()) << i;
    EXPECT_EQ(0, data->Load(nullptr)) << "no folder, nothing to load: " << i;
  }
}

TEST_F(ExportsTest, OptionTablesWithAndWithoutCaptions) {
  CEcrData* options = exports.pfnGetEcrDataFromWndNo(4);
  ASSERT_NE(nullptr, options);
  EXPECT_EQ(1, options->SetFolder(nullptr));
  EXPECT_EQ(1, options->m_bExists);
  EXPECT_EQ(6, options->GetTableCount());
  EXPECT_EQ(nullptr, options->GetTable(6));

  // Without a caption manager the built-in texts are stored, but register text
  // formats as empty; with one (and no character table) it shows through the code page.
  options->Reset();
  ASSERT_EQ(1, options->Load(nullptr));
  TempFolder folder;
  CCaptionMgr manager;
  CCaptionManagerBase* cell = &manager;
  exports.pfnSetGClassAddr(nullptr, &cell);
  SetCaptionCell(&cell);
  EXPECT_EQ(L"YES", Cell(options, 0, 0, 7));
  EXPECT_EQ(L"NO", Cell(options, 0, 1, 7));
  EXPECT_EQ(L"OPEN&&PRESET", Cell(options, 1, 0, 1));
  EXPECT_EQ(L"7 digits(1000000-9999999)", Cell(options, 5, 7, 1));

  // Captions replace the built-in texts only at the first Load after a Reset.
  manager.OpenCaptionFile(folder.WPath().c_str(), L"ARVODLL", L"DEU");
  S_ECR_CAP ja;
  ja.text = L"JA";
  manager.SetCaption(WND_OPTION_TEXTS, 1025, &ja);
  ASSERT_EQ(1, options->Load(nullptr));
  EXPECT_EQ(L"YES", Cell(options, 0, 0, 7)) << "already loaded";
  options->Reset();
  ASSERT_EQ(1, options->Load(nullptr));
  EXPECT_EQ(L"JA", Cell(options, 0, 0, 7));
  EXPECT_EQ(L"JA", Cell(options, 0, 1, 33)) << "NOYES shares caption 1025";
  EXPECT_EQ(L"NO", Cell(options, 0, 1, 7));

  exports.pfnSetGClassAddr(nullptr, nullptr);
  SetCaptionCell(nullptr);
  options->Reset();
  ASSERT_EQ(1, options->Load(nullptr));
}

TEST_F(ExportsTest, ServiceModeViewFollowsTheWindowNumber) {
  CEcrData* settings = exports.pfnGetEcrDataFromWndNo(20);
  EXPECT_EQ(16, settings->GetTableCount());
  CEcrData* keyboard = exports.pfnGetEcrDataFromWndNo(23);
  EXPECT_EQ(settings, keyboard);
  EXPECT_EQ(2, keyboard->GetTableCount());
  EXPECT_EQ(2, exports.pfnGetEcrDataFromIndex(3)->GetTableCount()) << "the view stays as last set";
  EXPECT_EQ(16, exports.pfnGetEcrDataFromWndNo(20)->GetTableCount());
  EXPECT_EQ(16, exports.pfnGetEcrDataFromIndex(3)->GetTableCount());
}

// The library's register and option tables number 69 with 456 field
// descriptors: departments, PLUs and clerks (6 tables), both service-mode
// views (16 + 2), program mode (37), option tables (6) and the two logos,
// whose descriptors hold no fields. Report descriptors and CSV templates come
// on top of these.
TEST_F(ExportsTest, TablesAndFieldDescriptorsAcrossTheLibrary) {
  int tables = 0;
  int fields = 0;
  auto count = [&](CEcrData* data) {
    ASSERT_NE(nullptr, data);
    for (int t = 0; t < data->GetTableCount(); ++t) {
      ++tables;
      if (data->m_nKind != KIND_GRAPHIC) fields += data->GetTable(t)->nFieldCount;
    }
  };
  for (int wndNo : {17, 18, 19, 20, 23, 21, 4}) count(exports.pfnGetEcrDataFromWndNo(wndNo));
  count(exports.pfnGetEcrDataFromIndex(5));
  count(exports.pfnGetEcrDataFromIndex(6));
  EXPECT_EQ(69, tables);
  EXPECT_EQ(456, fields);
  exports.pfnGetEcrDataFromWndNo(20);
}

}  // namespace
