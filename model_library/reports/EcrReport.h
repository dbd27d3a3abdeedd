// Report stores: the data objects for the register's report files. The main
// tool reads m_lstReports directly and calls the four report operations
// through the table of virtual functions, so their order is fixed.
#pragma once

#include <vector>

#include "model_library/EcrData.h"

class CEcrReport : public CEcrData {
 public:
  CEcrReport(const wchar_t* name, int kind, int transferLine) : CEcrData(name, kind, transferLine) {}

  std::vector<Report_s> m_lstReports;

  int SetFolder(const wchar_t* folder) override;
  int Reset() override;
  int Load(const wchar_t* folder) override;
  int Save(const wchar_t* folder) override;

  // Added operations, in this order after the base operations.
  virtual int ConvertReport(int index, const wchar_t* outputFolder) = 0;
  virtual int GetReportNumber(int kind) = 0;
  virtual const wchar_t* GetReportCode(int kind) = 0;
  virtual int GetReportParamCount(int kind) = 0;

 protected:
  // Report files of a kind in the folder, in directory order, empty ones skipped.
  std::vector<std::wstring> FindReports(const std::wstring& folder, int kind);
};
