#include "model_library/data/PluRam.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <iterator>
#include <numeric>

#include "common/EntryCheck.h"
#include "common/ValueFormat.h"
#include "model_library/VarkelApp.h"
#include "model_library/data/OptionLists.h"

namespace {

// "PLU.ECR": count word, 99 group names of 18 bytes (the group rows
// themselves), then the PLU records.
constexpr int GROUP_BLOCK_SIZE = 1782;

// PLU record, 66 bytes. Its order differs from the order of the row.
constexpr int PLU_RECORD_SIZE = 66;
constexpr int PLU_REC_CODE = 0;           // 14 packed digits in 8 bytes; 0: empty record
constexpr int PLU_REC_NAME = 8;           // text 18
constexpr int PLU_REC_DEPT = 26;          // 2 packed digits
constexpr int PLU_REC_GROUP = 27;         // 2 packed digits
constexpr int PLU_REC_STATUS = 28;        // bits 0 STATUS1, 1-2 STATUS2, 3 ORDER REC, 4 SCALE,
                                          // 5 TARE COMPULSORY; bits 6-7 and byte 29 kept
constexpr int PLU_REC_UNIT_WEIGHT = 30;   // 4 packed digits
constexpr int PLU_REC_PRICE1 = 32;        // 8 packed digits each
constexpr int PLU_REC_PRICE2 = 36;
constexpr int PLU_REC_PRICE3 = 40;
constexpr int PLU_REC_TYPE = 44;
constexpr int PLU_REC_TARE_TABLE = 45;
constexpr int PLU_REC_TAX = 46;
constexpr int PLU_REC_TAKE_OUT_TAX = 47;
constexpr int PLU_REC_HALO = 48;
constexpr int PLU_REC_LALO = 49;
constexpr int PLU_REC_PREPARATION1 = 50;
constexpr int PLU_REC_PREPARATION2 = 51;
constexpr int PLU_REC_CONDIMENT = 52;     // 2 packed digits
constexpr int PLU_REC_LINK_PLU1 = 53;     // 2 packed digits each
constexpr int PLU_REC_LINK_PLU2 = 54;
constexpr int PLU_REC_LINK_PLU3 = 55;
constexpr int PLU_REC_ORDER_COUNT = 56;   // 2 packed digits
constexpr int PLU_REC_ORDER_OUT = 57;
constexpr int PLU_REC_TICKET_COUNT = 58;  // 2 packed digits; byte 59 kept
constexpr int PLU_REC_STOCK = 60;         // packed amount, 4 decimals, sign in bit 47

constexpr ListRef DEPARTMENT_NAMES{WND_DEPARTMENTS, CRecordListRam::RECORD_TABLE, 0};
constexpr ListRef PLU_GROUP_NAMES{WND_PLUS, CRecordListRam::BLOCK_TABLE, 0};

const TableDef kGroupTable{300, L"PLU GROUP SETTING", CPluRam::GROUP_COUNT, -1, 2};
const FieldDef kGroupFields[] = {
    {L"NAME", 301, 0x2400, 18, INPUT_EDIT, CHECK_NONE, 0, 0, 2, NO_LIST},
};

// Field indexes of the PLU row that the class itself reads or sets.
enum PluField {
  F_CODE = 0, F_LINK_DEPT = 2, F_TAX = 8, F_GROUP = 10, F_ORDER_REC = 11, F_SCALE = 16, F_TARE_COMPULSORY = 17
};
constexpr uint32_t ID_UNIT_WEIGHT = 409;
constexpr uint32_t ID_STOCK = 429;
constexpr uint32_t ID_LINK_DEPT = 403;

const TableDef kPluTable{400, L"PLU SETTING", CPluRam::CAPACITY, CPluRam::CODE_FIELD, 98};
const FieldDef kPluFields[] = {
    {L"FREE CODE", 401, 0x2B08, 14, INPUT_EDIT, CHECK_RANGE, 0, 99999999999999.0, 2, NO_LIST},
    {L"NAME", 402, 0x2400, 18, INPUT_EDIT, CHECK_NONE, 0, 0, 2, NO_LIST},
    {L"LINK DEPT", ID_LINK_DEPT, 0x2901, 2, INPUT_LIST, CHECK_OWNER, 1, 80, 2, DEPARTMENT_NAMES},
    {L"STATUS1", 405, 0x2801, 1, INPUT_BUTTONS, CHECK_RANGE, 0, 1, 0, LIST2_STAT_PN},
    {L"STATUS2", 406, 0x2801, 1, INPUT_BUTTONS, CHECK_RANGE, 0, 2, 0, LIST3_STAT_OP},
    {L"PRICE1", 410, 0x2904, 8, INPUT_EDIT, CHECK_RANGE, 0, 99999999, 2, NO_LIST},
    {L"PRICE2", 411, 0x2904, 8, INPUT_EDIT, CHECK_RANGE, 0, 99999999, 2, NO_LIST},
    {L"PRICE3", 412, 0x2904, 8, INPUT_EDIT, CHECK_RANGE, 0, 99999999, 2, NO_LIST},
    {L"TAX", 415, 0x2801, 1, INPUT_LIST, CHECK_RANGE, 0, 4, 0, LIST5_TAX},
    {L"TAKE OUT TAX", 416, 0x2801, 1, INPUT_LIST, CHECK_RANGE, 0, 4, 0, LIST5_TAX},
    {L"PLU GROUP#", 404, 0x2901, 2, INPUT_LIST, CHECK_RANGE, 1, 99, 2, PLU_GROUP_NAMES},
    {L"ORDER REC", 428, 0x2801, 1, INPUT_BUTTONS, CHECK_RANGE, 0, 1, 0, LIST2_OREC_TYPE},
    {L"ORDER COUNT", 425, 0x2901, 2, INPUT_EDIT, CHECK_RANGE, 0, 99, 0, NO_LIST},
    {L"ORDER OUT", 426, 0x2801, 1, INPUT_LIST, CHECK_RANGE, 0, 1, 2, LIST2_OREC_OUT},
    {L"HALO", 417, 0x2801, 1, INPUT_LIST, CHECK_RANGE, 0, 7, 0, LIST8_HALO},
    {L"LALO", 418, 0x2801, 1, INPUT_LIST, CHECK_RANGE, 0, 7, 0, LIST8_LALO},
    {L"SCALE", 407, 0x2801, 1, INPUT_BUTTONS, CHECK_RANGE, 0, 1, 0, LIST2_YESNO},
    {L"TARE COMPULSORY", 408, 0x2801, 1, INPUT_BUTTONS, CHECK_RANGE, 0, 1, 0, LIST2_YESNO},
    {L"TARE TABLE#", 414, 0x2801, 1, INPUT_EDIT, CHECK_RANGE, 0, 9, 0, NO_LIST},
    {L"UNIT WEIGHT", ID_UNIT_WEIGHT, 0x2902, 4, INPUT_EDIT, CHECK_OWNER, 0, 9999, 2, NO_LIST},
    {L"LINK PLU1 TBL#", 422, 0x2901, 2, INPUT_EDIT, CHECK_RANGE, 0, 50, 0, NO_LIST},
    {L"LINK PLU2 TBL#", 423, 0x2901, 2, INPUT_EDIT, CHECK_RANGE, 0, 50, 0, NO_LIST},
    {L"LINK PLU3 TBL#", 424, 0x2901, 2, INPUT_EDIT, CHECK_RANGE, 0, 50, 0, NO_LIST},
    {L"TICKET COUNT", 427, 0x2901, 2, INPUT_EDIT, CHECK_RANGE, 0, 99, 0, NO_LIST},
    {L"TYPE", 413, 0x2801, 1, INPUT_LIST, CHECK_RANGE, 0, 3, 0, LIST4_P_TYPE},
    {L"PREPARATION1 GRP#", 419, 0x2801, 1, INPUT_EDIT, CHECK_RANGE, 0, 8, 0, NO_LIST},
    {L"PREPARATION2 GRP#", 420, 0x2801, 1, INPUT_EDIT, CHECK_RANGE, 0, 8, 0, NO_LIST},
    {L"CONDIMENT GRP#", 421, 0x2901, 2, INPUT_EDIT, CHECK_RANGE, 0, 99, 0, NO_LIST},
    {L"PLU STOCK COUNTER", ID_STOCK, 0x2B06, 11, INPUT_EDIT, CHECK_OWNER, -999999.999, 999999.999, 2, NO_LIST},
};
const FieldPlace kPluPlaces[] = {
    Bytes(PLU_REC_CODE),         Bytes(PLU_REC_NAME),         Bytes(PLU_REC_DEPT),
    Bits(PLU_REC_STATUS, 0),     Bits(PLU_REC_STATUS, 1, 2),  Bytes(PLU_REC_PRICE1),
    Bytes(PLU_REC_PRICE2),       Bytes(PLU_REC_PRICE3),       Bytes(PLU_REC_TAX),
    Bytes(PLU_REC_TAKE_OUT_TAX), Bytes(PLU_REC_GROUP),        Bits(PLU_REC_STATUS, 3),
    Bytes(PLU_REC_ORDER_COUNT),  Bytes(PLU_REC_ORDER_OUT),    Bytes(PLU_REC_HALO),
    Bytes(PLU_REC_LALO),         Bits(PLU_REC_STATUS, 4),     Bits(PLU_REC_STATUS, 5),
    Bytes(PLU_REC_TARE_TABLE),   Bytes(PLU_REC_UNIT_WEIGHT),  Bytes(PLU_REC_LINK_PLU1),
    Bytes(PLU_REC_LINK_PLU2),    Bytes(PLU_REC_LINK_PLU3),    Bytes(PLU_REC_TICKET_COUNT),
    Bytes(PLU_REC_TYPE),         Bytes(PLU_REC_PREPARATION1), Bytes(PLU_REC_PREPARATION2),
    Bytes(PLU_REC_CONDIMENT),    Bytes(PLU_REC_STOCK),
};
static_assert(std::size(kPluPlaces) == std::size(kPluFields), "one place per PLU field");

// The fields an empty PLU row holds 1 in; all others are 0.
constexpr PluField kFieldsDefaultOne[] = {F_LINK_DEPT, F_TAX, F_GROUP, F_ORDER_REC, F_SCALE, F_TARE_COMPULSORY};

const RecordFileLayout kLayout{CPluRam::FILE_NAME, GROUP_BLOCK_SIZE, nullptr, 0,
                               PLU_RECORD_SIZE,    kPluPlaces,       CPluRam::CAPACITY, false};

// The program-mode setting that makes unit weights three digits long:
// "SCALE WEIGHT TYPE" in row 0 of "GENERAL OPTIONS".
constexpr int PRG_MODE_GENERAL_OPTIONS = 25;
constexpr uint32_t ID_SCALE_WEIGHT_TYPE = 4712;
constexpr double UNIT_WEIGHT_LIMIT = 9999;
constexpr double UNIT_WEIGHT_LIMIT_SHORT = 999;

int64_t CodeOf(const uint8_t* row) {
  uint64_t code = 0;
  for (int i = 7; i >= 0; --i) code = (code << 8) | row[i];
  return static_cast<int64_t>(code);
}

bool ScaleWeightTypeIsOne() {
  CEcrData& prgMode = TheVarkelApp().m_prgMode;
  if (!prgMode.m_bExists) return false;
  stTable_t* options = prgMode.GetTable(PRG_MODE_GENERAL_OPTIONS);
  if (!options || !options->pRows || options->nRecordCount < 1) return false;
  const int field = FindField(*options, ID_SCALE_WEIGHT_TYPE);
  if (field < 0) return false;
  std::wstring text;
  FormatValue(FieldValue(*options, 0, field), text, options->aFields[field]);
  return text == L"1";
}

// A whole number of the entry syntax within [0, limit].
bool IsCountWithin(const wchar_t* text, double limit) {
  double value = 0;
  return IsEntryNumber(text, value) && value >= 0 && value <= limit && value == std::floor(value);
}

// The stock counter text: an optional leading "-", digits with at most one
// "." and at least one digit, at most three decimals, within ±999999.999.
const wchar_t* StockCounterRefusal(const std::wstring& text) {
  static const wchar_t kRange[] = L"Range is -999999.999 - 999999.999";
  size_t start = (!text.empty() && text[0] == L'-') ? 1 : 0;
  size_t point = std::wstring::npos;
  std::wstring whole;
  std::wstring decimals;
  for (size_t i = start; i < text.size(); ++i) {
    wchar_t ch = text[i];
    if (ch == L'.' && point == std::wstring::npos) {
      point = i;
    } else if (ch >= L'0' && ch <= L'9') {
      (point == std::wstring::npos ? whole : decimals) += ch;
    } else {
      return kRange;
    }
  }
  if (whole.empty() && decimals.empty()) return kRange;
  if (decimals.size() > 3) return L"Input until THIRD decimal place";
  whole.erase(0, std::min(whole.find_first_not_of(L'0'), whole.size()));
  if (whole.size() > 6) return kRange;
  return nullptr;  // six whole digits and three decimals never pass 999999.999
}

}  // namespace

