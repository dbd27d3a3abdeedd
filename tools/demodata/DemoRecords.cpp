// Departments in groups, PLUs in groups and clerks of the demo shop.
#include <cinttypes>
#include <cstdio>
#include <iterator>

#include "Demo.h"
#include "DemoCatalogue.h"

namespace {

constexpr int WND_DEPARTMENTS = 17, WND_PLUS = 18, WND_CLERKS = 19;
constexpr int GROUP_TABLE = 0, RECORD_TABLE = 1;

// Field ids of the tables the demo fills.
enum : uint32_t {
  DEPT_GROUP_NAME = 101, DEPT_GROUP_OUTPUT = 102,
  DEPT_NAME = 201, DEPT_HASH = 204, DEPT_GROUP = 206, DEPT_PRICE = 207, DEPT_TAX = 208, DEPT_TAKE_OUT_TAX = 209,
  PLU_GROUP_NAME = 301,
  PLU_CODE = 401, PLU_NAME = 402, PLU_DEPT = 403, PLU_GROUP = 404, PLU_PRICE1 = 410, PLU_PRICE2 = 411,
  PLU_PRICE3 = 412, PLU_TAX = 415, PLU_TAKE_OUT_TAX = 416, PLU_STOCK = 429,
  CLERK_SYSTEM = 501, CLERK_CHANGE = 506, CLERK_EACH_TRANSACT = 503, CLERK_AUTO_SIGN_OFF = 504,
  CLERK_NAME = 601, CLERK_TYPE = 602, CLERK_PASS_CODE = 603,
  CLERK_RETURN = 612, CLERK_ALL_VOID = 614, CLERK_NEGATIVE_TOTAL = 616,
};
// Option values: 0 is YES / OK / ACTIVE in the two-choice lists, 1 is NO.
const char* const YES = "0";
const char* const NO = "1";
constexpr int CLERK_TYPE_SUPERVISOR = 1;

std::string Decimal(uint64_t value) { return std::to_string(value); }

// Names into the first rows of a one-name-per-row table, the other rows cleared.
template <typename Names>
bool FillNames(stTable_t& table, uint32_t nameId, const Names& names) {
  bool ok = true;
  for (int row = 0; row < table.nRecordCount; ++row) {
    ClearDemoRow(table, row);
    if (row < static_cast<int>(std::size(names))) ok &= SetDemoField(table, row, nameId, names[row]);
  }
  return ok;
}

bool FillDepartments(stTable_t& groups, stTable_t& departments) {
  std::vector<const char*> groupNames;
  for (const demo::Group& group : demo::kGroups) groupNames.push_back(group.name);
  bool ok = FillNames(groups, DEPT_GROUP_NAME, groupNames);
  for (int row = 0; row < groups.nRecordCount; ++row) ok &= SetDemoField(groups, row, DEPT_GROUP_OUTPUT, "0");
  for (int row = 0; row < departments.nRecordCount; ++row) {
    ClearDemoRow(departments, row);
    ok &= SetDemoField(departments, row, DEPT_HASH, NO);
    if (row >= static_cast<int>(std::size(demo::kDepartments))) continue;
    const demo::Department& dept = demo::kDepartments[row];
    ok &= SetDemoField(departments, row, DEPT_NAME, dept.name) &&
          SetDemoField(departments, row, DEPT_GROUP, Decimal(dept.group)) &&
          SetDemoField(departments, row, DEPT_PRICE, Decimal(dept.price)) &&
          SetDemoField(departments, row, DEPT_TAX, Decimal(dept.tax)) &&
          SetDemoField(departments, row, DEPT_TAKE_OUT_TAX, Decimal(dept.tax));
  }
  return ok;
}

// PLU rows keep the library's empty-PLU defaults in the fields not set here.
bool FillPlus(stTable_t& groups, stTable_t& plus) {
  bool ok = FillNames(groups, PLU_GROUP_NAME, demo::kPluGroups);
  const std::vector<demo::Plu> catalogue = demo::MakePlus();
  for (int row = 0; row < plus.nRecordCount; ++row) {
    if (row >= static_cast<int>(catalogue.size())) {
      ok &= SetDemoField(plus, row, PLU_CODE, "0");  // an empty PLU is not written
      continue;
    }
    const demo::Plu& plu = catalogue[row];
    ok &= SetDemoField(plus, row, PLU_CODE, Decimal(plu.code)) && SetDemoField(plus, row, PLU_NAME, plu.name) &&
          SetDemoField(plus, row, PLU_DEPT, Decimal(plu.department)) &&
          SetDemoField(plus, row, PLU_GROUP, Decimal(plu.group)) &&
          SetDemoField(plus, row, PLU_PRICE1, Decimal(plu.price1)) &&
          SetDemoField(plus, row, PLU_PRICE2, Decimal(plu.price2)) &&
          SetDemoField(plus, row, PLU_PRICE3, Decimal(plu.price3)) &&
          SetDemoField(plus, row, PLU_TAX, Decimal(plu.tax)) &&
          SetDemoField(plus, row, PLU_TAKE_OUT_TAX, Decimal(plu.tax)) &&
          SetDemoField(plus, row, PLU_STOCK, DemoMilli(plu.stockMilli));
  }
  return ok;
}

bool FillClerks(stTable_t& system, stTable_t& clerks) {
  bool ok = SetDemoField(system, 0, CLERK_SYSTEM, YES) && SetDemoField(system, 0, CLERK_CHANGE, "0") &&
            SetDemoField(system, 0, CLERK_EACH_TRANSACT, NO) && SetDemoField(system, 0, CLERK_AUTO_SIGN_OFF, NO);
  for (int row = 0; row < clerks.nRecordCount; ++row) {
    ClearDemoRow(clerks, row);
    if (row >= static_cast<int>(std::size(demo::kClerks))) continue;
    const demo::Clerk& clerk = demo::kClerks[row];
    char passCode[8];
    std::snprintf(passCode, sizeof passCode, "%04X", clerk.passCode);
    // Returns, all-voids and negative totals are left to the supervisor.
    const char* restricted = clerk.type == CLERK_TYPE_SUPERVISOR ? YES : NO;
    ok &= SetDemoField(clerks, row, CLERK_NAME, clerk.name) &&
          SetDemoField(clerks, row, CLERK_TYPE, Decimal(clerk.type)) &&
          SetDemoField(clerks, row, CLERK_PASS_CODE, passCode) &&
          SetDemoField(clerks, row, CLERK_RETURN, restricted) && SetDemoField(clerks, row, CLERK_ALL_VOID, restricted) &&
          SetDemoField(clerks, row, CLERK_NEGATIVE_TOTAL, restricted);
  }
  return ok;
}

// Fills the two tables of a record object and saves it.
bool WriteRecordObject(ModelLibrary& library, int wndNo, bool (*fill)(stTable_t&, stTable_t&),
                       const std::wstring& folder, std::string& error) {
  CEcrData* data = DemoObject(library, wndNo, error);
  if (!data) return false;
  stTable_t* groups = data->GetTable(GROUP_TABLE);
  stTable_t* records = data->GetTable(RECORD_TABLE);
  if (!groups || !records || !fill(*groups, *records)) {
    error = "the tables of window " + std::to_string(wndNo) + " do not have the demo's fields";
    return false;
  }
  return SaveDemoObject(*data, folder, error);
}

}  // namespace

bool WriteDemoRecords(ModelLibrary& library, const std::wstring& folder, std::string& error) {
  return WriteRecordObject(library, WND_DEPARTMENTS, FillDepartments, folder, error) &&
         WriteRecordObject(library, WND_PLUS, FillPlus, folder, error) &&
         WriteRecordObject(library, WND_CLERKS, FillClerks, folder, error);
}
