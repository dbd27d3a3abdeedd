// The program-mode settings: tables, the "PRG_MODE.ECR" layout, and the
// checks of entered values. Fixtures are built from the file layout table.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <map>

#include "common/CaptionCell.h"
#include "common/CaptionMgr.h"
#include "model_library/data/FixedTbl.h"
#include "model_library/data/PrgModeRam.h"
#include "model_library/tests/SettingsTestSupport.h"
#include "testing/TempFolder.h"

namespace {

constexpr size_t kImageSize = 2376;
constexpr int kMarkingRecords = 60;  // 30 records of 8 bytes; byte 2 of each is the digit count

enum {
  kHalfPint1 = 0, kLinkPlu = 5, kMarking = 6, kUnitWeight = 7, kTaxRates = 8, kPaymentMedia = 10,
  kPercent2 = 13, kPlusMinus1 = 14, kNoSale = 16, kTare = 17, kStoreMessages = 18, kReceiptPrint = 20,
  kInvoicePrint = 21, kFinancialReport = 23, kReceiptStyle = 24, kGeneral = 25, kTracking = 26, kReport = 27,
  kExtraInvoice = 28, kEqualPayment = 29, kDate = 33, kBottleReturn = 34, kZReport = 35,
};

std::string Text(const stTable_t& table, int row, int field) {
  return std::string(reinterpret_cast<const char*>(FieldValue(table, row, field)), table.aFields[field].nWidth);
}

// The digit-count byte that a save writes for a record's "FLAG CODE" word.
uint8_t DigitCount(const std::vector<uint8_t>& image, int record) {
  unsigned code = image[kMarkingRecords + record * 8] | image[kMarkingRecords + record * 8 + 1] << 8;
  uint8_t digits = 1;
  while (code >>= 4) ++digits;
  return digits;
}

class PrgModeRamTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetCaptionCell(nullptr);
    data.SetFolder(folder.WPath().c_str());
  }
  void TearDown() override { SetCaptionCell(nullptr); }

  stTable_t& Table(int index) { return *data.GetTable(index); }
  std::vector<uint8_t> SavedImage() {
    EXPECT_EQ(1, data.Save(folder.WPath().c_str()));
    return AsBytes(folder.Read("PRG_MODE.ECR"));
  }
  void LoadImage(const std::vector<uint8_t>& image) {
    folder.Write("PRG_MODE.ECR", image);
    data.SetFolder(folder.WPath().c_str());
    ASSERT_EQ(1, data.Load(nullptr));
  }

  TempFolder folder;
  CPrgModeRam data;
};

