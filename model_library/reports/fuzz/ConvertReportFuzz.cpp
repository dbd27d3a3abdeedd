// libFuzzer target: any bytes as a report file of any kind. The first byte
// chooses the kind and the decimal point; the rest is the report.
#include <cstddef>
#include <cstdint>

#include "common/CaptionCell.h"
#include "common/CaptionMgr.h"
#include "model_library/reports/ReportConversion.h"
#include "model_library/reports/ReportEcr.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static CCaptionMgr captions;
  static CCaptionManagerBase* cell = &captions;
  static CReportEcr store;
  if (size == 0) return 0;
  SetCaptionCell(&cell);
  store.m_bDecimalPoint = data[0] & 0x80 ? 1 : 0;
  CReportInput input(data + 1, size - 1);
  CCsvOutput output;
  ConvertReportData(store, (data[0] & 0x7F) % (REPORT_KIND_COUNT + 1), input, output);
  return 0;
}
