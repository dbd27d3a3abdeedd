// The service-mode settings and keyboard tables: views, the "S_MODE.ECR"
// layout with its key, preset and list encodings, and the checks of entered
// values. Fixtures are built from the file layout table.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "common/CaptionCell.h"
#include "common/CaptionMgr.h"
#include "model_library/VarkelApp.h"
#include "model_library/data/FixedTbl.h"
#include "model_library/data/SModeRam.h"
#include "model_library/tests/SettingsTestSupport.h"
#include "testing/TempFolder.h"

namespace {

// The file layout.
constexpr size_t kImageSize = 8357;
constexpr int kConnection = 29;
constexpr int kKeyCodes = 41;
constexpr int kDeptSlotKeys = 169;
constexpr int kDeptSlotNumbers = 269;
constexpr int kPluSlotKeys = 369;
constexpr int kPluSlotCodes = 469;
constexpr int kPopUpList = 4789;
constexpr int kFunctionKeys = 4839;

// Key number of each MAP number 1 to 100.
constexpr int kMapKeys[101] = {
    -1,  13,  12,  11,  10,  9,   8,   7,   6,   5,   4,   1,   0,   30,  29,  28,  27,  26,  25,  24,  23,
    22,  21,  20,  17,  16,  46,  45,  44,  43,  42,  41,  40,  39,  38,  37,  36,  35,  34,  33,  32,
    62,  61,  60,  59,  58,  57,  56,  55,  54,  53,  52,  51,  50,  49,  48,  78,  77,  76,  75,  74,
    73,  72,  71,  70,  69,  68,  64,  94,  93,  92,  91,  90,  89,  88,  87,  86,  85,  84,  80,  110,
    109, 108, 107, 106, 105, 104, 103, 102, 101, 100, 126, 125, 124, 123, 122, 121, 120, 119, 118, 117,
};

enum {
  kRam = 0, kDeptPresets = 4, kPopUpPlu = 5, kPage1 = 6, kPage2 = 7, kPage3 = 8, kFunctionTable = 9,
  kPopUpTable = 10, kComPort = 12, kShortCaptions = 14,
};

class SModeRamTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetCaptionCell(nullptr);
    data.SetFolder(folder.WPath().c_str());
  }
  void TearDown() override { SetCaptionCell(nullptr); }

  stTable_t& Settings(int index) {
    data.SetKeyboardView(false);
    return *data.GetTable(index);
  }
  stTable_t& KeyMap() {
    data.SetKeyboardView(true);
    stTable_t& table = *data.GetTable(0);
    data.SetKeyboardView(false);
    return table;
  }
  uint8_t& Cell(int row, int column) { return *FieldValue(KeyMap(), row, column); }
  void LoadImage(const std::vector<uint8_t>& image) {
    folder.Write("S_MODE.ECR", image);
    data.SetFolder(folder.WPath().c_str());
    ASSERT_EQ(1, data.Load(nullptr));
  }
  std::vector<uint8_t> SavedImage() {
    EXPECT_EQ(1, data.Save(folder.WPath().c_str()));
    return AsBytes(folder.Read("S_MODE.ECR"));
  }
  static void SetPluCode(std::vector<uint8_t>& image, int slot, int page, uint8_t low) {
    image[kPluSlotCodes + slot * 24 + page * 8] = low;
  }

  TempFolder folder;
  CSModeRam data;
};

TEST_F(SModeRamTest, ObjectAndSettingsTables) {
  EXPECT_EQ(L"S MODE", data.m_strName);
  EXPECT_EQ(0, data.m_nKind);
  EXPECT_EQ(1, data.m_nTransferLine);
  EXPECT_EQ(0, data.HasCountPrefix());
  EXPECT_EQ(0, data.Sort(4));
  const struct {
    uint32_t id;
    const wchar_t* caption;
    int rows, rowSize, fields;
  } expected[] = {
      {700, L"RAM ALLOCATION", 1, 10, 6},           {800, L"PRG MODE PASS CODE SET", 1, 2, 1},
      {900, L"Z MODE PASS CODE SET", 1, 2, 1},      {1000, L"CONFIGURATION SETTING", 1, 9, 9},
      {1100, L"[DEPT PRESET] KEY SET", 100, 2, 2},  {1200, L"[POP-UP PLU *] KEY SET", 10, 192, 24},
      {1300, L"[PLU PRESET] ( PAGE 1)", 100, 9, 2}, {1400, L"[PLU PRESET] ( PAGE 2)", 100, 9, 2},
      {1500, L"[PLU PRESET] ( PAGE 3)", 100, 9, 2}, {1600, L"[FUNCTION * ] KEY SET", 5, 10, 10},
      {1700, L"[POP-UP LIST * ] KEY SET", 5, 10, 10}, {1800, L"NETWORK TERMINAL# SET", 1, 1, 1},
      {1900, L"COM PORT SETTING", 1, 1, 1},         {2100, L"PLU DATA TRANSFER TYPE", 1, 1, 1},
      {2200, L"SHORT CAPTION SETTING", 213, 12, 1}, {2300, L"LONG CAPTION SETTING", 38, 24, 1},
  };
  ASSERT_EQ(16, data.GetTableCount());
  for (int t = 0; t < 16; ++t) {
    SCOPED_TRACE(t);
    const stTable_t& table = *data.GetTable(t);
    EXPECT_EQ(expected[t].id, table.uId);
    EXPECT_STREQ(expected[t].caption, table.szCaption);
    EXPECT_EQ(expected[t].rows, table.nRecordCount);
    EXPECT_EQ(expected[t].rowSize, table.nRecordSize);
    EXPECT_EQ(expected[t].fields, table.nFieldCount);
    EXPECT_EQ(-1, table.nSortField);
    EXPECT_EQ(&data, table.pOwner);
  }
  EXPECT_EQ(nullptr, data.GetTable(16));
  EXPECT_EQ(nullptr, data.GetTable(-1));
}