TEST_F(PrgModeRamTest, ObjectAndTables) {
  EXPECT_EQ(L"PRG MODE", data.m_strName);
  EXPECT_EQ(0, data.m_nKind);
  EXPECT_EQ(4, data.m_nTransferLine);
  EXPECT_EQ(0, data.HasCountPrefix());
  EXPECT_EQ(0, data.Sort(0));
  const struct {
    uint32_t id;
    const wchar_t* caption;
    int rows, rowSize, fields;
  } expected[] = {
      {2500, L"HALF PINT 1 SETTING", 1, 11, 3},     {2510, L"HALF PINT 2 SETTING", 1, 11, 3},
      {2520, L"HALF PINT 3 SETTING", 1, 11, 3},     {2530, L"HALF PINT 4 SETTING", 1, 11, 3},
      {2540, L"HALF PINT 5 SETTING", 1, 11, 3},     {2600, L"LINK PLU TABLE SETTING", 50, 8, 1},
      {2800, L"IN STORE MARKING SET", 30, 7, 6},    {2900, L"GENERAL UNIT WEIGHT", 1, 2, 1},
      {3000, L"TAX RATE SETTINGT", 1, 8, 4},        {3100, L"TAX SYSTEM SETTING", 1, 1, 1},
      {3200, L"PAYMENT MEDIA KEY SET", 9, 21, 10},  {3300, L"FOREGIN CURRENCY SET", 4, 18, 4},
      {3400, L"[%1]KEY SETTING", 1, 6, 4},          {3500, L"[%2]KEY SETTING", 1, 6, 4},
      {3600, L"[(+/-)1]KEY SETTING", 1, 7, 4},      {3700, L"[(+/-)2]KEY SETTING", 1, 7, 4},
      {3800, L"[NS]KEY SETTING", 1, 6, 6},          {3900, L"[TARE]KEY SETTING", 9, 2, 1},
      {4000, L"STORE MESSAGE SETTING", 7, 24, 1},   {4100, L"ADVERTISEMENT MES. SET", 5, 24, 1},
      {4200, L"RECEIPT PRINT OPTIONS", 1, 24, 24},  {4300, L"INVOICE PRINT OPTIONS", 1, 25, 25},
      {4400, L"ORDER REC. PRINT OPT.", 1, 3, 3},    {4500, L"FINANCIAL REP. PRT OPT", 1, 10, 10},
      {4600, L"RECEIPT STYLE OPTIONS", 1, 17, 17},  {4700, L"GENERAL OPTIONS", 1, 25, 25},
      {4800, L"TRACKING OPTIONS", 1, 11, 11},       {4900, L"REPORT OPTIONS", 1, 24, 24},
      {5000, L"EXTRA INVOICE MES. SET", 4, 24, 1},  {5100, L"EQUAL PAYMENT MES. SET", 4, 24, 1},
      {5200, L"COOKING MESSAGE SET", 20, 40, 2},    {5300, L"REGISTER NUMBER SET", 1, 2, 1},
      {5400, L"DATE/TIME FORMAT SET", 1, 3, 3},     {5500, L"DATE/TIME ADJUSTMENT SET", 1, 6, 6},
      {6000, L"BOTTLE RETURN", 1, 5, 2},            {5700, L"Z REPORT COMBINATION", 10, 5, 5},
      {5900, L"KITCHEN PRINTER ACT.", 1, 1, 1},
  };
  ASSERT_EQ(37, data.GetTableCount());
  for (int t = 0; t < 37; ++t) {
    SCOPED_TRACE(t);
    const stTable_t& table = Table(t);
    EXPECT_EQ(expected[t].id, table.uId);
    EXPECT_STREQ(expected[t].caption, table.szCaption);
    EXPECT_EQ(expected[t].rows, table.nRecordCount);
    EXPECT_EQ(expected[t].rowSize, table.nRecordSize);
    EXPECT_EQ(expected[t].fields, table.nFieldCount);
    EXPECT_EQ(-1, table.nSortField);
    EXPECT_EQ(2, table.nLevel);
    EXPECT_EQ(&data, table.pOwner);
  }
  EXPECT_EQ(nullptr, data.GetTable(37));
  EXPECT_EQ(nullptr, data.GetTable(-1));
}

// The choice list of a field as "<list> of <option table>".
std::wstring ListName(const stField_t& field) {
  CFixedTbl options;
  const stTable_t* table = options.GetTable(field.nListTable);
  if (field.nListWnd != 4 || !table || field.nListField >= table->nFieldCount) return L"?";
  return std::wstring(table->aFields[field.nListField].szCaption) + L" of " + table->szCaption;
}

