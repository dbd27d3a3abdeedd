#include "model_library/reports/ReportCsv.h"

CReportCsv::CReportCsv() : CEcrCsv(L"CSV", KIND_CSV_REPORTS, -1, REPORT_KIND_COUNT) {
  for (int kind = 0; kind < REPORT_KIND_COUNT; ++kind) m_arrCodes[kind] = ReportKindCode(kind);
}

const wchar_t* CReportCsv::GetCsvCode(int kind) {
  return (kind >= 0 && kind < REPORT_KIND_COUNT) ? m_arrCodes[kind].c_str() : nullptr;
}

stTable_t* CReportCsv::GetCsvTemplate(int /*kind*/) { return nullptr; }
