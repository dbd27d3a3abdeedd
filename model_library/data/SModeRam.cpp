#include "model_library/data/SModeRam.h"

#include <cmath>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "common/CaptionCell.h"
#include "common/ValueFormat.h"
#include "model_library/VarkelApp.h"
#include "model_library/data/OptionLists.h"
#include "model_library/data/TableDef.h"

namespace {

// Layout of "S_MODE.ECR" (8357 bytes). Bytes no table uses are kept as read.
constexpr int OFS_RAM_ALLOCATION = 10;    // PLU# word, CLERK#, DEPT#, TABLE#, ITEM#; RAM SIZE long at 20
constexpr int OFS_PRG_PASS_CODE = 24;     // 4 packed digits
constexpr int OFS_Z_PASS_CODE = 26;       // 4 packed digits
constexpr int OFS_NETWORK_TERMINAL = 28;  // packed decimal
constexpr int OFS_CONNECTION = 29;        // connection code (kConnectionCodes)
constexpr int OFS_PLU_TRANSFER_TYPE = 31;
constexpr int OFS_CONFIGURATION = 32;     // 9 bytes, one per field
constexpr int OFS_KEY_CODES = 41;         // key function code of each of the 128 key numbers
constexpr int OFS_DEPT_SLOT_KEYS = 169;   // key number of each department preset slot, 0 when free
constexpr int OFS_DEPT_SLOT_NUMBERS = 269;  // department of each slot, 2 packed digits
constexpr int OFS_PLU_SLOT_KEYS = 369;    // key number of each PLU preset slot, 0 when free
constexpr int OFS_PLU_SLOT_CODES = 469;   // per slot three PLU codes of 8 bytes, pages 1 to 3
constexpr int OFS_POPUP_PLU = 2869;       // 10 rows of 24 PLU codes
constexpr int OFS_POPUP_LIST = 4789;      // 5 rows of 10 entries (KeyListCode)
constexpr int OFS_FUNCTION_KEYS = 4839;   // 5 rows of 10 entries (FunctionKeyCode)
constexpr int OFS_SHORT_CAPTIONS = 4889;  // 213 texts of 12
constexpr int OFS_LONG_CAPTIONS = 7445;   // 38 texts of 24
static_assert(OFS_LONG_CAPTIONS + 38 * 24 == static_cast<int>(CSModeRam::IMAGE_SIZE), "layout fills the image");

constexpr int KEY_COUNT = 128;
constexpr int PLU_CODE_SIZE = 8;
constexpr int PLU_PAGES = 3;
constexpr int KEY_LIST_ENTRIES = 5 * 10;
constexpr int KEY_NUMBER_OF_FIXED_KEY = 14;  // row 0, column 0
constexpr uint8_t FIXED_KEY_SHOWN = 159;     // "RF", as the grid shows it
constexpr uint8_t FIXED_KEY_STORED = 255;    // as the file holds it
constexpr uint8_t NO_ENTRY = 0xFF;           // empty entry of the function-key and pop-up lists
constexpr uint8_t LIST_CODE_BIAS = 18;
// Fields of the preset slot tables: the slot's MAP number, and the department
// number or page-1 PLU code that puts the slot in use.
constexpr int F_MAP = 0;
constexpr int F_PRESET_CONTENT = 1;

// Key number of each MAP number 1 to 100.
constexpr uint8_t kMapKeys[CSModeRam::PRESET_SLOTS] = {
    13,  12,  11,  10,  9,   8,   7,   6,   5,   4,   1,   0,   30,  29,  28,  27,  26,  25,  24,  23,
    22,  21,  20,  17,  16,  46,  45,  44,  43,  42,  41,  40,  39,  38,  37,  36,  35,  34,  33,  32,
    62,  61,  60,  59,  58,  57,  56,  55,  54,  53,  52,  51,  50,  49,  48,  78,  77,  76,  75,  74,
    73,  72,  71,  70,  69,  68,  64,  94,  93,  92,  91,  90,  89,  88,  87,  86,  85,  84,  80,  110,
    109, 108, 107, 106, 105, 104, 103, 102, 101, 100, 126, 125, 124, 123, 122, 121, 120, 119, 118, 117,
};

// "COM PORT SETTING": the file's connection code of each choice of the list.
constexpr uint8_t kConnectionCodes[] = {0, 7, 3, 4, 1, 6};

// Function-key values above 77 are stored as their position in this list.
constexpr uint8_t kHighFunctionValues[] = {81, 82, 83, 84, 85, 86, 87, 88, 89, 90, 91, 78, 0, 79, 80};
constexpr int HIGH_FUNCTION_LIMIT = 77;

// Values refused in the function-key and pop-up lists.
constexpr int kForbiddenFunctionValues[] = {19, 20, 26, 30, 31, 66, 73};
constexpr int MAX_FUNCTION_VALUE = 91;
constexpr int kForbiddenPopUpValues[] = {19, 20, 30, 31, 54, 66, 80};
constexpr int MAX_POPUP_VALUE = 85;

// "KEYBOARD LIST": the name of each key function code; null for the reserved codes.
constexpr const char* RESERVED = nullptr;
constexpr const char* kKeyFunctionNames[] = {
    "0", "1", "2", "3", "4", "5", "6", "7", "8", "9",
    "00", ".", "CLEAR", "CASH", "SUBTL/RC ST/R issue", "UP", "DOWN", "LEFT", "RIGHT", "CLERK",
    "#/NS", "X/TIME", "CHECK", "CARD", "COUPON", "CREDIT1", "CREDIT2", "CREDIT3", "CREDIT4", "CREDIT5",
    "CURRENCY", "OFFERT", "CHARGE TIP", "RA", "PO", "LOAN", "PICK-UP", "RA/LOAN", "PO/PICK-UP", "%1",
    "%2", "(+/-)1", "(+/-)2", "EC", "VOID", "ALL VOID", "RTN MDSE", "DEPT SHIFT", "DEPT PRESET", "PLU PRESET",
    "PLU", "PRICE", "PAGE 1", "PAGE 2", "PAGE 3", "PAGE CHANGE", "PRICE1", "PRICE2", "PRICE3", "PRICE CHANGE",
    "EAN", "ADD PLU", "PRICE INQ.", "HALF PINT1", "HALF PINT2", "HALF PINT3", "HALF PINT4", "HALF PINT5",
    "TRAY TOTAL", "SCALE",
    "TARE", "TARE2", "000", "TABLE#", "GUEST#", "2nd TABLE#", "NEW BALANCE", "REVIEW", "PROFORMA", "TBL SEPARATE",
    "TABLE GATHER", "TABLE CHANGE", "TABLE RECALL", "CLERK CHANGE", "TBL#/NEWBAL", "PUB", "TAKE-OUT",
    "PAY TRANSFER", "EQ.PAYMENT", "COOKING MES.",
    "EX. INVOICE", "REC. ON/OFF", "TAX EX", "A.B.R.", "PAY CHANGE", "BOTTLE RTN", "MEMO", "TRM PRINT", RESERVED,
    "FUNCTION1",
    "FUNCTION2", "FUNCTION3", "FUNCTION4", "FUNCTION5", RESERVED, RESERVED, RESERVED, RESERVED, RESERVED,
    "POP-UP LST1",
    "POP-UP LST2", "POP-UP LST3", "POP-UP LST4", "POP-UP LST5", RESERVED, RESERVED, RESERVED, RESERVED, RESERVED,
    "POP-UP PLU1",
    "POP-UP PLU2", "POP-UP PLU3", "POP-UP PLU4", "POP-UP PLU5", "POP-UP PLU6", "POP-UP PLU7", "POP-UP PLU8",
    "POP-UP PLU9", "POP-UP PLU10", RESERVED,
    RESERVED, RESERVED, RESERVED, RESERVED, RESERVED, RESERVED, RESERVED, RESERVED, RESERVED, RESERVED,
    RESERVED, RESERVED, RESERVED, RESERVED, RESERVED, RESERVED, RESERVED, RESERVED, RESERVED, RESERVED,
    RESERVED, RESERVED, RESERVED, RESERVED, RESERVED, RESERVED, RESERVED, RESERVED, RESERVED, "RF",
};
static_assert(std::size(kKeyFunctionNames) == CSModeRam::KEY_FUNCTIONS, "one name for every key function code");
constexpr int LAST_FIXED_FUNCTION = 18;  // codes 0 to 18 sit on keys of their own
constexpr uint16_t RESERVED_CAPTION = 9095;

// Descriptor data of the settings view.
const FieldDef kRamAllocationFields[] = {
    {L"PLU#", 702, 0x802, 4, INPUT_EDIT, CHECK_RANGE, 200, 5000, 2, NO_LIST},
    {L"CLERK#", 703, 0x801, 2, INPUT_EDIT, CHECK_RANGE, 1, 40, 2, NO_LIST},
    {L"DEPT#", 704, 0x801, 2, INPUT_EDIT, CHECK_RANGE, 1, 99, 2, NO_LIST},
    {L"TABLE#", 705, 0x801, 3, INPUT_EDIT, CHECK_RANGE, 0, 200, 2, NO_LIST},
    {L"ITEM#", 706, 0x801, 3, INPUT_EDIT, CHECK_RANGE, 1, 100, 2, NO_LIST},
    {L"RAM SIZE", 707, 0x804, 7, INPUT_EDIT, CHECK_RANGE, 1048576, 2621440, 2, NO_LIST},
};
const PlaceRun kRamAllocationRuns[] = {{0, 1, 0, WHOLE_VALUES}, {1, 4, 2, WHOLE_VALUES}, {5, 1, 10, WHOLE_VALUES}};
const CopiedLayout kRamAllocationLayout = Copied(CSModeRam::T_RAM_ALLOCATION, OFS_RAM_ALLOCATION, 0,
                                                 kRamAllocationRuns);

const FieldDef kPrgPassCodeFields[] = {{L"CODE", 801, 0x2B02, 4, INPUT_EDIT, CHECK_RANGE, 0, 9999, 0, NO_LIST}};
const FieldDef kZPassCodeFields[] = {{L"CODE", 901, 0x2B02, 4, INPUT_EDIT, CHECK_RANGE, 0, 9999, 0, NO_LIST}};
const FieldDef kConfigurationFields[] = {
    {L"D.P. POSITION", 1001, 0x2801, 1, INPUT_LIST, CHECK_RANGE, 0, 3, 0, LIST4_DPPOS},
    {L"D.P. SYMBOL", 1002, 0x2801, 1, INPUT_BUTTONS, CHECK_RANGE, 0, 1, 0, LIST2_SYMBOL},
    {L"AMT DIV SYMBOL", 1003, 0x2801, 1, INPUT_BUTTONS, CHECK_RANGE, 0, 1, 0, LIST2_SYMBOL},
    {L"CURRENCY SYMBOL", 1004, 0x2801, 1, INPUT_LIST, CHECK_RANGE, 0, 4, 0, LIST5_CSYMBOL},
    {L"UNIT PRICE SYMBOL", 1005, 0x2801, 1, INPUT_BUTTONS, CHECK_RANGE, 0, 1, 0, LIST2_USYMBOL},
    {L"MULTI SYMBOL", 1006, 0x2801, 1, INPUT_BUTTONS, CHECK_RANGE, 0, 1, 0, LIST2_MSYMBOL},
    {L"FRACTION ROUND", 1007, 0x2801, 1, INPUT_BUTTONS, CHECK_RANGE, 0, 2, 0, LIST3_FROUND},
    {L"EUROPEAN ROUND", 1008, 0x2801, 1, INPUT_LIST, CHECK_RANGE, 0, 3, 0, LIST4_EROUND},
    {L"EURO ROUND EFFECT", 1009, 0x2801, 1, INPUT_BUTTONS, CHECK_RANGE, 0, 1, 0, LIST2_EROUND_EF},
};
const FieldDef kDeptPresetFields[] = {
    {L"MAP#", 1101, 0x2801, 3, INPUT_EDIT, CHECK_OWNER, 0, 70, 2, NO_LIST},
    {L"DEPT#", 1102, 0x2901, 2, INPUT_LIST, CHECK_OWNER, 1, 80, 2, {WND_DEPARTMENTS, 1, 0}},
};
const FieldDef kPluPresetPage1Fields[] = {
    {L"MAP#", 1301, 0x2801, 3, INPUT_EDIT, CHECK_OWNER, 0, 70, 0, NO_LIST},
    {L"FREE CODE", 1302, 0x2B08, 14, INPUT_EDIT, CHECK_RANGE, 0, 99999999999999.0, 0, NO_LIST},
};
const FieldDef kPluPresetPage2Fields[] = {
    {L"MAP#", 1401, 0x801, 3, INPUT_EDIT, CHECK_RANGE, 0, 70, 0, NO_LIST},
    {L"FREE CODE", 1402, 0x2B08, 14, INPUT_EDIT, CHECK_RANGE, 0, 99999999999999.0, 0, NO_LIST},
};
const FieldDef kPluPresetPage3Fields[] = {
    {L"MAP#", 1501, 0x801, 3, INPUT_EDIT, CHECK_RANGE, 0, 70, 0, NO_LIST},
    {L"FREE CODE", 1502, 0x2B08, 14, INPUT_EDIT, CHECK_RANGE, 0, 99999999999999.0, 0, NO_LIST},
};
const FieldDef kNetworkTerminalFields[] = {
    {L"NUMBER", 1801, 0x2901, 1, INPUT_EDIT, CHECK_RANGE, 0, 8, 0, NO_LIST},
};
const FieldDef kComPortFields[] = {
    {L"CONNECTION", 1901, 0x2801, 1, INPUT_LIST, CHECK_RANGE, 0, 5, 0, LIST6_COM1CONNECT},
};
const FieldDef kPluTransferTypeFields[] = {
    {L"TYPE", 2101, 0x2801, 1, INPUT_BUTTONS, CHECK_RANGE, 0, 1, 0, LIST2_TYPE},
};
const FieldDef kShortCaptionFields[] = {{L"CAPTION", 2201, 0x2400, 12, INPUT_EDIT, CHECK_NONE, 0, 0, 0, NO_LIST}};
const FieldDef kLongCaptionFields[] = {{L"CAPTION", 2301, 0x2400, 24, INPUT_EDIT, CHECK_NONE, 0, 0, 0, NO_LIST}};

// Tables whose fields differ only by a number in caption and id: the
// caption is the prefix followed by 1, 2 ...
struct NumberedFields {
  const wchar_t* pszPrefix;
  uint32_t uFirstId;
  int nCount;
  FieldDef prototype;
};
const NumberedFields kPopUpPluFields{
    L"FREE CODE", 1201, 24, {nullptr, 0, 0x2B08, 14, INPUT_EDIT, CHECK_RANGE, 0, 99999999999999.0, 0, NO_LIST}};
const NumberedFields kFunctionKeyFields{L"KEY#", 1601, 10, {nullptr, 0, 0x2801, 2, INPUT_EDIT, CHECK_OWNER, 0, 90, 0, NO_LIST}};
const NumberedFields kPopUpListFields{L"#", 1701, 10, {nullptr, 0, 0x2801, 3, INPUT_EDIT, CHECK_OWNER, 0, 90, 0, NO_LIST}};

const TableDef kSettingsTables[CSModeRam::SETTINGS_TABLE_COUNT] = {
    {700, L"RAM ALLOCATION", 1, -1, 2},
    {800, L"PRG MODE PASS CODE SET", 1, -1, 2},
    {900, L"Z MODE PASS CODE SET", 1, -1, 2},
    {1000, L"CONFIGURATION SETTING", 1, -1, 2},
    {1100, L"[DEPT PRESET] KEY SET", CSModeRam::PRESET_SLOTS, -1, 2},
    {1200, L"[POP-UP PLU *] KEY SET", 10, -1, 2},
    {1300, L"[PLU PRESET] ( PAGE 1)", CSModeRam::PRESET_SLOTS, -1, 2},
    {1400, L"[PLU PRESET] ( PAGE 2)", CSModeRam::PRESET_SLOTS, -1, 2},
    {1500, L"[PLU PRESET] ( PAGE 3)", CSModeRam::PRESET_SLOTS, -1, 2},
    {1600, L"[FUNCTION * ] KEY SET", 5, -1, 2},
    {1700, L"[POP-UP LIST * ] KEY SET", 5, -1, 2},
    {1800, L"NETWORK TERMINAL# SET", 1, -1, 2},
    {1900, L"COM PORT SETTING", 1, -1, 2},
    {2100, L"PLU DATA TRANSFER TYPE", 1, -1, 2},
    {2200, L"SHORT CAPTION SETTING", 213, -1, 2},
    {2300, L"LONG CAPTION SETTING", 38, -1, 2},
};

// Descriptor data of the keyboard view.
const TableDef kKeyboardMappingTable{2400, L"KEYBOARD MAPPING", CSModeRam::KEY_ROWS, -1, 2};
const FieldDef kKeyCellField{L"", 0, 0x3C01, 3, INPUT_NONE, CHECK_RANGE, 18, 159, 2, NO_LIST};
const TableDef kKeyboardListTable{0, L"KEYBOARD LIST", CSModeRam::KEY_FUNCTIONS, -1, 2};
const FieldDef kKeyboardListFields[] = {
    {L"ENABLE", 0, 0x802, 4, INPUT_NONE, CHECK_NONE, 0, 0, 2, NO_LIST},
    {L"CAPTION", 0, 0x802, 4, INPUT_NONE, CHECK_NONE, 0, 0, 2, NO_LIST},
    {L"LIST STRING", 0, 0xC00, 24, INPUT_NONE, CHECK_NONE, 0, 0, 2, NO_LIST},
};

// The fields of a settings table, plain or numbered, and where its rows are.
struct TableSource {
  const FieldDef* pFields;
  int nCount;
  const NumberedFields* pNumbered;
  uint8_t* pRows;
};
template <int N>
TableSource Rows(const FieldDef (&fields)[N], uint8_t* rows) {
  return {fields, N, nullptr, rows};
}
TableSource Rows(const NumberedFields& numbered, uint8_t* rows) { return {nullptr, 0, &numbered, rows}; }

// Builds a table from numbered field data.
void BuildNumberedTable(stTable_t& table, const TableDef& def, const NumberedFields& numbered, uint8_t* rows,
                        CEcrData* owner) {
  std::vector<std::wstring> captions;
  std::vector<FieldDef> fields(numbered.nCount, numbered.prototype);
  for (int i = 0; i < numbered.nCount; ++i) captions.push_back(numbered.pszPrefix + std::to_wstring(i + 1));
  for (int i = 0; i < numbered.nCount; ++i) {
    fields[i].pszCaption = captions[i].c_str();
    fields[i].uId = numbered.uFirstId + i;
  }
  BuildTable(table, def, fields.data(), numbered.nCount, rows, owner);
}

void PutWord(uint8_t* target, uint16_t value) {
  target[0] = static_cast<uint8_t>(value);
  target[1] = static_cast<uint8_t>(value >> 8);
}

// Fills the constant rows of "KEYBOARD LIST".
void FillKeyboardList(const stTable_t& list) {
  for (int code = 0; code < CSModeRam::KEY_FUNCTIONS; ++code) {
    const char* name = kKeyFunctionNames[code];
    bool fixed = code <= LAST_FIXED_FUNCTION || code == FIXED_KEY_SHOWN;
    uint16_t caption = !name ? RESERVED_CAPTION : (code >= 94 && code <= 97) ? 9002 + code : 9001 + code;
    PutWord(FieldValue(list, code, 0), (name && !fixed) ? 1 : 0);
    PutWord(FieldValue(list, code, 1), caption);
    std::string text = name ? name : "reserved";
    text.resize(list.aFields[2].nWidth, ' ');
    std::memcpy(FieldValue(list, code, 2), text.data(), text.size());
  }
}

// MAP number of a key number; 0 when the key has none.
int MapOfKey(int keyNumber) {
  for (int map = 1; map <= CSModeRam::PRESET_SLOTS; ++map)
    if (kMapKeys[map - 1] == keyNumber) return map;
  return 0;
}

// Key number of a MAP number; -1 for 0 and numbers outside 1 to 100.
int KeyOfMap(int map) { return (map >= 1 && map <= CSModeRam::PRESET_SLOTS) ? kMapKeys[map - 1] : -1; }

bool HasKeyCell(int keyNumber) { return keyNumber % 16 != 15; }

// The function-key list: 0 none, 1 to 77 biased, the higher values by their
// position in kHighFunctionValues.
uint8_t DecodeFunctionKey(uint8_t stored) {
  if (stored == NO_ENTRY) return 0;
  if (stored < sizeof kHighFunctionValues) return kHighFunctionValues[stored];
  return static_cast<uint8_t>(stored - LIST_CODE_BIAS);  // 15 to 17 come out as 253 to 255
}
uint8_t EncodeFunctionKey(uint8_t value) {
  if (value == 0) return NO_ENTRY;
  if (value <= HIGH_FUNCTION_LIMIT) return value + LIST_CODE_BIAS;
  for (uint8_t position = 0; position < sizeof kHighFunctionValues; ++position)
    if (kHighFunctionValues[position] == value) return position;
  return 0;
}

// The pop-up list: 0 none, every other entry biased.
uint8_t DecodePopUp(uint8_t stored) {
  return stored == NO_ENTRY ? 0 : static_cast<uint8_t>(stored - LIST_CODE_BIAS);
}
uint8_t EncodePopUp(uint8_t value) {
  return value == 0 ? NO_ENTRY : static_cast<uint8_t>(value + LIST_CODE_BIAS);
}

uint8_t DecodeConnection(uint8_t stored) {
  for (uint8_t index = 0; index < sizeof kConnectionCodes; ++index)
    if (kConnectionCodes[index] == stored) return index;
  return 0;
}

// A stored entry is re-encoded only when its row value was changed, so that
// codes the register wrote in another form (or that the list cannot express)
// are written back as read.
template <typename Decode, typename Encode>
void StoreEncoded(uint8_t& stored, uint8_t value, Decode decode, Encode encode) {
  if (decode(stored) != value) stored = encode(value);
}

template <size_t N>
bool Contains(const int (&values)[N], int value) {
  for (int candidate : values)
    if (candidate == value) return true;
  return false;
}

// Whether a slot row holds no department number or page-1 PLU code.
bool IsUnusedSlot(const stTable_t& table, int slot) {
  const uint8_t* content = FieldValue(table, slot, F_PRESET_CONTENT);
  for (int i = 0; i < StorageSize(table.aFields[F_PRESET_CONTENT]); ++i)
    if (content[i]) return false;
  return true;
}

}  // namespace