TEST_F(PrgModeRamTest, FieldDescriptors) {
  const struct {
    int table, field;
    uint32_t id;
    const wchar_t* caption;
    uint32_t type;
    int width, input, check;
    double min, max;
    const wchar_t* list;
  } expected[] = {
      {kHalfPint1 + 4, 1, 2502, L"RATE", 0x2904, 6, INPUT_EDIT, CHECK_RANGE, 0, 999999, nullptr},
      {kHalfPint1, 2, 2503, L"LEVEL", 0x2801, 1, INPUT_BUTTONS, CHECK_RANGE, 0, 2, L"P_LEVEL of Three Era"},
      {kLinkPlu, 0, 2601, L"FREE CODE", 0x2B08, 14, INPUT_EDIT, CHECK_RANGE, 0, 99999999999999.0, nullptr},
      {kMarking, 0, 2801, L"FLAG CODE", 0x2B02, 3, INPUT_EDIT, CHECK_RANGE, 0, 999, nullptr},
      {kMarking, 1, 2803, L"FIELD1", 0x2801, 1, INPUT_LIST, CHECK_OWNER, 0, 4, L"FIELD1 of Five Era"},
      {kMarking, 4, 2806, L"MULTI UNIT", 0x2801, 1, INPUT_LIST, CHECK_RANGE, 0, 3, L"M_UNIT of Fore Era"},
      {kUnitWeight, 0, 2901, L"WEIGHT", 0x2B02, 4, INPUT_EDIT, CHECK_OWNER, 0, 9999, nullptr},
      {kTaxRates, 3, 3004, L"TAX4", 0x2B02, 4, INPUT_EDIT, CHECK_RANGE, 0, 9999, nullptr},
      {9, 0, 3101, L"SYSTEM", 0x2A01, 1, INPUT_BUTTONS, CHECK_RANGE, 0, 1, L"TAX_SYS of Two Era"},
      {kPaymentMedia, 0, 3201, L"NAME", 0x2400, 12, INPUT_EDIT, CHECK_NONE, 0, 0, nullptr},
      {kPaymentMedia, 2, 3203, L"OVER TENDER", 0x2801, 1, INPUT_BUTTONS, CHECK_RANGE, 0, 1, L"OKNO of Two Era"},
      {kPaymentMedia, 9, 3210, L"LALO", 0x2801, 1, INPUT_LIST, CHECK_RANGE, 0, 7, L"LALO of Eight Era"},
      {11, 3, 3304, L"EXCHANGE RATE", 0x2B04, 6, INPUT_EDIT, CHECK_RANGE, 0, 999999, nullptr},
      {kPercent2, 2, 3403, L"PRESET RATE", 0x2902, 4, INPUT_EDIT, CHECK_RANGE, 0, 9999, nullptr},
      {kPlusMinus1, 3, 3604, L"AMOUNT", 0x2904, 8, INPUT_EDIT, CHECK_RANGE, 0, 99999999, nullptr},
      {kTare, 0, 3901, L"WEIGHT", 0x2902, 4, INPUT_EDIT, CHECK_OWNER, 0, 9999, nullptr},
      {30, 1, 5202, L"LINE#2", 0x2400, 20, INPUT_EDIT, CHECK_NONE, 0, 0, nullptr},
      {31, 0, 5301, L"REG#", 0x2902, 4, INPUT_EDIT, CHECK_RANGE, 0, 9999, nullptr},
      {32, 0, 5401, L"DATE FORMAT", 0x2801, 1, INPUT_BUTTONS, CHECK_RANGE, 0, 2, L"DATE of Three Era"},
      {kDate, 0, 5501, L"YEAR", 0x2A01, 2, INPUT_EDIT, CHECK_OWNER, 0, 99, nullptr},
      {kDate, 2, 5503, L"DAY", 0x2801, 2, INPUT_EDIT, CHECK_OWNER, 1, 31, nullptr},
      {kDate, 5, 5506, L"SECOND", 0x2A01, 2, INPUT_EDIT, CHECK_RANGE, 0, 59, nullptr},
      {kBottleReturn, 0, 6002, L"FLAG CODE#", 0x2901, 2, INPUT_EDIT, CHECK_RANGE, 1, 99, nullptr},
      {kBottleReturn, 1, 6001, L"FIELD1", 0x2904, 5, INPUT_EDIT, CHECK_RANGE, 0, 99999, nullptr},
      {kZReport, 4, 5705, L"REPORT#5", 0x2901, 2, INPUT_EDIT, CHECK_OWNER, 0, 24, nullptr},
      {36, 0, 5901, L"ACTIVE", 0x2801, 1, INPUT_LIST, CHECK_RANGE, 0, 1, L"KP_PRINT of Two Era"},
  };
  for (const auto& e : expected) {
    const stField_t& field = Table(e.table).aFields[e.field];
    SCOPED_TRACE(e.caption);
    EXPECT_EQ(e.id, field.uId);
    EXPECT_STREQ(e.caption, field.szCaption);
    EXPECT_EQ(e.type, field.uType);
    EXPECT_EQ(e.width, field.nWidth);
    EXPECT_EQ(e.input, field.nInput);
    EXPECT_EQ(e.check, field.nCheck);
    EXPECT_EQ(e.min, field.dMin);
    EXPECT_EQ(e.max, field.dMax);
    EXPECT_EQ(0, field.nLevel);
    EXPECT_EQ(e.list ? std::wstring(e.list) : L"?", e.list ? ListName(field) : L"?");
  }
}

