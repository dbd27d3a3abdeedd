// The CSV report store of this register family.
#pragma once

#include <string>

#include "model_library/reports/EcrCsv.h"
#include "model_library/reports/ReportEcr.h"

class CReportCsv : public CEcrCsv {
 public:
  CReportCsv();

  std::wstring m_arrCodes[REPORT_KIND_COUNT];

  const wchar_t* GetCsvCode(int kind) override;
  stTable_t* GetCsvTemplate(int kind) override;

 private:
  stTable_t m_aTemplates[REPORT_KIND_COUNT];
};