// A kind of preset slot: where the slots' key numbers are in the image, the
// key function code of its preset keys, the table whose rows show the slots
// (field 0 "MAP#", field 1 the department number or page-1 PLU code that
// makes a slot used), and the refusal message of an unusable MAP number.
struct CSModeRam::PresetKind {
  int nSlotKeys;
  uint8_t uCode;
  int nTable;
  int nMessageCaption;
  const wchar_t* pszMessage;
};

namespace {
const CSModeRam::PresetKind kDeptPresets{OFS_DEPT_SLOT_KEYS, CSModeRam::CODE_DEPT_PRESET, CSModeRam::T_DEPT_PRESET,
                                         30, L"It is a number not registered as an DEPT Preset"};
const CSModeRam::PresetKind kPluPresets{OFS_PLU_SLOT_KEYS, CSModeRam::CODE_PLU_PRESET, CSModeRam::T_PLU_PRESET_PAGE1,
                                        40, L"It is a number not registered as an PLU Preset"};
}  // namespace

CSModeRam::CSModeRam() : CSettingsRam(L"S MODE", 1) {
  const TableSource sources[SETTINGS_TABLE_COUNT] = {
      Rows(kRamAllocationFields, m_abRamAllocation),
      Rows(kPrgPassCodeFields, m_abImage + OFS_PRG_PASS_CODE),
      Rows(kZPassCodeFields, m_abImage + OFS_Z_PASS_CODE),
      Rows(kConfigurationFields, m_abImage + OFS_CONFIGURATION),
      Rows(kDeptPresetFields, m_abDeptPresets),
      Rows(kPopUpPluFields, m_abImage + OFS_POPUP_PLU),
      Rows(kPluPresetPage1Fields, m_abPluPresets[0]),
      Rows(kPluPresetPage2Fields, m_abPluPresets[1]),
      Rows(kPluPresetPage3Fields, m_abPluPresets[2]),
      Rows(kFunctionKeyFields, m_abFunctionKeys),
      Rows(kPopUpListFields, m_abPopUpLists),
      Rows(kNetworkTerminalFields, m_abImage + OFS_NETWORK_TERMINAL),
      Rows(kComPortFields, m_abComPort),
      Rows(kPluTransferTypeFields, m_abImage + OFS_PLU_TRANSFER_TYPE),
      Rows(kShortCaptionFields, m_abImage + OFS_SHORT_CAPTIONS),
      Rows(kLongCaptionFields, m_abImage + OFS_LONG_CAPTIONS),
  };
  for (int t = 0; t < SETTINGS_TABLE_COUNT; ++t) {
    const TableSource& source = sources[t];
    if (source.pNumbered)
      BuildNumberedTable(m_aSettings[t], kSettingsTables[t], *source.pNumbered, source.pRows, this);
    else
      BuildTable(m_aSettings[t], kSettingsTables[t], source.pFields, source.nCount, source.pRows, this);
  }

  const std::vector<FieldDef> keyCells(KEY_COLUMNS, kKeyCellField);
  BuildTable(m_aKeyboard[T_KEYBOARD_MAPPING], kKeyboardMappingTable, keyCells.data(), KEY_COLUMNS, m_abKeyMap, this);
  BuildTable(m_aKeyboard[T_KEYBOARD_LIST], kKeyboardListTable, kKeyboardListFields, m_abKeyList, this);
  FillKeyboardList(m_aKeyboard[T_KEYBOARD_LIST]);
  KeyCell(KEY_NUMBER_OF_FIXED_KEY) = FIXED_KEY_SHOWN;
}