// The option tables: every field a one-byte choice; most lists are the
// table's usual one, the others are named.
TEST_F(PrgModeRamTest, OptionTablesChooseFromTheirLists) {
  const std::map<int, const wchar_t*> usual = {
      {kNoSale, L"YESNO"},         {kReceiptPrint, L"YESNO"},  {kInvoicePrint, L"YESNO"}, {22, L"YESNO"},
      {kFinancialReport, L"YESNO"}, {kReceiptStyle, L"REC_STYLE"}, {kGeneral, L"YESNO"},  {kTracking, L"YESNO"},
      {kReport, L"YESNO"},
  };
  const std::map<std::pair<int, std::wstring>, const wchar_t*> named = {
      {{kNoSale, L"[NS]KEY"}, L"ACTIVE"},          {{kNoSale, L"DRAWER"}, L"DRAWER"},
      {{kNoSale, L"RECEIPT"}, L"PRINT"},           {{kNoSale, L"EJ STORE"}, L"EJSTORE"},
      {{kReceiptPrint, L"TAX POSITION"}, L"TAX_POS"}, {{kReceiptPrint, L"EXTRA INVOICE"}, L"PRINT"},
      {{kInvoicePrint, L"TAX POSITION"}, L"TAX_POS"}, {{kReceiptStyle, L"RECEIPT"}, L"COMPRESS"},
      {{kGeneral, L"EJ STORE"}, L"EJSTORE_G"},     {{kGeneral, L"MULTI REC"}, L"ACTIVE"},
      {{kGeneral, L"CONS# UPDATE"}, L"TRAN"},      {{kGeneral, L"ZERO PRICE"}, L"OKNO"},
      {{kGeneral, L"TWICE[X]"}, L"TWICE"},         {{kGeneral, L"ST DECO."}, L"LIMIT"},
      {{kGeneral, L"NON-ADD # LIMIT"}, L"LIMIT"},  {{kGeneral, L"POST TENDER"}, L"ACTIVE"},
      {{kGeneral, L"ITM ODR TYPE"}, L"ITMODR_T"},  {{kGeneral, L"ORDER OUT"}, L"ODR_OUT"},
      {{kGeneral, L"SCALE WEIGHT TYPE"}, L"WEIGHT_T"}, {{kGeneral, L"MANUAL WEIGHT"}, L"OKNO"},
      {{kGeneral, L"KEY TONE"}, L"SOUND"},         {{kGeneral, L"LCD DISPLAY"}, L"LCD_DISP"},
      {{kGeneral, L"PAGE SHIFT"}, L"SHIFT"},       {{kGeneral, L"PRICE SHIFT"}, L"SHIFT"},
      {{kTracking, L"INVOICE PRINT"}, L"INV_P"},   {{kTracking, L"INVOICE TIMING"}, L"INV_T"},
      {{kTracking, L"INVOICE FORMAT"}, L"INV_F"},  {{kReport, L"PRINT STYLE"}, L"COMPRESS"},
  };
  CFixedTbl options;
  for (const auto& [t, usualList] : usual) {
    const stTable_t& table = Table(t);
    for (int f = 0; f < table.nFieldCount; ++f) {
      const stField_t& field = table.aFields[f];
      SCOPED_TRACE(field.szCaption);
      auto exception = named.find({t, field.szCaption});
      std::wstring list = exception != named.end() ? exception->second : usualList;
      if (t == kReport && f >= 9) list = L"SD_PRT";
      const stTable_t* choices = options.GetTable(field.nListTable);
      ASSERT_NE(nullptr, choices);
      EXPECT_EQ(4, field.nListWnd);
      EXPECT_EQ(list, choices->aFields[field.nListField].szCaption);
      EXPECT_EQ(0x2801u, field.uType);
      EXPECT_EQ(1, field.nWidth);
      EXPECT_EQ(INPUT_BUTTONS, field.nInput);
      EXPECT_EQ(CHECK_RANGE, field.nCheck);
      EXPECT_EQ(0, field.dMin);
      EXPECT_EQ(choices->nRecordCount - 1, field.dMax) << "the range covers the list";
    }
  }
  // Field ids out of caption order.
  EXPECT_EQ(4618u, Table(kReceiptStyle).aFields[2].uId);
  EXPECT_EQ(4724u, Table(kGeneral).aFields[1].uId);
  EXPECT_EQ(4813u, Table(kTracking).aFields[9].uId);
  // The PLU object reads the weight unit here.
  EXPECT_EQ(4712u, Table(CPrgModeRam::T_GENERAL_OPTIONS).aFields[CPrgModeRam::F_SCALE_WEIGHT_TYPE].uId);
}

