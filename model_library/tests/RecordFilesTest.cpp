// The three record files ("DEPT.ECR", "PLU.ECR", "CLERK.ECR"): descriptors,
// where each field lives in a record, round trips that keep unused bytes,
// counts, capacities and lengths, the PLU sort, and the owner checks.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <cwchar>
#include <utility>
#include <vector>

#include "RecordTestSupport.h"
#include "common/EntryCheck.h"
#include "model_library/VarkelApp.h"
#include "testing/TempFolder.h"

namespace {

constexpr size_t DEPT_RECORD = 28, PLU_RECORD = 66, CLERK_RECORD = 28;

class RecordFilesTest : public ::testing::Test {
 protected:
  void SetUp() override { app.SetEcrFolder(folder.WPath().c_str()); }
  // Writes the file, points the objects at the folder again and loads `data`.
  int WriteAndLoad(CEcrData& data, const std::string& name, const std::string& bytes) {
    folder.Write(name, bytes);
    app.SetEcrFolder(folder.WPath().c_str());
    return data.Load(nullptr);
  }

  CVarkelApp& app = TheVarkelApp();
  TempFolder folder;
  CaptionManagerScope captions;
};

// ---- Descriptors -----------------------------------------------------------

TEST_F(RecordFilesTest, TablesHaveTheirIdsSizesAndFieldIds) {
  // Fresh objects: the record counts of loaded ones follow their files.
  CDeptRam dept;
  CPluRam plu;
  CClerkRam clerk;
  const struct {
    CEcrData* data;
    int table;
    uint32_t id;
    const wchar_t* caption;
    int rows;
    int sortField;
    int level;
    int recordSize;
    std::vector<uint32_t> fieldIds;
  } expected[] = {
      {&dept, 0, 100, L"DEPARTMENT GROUP SETTING", 9, -1, 2, 19, {101, 102}},
      {&dept, 1, 200, L"DEPARTMENT SETTING", 80, -1, 98, 30, {201, 202, 203, 204, 206, 207, 208, 209, 210, 211}},
      {&plu, 0, 300, L"PLU GROUP SETTING", 99, -1, 2, 18, {301}},
      {&plu, 1, 400, L"PLU SETTING", 1000, 0, 98, 68,
       {401, 402, 403, 405, 406, 410, 411, 412, 415, 416, 404, 428, 425, 426, 417,
        418, 407, 408, 414, 409, 422, 423, 424, 427, 413, 419, 420, 421, 429}},
      {&clerk, 0, 500, L"CLERK SYSTEM SETTING", 1, -1, 2, 4, {501, 506, 503, 504}},
      {&clerk, 1, 600, L"CLERK SETTING", 10, -1, 98, 38,
       {601, 602, 603, 604, 605, 606, 607, 608, 609, 610, 611, 612, 613, 614, 615, 616, 617, 618, 619}},
  };
  for (const auto& e : expected) {
    SCOPED_TRACE(e.id);
    EXPECT_EQ(2, e.data->GetTableCount());
    EXPECT_EQ(nullptr, e.data->GetTable(2));
    EXPECT_EQ(nullptr, e.data->GetTable(-1));
    EXPECT_EQ(1, e.data->HasCountPrefix());
    const stTable_t* table = e.data->GetTable(e.table);
    ASSERT_NE(nullptr, table);
    EXPECT_EQ(e.id, table->uId);
    EXPECT_STREQ(e.caption, table->szCaption);
    EXPECT_EQ(e.rows, table->nRecordCount);
    EXPECT_EQ(e.sortField, table->nSortField);
    EXPECT_EQ(e.level, table->nLevel);
    EXPECT_EQ(e.recordSize, table->nRecordSize);
    EXPECT_EQ(e.data, table->pOwner);
    ASSERT_EQ(static_cast<int>(e.fieldIds.size()), table->nFieldCount);
    for (int f = 0; f < table->nFieldCount; ++f) EXPECT_EQ(e.fieldIds[f], table->aFields[f].uId) << f;
  }
}

TEST_F(RecordFilesTest, FieldsCarryTheirKindsAndChoices) {
  const struct {
    CEcrData* data;
    int table;
    uint32_t id;
    uint32_t type;
    int width, input, check;
    double min, max;
    int level;
    ListRef list;
  } expected[] = {
      {&app.m_dept, 0, 102, 0x2801, 1, INPUT_LIST, CHECK_RANGE, 0, 2, 2, {4, 1, 9}},
      {&app.m_dept, 1, 202, 0x2801, 1, INPUT_BUTTONS, CHECK_RANGE, 0, 1, 0, {4, 0, 5}},
      {&app.m_dept, 1, 206, 0x2801, 1, INPUT_LIST, CHECK_RANGE, 0, 9, 0, {17, 0, 0}},
      {&app.m_dept, 1, 207, 0x2904, 8, INPUT_EDIT, CHECK_RANGE, 0, 99999999, 2, {0, 0, 0}},
      {&app.m_dept, 1, 211, 0x2801, 1, INPUT_LIST, CHECK_RANGE, 0, 7, 0, {4, 5, 1}},
      {&app.m_plu, 1, 401, 0x2B08, 14, INPUT_EDIT, CHECK_RANGE, 0, 99999999999999.0, 2, {0, 0, 0}},
      {&app.m_plu, 1, 403, 0x2901, 2, INPUT_LIST, CHECK_OWNER, 1, 80, 2, {17, 1, 0}},
      {&app.m_plu, 1, 404, 0x2901, 2, INPUT_LIST, CHECK_RANGE, 1, 99, 2, {18, 0, 0}},
      {&app.m_plu, 1, 406, 0x2801, 1, INPUT_BUTTONS, CHECK_RANGE, 0, 2, 0, {4, 1, 1}},
      {&app.m_plu, 1, 413, 0x2801, 1, INPUT_LIST, CHECK_RANGE, 0, 3, 0, {4, 2, 3}},
      {&app.m_plu, 1, 415, 0x2801, 1, INPUT_LIST, CHECK_RANGE, 0, 4, 0, {4, 3, 2}},
      {&app.m_plu, 1, 426, 0x2801, 1, INPUT_LIST, CHECK_RANGE, 0, 1, 2, {4, 0, 39}},
      {&app.m_plu, 1, 409, 0x2902, 4, INPUT_EDIT, CHECK_OWNER, 0, 9999, 2, {0, 0, 0}},
      {&app.m_plu, 1, 429, 0x2B06, 11, INPUT_EDIT, CHECK_OWNER, -999999.999, 999999.999, 2, {0, 0, 0}},
      {&app.m_clerk, 0, 501, 0x2801, 1, INPUT_BUTTONS, CHECK_RANGE, 0, 1, 0, {4, 0, 9}},
      {&app.m_clerk, 0, 506, 0x2801, 1, INPUT_LIST, CHECK_RANGE, 0, 3, 0, {4, 2, 4}},
      {&app.m_clerk, 1, 602, 0x2801, 1, INPUT_BUTTONS, CHECK_RANGE, 0, 2, 0, {4, 1, 3}},
      {&app.m_clerk, 1, 603, 0x2B02, 4, INPUT_EDIT, CHECK_OWNER, 0, 0, 0, {0, 0, 0}},
      {&app.m_clerk, 1, 619, 0x2801, 1, INPUT_BUTTONS, CHECK_RANGE, 0, 1, 0, {4, 0, 10}},
  };
  for (const auto& e : expected) {
    SCOPED_TRACE(e.id);
    const stTable_t& table = *e.data->GetTable(e.table);
    const stField_t& field = table.aFields[FieldIndex(table, e.id)];
    EXPECT_EQ(e.type, field.uType);
    EXPECT_EQ(e.width, field.nWidth);
    EXPECT_EQ(e.input, field.nInput);
    EXPECT_EQ(e.check, field.nCheck);
    EXPECT_EQ(e.min, field.dMin);
    EXPECT_EQ(e.max, field.dMax);
    EXPECT_EQ(e.level, field.nLevel);
    EXPECT_EQ(e.list.nWnd, field.nListWnd);
    EXPECT_EQ(e.list.nTable, field.nListTable);
    EXPECT_EQ(e.list.nField, field.nListField);
  }
}

// ---- Where fields live in the records -------------------------------------

struct Placed {
  uint32_t id;
  const wchar_t* text;
};

void ExpectCells(const stTable_t& table, int row, const std::vector<Placed>& cells) {
  for (const Placed& cell : cells) EXPECT_EQ(cell.text, Cell(table, row, cell.id)) << "field " << cell.id;
}

TEST_F(RecordFilesTest, DepartmentRecordAndGroupFieldsSitAtTheirOffsets) {
  std::string group = Text("DRINKS", 18) + "\x02" + "\xEE";
  std::string record = Text("COLA", 18) + "\xFD" "\x03" + std::string("\x99\x19\x00\x00", 4) + "\x01\x02\x03\x04";
  std::string file = Word(1) + group + std::string(160, '\0') + record;
  ASSERT_EQ(1, WriteAndLoad(app.m_dept, "DEPT.ECR", file));
  ExpectCells(*app.m_dept.GetTable(0), 0, {{101, L"DRINKS"}, {102, L"2"}});
  // 0xFD: STATUS1 1, STATUS2 0, HASH 1; bits 3 to 7 belong to no field.
  ExpectCells(*app.m_dept.GetTable(1), 0,
              {{201, L"COLA"}, {202, L"1"}, {203, L"0"}, {204, L"1"}, {206, L"3"}, {207, L"1999"},
               {208, L"1"}, {209, L"2"}, {210, L"3"}, {211, L"4"}});
}

TEST_F(RecordFilesTest, PluRecordFieldsSitAtTheirOffsets) {
  std::string record(PLU_RECORD, '\0');
  Put(record, 0, std::string("\x34\x12\x00\x00\x00\x00\x00\x00", 8));
  Put(record, 8, Text("APPLE", 18));
  Put(record, 26, "\x12\x05\xF5\x77\x50\x02");
  Put(record, 32, std::string("\x45\x23\x01\x00\x99\x99\x99\x99\x00\x00\x00\x00", 12));
  Put(record, 44, "\x03\x07\x02\x04\x05\x06\x08\x01\x42\x11\x22\x33\x09\x01\x15\x66");
  Put(record, 60, std::string("\x00\x50\x12\x00\x00\x80", 6));
  ASSERT_EQ(1, WriteAndLoad(app.m_plu, "PLU.ECR", Word(1) + std::string(1782, ' ') + record));
  // 0xF5 in the status byte: STATUS1 1, STATUS2 2, ORDER REC 0, SCALE 1, TARE COMPULSORY 1.
  ExpectCells(*app.m_plu.GetTable(1), 0,
              {{401, L"00000000001234"}, {402, L"APPLE"}, {403, L"12"}, {404, L"5"}, {405, L"1"}, {406, L"2"},
               {428, L"0"}, {407, L"1"}, {408, L"1"}, {409, L"250"}, {410, L"12345"}, {411, L"99999999"},
               {412, L"0"}, {413, L"3"}, {414, L"7"}, {415, L"2"}, {416, L"4"}, {417, L"5"}, {418, L"6"},
               {419, L"8"}, {420, L"1"}, {421, L"42"}, {422, L"11"}, {423, L"22"}, {424, L"33"},
               {425, L"9"}, {426, L"1"}, {427, L"15"}, {429, L"-12.500"}});
}

TEST_F(RecordFilesTest, ClerkRecordAndSystemFieldsSitAtTheirOffsets) {
  std::string record = Text("ANNA", 18) + "\x02\xAA" + "\x12\xAB" + Word(0x0050) + "\x05\x06" + "\xA5" + "\xF2";
  ASSERT_EQ(1, WriteAndLoad(app.m_clerk, "CLERK.ECR", Word(1) + Word(0x0035) + record));
  // 0x35: SYSTEM 1, EACH TRANSACT 1, AUTO SIGN OFF 0, CLERK CHANGE 3.
  ExpectCells(*app.m_clerk.GetTable(0), 0, {{501, L"1"}, {503, L"1"}, {504, L"0"}, {506, L"3"}});
  ExpectCells(*app.m_clerk.GetTable(1), 0,
              {{601, L"ANNA"}, {602, L"2"}, {603, L"AB12"}, {604, L"50"}, {605, L"5"}, {606, L"6"},
               {607, L"1"}, {608, L"0"}, {609, L"1"}, {610, L"0"}, {611, L"0"}, {612, L"1"}, {613, L"0"},
               {614, L"1"}, {615, L"0"}, {616, L"1"}, {617, L"0"}, {618, L"0"}, {619, L"1"}});
}

// ---- Round trips -----------------------------------------------------------

// PLU records of random bytes whose codes are ascending, so the sort on save
// keeps their order.
std::string RandomPluRecords(int count, uint32_t seed) {
  std::string records = RandomBytes(PLU_RECORD * count, seed);
  for (int i = 0; i < count; ++i) {
    uint64_t code = 0x10000000000000ull + static_cast<uint64_t>(i + 1) * 0x100;
    for (int b = 0; b < 8; ++b) records[i * PLU_RECORD + b] = static_cast<char>(code >> (8 * b));
  }
  return records;
}

TEST_F(RecordFilesTest, LoadAndSaveKeepEveryByteOfRandomFiles) {
  const struct {
    CEcrData* data;
    const char* name;
    std::string bytes;
  } files[] = {
      {&app.m_dept, "DEPT.ECR", Word(12) + RandomBytes(180 + 12 * DEPT_RECORD, 1)},
      {&app.m_dept, "DEPT.ECR", Word(80) + RandomBytes(180 + 80 * DEPT_RECORD, 2)},
      {&app.m_clerk, "CLERK.ECR", Word(10) + RandomBytes(2 + 10 * CLERK_RECORD, 3)},
      {&app.m_clerk, "CLERK.ECR", Word(0) + "\xFF\xFF"},
      {&app.m_plu, "PLU.ECR", Word(1000) + RandomBytes(1782, 4) + RandomPluRecords(1000, 5)},
      {&app.m_plu, "PLU.ECR", Word(3) + RandomBytes(1782, 6) + RandomPluRecords(3, 7)},
      {&app.m_plu, "PLU.ECR", Word(0) + RandomBytes(1782, 8)},
  };
  for (const auto& f : files) {
    SCOPED_TRACE(std::string(f.name) + " of " + std::to_string(f.bytes.size()) + " bytes");
    ASSERT_EQ(1, WriteAndLoad(*f.data, f.name, f.bytes));
    TempFolder out;
    ASSERT_EQ(1, f.data->Save(out.WPath().c_str()));
    EXPECT_TRUE(out.Read(f.name) == f.bytes);
    EXPECT_EQ(folder.WPath(), f.data->m_strFolder) << "a save elsewhere keeps the folder";
  }
}

TEST_F(RecordFilesTest, EditedFieldsChangeOnlyTheirOwnBitsAndBytes) {
  std::string dept = Word(2) + std::string(180, '\xEE') + std::string(2 * DEPT_RECORD, '\xFF');
  ASSERT_EQ(1, WriteAndLoad(app.m_dept, "DEPT.ECR", dept));
  stTable_t& departments = *app.m_dept.GetTable(1);
  SetCell(departments, 1, 203, L"0");   // STATUS2: bit 1 of byte 18
  SetCell(departments, 1, 207, L"1234");
  SetCell(*app.m_dept.GetTable(0), 8, 102, L"1");  // OUTPUT of group 9: byte 18 of its record
  ASSERT_EQ(1, app.m_dept.Save(nullptr));
  std::string expected = dept;
  expected[2 + 8 * 20 + 18] = '\x01';
  expected[182 + DEPT_RECORD + 18] = '\xFD';
  Put(expected, 182 + DEPT_RECORD + 20, std::string("\x34\x12\x00\x00", 4));
  EXPECT_TRUE(folder.Read("DEPT.ECR") == expected);
}

// ---- Counts, capacities and lengths -----------------------------------------

TEST_F(RecordFilesTest, CountsCapacitiesAndLengthsDecideTheLoad) {
  const std::string depts12 = Word(12) + RandomBytes(180 + 12 * DEPT_RECORD, 9);
  const struct {
    const char* what;
    CEcrData* data;
    const char* name;
    std::string bytes;
    int loaded;
    int rows;  // record rows afterwards
  } cases[] = {
      {"12 departments", &app.m_dept, "DEPT.ECR", depts12, 1, 12},
      {"one byte appended", &app.m_dept, "DEPT.ECR", depts12 + "x", 0, 12},
      {"last record cut", &app.m_dept, "DEPT.ECR", depts12.substr(0, depts12.size() - 1), 0, 12},
      {"81 departments", &app.m_dept, "DEPT.ECR", Word(81) + std::string(180 + 81 * DEPT_RECORD, 'a'), 0, 80},
      {"count only", &app.m_dept, "DEPT.ECR", Word(0), 0, 0},
      {"a single byte: the count stays", &app.m_dept, "DEPT.ECR", "\x05", 0, 0},
      {"four-byte clerk file", &app.m_clerk, "CLERK.ECR", Word(0) + "\x7F\x01", 1, 0},
      {"11 clerks", &app.m_clerk, "CLERK.ECR", Word(11) + std::string(2 + 11 * CLERK_RECORD, 'a'), 0, 10},
      {"1001 PLUs", &app.m_plu, "PLU.ECR", Word(1001) + std::string(1782 + 1001 * PLU_RECORD, 'a'), 0, 1000},
      {"PLU block cut", &app.m_plu, "PLU.ECR", Word(0) + std::string(1000, ' '), 0, 1000},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.loaded, WriteAndLoad(*c.data, c.name, c.bytes));
    EXPECT_EQ(c.loaded, c.data->m_bLoaded);
    EXPECT_EQ(c.rows, c.data->GetTable(1)->nRecordCount);
  }
}

