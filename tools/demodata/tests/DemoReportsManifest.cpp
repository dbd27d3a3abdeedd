#include "DemoReportsManifest.h"

#include <cstdio>

#include "../DemoReports.h"

namespace demo {
namespace {

using Row = std::vector<std::string>;

std::string Number(int64_t value) { return std::to_string(value); }
// Quantities show three of their four decimals.
std::string Quantity(int64_t tenThousandths) {
  char text[40];
  std::snprintf(text, sizeof text, "%lld.%03lld", static_cast<long long>(tenThousandths / 10000),
                static_cast<long long>(tenThousandths % 10000 / 10));
  return text;
}
// Names from a report's name list keep their padding to 18 characters.
std::string ListName(const std::string& name) { return name + std::string(18 - name.size(), ' '); }
std::string Code14(uint64_t code) {
  char text[24];
  std::snprintf(text, sizeof text, "%014llu", static_cast<unsigned long long>(code));
  return text;
}
void AddSale(Row& row, const Sale& sale) {
  row.push_back(Quantity(sale.quantity));
  row.push_back(Number(sale.amount));
}
void AddSales(Row& row, const PluSale& sale) {
  for (const Sale& level : sale.level) AddSale(row, level);
}
Sale Sum(const PluSale& sale) {
  Sale total;
  for (const Sale& level : sale.level) {
    total.quantity += level.quantity;
    total.amount += level.amount;
    total.count += level.count;
  }
  return total;
}
std::string TrimRight(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}
std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (char ch : text) {
    if (ch == '"' || ch == '\\') out += '\\';
    out += ch;
  }
  return out + "\"";
}

}  // namespace