TEST_F(SModeRamTest, KeyboardViewTables) {
  data.SetKeyboardView(true);
  ASSERT_EQ(2, data.GetTableCount());
  const stTable_t& map = *data.GetTable(0);
  EXPECT_EQ(2400u, map.uId);
  EXPECT_STREQ(L"KEYBOARD MAPPING", map.szCaption);
  EXPECT_EQ(8, map.nRecordCount);
  EXPECT_EQ(15, map.nFieldCount);
  EXPECT_EQ(15, map.nRecordSize);
  for (int j = 0; j < 15; ++j) {
    const stField_t& cell = map.aFields[j];
    EXPECT_EQ(0u, cell.uId);
    EXPECT_STREQ(L"", cell.szCaption);
    EXPECT_EQ(0x3C01u, cell.uType);
    EXPECT_EQ(3, cell.nWidth);
    EXPECT_EQ(INPUT_NONE, cell.nInput);
    EXPECT_EQ(CHECK_RANGE, cell.nCheck);
    EXPECT_EQ(18, cell.dMin);
    EXPECT_EQ(159, cell.dMax);
  }
  const stTable_t& list = *data.GetTable(1);
  EXPECT_EQ(0u, list.uId);
  EXPECT_STREQ(L"KEYBOARD LIST", list.szCaption);
  EXPECT_EQ(160, list.nRecordCount);
  EXPECT_EQ(28, list.nRecordSize);
  ASSERT_EQ(3, list.nFieldCount);
  EXPECT_STREQ(L"ENABLE", list.aFields[0].szCaption);
  EXPECT_EQ(0x802u, list.aFields[0].uType);
  EXPECT_STREQ(L"CAPTION", list.aFields[1].szCaption);
  EXPECT_EQ(0x802u, list.aFields[1].uType);
  EXPECT_STREQ(L"LIST STRING", list.aFields[2].szCaption);
  EXPECT_EQ(0xC00u, list.aFields[2].uType);
  EXPECT_EQ(24, list.aFields[2].nWidth);
  EXPECT_EQ(nullptr, data.GetTable(2));
  data.SetKeyboardView(false);
  EXPECT_EQ(16, data.GetTableCount());
}

std::wstring ListName(const stField_t& field) {
  CFixedTbl options;
  const stTable_t* table = options.GetTable(field.nListTable);
  if (field.nListWnd != 4 || !table || field.nListField >= table->nFieldCount) return L"?";
  return std::wstring(table->aFields[field.nListField].szCaption) + L" of " + table->szCaption;
}

