// The demo shop: a small grocery with departments in groups, PLUs, clerks,
// tax rates and payment media. The demo data folder, the demo reports and
// the register simulator's memory are all written from this one catalogue,
// so that they agree with each other.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace demo {

struct Group {
  const char* name;
};

struct Department {
  const char* name;
  int group;        // 1-based position in kGroups
  uint32_t price;   // preset price in the smallest currency unit (0: open price)
  int tax;          // 0 non-taxable, 1..4 tax rate
};

struct Clerk {
  const char* name;
  uint16_t passCode;  // four digits
  int type;           // 0 normal, 1 supervisor, 2 training
};

struct Plu {
  uint64_t code;      // up to 14 decimal digits
  std::string name;   // at most 18 characters
  int department;     // 1-based
  int group;          // PLU group, 1-based
  uint32_t price1;
  uint32_t price2;
  uint32_t price3;
  int tax;
  int64_t stockMilli;  // stock in thousandths
};

constexpr Group kGroups[] = {{"FRESH FOOD"}, {"DRINKS"}, {"GROCERY"}, {"HOUSEHOLD"}, {"KIOSK"}};

constexpr Department kDepartments[] = {
    {"BREAD", 1, 0, 1},        {"PASTRY", 1, 0, 1},     {"DAIRY", 1, 0, 1},      {"CHEESE", 1, 0, 1},
    {"FRUIT", 1, 0, 1},        {"VEGETABLES", 1, 0, 1}, {"MEAT", 1, 0, 1},       {"FISH", 1, 0, 1},
    {"WATER & JUICE", 2, 0, 2},{"SOFT DRINKS", 2, 0, 2},{"BEER", 2, 0, 2},       {"WINE", 2, 0, 2},
    {"COFFEE & TEA", 3, 0, 1}, {"PASTA & RICE", 3, 0, 1},{"CANNED FOOD", 3, 0, 1},{"SWEETS", 3, 0, 1},
    {"CLEANING", 4, 0, 2},     {"PAPER GOODS", 4, 0, 2},{"NEWSPAPERS", 5, 250, 3},{"TOBACCO", 5, 0, 0},
};

constexpr Clerk kClerks[] = {
    {"ANNA", 0x1111, 1}, {"BEN", 0x2222, 0}, {"CARLA", 0x3333, 0}, {"DAVID", 0x4444, 0}, {"TRAINEE", 0x9999, 2},
};

constexpr const char* kPluGroups[] = {"DAILY", "WEEKLY OFFER", "ORGANIC", "IMPORTED", "DEPOSIT"};

// Tax rates in hundredths of a percent: 7.00 %, 19.00 %, 5.50 %, 0 %.
constexpr uint16_t kTaxRates[] = {700, 1900, 550, 0};

constexpr const char* kPaymentMedia[] = {"CHECK", "CARD", "COUPON", "CREDIT1", "CREDIT2",
                                        "CREDIT3", "CREDIT4", "CREDIT5", "VOUCHER"};

constexpr const char* kStoreMessages[] = {"  CORNER GROCERY  ", "  12 MARKET SQUARE", "  TEL 0123 456789",
                                          "", "", "", ""};
constexpr const char* kAdvertisements[] = {"THANK YOU", "PLEASE COME AGAIN", "", "", ""};

// 200 PLUs: forty products in five sizes or kinds each, codes in ascending order.
std::vector<Plu> MakePlus();

}  // namespace demo