int CSModeRam::SetFolder(const wchar_t* folder) { return SetUpFolder(folder, FILE_NAME); }

int CSModeRam::Load(const wchar_t* folder) {
  if (!ReadImage(folder, m_abImage, IMAGE_SIZE)) return 0;
  Unpack();
  return m_bLoaded;
}

int CSModeRam::Save(const wchar_t* folder) {
  Pack();
  return WriteImage(folder, m_abImage, IMAGE_SIZE);
}

int CSModeRam::GetTableCount() { return m_bKeyboardView ? KEYBOARD_TABLE_COUNT : SETTINGS_TABLE_COUNT; }

stTable_t* CSModeRam::GetTable(int index) {
  if (index < 0 || index >= GetTableCount()) return nullptr;
  return m_bKeyboardView ? &m_aKeyboard[index] : &m_aSettings[index];
}

uint8_t& CSModeRam::KeyCell(int keyNumber) {
  return m_abKeyMap[(keyNumber / 16) * KEY_COLUMNS + 14 - keyNumber % 16];
}

void CSModeRam::Unpack() {
  CopyIn(m_aSettings[T_RAM_ALLOCATION], kRamAllocationLayout, m_abImage);
  m_abComPort[0] = DecodeConnection(m_abImage[OFS_CONNECTION]);
  for (int key = 0; key < KEY_COUNT; ++key)
    if (HasKeyCell(key)) KeyCell(key) = m_abImage[OFS_KEY_CODES + key];
  KeyCell(KEY_NUMBER_OF_FIXED_KEY) = FIXED_KEY_SHOWN;
  UnpackKeyLists();
  UnpackPresets();
}

