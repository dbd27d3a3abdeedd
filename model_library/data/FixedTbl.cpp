#include "model_library/data/FixedTbl.h"

#include "common/CaptionCell.h"
#include "common/ValueFormat.h"
#include "model_library/data/TableDef.h"

namespace {

// One choice: its caption number under WND_OPTION_TEXTS and its built-in text.
struct OptionEntry {
  uint32_t uCaption;
  const wchar_t* pszText;
};

struct OptionTableDef {
  const wchar_t* pszCaption;
  int nChoices;
  int nLists;
  int nWidth;
  const wchar_t* const* ppszListNames;
  const OptionEntry* pEntries;  // column by column: all choices of list 0, then list 1 ...
};

const wchar_t* const kTwoEraLists[] = {
    L"SYMBOL", L"USYMBOL", L"MSYMBOL", L"EROUND_EF", L"TYPE", L"STAT_NS", L"STAT_PN", L"YESNO",
    L"TICKET", L"ACTIVE", L"OKNO", L"C_DIGIT", L"TAX_SYS", L"DRAWER", L"SIGN", L"TAX_STAT",
    L"PRINT", L"EJSTORE", L"TAX_POS", L"COMPRESS", L"REC_STYLE", L"EJSTORE_G", L"TWICE", L"LIMIT",
    L"WEIGHT_T", L"SOUND", L"CONS_I", L"CONS_T", L"INV_P", L"INV_F", L"CHAR", L"TIME",
    L"OFFON", L"NOYES", L"TIMING", L"TRAN", L"INV_T", L"E_TYPE", L"OREC_TYPE", L"OREC_OUT",
    L"ITMODR_T", L"ODR_OUT", L"LCD_DISP", L"KP_PRINT"};
const OptionEntry kTwoEra[] = {
    {1011, L"dot"}, {1012, L"comma"},
    {1013, L"@"}, {1014, L"nothing"},
    {1015, L"x"}, {1016, L"*"},
    {1017, L"ALL MADIA"}, {1018, L"CASH ONLY"},
    {1019, L"ZERO SKIP"}, {1020, L"ALL"},
    {1021, L"NORMAL"}, {1022, L"SINGLE"},
    {1023, L"POSITIVE"}, {1024, L"NEGATIVE"},
    {1025, L"YES"}, {1026, L"NO"},
    {1022, L"SINGLE"}, {1027, L"DOUBLE"},
    {1028, L"ACTIVE"}, {1029, L"INACTIVE"},
    {1030, L"OK"}, {1026, L"NO"},
    {1031, L"WITHOUT"}, {1032, L"WITH"},
    {1033, L"VAT"}, {1034, L"ADD-ON"},
    {1035, L"OPEN"}, {1036, L"NOT OPEN"},
    {1037, L"MINUS"}, {1038, L"PLUS"},
    {1039, L"TAXABLE"}, {1040, L"NON-TAXABLE"},
    {1041, L"PRINT"}, {1042, L"NOT PRINT"},
    {1043, L"STORE"}, {1044, L"NOT STORE"},
    {1045, L"BEFORE TOTAL"}, {1046, L"AFT. PAYMENT"},
    {1021, L"NORMAL"}, {1047, L"COMPRESS"},
    {1021, L"NORMAL"}, {1048, L"DOUBLE HEIGHT"},
    {1049, L"SALES ONLY"}, {1050, L"ALL TRANSACTION"},
    {1051, L"SQUARE METER"}, {1052, L"SPLIT PRICE"},
    {1053, L"NO LIMIT"}, {1054, L"ONLY ONCE"},
    {1055, L"gram"}, {1056, L"oz"},
    {1057, L"SOUND"}, {1058, L"NOT SOUND"},
    {1059, L"INVOICE"}, {1060, L"RECEIPT"},
    {1061, L"TRAINING"}, {1059, L"INVOICE"},
    {1162, L"INTERNAL"}, {1163, L"EXTERNAL"},
    {1062, L"DETAIL"}, {1063, L"TOTAL ONLY"},
    {1064, L"NUMERIC"}, {1065, L"ALPHABET"},
    {1066, L"24-HOUR"}, {1067, L"12-HOUR"},
    {1068, L"OFF"}, {1069, L"ON"},
    {1026, L"NO"}, {1025, L"YES"},
    {1070, L"END TRAN"}, {1071, L"EACH ITEM ENTRY"},
    {1084, L"TRANSACTION"}, {1158, L"TICKET"},
    {1164, L"AUTO"}, {1165, L"MANUAL"},
    {1078, L"MANUAL ENTRY"}, {1079, L"I-BUTTON"},
    {1166, L"ITEM"}, {1167, L"GROUP"},
    {1097, L"RECEIPT PRINTER"}, {1098, L"KITCHEN PRINTER1"},
    {1168, L"EACH"}, {1169, L"MIXED"},
    {1170, L"REAL TIME"}, {1171, L"TRANSACTION END"},
    {1172, L"NORMAL"}, {1173, L"REVERSE"},
    {1029, L"INACTIVE"}, {1118, L"KP1 ACTIVE"},
};

const wchar_t* const kThreeEraLists[] = {L"FROUND", L"STAT_OP", L"E_TYPE", L"C_TYPE", L"P_LEVEL",
                                         L"SHIFT",  L"SD_PRT",  L"DATE",   L"OREC_OUT", L"OUTPUT"};
const OptionEntry kThreeEra[] = {
    {1072, L"ROUND OFF"}, {1073, L"ROUND DOWN"}, {1074, L"ROUND UP"},
    {1075, L"OPEN&&PRESET"}, {1076, L"PRESET ONLY"}, {1077, L"OPEN ONLY"},
    {1078, L"MANUAL ENTRY"}, {1079, L"I-BUTTON"}, {1080, L"I-BUTTON MAG"},
    {1021, L"NORMAL"}, {1081, L"SUPERVISOR"}, {1061, L"TRAINING"},
    {1159, L"PRICE1"}, {1160, L"PRICE2"}, {1161, L"PRICE3"},
    {1082, L"STAY"}, {1083, L"ITEM ENTRY"}, {1084, L"TRANSACTION"},
    {1085, L"SD&&PRT"}, {1086, L"SDcard"}, {1041, L"PRINT"},
    {1087, L"DD-MM-YY"}, {1088, L"MM-DD-YY"}, {1089, L"YY-MM-DD"},
    {1097, L"RECEIPT PRINTER"}, {1098, L"KITCHEN PRINTER1"}, {1099, L"KITCHEN PRINTER2"},
    {1097, L"RECEIPT PRINTER"}, {1098, L"KITCHEN PRINTER1"}, {1100, L"NOT PRINT"},
};

const wchar_t* const kFourEraLists[] = {L"DPPOS",  L"EROUND", L"OUTPUT",   L"P_TYPE",  L"CLERK_CHG",
                                        L"FIELD2", L"M_UNIT", L"REC_TYPE", L"KP_PRINT"};
const OptionEntry kFourEra[] = {
    {1090, L"X"}, {1091, L"X.X"}, {1092, L"X.XX"}, {1093, L"X.XXX"},
    {1026, L"NO"}, {1094, L"SWISS"}, {1095, L"DANISH"}, {1096, L"SWEDISH"},
    {1097, L"RECEIPT PRINTER"}, {1098, L"KITCHEN PRINTER1"}, {1099, L"KITCHEN PRINTER2"}, {1100, L"NOT PRINT"},
    {1021, L"NORMAL"}, {1101, L"CONDIMENT-ALLOWED"}, {1102, L"CONDIMENT"}, {1103, L"PREPARATION"},
    {1026, L"NO"}, {1104, L"SV INTERRUPT"}, {1105, L"RETAIL INT."}, {1106, L"TRACKING INT."},
    {1107, L"AMOUNT"}, {1108, L"ITEM COUNT"}, {1109, L"COUPON"}, {1110, L"WEIGHT"},
    {1111, L"x1"}, {1112, L"x10"}, {1113, L"x100"}, {1114, L"x1000"},
    {1115, L"SORT"}, {1116, L"TICKET(SOON)"}, {1117, L"TICKET(TRANSACT END"}, {1062, L"DETAIL"},
    {1029, L"INACTIVE"}, {1118, L"KP1 ACTIVE"}, {1119, L"KP2 ACTIVE"}, {1120, L"KP1&KP2 ACTIVE"},
};

const wchar_t* const kFiveEraLists[] = {L"CSYMBOL", L"COM2CONNECT", L"TAX", L"FIELD1", L"FC"};
const OptionEntry kFiveEra[] = {
    {1121, L"$"}, {1016, L"*"}, {1122, L"euro-mark"}, {1123, L"pond-mark"}, {1014, L"nothing"},
    {1124, L"NON"}, {1125, L"PC INTERFACE"}, {1126, L"RMT PRT(TM-T88)"}, {1127, L"RMT PRT(TM-210)"}, {1128, L"SCALE"},
    {1040, L"NON-TAXABLE"}, {1129, L"TAX1-TAXABLE"}, {1130, L"TAX2-TAXABLE"}, {1131, L"TAX3-TAXABLE"},
    {1132, L"TAX4-TAXABLE"},
    {1133, L"2"}, {1134, L"3"}, {1135, L"4"}, {1136, L"5"}, {1137, L"6"},
    {1138, L"DOMESTIC"}, {1139, L"FC1"}, {1140, L"FC2"}, {1141, L"FC3"}, {1142, L"FC4"},
};

const wchar_t* const kSixEraLists[] = {L"COM1CONNECT"};
const OptionEntry kSixEra[] = {
    {1124, L"NON"}, {1125, L"PC INTERFACE"}, {1126, L"RMT PRT(TM-T88)"}, {1127, L"RMT PRT(TM-210)"},
    {1143, L"BARCODE READER"}, {1128, L"SCALE"},
};

const wchar_t* const kEightEraLists[] = {L"HALO", L"LALO"};
const OptionEntry kEightEra[] = {
    {1053, L"0 No Limit"}, {1144, L"1 digit       (0-9)"}, {1145, L"2 digits     (0-99)"},
    {1146, L"3 digits    (0-999)"}, {1147, L"4 digits   (0-9999)"}, {1148, L"5 digits  (0-99999)"},
    {1149, L"6 digits (0-999999)"}, {1150, L"7 digits(0-9999999)"},
    {1053, L"0 No Limit"}, {1151, L"1 digit       (1-9999999)"}, {1152, L"2 digits     (10-9999999)"},
    {1153, L"3 digits    (100-9999999)"}, {1154, L"4 digits   (1000-9999999)"},
    {1155, L"5 digits  (10000-9999999)"}, {1156, L"6 digits (100000-9999999)"},
    {1157, L"7 digits(1000000-9999999)"},
};

template <size_t Choices, size_t Lists, size_t Entries>
constexpr OptionTableDef Table(const wchar_t* caption, int width, const wchar_t* const (&lists)[Lists],
                               const OptionEntry (&entries)[Entries]) {
  static_assert(Entries == Lists * Choices, "every list has all its choices");
  return {caption, static_cast<int>(Choices), static_cast<int>(Lists), width, lists, entries};
}

const OptionTableDef kOptionTables[CFixedTbl::TABLE_COUNT] = {
    Table<2>(L"Two Era", 20, kTwoEraLists, kTwoEra),
    Table<3>(L"Three Era", 20, kThreeEraLists, kThreeEra),
    Table<4>(L"Fore Era", 20, kFourEraLists, kFourEra),
    Table<5>(L"Five Era", 20, kFiveEraLists, kFiveEra),
    Table<6>(L"Six Era", 20, kSixEraLists, kSixEra),
    Table<8>(L"Eight Era", 30, kEightEraLists, kEightEra),
};

}  // namespace