TEST_F(RecordFilesTest, ATooLongFileStillShowsItsRecords) {
  std::string file = Word(1) + std::string(180, '\0') + Text("BREAD", 18) + std::string(10, '\0') + "x";
  EXPECT_EQ(0, WriteAndLoad(app.m_dept, "DEPT.ECR", file));
  EXPECT_EQ(L"BREAD", Cell(*app.m_dept.GetTable(1), 0, 201));
}

TEST_F(RecordFilesTest, ACountAboveCapacityReadsNoRecord) {
  ASSERT_EQ(1, WriteAndLoad(app.m_clerk, "CLERK.ECR", Word(1) + Word(0) + Text("OLD", 28)));
  std::string tooMany = Word(11) + Word(0) + Text("NEW", 28 * 11);
  EXPECT_EQ(0, WriteAndLoad(app.m_clerk, "CLERK.ECR", tooMany));
  EXPECT_EQ(L"", Cell(*app.m_clerk.GetTable(1), 0, 601));
}

TEST_F(RecordFilesTest, AMissingFileLeavesTheRowsAsTheyWere) {
  ASSERT_EQ(1, WriteAndLoad(app.m_clerk, "CLERK.ECR", Word(1) + Word(0) + Text("KEPT", 28)));
  TempFolder empty;
  app.SetEcrFolder(empty.WPath().c_str());
  EXPECT_EQ(0, app.m_clerk.m_bExists);
  EXPECT_EQ(0, app.m_clerk.Load(nullptr));
  EXPECT_EQ(L"KEPT", Cell(*app.m_clerk.GetTable(1), 0, 601));
  EXPECT_EQ(1, app.m_clerk.GetTable(1)->nRecordCount);
}

