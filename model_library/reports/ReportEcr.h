// The report store of this register family: twenty report kinds, their file
// search and their conversion to CSV.
#pragma once

#include <string>

#include "model_library/reports/EcrReport.h"

constexpr int REPORT_KIND_COUNT = 20;

// The code that begins every report file name of a kind; null outside 0 to 19.
const wchar_t* ReportKindCode(int kind);

class CReportEcr : public CEcrReport {
 public:
  CReportEcr();

  std::wstring m_arrCodes[REPORT_KIND_COUNT];
  uint8_t m_bJournalCrLf = 0;
  uint8_t m_bDecimalPoint = 0;

  int GetTableCount() override;
  stTable_t* GetTable(int kind) override;

  int ConvertReport(int index, const wchar_t* outputFolder) override;
  int GetReportNumber(int kind) override;
  const wchar_t* GetReportCode(int kind) override;
  int GetReportParamCount(int kind) override;
};