TEST_F(SModeRamTest, FieldDescriptors) {
  const struct {
    int table, field;
    uint32_t id;
    const wchar_t* caption;
    uint32_t type;
    int width, input, check;
    double min, max;
    int level;
    const wchar_t* list;
  } expected[] = {
      {kRam, 0, 702, L"PLU#", 0x802, 4, INPUT_EDIT, CHECK_RANGE, 200, 5000, 2, nullptr},
      {kRam, 5, 707, L"RAM SIZE", 0x804, 7, INPUT_EDIT, CHECK_RANGE, 1048576, 2621440, 2, nullptr},
      {1, 0, 801, L"CODE", 0x2B02, 4, INPUT_EDIT, CHECK_RANGE, 0, 9999, 0, nullptr},
      {3, 0, 1001, L"D.P. POSITION", 0x2801, 1, INPUT_LIST, CHECK_RANGE, 0, 3, 0, L"DPPOS of Fore Era"},
      {3, 2, 1003, L"AMT DIV SYMBOL", 0x2801, 1, INPUT_BUTTONS, CHECK_RANGE, 0, 1, 0, L"SYMBOL of Two Era"},
      {3, 3, 1004, L"CURRENCY SYMBOL", 0x2801, 1, INPUT_LIST, CHECK_RANGE, 0, 4, 0, L"CSYMBOL of Five Era"},
      {3, 4, 1005, L"UNIT PRICE SYMBOL", 0x2801, 1, INPUT_BUTTONS, CHECK_RANGE, 0, 1, 0, L"USYMBOL of Two Era"},
      {3, 5, 1006, L"MULTI SYMBOL", 0x2801, 1, INPUT_BUTTONS, CHECK_RANGE, 0, 1, 0, L"MSYMBOL of Two Era"},
      {3, 6, 1007, L"FRACTION ROUND", 0x2801, 1, INPUT_BUTTONS, CHECK_RANGE, 0, 2, 0, L"FROUND of Three Era"},
      {3, 7, 1008, L"EUROPEAN ROUND", 0x2801, 1, INPUT_LIST, CHECK_RANGE, 0, 3, 0, L"EROUND of Fore Era"},
      {3, 8, 1009, L"EURO ROUND EFFECT", 0x2801, 1, INPUT_BUTTONS, CHECK_RANGE, 0, 1, 0, L"EROUND_EF of Two Era"},
      {kDeptPresets, 0, 1101, L"MAP#", 0x2801, 3, INPUT_EDIT, CHECK_OWNER, 0, 70, 2, nullptr},
      {kDeptPresets, 1, 1102, L"DEPT#", 0x2901, 2, INPUT_LIST, CHECK_OWNER, 1, 80, 2, nullptr},
      {kPopUpPlu, 23, 1224, L"FREE CODE24", 0x2B08, 14, INPUT_EDIT, CHECK_RANGE, 0, 99999999999999.0, 0, nullptr},
      {kPage1, 0, 1301, L"MAP#", 0x2801, 3, INPUT_EDIT, CHECK_OWNER, 0, 70, 0, nullptr},
      {kPage2, 0, 1401, L"MAP#", 0x801, 3, INPUT_EDIT, CHECK_RANGE, 0, 70, 0, nullptr},
      {kPage3, 1, 1502, L"FREE CODE", 0x2B08, 14, INPUT_EDIT, CHECK_RANGE, 0, 99999999999999.0, 0, nullptr},
      {kFunctionTable, 9, 1610, L"KEY#10", 0x2801, 2, INPUT_EDIT, CHECK_OWNER, 0, 90, 0, nullptr},
      {kPopUpTable, 0, 1701, L"#1", 0x2801, 3, INPUT_EDIT, CHECK_OWNER, 0, 90, 0, nullptr},
      {11, 0, 1801, L"NUMBER", 0x2901, 1, INPUT_EDIT, CHECK_RANGE, 0, 8, 0, nullptr},
      {kComPort, 0, 1901, L"CONNECTION", 0x2801, 1, INPUT_LIST, CHECK_RANGE, 0, 5, 0, L"COM1CONNECT of Six Era"},
      {13, 0, 2101, L"TYPE", 0x2801, 1, INPUT_BUTTONS, CHECK_RANGE, 0, 1, 0, L"TYPE of Two Era"},
      {15, 0, 2301, L"CAPTION", 0x2400, 24, INPUT_EDIT, CHECK_NONE, 0, 0, 0, nullptr},
  };
  for (const auto& e : expected) {
    const stField_t& field = Settings(e.table).aFields[e.field];
    SCOPED_TRACE(testing::Message() << "table " << e.table << " field " << e.field);
    EXPECT_EQ(e.id, field.uId);
    EXPECT_STREQ(e.caption, field.szCaption);
    EXPECT_EQ(e.type, field.uType);
    EXPECT_EQ(e.width, field.nWidth);
    EXPECT_EQ(e.input, field.nInput);
    EXPECT_EQ(e.check, field.nCheck);
    EXPECT_EQ(e.min, field.dMin);
    EXPECT_EQ(e.max, field.dMax);
    EXPECT_EQ(e.level, field.nLevel);
    if (e.list) {
      EXPECT_EQ(e.list, ListName(field));
    }
  }
  const stField_t& department = Settings(kDeptPresets).aFields[1];
  EXPECT_EQ(17, department.nListWnd) << "department names";
  EXPECT_EQ(1, department.nListTable);
  EXPECT_EQ(0, department.nListField);
}