TEST_F(RecordFilesTest, LoadWithoutAFolderFails) {
  app.SetEcrFolder(nullptr);
  EXPECT_EQ(0, app.m_dept.Load(nullptr));
  EXPECT_EQ(0, app.m_dept.m_bLoaded);
  EXPECT_EQ(0, app.m_dept.Save(nullptr));
}

TEST_F(RecordFilesTest, FileNamesMatchInAnyCase) {
  EXPECT_EQ(1, WriteAndLoad(app.m_clerk, "clerk.ecr", Word(0) + Word(0)));
  EXPECT_EQ(1, app.m_clerk.m_bExists);
}

// ---- PLUs: empty rows, sort, duplicates -------------------------------------

std::string PluFile(const std::vector<uint64_t>& packedCodes) {
  std::string file = Word(static_cast<uint16_t>(packedCodes.size())) + std::string(1782, ' ');
  for (uint64_t code : packedCodes) {
    std::string record(PLU_RECORD, '\0');
    for (int b = 0; b < 8; ++b) record[b] = static_cast<char>(code >> (8 * b));
    file += record;
  }
  return file;
}

std::vector<std::wstring> Codes(CPluRam& plu, int count) {
  std::vector<std::wstring> codes;
  for (int row = 0; row < count; ++row) codes.push_back(Cell(*plu.GetTable(1), row, 401));
  return codes;
}