// "RAM ALLOCATION" is never written back. The fixed key is stored as 255 but
// keeps showing 159, a code the key function list has.
void CSModeRam::Pack() {
  uint8_t& connection = m_abImage[OFS_CONNECTION];
  if (m_abComPort[0] < sizeof kConnectionCodes)
    StoreEncoded(connection, m_abComPort[0], DecodeConnection, [](uint8_t index) { return kConnectionCodes[index]; });
  PackPresets();
  for (int key = 0; key < KEY_COUNT; ++key)
    if (HasKeyCell(key)) m_abImage[OFS_KEY_CODES + key] = KeyCell(key);
  m_abImage[OFS_KEY_CODES + KEY_NUMBER_OF_FIXED_KEY] = FIXED_KEY_STORED;
  AssignPresetKeys(kDeptPresets);
  AssignPresetKeys(kPluPresets);
  PackKeyLists();
}

void CSModeRam::UnpackKeyLists() {
  for (int i = 0; i < KEY_LIST_ENTRIES; ++i) {
    m_abFunctionKeys[i] = DecodeFunctionKey(m_abImage[OFS_FUNCTION_KEYS + i]);
    m_abPopUpLists[i] = DecodePopUp(m_abImage[OFS_POPUP_LIST + i]);
  }
}

void CSModeRam::PackKeyLists() {
  for (int i = 0; i < KEY_LIST_ENTRIES; ++i) {
    StoreEncoded(m_abImage[OFS_FUNCTION_KEYS + i], m_abFunctionKeys[i], DecodeFunctionKey, EncodeFunctionKey);
    StoreEncoded(m_abImage[OFS_POPUP_LIST + i], m_abPopUpLists[i], DecodePopUp, EncodePopUp);
  }
}