TEST_F(SModeRamTest, KeyboardListIsConstant) {
  data.SetKeyboardView(true);
  const stTable_t& list = *data.GetTable(1);
  std::vector<int> enabled;
  for (int code = 0; code < 160; ++code)
    if (Shown(list, code, 0) == L"1") enabled.push_back(code);
  std::vector<int> expected;
  for (int code = 19; code <= 128; ++code)
    if (code != 98 && !(code >= 104 && code <= 108) && !(code >= 114 && code <= 118)) expected.push_back(code);
  EXPECT_EQ(expected, enabled);

  const struct {
    int code;
    const char* text;
    const wchar_t* caption;
  } rows[] = {
      {0, "0", L"9001"},          {14, "SUBTL/RC ST/R issue", L"9015"}, {19, "CLERK", L"9020"},
      {48, "DEPT PRESET", L"9049"}, {93, "A.B.R.", L"9094"},          {94, "PAY CHANGE", L"9096"},
      {97, "TRM PRINT", L"9099"}, {98, "reserved", L"9095"},         {128, "POP-UP PLU10", L"9129"},
      {140, "reserved", L"9095"}, {159, "RF", L"9160"},
  };
  for (const auto& row : rows) {
    std::string text(row.text);
    text.resize(24, ' ');
    EXPECT_EQ(text, std::string(reinterpret_cast<const char*>(FieldValue(list, row.code, 2)), 24)) << row.code;
    EXPECT_EQ(row.caption, Shown(list, row.code, 1)) << row.code;
  }
  EXPECT_EQ(L"0", Shown(list, 159, 0));
  EXPECT_EQ(L"0", Shown(list, 140, 0));
}

// A file with odd values in every byte that is kept, valid codes where the
// file holds codes, loads and saves to the same bytes except key number 14.
TEST_F(SModeRamTest, RoundTripKeepsTheFileButTheFixedKey) {
  std::vector<uint8_t> image = OddBytes(kImageSize, 5);
  for (int key = 0; key < 128; ++key)
    if (image[kKeyCodes + key] == 49) image[kKeyCodes + key] = 51;  // no preset key to assign
  for (int slot = 0; slot < 100; ++slot) {
    bool used = slot % 5 != 0;
    image[kDeptSlotKeys + slot] = used ? kMapKeys[1 + (slot * 37) % 100] : 0;
    image[kDeptSlotNumbers + slot] = used ? 0x10 + slot % 9 : 0;
    image[kPluSlotKeys + slot] = used ? kMapKeys[1 + (slot * 11) % 100] : 0;
    if (!used) std::memset(&image[kPluSlotCodes + slot * 24], 0, 8);  // pages 2 and 3 keep their codes
  }
  LoadImage(image);
  std::vector<uint8_t> expected = image;
  expected[kKeyCodes + 14] = 255;
  EXPECT_EQ(expected, SavedImage());
}

TEST_F(SModeRamTest, FixedKeyShows159AndIsStoredAs255) {
  std::vector<uint8_t> image(kImageSize, 0);
  image[kKeyCodes + 14] = 0x20;
  LoadImage(image);
  EXPECT_EQ(159, Cell(0, 0));
  EXPECT_EQ(255, SavedImage()[kKeyCodes + 14]);
  EXPECT_EQ(159, Cell(0, 0)) << "the grid keeps a code that the key function list has";
}

TEST_F(SModeRamTest, KeyNumbersAndGridCells) {
  std::vector<uint8_t> image(kImageSize, 0);
  for (int key = 0; key < 128; ++key) image[kKeyCodes + key] = static_cast<uint8_t>(key + 20);
  LoadImage(image);
  for (int row = 0; row < 8; ++row)
    for (int column = 0; column < 15; ++column)
      if (row || column) {
        EXPECT_EQ(16 * row + 14 - column + 20, Cell(row, column)) << row << "," << column;
      }
  EXPECT_EQ(20, Cell(0, 14)) << "key number 0";
  EXPECT_EQ(20 + 16, Cell(1, 14));
  EXPECT_EQ(20 + 29, Cell(1, 1));

  Cell(2, 3) = 60;
  std::vector<uint8_t> saved = SavedImage();
  EXPECT_EQ(60, saved[kKeyCodes + 43]);
  for (int key = 15; key < 128; key += 16) EXPECT_EQ(key + 20, saved[kKeyCodes + key]) << "no cell: kept";
}

TEST_F(SModeRamTest, MapNumbersNameTheirKeys) {
  std::vector<uint8_t> image(kImageSize, 0);
  for (int map = 1; map <= 100; ++map) {
    image[kDeptSlotKeys + map - 1] = static_cast<uint8_t>(kMapKeys[map]);
    image[kDeptSlotNumbers + map - 1] = 0x01;
  }
  LoadImage(image);
  for (int map = 1; map <= 100; ++map) EXPECT_EQ(map, Byte(Settings(kDeptPresets), map - 1, 0)) << map;
}