TEST_F(RecordFilesTest, PluRowsBeyondTheFileHoldTheEmptyDefaults) {
  ASSERT_EQ(1, WriteAndLoad(app.m_plu, "PLU.ECR", PluFile({0x5})));
  const stTable_t& plus = *app.m_plu.GetTable(1);
  EXPECT_EQ(1000, plus.nRecordCount);
  ExpectCells(plus, 1, {{401, L"00000000000000"}, {403, L"1"}, {415, L"1"}, {404, L"1"}, {428, L"1"},
                        {407, L"1"}, {408, L"1"}, {410, L"0"}, {416, L"0"}, {429, L"0.000"}});
  EXPECT_EQ(L"0", Cell(plus, 0, 403)) << "a record from the file keeps its own values";
}

TEST_F(RecordFilesTest, SortPutsCodesInOrderAndEmptyRowsLast) {
  ASSERT_EQ(1, WriteAndLoad(app.m_plu, "PLU.ECR", PluFile({0x5, 0, 0x3, 0, 0x9})));
  EXPECT_EQ(1, app.m_plu.Sort(1));
  EXPECT_EQ((std::vector<std::wstring>{L"00000000000003", L"00000000000005", L"00000000000009", L"00000000000000"}),
            Codes(app.m_plu, 4));
  ASSERT_EQ(1, app.m_plu.Save(nullptr));
  EXPECT_TRUE(folder.Read("PLU.ECR") == PluFile({0x3, 0x5, 0x9}));
}