CFixedTbl::CFixedTbl() : CEcrData(L"FixedTbl", KIND_OPTIONS, -1) {
  for (int t = 0; t < TABLE_COUNT; ++t) {
    const OptionTableDef& def = kOptionTables[t];
    std::vector<FieldDef> fields;
    for (int j = 0; j < def.nLists; ++j)
      fields.push_back({def.ppszListNames[j], 0, FT_ALIGN_LEFT, def.nWidth, INPUT_NONE, CHECK_NONE, 0, 0, 2, NO_LIST});
    BuildTable(m_aTables[t], TableDef{0, def.pszCaption, def.nChoices, -1, 2}, fields.data(),
               static_cast<int>(fields.size()), nullptr, this);
    m_aRows[t].assign(static_cast<size_t>(def.nChoices) * m_aTables[t].nRecordSize, 0);
    m_aTables[t].pRows = m_aRows[t].data();
  }
}

int CFixedTbl::SetFolder(const wchar_t* /*folder*/) {
  m_bExists = 1;
  return 1;
}

int CFixedTbl::Load(const wchar_t* /*folder*/) {
  if (m_bLoaded) return 1;
  m_bLoaded = 1;
  CCaptionManagerBase* manager = CurrentCaptionManager();
  for (int t = 0; t < TABLE_COUNT; ++t) {
    const OptionTableDef& def = kOptionTables[t];
    stTable_t& table = m_aTables[t];
    for (int j = 0; j < def.nLists; ++j) {
      for (int i = 0; i < def.nChoices; ++i) {
        const OptionEntry& entry = def.pEntries[j * def.nChoices + i];
        const S_ECR_CAP* caption =
            manager ? manager->GetCaption(WND_OPTION_TEXTS, static_cast<int32_t>(entry.uCaption)) : nullptr;
        ParseValue(table.aFields[j], FieldValue(table, i, j), caption ? caption->text.c_str() : entry.pszText);
      }
    }
  }
  return 1;
}

int CFixedTbl::Save(const wchar_t* /*folder*/) { return 1; }

int CFixedTbl::GetTableCount() { return TABLE_COUNT; }

stTable_t* CFixedTbl::GetTable(int index) {
  return (index >= 0 && index < TABLE_COUNT) ? &m_aTables[index] : nullptr;
}