TEST_F(SModeRamTest, PresetSlotsUnpack) {
  std::vector<uint8_t> image(kImageSize, 0);
  image[kDeptSlotKeys + 0] = 13, image[kDeptSlotNumbers + 0] = 0x05;   // MAP 1, department 5
  image[kDeptSlotKeys + 1] = 12;                                       // no department: MAP 0
  image[kDeptSlotKeys + 2] = 14, image[kDeptSlotNumbers + 2] = 0x12;   // key without MAP number
  image[kPluSlotKeys + 3] = 30;                                        // MAP 13
  SetPluCode(image, 3, 0, 0x11), SetPluCode(image, 3, 1, 0x22), SetPluCode(image, 3, 2, 0x33);
  image[kPluSlotKeys + 4] = 29;                                        // page-1 code 0: MAP 0
  SetPluCode(image, 4, 1, 0x44);
  LoadImage(image);
  EXPECT_EQ(1, Byte(Settings(kDeptPresets), 0, 0));
  EXPECT_EQ(L"5", Shown(Settings(kDeptPresets), 0, 1));
  EXPECT_EQ(0, Byte(Settings(kDeptPresets), 1, 0));
  EXPECT_EQ(0, Byte(Settings(kDeptPresets), 2, 0)) << "keeps the value it had";
  EXPECT_EQ(L"12", Shown(Settings(kDeptPresets), 2, 1));
  for (int page : {kPage1, kPage2, kPage3}) {
    EXPECT_EQ(13, Byte(Settings(page), 3, 0)) << page;
    EXPECT_EQ(0, Byte(Settings(page), 4, 0)) << page;
  }
  EXPECT_EQ(L"00000000000011", Shown(Settings(kPage1), 3, 1));
  EXPECT_EQ(L"00000000000022", Shown(Settings(kPage2), 3, 1));
  EXPECT_EQ(L"00000000000033", Shown(Settings(kPage3), 3, 1));
  EXPECT_EQ(L"00000000000044", Shown(Settings(kPage2), 4, 1));
}

TEST_F(SModeRamTest, PackClearsSlotsWithoutContent) {
  *FieldValue(Settings(kDeptPresets), 0, 0) = 5;  // MAP 5, but no department
  *FieldValue(Settings(kDeptPresets), 1, 0) = 5;
  *FieldValue(Settings(kDeptPresets), 1, 1) = 0x07;
  *FieldValue(Settings(kPage1), 2, 0) = 5;  // MAP 5, but no page-1 code
  *FieldValue(Settings(kPage3), 2, 1) = 0x99;
  std::vector<uint8_t> image = SavedImage();
  EXPECT_EQ(0, image[kDeptSlotKeys + 0]);
  EXPECT_EQ(0, Byte(Settings(kDeptPresets), 0, 0));
  EXPECT_EQ(kMapKeys[5], image[kDeptSlotKeys + 1]);
  EXPECT_EQ(0x07, image[kDeptSlotNumbers + 1]);
  EXPECT_EQ(0, image[kPluSlotKeys + 2]);
  EXPECT_EQ(0, Byte(Settings(kPage1), 2, 0));
  EXPECT_EQ(0x99, image[kPluSlotCodes + 2 * 24 + 16]) << "page 3 code written";
}

// Preset keys of the layout get free slots on save, in key-number order.
class PresetAssignmentTest : public SModeRamTest {
 protected:
  void UseDeptSlot(int slot, int map, uint8_t department) {
    *FieldValue(Settings(kDeptPresets), slot, 0) = static_cast<uint8_t>(map);
    *FieldValue(Settings(kDeptPresets), slot, 1) = department;
  }
  // Gives the key with this number the code.
  void PutKey(int key, uint8_t code) { Cell(key / 16, 14 - key % 16) = code; }
  int SlotKey(const std::vector<uint8_t>& image, int slot) { return image[kDeptSlotKeys + slot]; }
};

TEST_F(PresetAssignmentTest, TwoNewKeysTakeTheFirstSlots) {
  PutKey(40, 48);
  PutKey(5, 48);
  std::vector<uint8_t> image = SavedImage();
  EXPECT_EQ(5, SlotKey(image, 0));
  EXPECT_EQ(40, SlotKey(image, 1));
  EXPECT_EQ(0, SlotKey(image, 2));
  EXPECT_EQ(9, Byte(Settings(kDeptPresets), 0, 0));
  EXPECT_EQ(32, Byte(Settings(kDeptPresets), 1, 0));
  EXPECT_EQ(48, image[kKeyCodes + 5]);
}

TEST_F(PresetAssignmentTest, KeyAlreadyInASlotIsNotAssignedTwice) {
  UseDeptSlot(3, 9, 0x07);  // MAP 9 is key 5
  PutKey(5, 48);
  PutKey(40, 48);
  std::vector<uint8_t> image = SavedImage();
  EXPECT_EQ(40, SlotKey(image, 0));
  EXPECT_EQ(0, SlotKey(image, 1));
  EXPECT_EQ(5, SlotKey(image, 3));
  EXPECT_EQ(0x07, image[kDeptSlotNumbers + 3]);
}

