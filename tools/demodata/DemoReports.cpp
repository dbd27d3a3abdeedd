#include "DemoReports.h"

#include <cstdio>
#include <functional>

#include "ReportBytes.h"
#include "platform/FileSystem.h"

namespace demo {
namespace {

using namespace reportbytes;

Bytes Triple(const Sale& sale) { return reportbytes::Triple(sale.count, sale.quantity, sale.amount); }
Bytes Triples(const PluSale& sale) { return Triple(sale.level[0]) + Triple(sale.level[1]) + Triple(sale.level[2]); }
template <typename List>
Bytes NameList(const List& names, size_t entries) {
  Bytes out;
  for (size_t i = 0; i < entries; ++i) out += Name(i < std::size(names) ? names[i].name : "");
  return out;
}
Bytes PluGroupNames() {
  Bytes out;
  for (int i = 0; i < 99; ++i) out += Name(i < static_cast<int>(std::size(kPluGroups)) ? kPluGroups[i] : "");
  return out;
}

Sale Add(Sale a, const Sale& b) {
  a.quantity += b.quantity;
  a.amount += b.amount;
  a.count += b.count;
  return a;
}
Sale Total(const PluSale& sale) { return Add(Add(sale.level[0], sale.level[1]), sale.level[2]); }

// Figures of the financial block that the demo fills; all others are 0.
struct Figures {
  int customers = 0;
  int64_t sales = 0;
  int64_t taxable[4] = {};
  int64_t tax[4] = {};
  int64_t cash = 0, card = 0, check = 0;
  int cashCount = 0, cardCount = 0, checkCount = 0;
};

Figures FiguresOf(const std::vector<Plu>& plus, const std::vector<PluSale>& sales, int clerk) {
  Figures figures;
  for (size_t i = 0; i < plus.size(); ++i) {
    if (clerk && sales[i].clerk != clerk) continue;
    Sale total = Total(sales[i]);
    figures.sales += total.amount;
    figures.customers += total.count ? 1 : 0;
    if (plus[i].tax >= 1 && plus[i].tax <= 4) figures.taxable[plus[i].tax - 1] += total.amount;
  }
  for (int t = 0; t < 4; ++t) figures.tax[t] = figures.taxable[t] * kTaxRates[t] / (10000 + kTaxRates[t]);
  figures.card = figures.sales / 4;
  figures.check = figures.sales / 20;
  figures.cash = figures.sales - figures.card - figures.check;
  figures.checkCount = figures.customers / 20;
  figures.cardCount = figures.customers / 4;
  figures.cashCount = figures.customers - figures.cardCount - figures.checkCount;
  return figures;
}

// The 69 entries of the financial block in order: form, caption and the figure it shows.
struct FinancialEntry {
  char form;
  const char* caption;
  std::function<std::pair<int, int64_t>(const Figures&)> figure;  // count, amount
};
std::pair<int, int64_t> Nothing(const Figures&) { return {0, 0}; }

const std::vector<FinancialEntry>& FinancialEntries() {
  static const std::vector<FinancialEntry> entries = [] {
    using F = const Figures&;
    std::vector<FinancialEntry> list = {
        {'C', "NET SALES", [](F f) { return std::make_pair(f.customers, f.sales); }},
        {'A', "GROSS", [](F f) { return std::make_pair(0, f.sales); }},
        {'C', "VOID", Nothing},
        {'A', "TXBL TL1", [](F f) { return std::make_pair(0, f.taxable[0]); }},
        {'D', "", [](F f) { return std::make_pair(0, f.taxable[1]); }},
        {'D', "", [](F f) { return std::make_pair(0, f.taxable[2]); }},
        {'D', "", [](F f) { return std::make_pair(0, f.taxable[3]); }},
        {'D', "", [](F f) { return std::make_pair(0, f.taxable[0] + f.taxable[1] + f.taxable[2] + f.taxable[3]); }},
        {'A', "TAX1", [](F f) { return std::make_pair(0, f.tax[0]); }},
        {'D', "", [](F f) { return std::make_pair(0, f.tax[1]); }},
        {'D', "", [](F f) { return std::make_pair(0, f.tax[2]); }},
        {'D', "", [](F f) { return std::make_pair(0, f.tax[3]); }},
        {'D', "", [](F f) { return std::make_pair(0, f.tax[0] + f.tax[1] + f.tax[2] + f.tax[3]); }},
        {'A', "EXMT TL1", Nothing}, {'D', "", Nothing}, {'D', "", Nothing}, {'D', "", Nothing}, {'D', "", Nothing},
        {'A', "NON TAX", Nothing},
        {'C', "CASH", [](F f) { return std::make_pair(f.cashCount, f.cash); }},
        {'C', "CHECK", [](F f) { return std::make_pair(f.checkCount, f.check); }},
        {'C', "CARD", [](F f) { return std::make_pair(f.cardCount, f.card); }},
        {'C', "COUPON", Nothing},
        {'A', "CASH IN D", [](F f) { return std::make_pair(0, f.cash); }},
        {'A', "CHECK IN D", [](F f) { return std::make_pair(0, f.check); }},
    };
    for (const char* caption : {"CREDIT1", "CREDIT2", "CREDIT3", "CREDIT4", "CREDIT5", "VOUCHER", "RA", "PO",
                                "REFUND", "CANCEL", "RETURN"})
      list.push_back({'C', caption, Nothing});
    list.push_back({'S', "CUSTOMER", [](F f) { return std::make_pair(f.customers, int64_t{0}); }});
    for (const char* caption : {"DISCOUNT", "%-1", "%+1", "ITEM VOID"}) list.push_back({'C', caption, Nothing});
    for (const char* caption : {"ROUNDING", "CHANGE"}) list.push_back({'A', caption, Nothing});
    for (const char* caption : {"TIPS", "DEPOSIT", "PAID OUT", "E.CORRECT", "MGR VOID", "PRICE CHG", "MINUS",
                                "CONV CASH", "TRAY TTL", "HASH"})
      list.push_back({'C', caption, Nothing});
    for (const char* caption : {"CARD IN D", "CPN IN D", "CR1 IN D", "CR2 IN D", "CR3 IN D", "CR4 IN D",
                                "CR5 IN D", "VCH IN D", "FOREIGN"})
      list.push_back({'A', caption, Nothing});
    for (const char* caption : {"TRAINING", "REPRINT", "TABLE", "GUEST"}) list.push_back({'C', caption, Nothing});
    for (const char* caption : {"NO SALE", "RECEIPTS", "ITEMS"}) list.push_back({'S', caption, Nothing});
    return list;
  }();
  return entries;
}

Bytes FinancialBlock(const Figures& figures) {
  Bytes block;
  for (const FinancialEntry& entry : FinancialEntries()) {
    auto [count, amount] = entry.figure(figures);
    switch (entry.form) {
      case 'C': block += Text(entry.caption, 12) + Count(count) + Amount(amount); break;
      case 'A': block += Text(entry.caption, 12) + Amount(amount); break;
      case 'S': block += Text(entry.caption, 12) + Count(count); break;
      default: block += Amount(amount); break;
    }
  }
  return block;
}

bool IsWeighed(int department) { return department == 5 || department == 6; }

struct Day {
  std::vector<Plu> plus = MakePlus();
  std::vector<PluSale> sales = MakePluSales(plus);
};

Bytes FinancialReport(const Day& day) {
  Figures figures = FiguresOf(day.plus, day.sales, 0);
  return Text("Z1 COUNTER", 12) + Amount(1) + Text("GT", 12) + Amount(figures.sales * 41) + Text("GT2", 12) +
         Amount(0) + FinancialBlock(figures);
}

Bytes ClerksReport(const Day& day) {
  Bytes out;
  for (int clerk = 1; clerk <= static_cast<int>(std::size(kClerks)); ++clerk) {
    if (kClerks[clerk - 1].type == 2) continue;  // training clerks have their own report
    out += Byte(clerk) + Name(kClerks[clerk - 1].name) + Count(clerk == 1 ? 150 : 0) +
           FinancialBlock(FiguresOf(day.plus, day.sales, clerk));
  }
  return out;
}

Bytes ItemisedClerkSales(const Day& day) {
  Bytes out = Byte(0x02);
  for (int clerk = 1; clerk <= 4; ++clerk) {
    out += Byte(clerk) + Name(kClerks[clerk - 1].name);
    for (size_t i = 0; i < day.plus.size(); ++i)
      if (day.sales[i].clerk == clerk) out += Code(day.plus[i].code) + Name(day.plus[i].name) + Triples(day.sales[i]);
    out += Byte(0xFF);
  }
  return out;
}

Bytes PositionalClerkSales(const Day& day) {
  Bytes out = Byte(0x00) + Byte(static_cast<int>(std::size(kDepartments))) +
              NameList(kDepartments, std::size(kDepartments));
  for (int clerk = 1; clerk <= 4; ++clerk) {
    out += Byte(clerk) + Name(kClerks[clerk - 1].name);
    for (int department = 1; department <= static_cast<int>(std::size(kDepartments)); ++department)
      out += Triple(DepartmentSales(day.plus, day.sales, department, clerk));
  }
  return out;
}

Bytes DepartmentsReport(const Day& day) {
  Bytes out = Byte(static_cast<int>(std::size(kDepartments))) + NameList(kGroups, 9);
  for (int department = 1; department <= static_cast<int>(std::size(kDepartments)); ++department)
    out += Byte(department) + Byte(kDepartments[department - 1].group) + Name(kDepartments[department - 1].name) +
           Triple(DepartmentSales(day.plus, day.sales, department));
  return out;
}

Bytes PluRecord(const Plu& plu, const PluSale& sale) {
  return Code(plu.code) + Name(plu.name) + Byte(plu.department) + Byte(plu.group) + Quantity(plu.stockMilli * 10) +
         Triples(sale);
}

Bytes PlusReport(const Day& day) {
  Bytes out = Byte(static_cast<int>(std::size(kDepartments))) + NameList(kDepartments, std::size(kDepartments)) +
              PluGroupNames();
  for (size_t i = 0; i < day.plus.size(); ++i) out += PluRecord(day.plus[i], day.sales[i]);
  return out;
}

Bytes UrgentPlusReport(const Day& day) {
  Bytes out = Byte(static_cast<int>(std::size(kDepartments))) + NameList(kDepartments, std::size(kDepartments));
  for (size_t i : UrgentPlus(day.plus)) out += Code(day.plus[i].code) + Byte(day.plus[i].department) + Triples(day.sales[i]);
  return out;
}

Bytes HourlyReport(const Day& day) {
  Bytes out;
  for (int hour = 0; hour < 24; ++hour) {
    Sale total;
    for (const PluSale& sale : day.sales)
      if (sale.hour == hour) total = Add(total, Total(sale));
    out += SignedCount(total.count) + Amount(total.amount);
  }
  return out;
}

Bytes OpenTablesReport() {
  Bytes out;
  for (const OpenTable& table : kOpenTables) out += Byte(table.table) + ClerkByte(table.clerk) + Amount(table.balance);
  return out;
}

// The training clerk rang up a few items; the register reports them apart.
Bytes TrainingClerksReport(const Day& day) {
  const int departments = static_cast<int>(std::size(kDepartments));
  Bytes out = Byte(0) + Byte(departments) + NameList(kGroups, 9) + NameList(kDepartments, std::size(kDepartments)) +
              PluGroupNames();
  std::vector<PluSale> training(day.sales.size());
  for (size_t i = 0; i < day.plus.size(); i += 40) training[i] = day.sales[i];
  for (int clerk = 1; clerk <= static_cast<int>(std::size(kClerks)); ++clerk) {
    if (kClerks[clerk - 1].type != 2) continue;
    for (size_t i = 0; i < training.size(); ++i) training[i].clerk = clerk;
    out += Byte(clerk) + Name(kClerks[clerk - 1].name) + Count(0) + FinancialBlock(FiguresOf(day.plus, training, clerk));
  }
  out += Byte(0xFF);
  for (int department = 1; department <= departments; ++department)
    out += Byte(department) + Byte(kDepartments[department - 1].group) +
           Triple(DepartmentSales(day.plus, training, department));
  for (size_t i = 0; i < day.plus.size(); i += 40) out += PluRecord(day.plus[i], training[i]);
  return out;
}

Bytes Journal(bool separators) {
  Bytes out;
  for (const std::string& line : JournalLines()) out += Text(line, 24) + (separators ? "\r\n" : "");
  return out;
}

std::string Money(int64_t cents) {
  char text[32];
  std::snprintf(text, sizeof text, "%lld.%02lld", static_cast<long long>(cents / 100), static_cast<long long>(cents % 100));
  return text;
}

std::string JournalItem(const std::string& name, const std::string& amount) {
  std::string line = name.substr(0, 23 - amount.size());
  line.resize(24 - amount.size(), ' ');
  return line + amount;
}

}  // namespace

std::vector<PluSale> MakePluSales(const std::vector<Plu>& plus) {
  std::vector<PluSale> sales;
  for (size_t i = 0; i < plus.size(); ++i) {
    const Plu& plu = plus[i];
    const int index = static_cast<int>(i);
    PluSale sale{};
    int units = index * 7 % 9 + 1;
    // Fruit and vegetables are weighed: half kilograms.
    if (IsWeighed(plu.department)) {
      sale.level[0] = {units * 10000 + 5000, static_cast<int64_t>(plu.price1) * (2 * units + 1) / 2, units + 1};
    } else {
      sale.level[0] = {units * 10000, static_cast<int64_t>(plu.price1) * units, units};
    }
    int second = index % 3;
    sale.level[1] = {second * 10000, static_cast<int64_t>(plu.price2) * second, second};
    int third = index % 5 == 0 ? 1 : 0;
    sale.level[2] = {third * 10000, static_cast<int64_t>(plu.price3) * third, third};
    sale.clerk = index % 4 + 1;
    sale.hour = 8 + index % 12;
    sales.push_back(sale);
  }
  return sales;
}

Sale DepartmentSales(const std::vector<Plu>& plus, const std::vector<PluSale>& sales, int department, int clerk) {
  Sale total;
  for (size_t i = 0; i < plus.size() && i < sales.size(); ++i)
    if (plus[i].department == department && (clerk == 0 || sales[i].clerk == clerk)) total = Add(total, Total(sales[i]));
  return total;
}

std::vector<size_t> UrgentPlus(const std::vector<Plu>& plus) {
  std::vector<size_t> urgent;
  for (size_t i = 0; i < plus.size(); ++i)
    if (plus[i].stockMilli < 30000) urgent.push_back(i);
  return urgent;
}

std::vector<std::string> JournalLines() {
  std::vector<std::string> lines;
  std::vector<Plu> plus = MakePlus();
  for (int receipt = 1; receipt <= 5; ++receipt) {
    lines.push_back(kStoreMessages[0]);
    char header[32];
    std::snprintf(header, sizeof header, "11/12/2026 18:%02d  #%04d", 10 + receipt, receipt);
    lines.push_back(header);
    int64_t total = 0;
    for (int item = 0; item < 3; ++item) {
      const Plu& plu = plus[static_cast<size_t>((receipt * 37 + item * 11) % 200)];
      lines.push_back(JournalItem(plu.name, Money(plu.price1)));
      total += plu.price1;
    }
    lines.push_back(JournalItem("TOTAL", Money(total)));
    lines.push_back(JournalItem("CASH", Money(total)));
    lines.push_back(std::string("CLERK ") + kClerks[receipt % 4].name);
  }
  return lines;
}

const DemoReportFile kDemoReportFiles[] = {
    {"FINC1830.ECR", "financial"},
    {"ALCL1830.ECR", "all clerks"},
    {"DPCS1830.ECR", "clerk sales, item by item"},
    {"DPCS1831.ECR", "clerk sales by department"},
    {"ALDP1830.ECR", "all departments"},
    {"ALPL1830.ECR", "all PLUs"},
    {"MTPL1830.ECR", "urgent PLUs"},
    {"HOUR1830.ECR", "hourly"},
    {"OTAC1830.ECR", "open tables"},
    {"ATCL1830.ECR", "training clerks"},
    {"FLEJ1830.ECR", "journal, lines ended with CR LF"},
    {"EJ1830.ECR", "real-time journal, lines without separators"},
};
const size_t kDemoReportFileCount = std::size(kDemoReportFiles);

}  // namespace demo

bool WriteDemoReports(const std::wstring& folder) {
  using namespace demo;
  const Day day;
  const Bytes contents[] = {FinancialReport(day),      ClerksReport(day),      ItemisedClerkSales(day),
                            PositionalClerkSales(day), DepartmentsReport(day), PlusReport(day),
                            UrgentPlusReport(day),     HourlyReport(day),      OpenTablesReport(),
                            TrainingClerksReport(day), Journal(true),          Journal(false)};
  static_assert(std::size(contents) == std::size(kDemoReportFiles), "one content per file");
  for (size_t i = 0; i < kDemoReportFileCount; ++i) {
    std::string name = kDemoReportFiles[i].name;
    if (!platform::WriteFileAtomic(platform::JoinPath(folder, std::wstring(name.begin(), name.end())), contents[i]))
      return false;
  }
  return true;
}