CPluRam::CPluRam()
    : CRecordListRam(L"PLU", 6, kLayout, kGroupTable, kGroupFields, static_cast<int>(std::size(kGroupFields)),
                     kPluTable, kPluFields, static_cast<int>(std::size(kPluFields))) {
  for (int row = 0; row < CAPACITY; ++row) ClearRecordRow(row);
}

void CPluRam::ClearRecordRow(int row) {
  stTable_t& plus = RecordTable();
  std::memset(FieldValue(plus, row, 0), 0, static_cast<size_t>(plus.nRecordSize));
  for (PluField field : kFieldsDefaultOne) *FieldValue(plus, row, field) = 1;
}

bool CPluRam::SortRows() {
  stTable_t& plus = RecordTable();
  const size_t rowSize = static_cast<size_t>(plus.nRecordSize);
  std::vector<int> order(CAPACITY);
  std::iota(order.begin(), order.end(), 0);
  std::vector<int64_t> codes(CAPACITY);
  for (int row = 0; row < CAPACITY; ++row) codes[row] = CodeOf(FieldValue(plus, row, F_CODE));
  // Ascending by code, empty rows (code 0) after all others. A plain order on
  // the codes keeps the comparison consistent whatever bytes a file held.
  std::stable_sort(order.begin(), order.end(), [&codes](int a, int b) {
    if (codes[a] == 0 || codes[b] == 0) return codes[a] != 0 && codes[b] == 0;
    return codes[a] < codes[b];
  });

  std::vector<uint8_t> rows(rowSize * CAPACITY);
  std::vector<uint8_t> images(static_cast<size_t>(PLU_RECORD_SIZE) * CAPACITY);
  bool duplicate = false;
  for (int i = 0; i < CAPACITY; ++i) {
    std::memcpy(&rows[i * rowSize], FieldValue(plus, order[i], 0), rowSize);
    std::memcpy(&images[static_cast<size_t>(i) * PLU_RECORD_SIZE], RecordImage(order[i]), PLU_RECORD_SIZE);
    if (i > 0 && codes[order[i]] != 0 && codes[order[i]] == codes[order[i - 1]]) duplicate = true;
  }
  std::memcpy(FieldValue(plus, 0, 0), rows.data(), rows.size());
  std::memcpy(RecordImage(0), images.data(), images.size());
  return !duplicate;
}

