// Report file bytes built from the layout tables, and the CSV text of a
// conversion split back into lines and values, for the report tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/CaptionCell.h"
#include "common/CaptionMgr.h"
#include "model_library/reports/ReportConversion.h"
#include "model_library/reports/ReportEcr.h"
#include "platform/TextCodec.h"
#include "tools/demodata/ReportBytes.h"

namespace fixtures {

using namespace reportbytes;

inline Bytes EntryC(const std::string& caption, int count, int64_t amount) {
  return Text(caption, 12) + Count(static_cast<uint64_t>(count)) + Amount(amount);
}
inline Bytes EntryA(const std::string& caption, int64_t amount) { return Text(caption, 12) + Amount(amount); }
inline Bytes EntryS(const std::string& caption, int number) {
  return Text(caption, 12) + Count(static_cast<uint64_t>(number));
}
inline Bytes EntryD(int64_t amount) { return Amount(amount); }

// The financial block's entries as the layout table places them: entries
// first to last of one form, the first at the offset, the others every step bytes.
struct EntryRun {
  int nFirst, nLast;
  char cForm;
  size_t nOffset, nStep;
};
const EntryRun kFinancialEntries[] = {
    {1, 1, 'C', 0, 0},      {2, 2, 'A', 22, 0},     {3, 3, 'C', 42, 0},     {4, 4, 'A', 64, 0},
    {5, 8, 'D', 84, 8},     {9, 9, 'A', 116, 0},    {10, 13, 'D', 136, 8},  {14, 14, 'A', 168, 0},
    {15, 18, 'D', 188, 8},  {19, 19, 'A', 220, 0},  {20, 23, 'C', 240, 22}, {24, 25, 'A', 328, 20},
    {26, 36, 'C', 368, 22}, {37, 37, 'S', 610, 0},  {38, 41, 'C', 624, 22}, {42, 43, 'A', 712, 20},
    {44, 53, 'C', 752, 22}, {54, 62, 'A', 972, 20}, {63, 66, 'C', 1152, 22}, {67, 69, 'S', 1240, 14},
};
constexpr size_t kFinancialBlockBytes = 1282;

inline char FinancialForm(int entry) {
  for (const EntryRun& run : kFinancialEntries)
    if (entry >= run.nFirst && entry <= run.nLast) return run.cForm;
  return '?';
}

// A financial block whose entry n (1 to 69) is captioned "E<n>" (the heads of
// the three groups "TAX TL1", "TAX1" and "VAT TL1"), with count n and amount
// 100 × n, each placed at its offset from the layout table.
inline Bytes FinancialBlock() {
  Bytes block(kFinancialBlockBytes, '\0');
  for (const EntryRun& run : kFinancialEntries) {
    for (int n = run.nFirst; n <= run.nLast; ++n) {
      std::string caption = n == 4 ? "TAX TL1" : n == 9 ? "TAX1" : n == 14 ? "VAT TL1" : "E" + std::to_string(n);
      Bytes entry = run.cForm == 'C'   ? EntryC(caption, n, 100 * n)
                    : run.cForm == 'A' ? EntryA(caption, 100 * n)
                    : run.cForm == 'S' ? EntryS(caption, n)
                                       : EntryD(100 * n);
      block.replace(run.nOffset + static_cast<size_t>(n - run.nFirst) * run.nStep, entry.size(), entry);
    }
  }
  return block;
}

using Line = std::vector<std::wstring>;

// Splits converter output into lines of values; checks the byte-order mark,
// the quotes around every value and the CR LF after every line.
inline bool ParseCsv(const std::string& bytes, std::vector<Line>& lines, std::string& error) {
  lines.clear();
  if (bytes.size() < 2 || bytes.compare(0, 2, "\xFF\xFE") != 0) return error = "no byte-order mark", false;
  if (bytes.size() % 2) return error = "odd size", false;
  std::wstring text = platform::Utf16LeToWide(reinterpret_cast<const uint8_t*>(bytes.data()) + 2, bytes.size() - 2);
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find(L"\r\n", at);
    if (end == std::wstring::npos) return error = "line without CR LF", false;
    std::wstring line = text.substr(at, end - at);
    at = end + 2;
    if (line.size() < 2 || line.front() != L'"' || line.back() != L'"') return error = "unquoted value", false;
    Line values;
    size_t start = 1;
    for (;;) {
      size_t close = line.find(L"\",\"", start);
      if (close == std::wstring::npos) {
        values.push_back(line.substr(start, line.size() - 1 - start));
        break;
      }
      values.push_back(line.substr(start, close - start));
      start = close + 3;
    }
    lines.push_back(values);
  }
  return true;
}

// A caption manager without a character table, in the cell the value
// routines read; texts then convert through the code page.
class CaptionScope {
 public:
  CaptionScope() : m_pCell(&m_manager) { SetCaptionCell(&m_pCell); }
  ~CaptionScope() { SetCaptionCell(nullptr); }
  CCaptionMgr& Manager() { return m_manager; }

 private:
  CCaptionMgr m_manager;
  CCaptionManagerBase* m_pCell;
};

struct Conversion {
  int result = 0;
  std::string bytes;
  std::vector<Line> lines;
};

inline Conversion Convert(CReportEcr& store, int kind, const Bytes& report) {
  CReportInput input(reinterpret_cast<const uint8_t*>(report.data()), report.size());
  CCsvOutput output;
  Conversion conversion;
  conversion.result = ConvertReportData(store, kind, input, output);
  conversion.bytes = output.Bytes();
  std::string error;
  ParseCsv(conversion.bytes, conversion.lines, error);
  return conversion;
}

}  // namespace fixtures
