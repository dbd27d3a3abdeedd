// CSV report stores: converted report files read back as tables for viewing.
#pragma once

#include <string>
#include <vector>

#include "model_library/EcrData.h"

class CEcrCsv : public CEcrData {
 public:
  CEcrCsv(const wchar_t* name, int kind, int transferLine, int kindCount)
      : CEcrData(name, kind, transferLine), m_nKindCount(kindCount) {}
  ~CEcrCsv() override;

  std::vector<stTable_t*> m_lstTables;  // owned, with their row buffers
  int m_nKindCount;

  int SetFolder(const wchar_t* folder) override;
  int Reset() override;
  int Load(const wchar_t* folder) override;
  int Save(const wchar_t* folder) override;
  int GetTableCount() override;
  stTable_t* GetTable(int index) override;

  // Added operations, in this order after the base operations.
  virtual const wchar_t* GetCsvCode(int kind) = 0;
  virtual stTable_t* GetCsvTemplate(int kind) = 0;

 protected:
  void FreeTables();
  // One CSV file as a table of the kind's template; null when unreadable.
  stTable_t* ReadTable(const std::wstring& path, int kind);
};