void CSModeRam::UnpackPresets() {
  const stTable_t& depts = m_aSettings[T_DEPT_PRESET];
  for (int slot = 0; slot < PRESET_SLOTS; ++slot) {
    *FieldValue(depts, slot, F_PRESET_CONTENT) = m_abImage[OFS_DEPT_SLOT_NUMBERS + slot];
    for (int page = 0; page < PLU_PAGES; ++page)
      std::memcpy(FieldValue(m_aSettings[T_PLU_PRESET_PAGE1 + page], slot, F_PRESET_CONTENT),
                  m_abImage + OFS_PLU_SLOT_CODES + (slot * PLU_PAGES + page) * PLU_CODE_SIZE, PLU_CODE_SIZE);
  }
  for (const PresetKind* kind : {&kDeptPresets, &kPluPresets}) {
    const stTable_t& table = m_aSettings[kind->nTable];
    for (int slot = 0; slot < PRESET_SLOTS; ++slot) {
      uint8_t& map = *FieldValue(table, slot, F_MAP);
      int stored = MapOfKey(m_abImage[kind->nSlotKeys + slot]);
      if (IsUnusedSlot(table, slot))
        map = 0;
      else if (stored)
        map = static_cast<uint8_t>(stored);
    }
  }
  ShowPage1MapsOnAllPages();
}