// Loading and saving without edits writes the file as read, except the digit
// counts of the in-store marking records; unused bytes and bits included.
TEST_F(PrgModeRamTest, RoundTripKeepsEveryByteButTheDigitCounts) {
  std::vector<uint8_t> image = OddBytes(kImageSize, 7);
  LoadImage(image);
  std::vector<uint8_t> expected = image;
  for (int record = 0; record < 30; ++record) expected[kMarkingRecords + record * 8 + 2] = DigitCount(image, record);
  EXPECT_EQ(expected, SavedImage());
}

TEST_F(PrgModeRamTest, DigitCountFollowsTheFlagCode) {
  const struct {
    const wchar_t* code;
    int digits;
  } cases[] = {{L"0", 1}, {L"7", 1}, {L"12", 2}, {L"999", 3}};
  for (int row = 0; row < 4; ++row) Enter(data, Table(kMarking), row * 9, 0, cases[row].code);
  std::vector<uint8_t> image = SavedImage();
  for (int row = 0; row < 4; ++row) EXPECT_EQ(cases[row].digits, image[kMarkingRecords + row * 9 * 8 + 2]) << row;
  EXPECT_EQ(0x99, image[kMarkingRecords + 27 * 8]);
  EXPECT_EQ(0x09, image[kMarkingRecords + 27 * 8 + 1]);
}

// Each option of the copied tables lands on its own bit or byte of the file.
TEST_F(PrgModeRamTest, CopiedFieldsLandOnTheirBitsAndBytes) {
  const struct {
    int table, row, field;
    int offset, bit;  // bit -1: the whole byte holds the value 2
  } cases[] = {
      {kPaymentMedia, 3, 1, 312 + 48 + 12, 0}, {kPaymentMedia, 3, 7, 312 + 48 + 12, 6},
      {kPaymentMedia, 8, 8, 312 + 128 + 14, -1}, {kPaymentMedia, 8, 9, 312 + 128 + 15, -1},
      {kMarking, 29, 1, 60 + 232 + 3, -1}, {kMarking, 29, 5, 60 + 232 + 7, -1},
      {12, 0, 0, 528, 0}, {12, 0, 1, 528, 1}, {kPercent2, 0, 1, 534, 1},
      {kPlusMinus1, 0, 1, 540, 1}, {kPlusMinus1, 0, 2, 541, -1}, {15, 0, 0, 546, 0},
      {kNoSale, 0, 0, 552, 0}, {kNoSale, 0, 5, 552, 5},
      {kReceiptPrint, 0, 0, 576, 0}, {kReceiptPrint, 0, 9, 577, 1}, {kReceiptPrint, 0, 23, 578, 7},
      {kInvoicePrint, 0, 24, 583, 0}, {22, 0, 2, 584, 2},
      {kFinancialReport, 0, 9, 587, 1}, {kReceiptStyle, 0, 2, 588, 2}, {kReceiptStyle, 0, 16, 590, 0},
      {kGeneral, 0, 0, 592, 0},  {kGeneral, 0, 2, 592, 1},  {kGeneral, 0, 4, 592, 2},  {kGeneral, 0, 9, 592, 7},
      {kGeneral, 0, 10, 593, 0}, {kGeneral, 0, 16, 593, 6}, {kGeneral, 0, 17, 593, 7}, {kGeneral, 0, 18, 594, 0},
      {kGeneral, 0, 19, 594, 3}, {kGeneral, 0, 22, 594, 6}, {kGeneral, 0, 1, 595, 6},  {kGeneral, 0, 3, 595, 7},
      {kGeneral, 0, 23, 596, -1}, {kGeneral, 0, 24, 597, -1},
      {kTracking, 0, 7, 598, 7}, {kTracking, 0, 8, 599, 0}, {kTracking, 0, 10, 599, 2},
      {kReport, 0, 7, 600, 7}, {kReport, 0, 8, 601, 0}, {kReport, 0, 9, 602, -1}, {kReport, 0, 23, 616, -1},
      {kBottleReturn, 0, 0, 630, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "table " << c.table << " field " << c.field);
    CPrgModeRam fresh;
    fresh.SetFolder(folder.WPath().c_str());
    *FieldValue(*fresh.GetTable(c.table), c.row, c.field) = c.bit < 0 ? 2 : 1;
    ASSERT_EQ(1, fresh.Save(folder.WPath().c_str()));
    std::vector<uint8_t> expected(kImageSize, 0);
    for (int record = 0; record < 30; ++record) expected[kMarkingRecords + record * 8 + 2] = 1;
    expected[c.offset] |= c.bit < 0 ? 2 : 1 << c.bit;
    EXPECT_EQ(expected, AsBytes(folder.Read("PRG_MODE.ECR")));

    fresh.Load(folder.WPath().c_str());
    EXPECT_EQ(c.bit < 0 ? 2 : 1, Byte(*fresh.GetTable(c.table), c.row, c.field)) << "and back";
  }
}