TEST_F(RecordFilesTest, SortIsNumericOverTheWholeCode) {
  ASSERT_EQ(1, WriteAndLoad(app.m_plu, "PLU.ECR", PluFile({0x12345678901234, 0x99, 0x100000000, 0x1})));
  ASSERT_EQ(1, app.m_plu.Save(nullptr));
  EXPECT_TRUE(folder.Read("PLU.ECR") == PluFile({0x1, 0x99, 0x100000000, 0x12345678901234}));
}

TEST_F(RecordFilesTest, DuplicateCodesRefuseTheSaveAndKeepTheOldFile) {
  const std::string before = PluFile({0x11, 0x12});
  ASSERT_EQ(1, WriteAndLoad(app.m_plu, "PLU.ECR", before));
  SetCell(*app.m_plu.GetTable(1), 0, 401, L"12");
  EXPECT_EQ(0, app.m_plu.Sort(1));
  EXPECT_EQ(0, app.m_plu.Save(nullptr));
  EXPECT_TRUE(folder.Read("PLU.ECR") == before);
  TempFolder elsewhere;
  EXPECT_EQ(0, app.m_plu.Save(elsewhere.WPath().c_str()));
  EXPECT_FALSE(elsewhere.Exists("PLU.ECR")) << "no file is created";
}