void CSModeRam::ShowPage1MapsOnAllPages() {
  for (int slot = 0; slot < PRESET_SLOTS; ++slot)
    for (int page = 1; page < PLU_PAGES; ++page)
      *FieldValue(m_aSettings[T_PLU_PRESET_PAGE1 + page], slot, F_MAP) =
          *FieldValue(m_aSettings[T_PLU_PRESET_PAGE1], slot, F_MAP);
}

void CSModeRam::PackPresets() {
  const stTable_t& depts = m_aSettings[T_DEPT_PRESET];
  for (int slot = 0; slot < PRESET_SLOTS; ++slot) {
    m_abImage[OFS_DEPT_SLOT_NUMBERS + slot] = *FieldValue(depts, slot, F_PRESET_CONTENT);
    for (int page = 0; page < PLU_PAGES; ++page)
      std::memcpy(m_abImage + OFS_PLU_SLOT_CODES + (slot * PLU_PAGES + page) * PLU_CODE_SIZE,
                  FieldValue(m_aSettings[T_PLU_PRESET_PAGE1 + page], slot, F_PRESET_CONTENT), PLU_CODE_SIZE);
  }
  for (const PresetKind* kind : {&kDeptPresets, &kPluPresets}) {
    const stTable_t& table = m_aSettings[kind->nTable];
    for (int slot = 0; slot < PRESET_SLOTS; ++slot) {
      uint8_t& map = *FieldValue(table, slot, F_MAP);
      if (IsUnusedSlot(table, slot)) map = 0;
      int key = KeyOfMap(map);
      m_abImage[kind->nSlotKeys + slot] = static_cast<uint8_t>(key < 0 ? 0 : key);
    }
  }
}