TEST_F(PrgModeRamTest, MultiByteFieldsOfCopiedAndInPlaceTables) {
  Enter(data, Table(kBottleReturn), 0, 1, L"12345");
  Enter(data, Table(kPaymentMedia), 2, 0, L"VISA");
  Enter(data, Table(kPercent2), 0, 3, L"1550");
  Enter(data, Table(kPlusMinus1), 0, 3, L"99999999");
  Enter(data, Table(kTaxRates), 0, 1, L"1900");
  Enter(data, Table(kExtraInvoice), 0, 0, L"EXTRA");
  Enter(data, Table(kEqualPayment), 3, 0, L"EQUAL");
  Enter(data, Table(kZReport), 9, 4, L"24");
  std::vector<uint8_t> image = SavedImage();
  EXPECT_EQ((std::vector<uint8_t>{0x45, 0x23, 0x01, 0x00}), std::vector<uint8_t>(&image[626], &image[630]));
  EXPECT_EQ("VISA        ", std::string(&image[312 + 32], &image[312 + 44]));
  EXPECT_EQ(0x50, image[538]);
  EXPECT_EQ(0x15, image[539]);
  EXPECT_EQ((std::vector<uint8_t>{0x99, 0x99, 0x99, 0x99}), std::vector<uint8_t>(&image[542], &image[546]));
  EXPECT_EQ(0x00, image[306]);
  EXPECT_EQ(0x19, image[307]);
  EXPECT_EQ("EXTRA", std::string(&image[1473], &image[1478]));
  EXPECT_EQ("EQUAL", std::string(&image[1377 + 72], &image[1377 + 77]));
  EXPECT_EQ(0x24, image[1039 + 49]);
}

TEST_F(PrgModeRamTest, InPlaceTablesShowTheImage) {
  std::vector<uint8_t> image(kImageSize, 0);
  std::memcpy(&image[0], "PINT1 ", 6);
  image[6] = 0x56, image[7] = 0x34, image[8] = 0x12, image[10] = 2;
  std::memcpy(&image[1089 + 6 * 24], "LAST STORE LINE", 15);
  std::memcpy(&image[1569 + 19 * 40 + 20], "COOK", 4);
  image[300] = 0x34, image[301] = 0x12;
  image[2369] = 24, image[2370] = 2, image[2371] = 29;
  image[639 + 49 * 8] = 0x34, image[639 + 49 * 8 + 6] = 0x12;
  LoadImage(image);
  EXPECT_EQ("PINT1 ", Text(Table(kHalfPint1), 0, 0));
  EXPECT_EQ(L"123456", Shown(Table(kHalfPint1), 0, 1));
  EXPECT_EQ(2, Byte(Table(kHalfPint1), 0, 2));
  EXPECT_EQ("LAST STORE LINE", Text(Table(kStoreMessages), 6, 0).substr(0, 15));
  EXPECT_EQ("COOK", Text(Table(30), 19, 1).substr(0, 4));
  EXPECT_EQ(L"1234", Shown(Table(31), 0, 0));
  EXPECT_EQ(L"24", Shown(Table(kDate), 0, 0));
  EXPECT_EQ(L"29", Shown(Table(kDate), 0, 2));
  EXPECT_EQ(L"12000000000034", Shown(Table(kLinkPlu), 49, 0));
}

