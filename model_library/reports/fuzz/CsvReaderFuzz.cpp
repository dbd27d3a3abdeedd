// libFuzzer target: any bytes as a CSV file read back as a report table. The
// first byte chooses the kind's column template.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "common/CaptionCell.h"
#include "common/CaptionMgr.h"
#include "model_library/reports/CsvTableReader.h"
#include "model_library/reports/ReportCsv.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static CCaptionMgr captions;
  static CCaptionManagerBase* cell = &captions;
  static CReportCsv store;
  if (size == 0) return 0;
  SetCaptionCell(&cell);
  const stTable_t* pattern = store.GetCsvTemplate(data[0] % REPORT_KIND_COUNT);
  std::vector<uint8_t> rows;
  ReadCsvRows(data + 1, size - 1, *pattern, rows);
  return 0;
}
