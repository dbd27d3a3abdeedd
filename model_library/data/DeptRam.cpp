#include "model_library/data/DeptRam.h"

#include <iterator>

#include "model_library/data/OptionLists.h"

namespace {

// "DEPT.ECR": count word, 9 group records of 20 bytes, then the departments.
constexpr int GROUP_BLOCK_SIZE = 180;
constexpr int GROUP_RECORD_SIZE = 20;
constexpr int GROUP_REC_NAME = 0;     // text 18
constexpr int GROUP_REC_OUTPUT = 18;  // byte; byte 19 is kept

// Department record, 28 bytes.
constexpr int DEPT_RECORD_SIZE = 28;
constexpr int DEPT_REC_NAME = 0;       // text 18
constexpr int DEPT_REC_STATUS = 18;    // bits 0 STATUS1, 1 STATUS2, 2 HASH; bits 3-7 kept
constexpr int DEPT_REC_GROUP = 19;     // LINK DEPT GRP#
constexpr int DEPT_REC_PRICE = 20;     // long, 8 packed digits
constexpr int DEPT_REC_TAX = 24;
constexpr int DEPT_REC_TAKE_OUT_TAX = 25;
constexpr int DEPT_REC_HALO = 26;
constexpr int DEPT_REC_LALO = 27;

constexpr ListRef DEPT_GROUP_NAMES{WND_DEPARTMENTS, CRecordListRam::BLOCK_TABLE, 0};

const TableDef kGroupTable{100, L"DEPARTMENT GROUP SETTING", CDeptRam::GROUP_COUNT, -1, 2};
const FieldDef kGroupFields[] = {
    {L"NAME", 101, 0x2400, 18, INPUT_EDIT, CHECK_NONE, 0, 0, 2, NO_LIST},
    {L"OUTPUT", 102, 0x2801, 1, INPUT_LIST, CHECK_RANGE, 0, 2, 2, LIST3_OUTPUT},
};
const FieldPlace kGroupPlaces[] = {Bytes(GROUP_REC_NAME), Bytes(GROUP_REC_OUTPUT)};

const TableDef kDeptTable{200, L"DEPARTMENT SETTING", CDeptRam::CAPACITY, -1, 98};
const FieldDef kDeptFields[] = {
    {L"NAME", 201, 0x2400, 18, INPUT_EDIT, CHECK_NONE, 0, 0, 0, NO_LIST},
    {L"STATUS1", 202, 0x2801, 1, INPUT_BUTTONS, CHECK_RANGE, 0, 1, 0, LIST2_STAT_NS},
    {L"STATUS2", 203, 0x2801, 1, INPUT_BUTTONS, CHECK_RANGE, 0, 1, 0, LIST2_STAT_PN},
    {L"HASH", 204, 0x2801, 1, INPUT_BUTTONS, CHECK_RANGE, 0, 1, 0, LIST2_YESNO},
    {L"LINK DEPT GRP#", 206, 0x2801, 1, INPUT_LIST, CHECK_RANGE, 0, 9, 0, DEPT_GROUP_NAMES},
    {L"PRICE", 207, 0x2904, 8, INPUT_EDIT, CHECK_RANGE, 0, 99999999, 2, NO_LIST},
    {L"TAX", 208, 0x2801, 1, INPUT_LIST, CHECK_RANGE, 0, 4, 0, LIST5_TAX},
    {L"TAKE OUT TAX", 209, 0x2801, 1, INPUT_LIST, CHECK_RANGE, 0, 4, 0, LIST5_TAX},
    {L"HALO", 210, 0x2801, 1, INPUT_LIST, CHECK_RANGE, 0, 7, 0, LIST8_HALO},
    {L"LALO", 211, 0x2801, 1, INPUT_LIST, CHECK_RANGE, 0, 7, 0, LIST8_LALO},
};
const FieldPlace kDeptPlaces[] = {
    Bytes(DEPT_REC_NAME),  Bits(DEPT_REC_STATUS, 0),     Bits(DEPT_REC_STATUS, 1), Bits(DEPT_REC_STATUS, 2),
    Bytes(DEPT_REC_GROUP), Bytes(DEPT_REC_PRICE),        Bytes(DEPT_REC_TAX),      Bytes(DEPT_REC_TAKE_OUT_TAX),
    Bytes(DEPT_REC_HALO),  Bytes(DEPT_REC_LALO),
};
static_assert(std::size(kGroupPlaces) == std::size(kGroupFields), "one place per group field");
static_assert(std::size(kDeptPlaces) == std::size(kDeptFields), "one place per department field");

const RecordFileLayout kLayout{CDeptRam::FILE_NAME, GROUP_BLOCK_SIZE, kGroupPlaces, GROUP_RECORD_SIZE,
                               DEPT_RECORD_SIZE, kDeptPlaces, CDeptRam::CAPACITY, true};

}  // namespace

CDeptRam::CDeptRam()
    : CRecordListRam(L"DEPT", 5, kLayout, kGroupTable, kGroupFields, static_cast<int>(std::size(kGroupFields)),
                     kDeptTable, kDeptFields, static_cast<int>(std::size(kDeptFields))) {}

int CDeptRam::DepartmentLimit() {
  const stTable_t* departments = GetTable(RECORD_TABLE);
  return (m_bExists && departments) ? departments->nRecordCount : CAPACITY;
}
