// What a spreadsheet must find in the CSV files converted from the demo
// reports, worked out from the demo sales directly (not through the
// converter): expected rows of some files, line counts and single cells.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace demo {

struct ExpectedCsv {
  std::map<std::string, std::vector<std::vector<std::string>>> rows;  // every line of the file
  std::map<std::string, size_t> lineCounts;
  struct CellValue {
    std::string file;
    size_t row, column;
    std::string value;
  };
  std::vector<CellValue> cells;
};

ExpectedCsv ExpectedDemoCsv();
std::string ManifestJson(const ExpectedCsv& expected);

}  // namespace demo