// Gives each preset key of the layout that no slot holds yet the next free
// slot, in key-number order. A slot is free when its row names no key (MAP#
// 0); slots in use are never taken over, wherever they are.
void CSModeRam::AssignPresetKeys(const PresetKind& kind) {
  stTable_t& table = m_aSettings[kind.nTable];
  auto isFree = [&](int slot) { return *FieldValue(table, slot, F_MAP) == 0; };
  auto nextFree = [&](int from) {
    while (from < PRESET_SLOTS && !isFree(from)) ++from;
    return from;
  };
  auto isHeld = [&](int key) {
    for (int slot = 0; slot < PRESET_SLOTS; ++slot)
      if (!isFree(slot) && KeyOfMap(*FieldValue(table, slot, F_MAP)) == key) return true;
    return false;
  };
  int freeSlot = nextFree(0);
  for (int key = 0; key < KEY_COUNT && freeSlot < PRESET_SLOTS; ++key) {
    if (!HasKeyCell(key) || KeyCell(key) != kind.uCode || isHeld(key)) continue;
    int map = MapOfKey(key);  // a key without a MAP number takes the slot but stores key number 0
    *FieldValue(table, freeSlot, F_MAP) = static_cast<uint8_t>(map);
    m_abImage[kind.nSlotKeys + freeSlot] = static_cast<uint8_t>(map ? key : 0);
    freeSlot = nextFree(freeSlot + 1);
  }
  if (kind.nTable == T_PLU_PRESET_PAGE1) ShowPage1MapsOnAllPages();
}