TEST_F(PresetAssignmentTest, SlotsInUseAfterAFreeOneAreNotTakenOver) {
  UseDeptSlot(1, 32, 0x02);  // key 40
  UseDeptSlot(2, 1, 0x03);   // key 13
  PutKey(5, 48);
  PutKey(41, 48);
  std::vector<uint8_t> image = SavedImage();
  EXPECT_EQ(5, SlotKey(image, 0));
  EXPECT_EQ(40, SlotKey(image, 1));
  EXPECT_EQ(13, SlotKey(image, 2));
  EXPECT_EQ(41, SlotKey(image, 3));
  EXPECT_EQ(31, Byte(Settings(kDeptPresets), 3, 0));
}

TEST_F(PresetAssignmentTest, KeyWithoutMapNumberTakesASlotWithoutStoringIt) {
  PutKey(2, 48);  // row 0, column 12: no MAP number
  PutKey(5, 48);
  std::vector<uint8_t> image = SavedImage();
  EXPECT_EQ(0, SlotKey(image, 0));
  EXPECT_EQ(0, Byte(Settings(kDeptPresets), 0, 0));
  EXPECT_EQ(5, SlotKey(image, 1));
}

TEST_F(PresetAssignmentTest, NoFreeSlotLeft) {
  for (int slot = 0; slot < 100; ++slot) UseDeptSlot(slot, 1 + slot % 50, 0x01);
  PutKey(110, 48);  // MAP 80
  std::vector<uint8_t> image = SavedImage();
  for (int slot = 0; slot < 100; ++slot) EXPECT_EQ(kMapKeys[1 + slot % 50], SlotKey(image, slot)) << slot;
}

TEST_F(PresetAssignmentTest, PluPresetKeys) {
  PutKey(17, 49);  // MAP 24
  PutKey(5, 48);
  std::vector<uint8_t> image = SavedImage();
  EXPECT_EQ(17, image[kPluSlotKeys + 0]);
  EXPECT_EQ(0, image[kPluSlotKeys + 1]);
  for (int page : {kPage1, kPage2, kPage3}) EXPECT_EQ(24, Byte(Settings(page), 0, 0)) << page;
  EXPECT_EQ(5, SlotKey(image, 0)) << "department slots apart";
}

TEST_F(SModeRamTest, ConnectionCodes) {
  const uint8_t codes[] = {0, 7, 3, 4, 1, 6};
  for (int index = 0; index < 6; ++index) {
    *FieldValue(Settings(kComPort), 0, 0) = static_cast<uint8_t>(index);
    std::vector<uint8_t> image = SavedImage();
    EXPECT_EQ(codes[index], image[kConnection]) << index;
    LoadImage(image);
    EXPECT_EQ(index, Byte(Settings(kComPort), 0, 0));
  }
  std::vector<uint8_t> image(kImageSize, 0);
  image[kConnection] = 2;
  LoadImage(image);
  EXPECT_EQ(0, Byte(Settings(kComPort), 0, 0)) << "a code not in the list reads as index 0";
  EXPECT_EQ(2, SavedImage()[kConnection]) << "and is written back while unchanged";
  *FieldValue(Settings(kComPort), 0, 0) = 5;
  EXPECT_EQ(6, SavedImage()[kConnection]);
}

TEST_F(SModeRamTest, FunctionKeyAndPopUpEncoding) {
  const struct {
    int value;
    uint8_t function;
    uint8_t popUp;
  } cases[] = {{0, 0xFF, 0xFF}, {1, 19, 19},  {27, 45, 45}, {50, 68, 68}, {77, 95, 95}, {85, 4, 103},
               {78, 11, 96},    {79, 13, 97}, {80, 14, 98}, {81, 0, 99}, {90, 9, 108}, {91, 10, 109},
               {92, 0, 110}};
  for (size_t i = 0; i < std::size(cases); ++i) {
    FieldValue(Settings(kFunctionTable), 0, 0)[i] = static_cast<uint8_t>(cases[i].value);
    FieldValue(Settings(kPopUpTable), 0, 0)[i] = static_cast<uint8_t>(cases[i].value);
  }
  std::vector<uint8_t> image = SavedImage();
  for (size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_EQ(cases[i].function, image[kFunctionKeys + i]) << cases[i].value;
    EXPECT_EQ(cases[i].popUp, image[kPopUpList + i]) << cases[i].value;
  }
  LoadImage(image);
  for (size_t i = 0; i < std::size(cases); ++i) {
    int expected = cases[i].value == 92 ? 81 : cases[i].value;  // 92 is no function-key value
    EXPECT_EQ(expected, FieldValue(Settings(kFunctionTable), 0, 0)[i]) << cases[i].value;
    EXPECT_EQ(cases[i].value, FieldValue(Settings(kPopUpTable), 0, 0)[i]) << cases[i].value;
  }
}

