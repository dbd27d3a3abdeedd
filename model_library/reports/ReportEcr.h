// The report store of this register family: twenty report kinds, their file
// search and their conversion to CSV.
#pragma once

#include <string>

#include "model_library/reports/EcrReport.h"

constexpr int REPORT_KIND_COUNT = 20;

// Report kinds, the index into every per-kind table of the store.
enum ReportKind {
  RK_FINANCIAL = 0, RK_ALL_CLERK = 1, RK_CLERK_SALES = 2, RK_ALL_DEPARTMENT = 3, RK_ALL_PLU = 4,
  RK_URGENT_PLU = 5, RK_HOURLY = 6, RK_OPEN_TABLE_ALL = 7, RK_OPEN_TABLE_ONE = 8, RK_JOURNAL_FULL = 9,
  RK_JOURNAL_LATEST = 10, RK_JOURNAL_OLDEST = 11, RK_JOURNAL_DAILY = 12, RK_TRAINING_CLERK = 13,
  RK_FINANCIAL_GT = 14, RK_ALL_CLERK_GT = 15, RK_ALL_DEPARTMENT_GT = 16, RK_ALL_PLU_GT = 17,
  RK_TRAINING_CLERK_GT = 18, RK_REALTIME_EJ = 19,
};

// The code that begins every report file name of a kind; null outside 0 to 19.
const wchar_t* ReportKindCode(int kind);

// The file whose presence beside the running program turns on the decimal
// point in converted amounts.
constexpr const wchar_t* DECIMAL_POINT_MARKER = L"repcnv_ex.ini";

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

  // The CSV file a report file converts into: the output folder and the
  // report's file name in capitals, every ".ECR" turned into ".CSV".
  static std::wstring CsvPathFor(const std::wstring& reportPath, const std::wstring& outputFolder);

 private:
  stTable_t m_aTables[REPORT_KIND_COUNT];
};