TEST_F(RecordFilesTest, ClearedCodesLeaveTheFileOnSave) {
  std::vector<uint64_t> codes;
  for (uint64_t c = 0x10; c < 0x20; ++c) codes.push_back(c);
  ASSERT_EQ(1, WriteAndLoad(app.m_plu, "PLU.ECR", PluFile(codes)));
  SetCell(*app.m_plu.GetTable(1), 3, 401, L"0");
  SetCell(*app.m_plu.GetTable(1), 7, 401, L"0");
  ASSERT_EQ(1, app.m_plu.Save(nullptr));
  codes.erase(codes.begin() + 7);
  codes.erase(codes.begin() + 3);
  EXPECT_TRUE(folder.Read("PLU.ECR") == PluFile(codes));
}

TEST_F(RecordFilesTest, SortCarriesTheUnusedBytesOfEachPlu) {
  std::string first = RandomPluRecords(2, 11);
  std::string file = Word(2) + std::string(1782, ' ') + first.substr(PLU_RECORD) + first.substr(0, PLU_RECORD);
  ASSERT_EQ(1, WriteAndLoad(app.m_plu, "PLU.ECR", file));
  ASSERT_EQ(1, app.m_plu.Save(nullptr));
  EXPECT_TRUE(folder.Read("PLU.ECR") == Word(2) + std::string(1782, ' ') + first);
}