TEST_F(SModeRamTest, ListBytesTheLibraryNeverWritesAreKeptUntilEdited) {
  std::vector<uint8_t> image(kImageSize, 0xFF);
  const uint8_t oddFunctionBytes[] = {12, 15, 16, 17};
  std::memcpy(&image[kFunctionKeys], oddFunctionBytes, 4);
  image[kPopUpList] = 18;
  LoadImage(image);
  EXPECT_EQ(0, Byte(Settings(kFunctionTable), 0, 0)) << "byte 12 is the list's 0";
  EXPECT_EQ(253, Byte(Settings(kFunctionTable), 0, 1));
  EXPECT_EQ(0, Byte(Settings(kPopUpTable), 0, 0));
  std::vector<uint8_t> saved = SavedImage();
  EXPECT_EQ(0, std::memcmp(&saved[kFunctionKeys], oddFunctionBytes, 4));
  EXPECT_EQ(18, saved[kPopUpList]);

  *FieldValue(Settings(kFunctionTable), 0, 1) = 27;
  EXPECT_EQ(45, SavedImage()[kFunctionKeys + 1]);
}

TEST_F(SModeRamTest, RamAllocationIsShownButNeverWritten) {
  std::vector<uint8_t> image(kImageSize, 0);
  image[10] = 0xE8, image[11] = 0x03, image[12] = 10, image[13] = 80, image[14] = 50, image[15] = 99;
  image[20] = 0x00, image[21] = 0x00, image[22] = 0x20, image[23] = 0x00;
  LoadImage(image);
  const wchar_t* shown[] = {L"1000", L"10", L"80", L"50", L"99", L"2097152"};
  for (int field = 0; field < 6; ++field) EXPECT_EQ(shown[field], Shown(Settings(kRam), 0, field)) << field;
  *FieldValue(Settings(kRam), 0, 2) = 20;
  EXPECT_EQ(80, SavedImage()[13]);
}

TEST_F(SModeRamTest, ShortFileAndFailedSave) {
  std::vector<uint8_t> image = OddBytes(kImageSize, 9);
  folder.Write("S_MODE.ECR", std::vector<uint8_t>(image.begin(), image.begin() + 4900));
  EXPECT_EQ(0, data.Load(folder.WPath().c_str()));
  EXPECT_EQ(image[4889], Byte(Settings(kShortCaptions), 0, 0)) << "the rows show what was read";
  EXPECT_EQ(0, Byte(Settings(kShortCaptions), 1, 0));

  LoadImage(image);
  const std::string previous = folder.Read("S_MODE.ECR");
  *FieldValue(Settings(kShortCaptions), 0, 0) = 'X';
  {
    FileSizeLimit limit(4096);
    EXPECT_EQ(0, data.Save(nullptr));
  }
  EXPECT_EQ(previous, folder.Read("S_MODE.ECR"));
}

class SModeCheckTest : public SModeRamTest {
 protected:
  CheckOutcome Check(int table, int row, int field, const wchar_t* text) {
    return CheckEntry(data, Settings(table), row, field, text);
  }
};

TEST_F(SModeCheckTest, DeptPresetMapNeedsADeptPresetKey) {
  const std::wstring refusal = L"It is a number not registered as an DEPT Preset";
  EXPECT_EQ(refusal, Check(kDeptPresets, 0, 0, L"12").strMessage);
  Cell(0, 14) = 48;  // key number 0 is MAP 12
  EXPECT_EQ(1, Check(kDeptPresets, 0, 0, L"12").nResult);
  EXPECT_EQ(1, Check(kDeptPresets, 99, 0, L"12.9").nResult) << "taken as a whole number";
  EXPECT_EQ(1, Check(kDeptPresets, 0, 0, L"0").nResult);
  EXPECT_EQ(refusal, Check(kDeptPresets, 0, 0, L"11").strMessage);
  Cell(0, 14) = 49;
  EXPECT_EQ(0, Check(kDeptPresets, 0, 0, L"12").nResult) << "a PLU preset key";
  Cell(7, 9) = 48;  // key number 117 is MAP 100
  EXPECT_EQ(1, Check(kDeptPresets, 0, 0, L"100").nResult);
  for (const wchar_t* outside : {L"101", L"255", L"-12"}) {
    CheckOutcome outcome = Check(kDeptPresets, 0, 0, outside);
    EXPECT_EQ(0, outcome.nResult);
    EXPECT_EQ(refusal, outcome.strMessage);
  }
}