TEST_F(PrgModeRamTest, ShortLongAndMissingFiles) {
  std::vector<uint8_t> image = OddBytes(kImageSize, 3);
  folder.Write("PRG_MODE.ECR", std::vector<uint8_t>(image.begin(), image.begin() + 1100));
  EXPECT_EQ(0, data.Load(folder.WPath().c_str())) << "short";
  EXPECT_EQ(0, data.m_bLoaded);
  EXPECT_EQ(std::string(&image[1089], &image[1100]), Text(Table(kStoreMessages), 0, 0).substr(0, 11))
      << "the rows show what was read";
  EXPECT_EQ(std::string(13, '\0'), Text(Table(kStoreMessages), 0, 0).substr(11)) << "and zeros after it";

  image.resize(kImageSize + 10, 0x55);
  folder.Write("PRG_MODE.ECR", image);
  EXPECT_EQ(1, data.Load(nullptr)) << "bytes beyond the image are ignored";
  EXPECT_EQ(kImageSize, SavedImage().size());

  std::filesystem::remove(folder.File("PRG_MODE.ECR"));
  const std::string before = Text(Table(kStoreMessages), 0, 0);
  EXPECT_EQ(0, data.Load(nullptr)) << "missing";
  EXPECT_EQ(before, Text(Table(kStoreMessages), 0, 0)) << "rows untouched";
}

TEST_F(PrgModeRamTest, FailedSaveLeavesThePreviousFile) {
  LoadImage(OddBytes(kImageSize, 11));
  const std::string previous = folder.Read("PRG_MODE.ECR");
  Enter(data, Table(kStoreMessages), 0, 0, L"CHANGED");
  {
    FileSizeLimit limit(1000);
    EXPECT_EQ(0, data.Save(nullptr));
  }
  EXPECT_EQ(previous, folder.Read("PRG_MODE.ECR"));
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) files += entry.is_regular_file();
  EXPECT_EQ(1, files) << "no temporary file left behind";
}

class PrgModeCheckTest : public PrgModeRamTest {
 protected:
  CheckOutcome Check(int table, int row, int field, const wchar_t* text) {
    return CheckEntry(data, Table(table), row, field, text);
  }
  void SetDate(int year, int month, int day) {
    *FieldValue(Table(kDate), 0, 0) = static_cast<uint8_t>(year);
    *FieldValue(Table(kDate), 0, 1) = static_cast<uint8_t>(month);
    *FieldValue(Table(kDate), 0, 2) = static_cast<uint8_t>(day);
  }
};

TEST_F(PrgModeCheckTest, DateIsCheckedAsAWhole) {
  const std::wstring wrong = L"The setting at the date is wrong";
  const struct {
    int year, month, day;
    int field;
    const wchar_t* text;
    int accepted;
  } cases[] = {
      {23, 2, 1, 2, L"29", 0},  {24, 2, 1, 2, L"29", 1},  {23, 2, 1, 2, L"28", 1},  {24, 4, 1, 2, L"31", 0},
      {24, 12, 31, 1, L"13", 0}, {24, 1, 1, 1, L"0", 0},  {24, 3, 31, 1, L"4", 0},  {24, 3, 30, 1, L"4", 1},
      {24, 2, 29, 0, L"23", 0}, {24, 2, 29, 0, L"28", 1}, {24, 5, 5, 2, L"0", 0},   {24, 5, 5, 2, L"12.7", 1},
      // A part never set (0) is not held against the entry.
      {0, 0, 0, 2, L"31", 1},   {0, 0, 0, 1, L"2", 1},    {0, 2, 0, 2, L"30", 0},   {0, 0, 31, 1, L"2", 0},
      // Hours, minutes and seconds are the caller's range check.
      {23, 2, 29, 3, L"99", 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.year << "-" << c.month << "-" << c.day << " field " << c.field << " "
                                    << std::string(c.text, c.text + wcslen(c.text)));
    SetDate(c.year, c.month, c.day);
    CheckOutcome outcome = Check(kDate, 0, c.field, c.text);
    EXPECT_EQ(c.accepted, outcome.nResult);
    EXPECT_EQ(c.accepted ? L"" : wrong, outcome.strMessage);
  }
}

