// The demo shop's sales of one day as the register reports them: one report
// file of every layout, written from the demo catalogue so that names and
// numbers agree with the demo departments, PLUs and clerks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "DemoCatalogue.h"

namespace demo {

// Sales at one price level: quantity in ten-thousandths, amount in cents,
// and how many times the item was entered.
struct Sale {
  int64_t quantity = 0;
  int64_t amount = 0;
  int count = 0;
};

// The day's sales of one PLU (at its three price levels), who sold it and in
// which hour of the day.
struct PluSale {
  Sale level[3];
  int clerk;  // 1-based into kClerks
  int hour;
};

// Sales of every PLU of MakePlus(), in the same order.
std::vector<PluSale> MakePluSales(const std::vector<Plu>& plus);
// The sum of a department's PLU sales (1-based department), optionally of one clerk only.
Sale DepartmentSales(const std::vector<Plu>& plus, const std::vector<PluSale>& sales, int department, int clerk = 0);
// PLUs whose stock ran low, by index into MakePlus().
std::vector<size_t> UrgentPlus(const std::vector<Plu>& plus);

struct OpenTable {
  int table;
  int clerk;
  int64_t balance;  // cents
};
constexpr OpenTable kOpenTables[] = {{5, 1, 2350}, {12, 3, 4780}, {21, 2, 1290}};

// The electronic journal: lines of 24 characters.
std::vector<std::string> JournalLines();

// The report files and what each holds, in the order they are written.
struct DemoReportFile {
  const char* name;
  const char* description;
};
extern const DemoReportFile kDemoReportFiles[];
extern const size_t kDemoReportFileCount;

}  // namespace demo

// Writes every demo report file into the folder; false when one cannot be written.
bool WriteDemoReports(const std::wstring& folder);