ExpectedCsv ExpectedDemoCsv() {
  ExpectedCsv expected;
  const std::vector<Plu> plus = MakePlus();
  const std::vector<PluSale> sales = MakePluSales(plus);
  const int departments = static_cast<int>(std::size(kDepartments));

  auto& aldp = expected.rows["ALDP1830.CSV"];
  for (int d = 1; d <= departments; ++d) {
    const Department& department = kDepartments[d - 1];
    Row row{Number(d), department.name, Number(department.group), ListName(kGroups[department.group - 1].name)};
    AddSale(row, DepartmentSales(plus, sales, d));
    aldp.push_back(row);
  }

  auto& alpl = expected.rows["ALPL1830.CSV"];
  auto& dpcs = expected.rows["DPCS1830.CSV"];
  for (int clerk = 1; clerk <= 4; ++clerk) {
    for (size_t i = 0; i < plus.size(); ++i) {
      if (sales[i].clerk != clerk) continue;
      Row row{Number(clerk), kClerks[clerk - 1].name, Number(static_cast<int64_t>(plus[i].code)), plus[i].name};
      AddSales(row, sales[i]);
      dpcs.push_back(row);
    }
  }
  for (size_t i = 0; i < plus.size(); ++i) {
    const Plu& plu = plus[i];
    Row row{Code14(plu.code), plu.name, Number(plu.department), ListName(kDepartments[plu.department - 1].name),
            Number(plu.group), ListName(kPluGroups[plu.group - 1]), Quantity(plu.stockMilli * 10)};
    AddSales(row, sales[i]);
    alpl.push_back(row);
  }

  auto& positional = expected.rows["DPCS1831.CSV"];
  for (int clerk = 1; clerk <= 4; ++clerk) {
    for (int d = 1; d <= departments; ++d) {
      Row row{d == 1 ? Number(clerk) : "", d == 1 ? kClerks[clerk - 1].name : "", Number(d),
              ListName(kDepartments[d - 1].name)};
      AddSale(row, DepartmentSales(plus, sales, d, clerk));
      row.insert(row.end(), 4, "");
      positional.push_back(row);
    }
  }

  auto& mtpl = expected.rows["MTPL1830.CSV"];
  for (size_t i : UrgentPlus(plus)) {
    Row row{Code14(plus[i].code), Number(plus[i].department), ListName(kDepartments[plus[i].department - 1].name)};
    AddSales(row, sales[i]);
    mtpl.push_back(row);
  }

  auto& hour = expected.rows["HOUR1830.CSV"];
  for (int h = 0; h < 24; ++h) {
    Sale total;
    for (const PluSale& sale : sales) {
      if (sale.hour != h) continue;
      Sale sum = Sum(sale);
      total.count += sum.count;
      total.amount += sum.amount;
    }
    char label[24];
    std::snprintf(label, sizeof label, "%02d:00 - %02d:59", h, h);
    hour.push_back(Row{label, Number(total.count), Number(total.amount)});
  }

  for (const OpenTable& table : kOpenTables)
    expected.rows["OTAC1830.CSV"].push_back(Row{Number(table.table), Number(table.clerk), Number(table.balance)});

  for (const std::string& line : JournalLines()) {
    expected.rows["FLEJ1830.CSV"].push_back(Row{TrimRight(line)});
    expected.rows["EJ1830.CSV"].push_back(Row{TrimRight(line)});
  }

  expected.lineCounts["FINC1830.CSV"] = 72;
  expected.lineCounts["ALCL1830.CSV"] = 4 * 70;
  expected.lineCounts["ATCL1830.CSV"] = 2 + 69 + static_cast<size_t>(departments) + 5;

  int64_t total = 0;
  int customers = 0;
  for (const PluSale& sale : sales) {
    total += Sum(sale).amount;
    customers += Sum(sale).count ? 1 : 0;
  }
  expected.cells = {
      {"FINC1830.CSV", 0, 0, "Z1 COUNTER"}, {"FINC1830.CSV", 0, 2, "1"},
      {"FINC1830.CSV", 3, 0, "NET SALES"},  {"FINC1830.CSV", 3, 1, Number(customers)},
      {"FINC1830.CSV", 3, 2, Number(total)},
      {"FINC1830.CSV", 7, 0, "TXBL TL2"},   {"FINC1830.CSV", 10, 0, "TOTAL TXBL "},
      {"FINC1830.CSV", 10, 2, Number(total)}, {"FINC1830.CSV", 15, 0, "TOTAL TAX"},
      {"FINC1830.CSV", 20, 0, "TOTAL EXMT "},
      {"ALCL1830.CSV", 0, 1, "ANNA"},       {"ALCL1830.CSV", 0, 2, "150"},
      {"ALCL1830.CSV", 210, 1, "DAVID"},
      {"ATCL1830.CSV", 0, 0, "5"},          {"ATCL1830.CSV", 0, 1, "TRAINEE"},
      {"ATCL1830.CSV", 91, 0, "1000"},      {"ATCL1830.CSV", 91, 1, plus[0].name},
  };
  return expected;
}

std::string ManifestJson(const ExpectedCsv& expected) {
  std::string json = "{\n \"rows\": {";
  const char* separator = "\n";
  for (const auto& [file, rows] : expected.rows) {
    json += separator + std::string("  ") + JsonString(file) + ": [";
    for (size_t r = 0; r < rows.size(); ++r) {
      json += r ? ",\n   [" : "\n   [";
      for (size_t c = 0; c < rows[r].size(); ++c) json += (c ? ", " : "") + JsonString(rows[r][c]);
      json += "]";
    }
    json += "]";
    separator = ",\n";
  }
  json += "},\n \"line_counts\": {";
  separator = "";
  for (const auto& [file, count] : expected.lineCounts) {
    json += separator + JsonString(file) + ": " + std::to_string(count);
    separator = ", ";
  }
  json += "},\n \"cells\": [";
  separator = "\n  ";
  for (const auto& cell : expected.cells) {
    json += separator + std::string("[") + JsonString(cell.file) + ", " + std::to_string(cell.row) + ", " +
            std::to_string(cell.column) + ", " + JsonString(cell.value) + "]";
    separator = ",\n  ";
  }
  return json + "]\n}\n";
}

}  // namespace demo