TEST_F(PrgModeCheckTest, YearOutsideTwoDigitsIsRefusedWithItsRange) {
  SetDate(24, 1, 1);
  CheckOutcome outcome = Check(kDate, 0, 0, L"2024");
  EXPECT_EQ(0, outcome.nResult);
  EXPECT_EQ(L"Range is 0 - 99", outcome.strMessage);
  EXPECT_EQ(0, Check(kDate, 0, 0, L"-1").nResult);
}

TEST_F(PrgModeCheckTest, DateMessageComesFromTheCaptionManager) {
  CCaptionMgr captions;
  S_ECR_CAP caption;
  caption.text = L"Datum falsch";
  captions.SetCaption(WND_TABLE_CAPTIONS, 20, &caption);
  CCaptionManagerBase* manager = &captions;
  SetCaptionCell(&manager);
  SetDate(23, 2, 1);
  EXPECT_EQ(L"Datum falsch", Check(kDate, 0, 2, L"29").strMessage);
}

TEST_F(PrgModeCheckTest, WeightLimitFollowsTheScaleWeightType) {
  for (int table : {kTare, kUnitWeight}) {
    SCOPED_TRACE(table);
    *FieldValue(Table(kGeneral), 0, CPrgModeRam::F_SCALE_WEIGHT_TYPE) = 1;
    EXPECT_EQ(L"Range is 0 - 999", Check(table, 0, 0, L"1000").strMessage);
    EXPECT_EQ(1, Check(table, 0, 0, L"999").nResult);
    *FieldValue(Table(kGeneral), 0, CPrgModeRam::F_SCALE_WEIGHT_TYPE) = 0;
    EXPECT_EQ(1, Check(table, 0, 0, L"1000").nResult);
    EXPECT_EQ(1, Check(table, 0, 0, L" 9999 ").nResult);
    for (const wchar_t* bad : {L"10000", L"-1", L"12a", L"", L"1.5"}) {
      CheckOutcome outcome = Check(table, 0, 0, bad);
      EXPECT_EQ(0, outcome.nResult) << std::string(bad, bad + wcslen(bad));
      EXPECT_EQ(L"Range is 0 - 9999", outcome.strMessage);
    }
  }
  EXPECT_EQ(0, Check(kTare, 8, 0, L"10000").nResult) << "every tare row";
}

TEST_F(PrgModeCheckTest, ZReportCombination) {
  for (const wchar_t* good : {L"0", L"2", L"3", L"24"}) EXPECT_EQ(1, Check(kZReport, 0, 0, good).nResult);
  for (const wchar_t* uncombinable : {L"1", L"4", L"8", L"11", L"12", L"14", L"15", L"16", L"20", L"21", L"22"}) {
    CheckOutcome outcome = Check(kZReport, 9, 4, uncombinable);
    EXPECT_EQ(0, outcome.nResult);
    EXPECT_EQ(L"Error", outcome.strMessage);
  }
  for (const wchar_t* outside : {L"25", L"-1", L"x", L"2.5"}) {
    CheckOutcome outcome = Check(kZReport, 3, 2, outside);
    EXPECT_EQ(0, outcome.nResult);
    EXPECT_EQ(L"Range is 0 - 24", outcome.strMessage);
  }
}

TEST_F(PrgModeCheckTest, MarkingField1DependsOnTheRow) {
  CheckOutcome outcome = Check(kMarking, 0, 1, L"1");
  EXPECT_EQ(0, outcome.nResult);
  EXPECT_EQ(L"Range is 2 - 4", outcome.strMessage);
  EXPECT_EQ(1, Check(kMarking, 19, 1, L"4").nResult);
  EXPECT_EQ(1, Check(kMarking, 25, 1, L"1").nResult);
  outcome = Check(kMarking, 20, 1, L"2");
  EXPECT_EQ(0, outcome.nResult);
  EXPECT_EQ(L"Range is 0 - 1", outcome.strMessage);
  EXPECT_EQ(1, Check(kMarking, 0, 2, L"9").nResult) << "other fields are the caller's";
}

TEST_F(PrgModeCheckTest, OtherFieldsAreAccepted) {
  EXPECT_EQ(1, Check(kTaxRates, 0, 0, L"99999").nResult);
  EXPECT_EQ(1, Check(kGeneral, 0, 3, L"7").nResult);
  EXPECT_EQ(0, data.CheckValue(nullptr));
}

}  // namespace