// ---- Data safety --------------------------------------------------------------

// Writes fail past the file size limit; the previous file must survive.
TEST_F(RecordFilesTest, AFailedWriteLeavesThePreviousFile) {
  const std::string before = Word(1000) + RandomBytes(1782, 12) + RandomPluRecords(1000, 13);
  ASSERT_EQ(1, WriteAndLoad(app.m_plu, "PLU.ECR", before));
  SetCell(*app.m_plu.GetTable(1), 0, 402, L"CHANGED");
  struct rlimit saved;
  ASSERT_EQ(0, getrlimit(RLIMIT_FSIZE, &saved));
  auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 4096;
  ASSERT_EQ(0, setrlimit(RLIMIT_FSIZE, &small));
  int saved_result = app.m_plu.Save(nullptr);
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(0, saved_result);
  EXPECT_TRUE(folder.Read("PLU.ECR") == before);
  EXPECT_EQ(1, std::distance(std::filesystem::directory_iterator(folder.Path()), std::filesystem::directory_iterator()))
      << "no temporary file is left";
}

// ---- Owner checks ---------------------------------------------------------------

// The result and message of the entry check for a value typed into a field.
std::pair<int, std::wstring> Enter(CEcrData& data, int table, uint32_t id, const wchar_t* text) {
  stTable_t& descriptor = *data.GetTable(table);
  std::wstring message;
  int accepted = CheckEntry(descriptor, FieldIndex(descriptor, id), 0, text, message);
  return {accepted, message};
}

struct EntryCase {
  const wchar_t* text;
  int accepted;
  const wchar_t* message;
};

void ExpectEntries(CEcrData& data, int table, uint32_t id, const std::vector<EntryCase>& cases) {
  for (const EntryCase& c : cases) {
    auto [accepted, message] = Enter(data, table, id, c.text);
    EXPECT_EQ(c.accepted, accepted) << "text '" << std::string(c.text, c.text + wcslen(c.text)) << "'";
    EXPECT_EQ(c.message, message) << "text '" << std::string(c.text, c.text + wcslen(c.text)) << "'";
  }
}

TEST_F(RecordFilesTest, PassCodesTakeHexadecimalDigitsOnly) {
  ExpectEntries(app.m_clerk, 1, 603,
                {{L"12ab", 1, L""}, {L"FACE", 1, L""}, {L"", 1, L""}, {L"0099", 1, L""},
                 {L"12G4", 0, L"0-9,A,B,C,D,E,F"}, {L"1 2", 0, L"0-9,A,B,C,D,E,F"}, {L"-1", 0, L"0-9,A,B,C,D,E,F"}});
  stTable_t& clerks = *app.m_clerk.GetTable(1);
  SetCell(clerks, 0, 603, L"12ab");
  EXPECT_EQ(0x12AB, FieldValue(clerks, 0, 2)[0] | (FieldValue(clerks, 0, 2)[1] << 8));
  ExpectEntries(app.m_clerk, 1, 601, {{L"any name", 1, L""}});
}