int CSModeRam::CheckValue(CheckReq* request) {
  if (!request) return 0;
  const stTable_t* table = request->pTable;
  if (IsFieldOf(request, m_aSettings[T_DEPT_PRESET], F_MAP)) return CheckPresetMap(request, kDeptPresets);
  if (IsFieldOf(request, m_aSettings[T_DEPT_PRESET], F_PRESET_CONTENT)) return CheckDepartmentNumber(request);
  if (IsFieldOf(request, m_aSettings[T_PLU_PRESET_PAGE1], F_MAP)) return CheckPresetMap(request, kPluPresets);

  const bool functionKeys = table == &m_aSettings[T_FUNCTION_KEYS];
  if (!functionKeys && table != &m_aSettings[T_POPUP_LIST]) return 1;
  const double value = std::trunc(request->dValue);
  const bool refused =
      functionKeys
          ? !(value >= 0 && value <= MAX_FUNCTION_VALUE) ||
                Contains(kForbiddenFunctionValues, static_cast<int>(value))
          : !(value >= 0 && value <= MAX_POPUP_VALUE) ||
                Contains(kForbiddenPopUpValues, static_cast<int>(value));
  if (!refused) return 1;
  return Refuse(request, CaptionTextOr(WND_TABLE_CAPTIONS, 60, L"It is a value that cannot be set"));
}

// A MAP number is accepted when its key carries the kind's preset code; 0
// (and a fraction below 1, which is stored as 0) clears the slot's key.
int CSModeRam::CheckPresetMap(CheckReq* request, const PresetKind& kind) {
  const double map = std::trunc(request->dValue);
  bool accepted = map == 0;
  if (map >= 1 && map <= PRESET_SLOTS) accepted = KeyCell(KeyOfMap(static_cast<int>(map))) == kind.uCode;
  if (!accepted) return Refuse(request, CaptionTextOr(WND_TABLE_CAPTIONS, kind.nMessageCaption, kind.pszMessage));
  if (kind.nTable == T_PLU_PRESET_PAGE1)
    for (int page = 1; page < PLU_PAGES; ++page)
      *FieldValue(m_aSettings[T_PLU_PRESET_PAGE1 + page], request->nRow, F_MAP) = static_cast<uint8_t>(map);
  return 1;
}

int CSModeRam::CheckDepartmentNumber(CheckReq* request) {
  const int limit = TheVarkelApp().m_dept.DepartmentLimit();
  if (request->dValue >= 0 && request->dValue <= limit) return 1;
  return Refuse(request, RangeMessage(0, limit));
}