TEST_F(SModeCheckTest, PluPresetMapIsCopiedToTheOtherPages) {
  Cell(1, 1) = 49;  // key number 29 is MAP 14
  EXPECT_TRUE(Enter(data, Settings(kPage1), 7, 0, L"14"));
  EXPECT_EQ(14, Byte(Settings(kPage1), 7, 0));
  EXPECT_EQ(14, Byte(Settings(kPage2), 7, 0));
  EXPECT_EQ(14, Byte(Settings(kPage3), 7, 0));
  EXPECT_EQ(0, Byte(Settings(kPage2), 6, 0));
  EXPECT_FALSE(Enter(data, Settings(kPage1), 7, 0, L"13"));
  EXPECT_EQ(14, Byte(Settings(kPage2), 7, 0)) << "a refusal changes nothing";
  EXPECT_EQ(L"It is a number not registered as an PLU Preset", Check(kPage1, 7, 0, L"13").strMessage);
  EXPECT_TRUE(Enter(data, Settings(kPage1), 7, 0, L"0.5"));
  EXPECT_EQ(0, Byte(Settings(kPage3), 7, 0));
}

TEST_F(SModeCheckTest, DepartmentNumberLimitWithoutDepartmentFile) {
  TheVarkelApp().m_dept.Reset();
  EXPECT_EQ(1, Check(kDeptPresets, 0, 1, L"80").nResult);
  for (const wchar_t* outside : {L"81", L"-1"}) {
    CheckOutcome outcome = Check(kDeptPresets, 0, 1, outside);
    EXPECT_EQ(0, outcome.nResult);
    EXPECT_EQ(L"Range is 0 - 80", outcome.strMessage);
  }
}

TEST_F(SModeCheckTest, DepartmentNumberLimitIsTheDepartmentCount) {
  CEcrData& departments = TheVarkelApp().m_dept;
  std::vector<uint8_t> deptFile(2 + 180 + 5 * 28, 0x20);
  deptFile[0] = 5, deptFile[1] = 0;
  folder.Write("DEPT.ECR", deptFile);
  departments.SetFolder(folder.WPath().c_str());
  if (!departments.GetTable(1)) {
    departments.Reset();
    GTEST_SKIP() << "the department object has no department table yet";
  }
  departments.Load(nullptr);
  EXPECT_EQ(1, Check(kDeptPresets, 0, 1, L"5").nResult);
  EXPECT_EQ(L"Range is 0 - 5", Check(kDeptPresets, 0, 1, L"6").strMessage);
  departments.Reset();
}

TEST_F(SModeCheckTest, FunctionKeyAndPopUpValues) {
  const std::wstring refusal = L"It is a value that cannot be set";
  for (const wchar_t* refused : {L"26", L"19", L"20", L"30", L"31", L"66", L"73", L"92", L"-1", L"26.5"}) {
    CheckOutcome outcome = Check(kFunctionTable, 4, 9, refused);
    EXPECT_EQ(0, outcome.nResult);
    EXPECT_EQ(refusal, outcome.strMessage);
  }
  for (const wchar_t* accepted : {L"0", L"27", L"91", L"54", L"80"})
    EXPECT_EQ(1, Check(kFunctionTable, 0, 0, accepted).nResult);
  for (const wchar_t* refused : {L"19", L"20", L"30", L"31", L"54", L"66", L"80", L"86"})
    EXPECT_EQ(refusal, Check(kPopUpTable, 2, 3, refused).strMessage);
  for (const wchar_t* accepted : {L"0", L"26", L"73", L"85"}) EXPECT_EQ(1, Check(kPopUpTable, 0, 0, accepted).nResult);
}

TEST_F(SModeCheckTest, MessagesComeFromTheCaptionManager) {
  CCaptionMgr captions;
  const std::pair<int, const wchar_t*> texts[] = {{30, L"no department key"}, {40, L"no PLU key"}, {60, L"not allowed"}};
  for (const auto& [number, text] : texts) {
    S_ECR_CAP caption;
    caption.text = text;
    captions.SetCaption(WND_TABLE_CAPTIONS, number, &caption);
  }
  CCaptionManagerBase* manager = &captions;
  SetCaptionCell(&manager);
  EXPECT_EQ(L"no department key", Check(kDeptPresets, 0, 0, L"5").strMessage);
  EXPECT_EQ(L"no PLU key", Check(kPage1, 0, 0, L"5").strMessage);
  EXPECT_EQ(L"not allowed", Check(kFunctionTable, 0, 0, L"26").strMessage);
}

TEST_F(SModeCheckTest, OtherFieldsAreAccepted) {
  EXPECT_EQ(1, Check(kPage2, 0, 0, L"5").nResult);
  EXPECT_EQ(1, Check(kShortCaptions, 0, 0, L"anything").nResult);
  data.SetKeyboardView(true);
  EXPECT_EQ(1, CheckEntry(data, *data.GetTable(0), 0, 0, L"200").nResult);
  data.SetKeyboardView(false);
  EXPECT_EQ(0, data.CheckValue(nullptr));
}

}  // namespace