TEST_F(RecordFilesTest, PassCodeMessageComesFromCaptionTen) {
  S_ECR_CAP caption;
  caption.text = L"HEX DIGITS ONLY";
  captions.Manager().SetCaption(WND_TABLE_CAPTIONS, 10, &caption);
  ExpectEntries(app.m_clerk, 1, 603, {{L"XYZ", 0, L"HEX DIGITS ONLY"}});
}

TEST_F(RecordFilesTest, StockCounterTakesThreeDecimalsWithinItsRange) {
  const wchar_t* range = L"Range is -999999.999 - 999999.999";
  ExpectEntries(app.m_plu, 1, 429,
                {{L"-12.125", 1, L""}, {L"999999.999", 1, L""}, {L"-999999.999", 1, L""}, {L".5", 1, L""},
                 {L"5.", 1, L""}, {L"0007", 1, L""}, {L"12.1255", 0, L"Input until THIRD decimal place"},
                 {L"1-2", 0, range}, {L"--5", 0, range}, {L"1.2.3", 0, range}, {L"1000000.5", 0, range},
                 {L"", 0, range}, {L"-", 0, range}, {L".", 0, range}, {L"12a", 0, range}, {L"+5", 0, range}});
  SetCell(*app.m_plu.GetTable(1), 0, 429, L"-12.125");
  EXPECT_EQ(L"-12.125", Cell(*app.m_plu.GetTable(1), 0, 429));
}

TEST_F(RecordFilesTest, UnitWeightIsFourDigitsWithoutProgramModeFile) {
  const wchar_t* range = L"Range is 0 - 9999";
  ExpectEntries(app.m_plu, 1, 409,
                {{L"9999", 1, L""}, {L"1500", 1, L""}, {L"", 1, L""}, {L"10000", 0, range}, {L"-1", 0, range},
                 {L"12x", 0, range}, {L"1e3", 0, range}, {L"12.5", 0, range}});
}

TEST_F(RecordFilesTest, UnitWeightIsThreeDigitsWhenScaleWeightTypeIsOne) {
  std::string prgMode(2376, '\0');
  prgMode[593] = 0x40;  // "SCALE WEIGHT TYPE" of "GENERAL OPTIONS"
  folder.Write("PRG_MODE.ECR", prgMode);
  app.SetEcrFolder(folder.WPath().c_str());
  app.m_prgMode.Load(nullptr);
  if (!app.m_prgMode.GetTable(25)) GTEST_SKIP() << "the program-mode tables are not part of this build";
  ExpectEntries(app.m_plu, 1, 409, {{L"999", 1, L""}, {L"1500", 0, L"Range is 0 - 999"}});
}

TEST_F(RecordFilesTest, LinkDeptIsLimitedByTheDepartmentFile) {
  ExpectEntries(app.m_plu, 1, 403, {{L"80", 1, L""}, {L"81", 0, L"Range is 0 - 80"}});
  ASSERT_EQ(1, WriteAndLoad(app.m_dept, "DEPT.ECR", Word(50) + std::string(180 + 50 * DEPT_RECORD, ' ')));
  ExpectEntries(app.m_plu, 1, 403,
                {{L"50", 1, L""}, {L"60", 0, L"Range is 0 - 50"}, {L"-1", 0, L"Range is 0 - 50"},
                 {L"ab", 0, L"Range is 0 - 50"}});
}

TEST_F(RecordFilesTest, OtherFieldsAndTablesAreNotTheOwnersToRefuse) {
  CheckReq request{app.m_plu.GetTable(0), 0, 0, L"anything", 0, nullptr};
  EXPECT_EQ(1, app.m_plu.CheckValue(&request));
  request.pTable = app.m_plu.GetTable(1);
  request.nField = FieldIndex(*request.pTable, 402);
  EXPECT_EQ(1, app.m_plu.CheckValue(&request));
  request.pTable = app.m_dept.GetTable(1);
  EXPECT_EQ(1, app.m_dept.CheckValue(&request));
}

}  // namespace