int CPluRam::Sort(int /*table*/) { return SortRows() ? 1 : 0; }

int CPluRam::RecordsToSave() {
  if (!SortRows()) return -1;
  stTable_t& plus = RecordTable();
  int count = 0;
  while (count < CAPACITY && CodeOf(FieldValue(plus, count, F_CODE)) != 0) ++count;
  return count;
}

int CPluRam::CheckValue(CheckReq* request) {
  if (!request || request->pTable != &RecordTable() || request->nField < 0 ||
      request->nField >= RecordTable().nFieldCount)
    return 1;
  const wchar_t* text = request->pszText ? request->pszText : L"";
  std::wstring refusal;
  switch (RecordTable().aFields[request->nField].uId) {
    case ID_UNIT_WEIGHT: {
      double limit = ScaleWeightTypeIsOne() ? UNIT_WEIGHT_LIMIT_SHORT : UNIT_WEIGHT_LIMIT;
      if (!IsCountWithin(text, limit)) refusal = RangeMessage(0, limit);
      break;
    }
    case ID_STOCK:
      if (const wchar_t* message = StockCounterRefusal(text)) refusal = message;
      break;
    case ID_LINK_DEPT: {
      double limit = TheVarkelApp().m_dept.DepartmentLimit();
      if (!IsCountWithin(text, limit)) refusal = RangeMessage(0, limit);
      break;
    }
    default:
      break;
  }
  if (refusal.empty()) return 1;
  if (request->pstrMessage) *request->pstrMessage = refusal;
  return 0;
}
