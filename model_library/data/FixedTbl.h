// The option tables: six constant tables, grouped by the number of choices,
// whose columns are the option lists that settings fields choose from.
#pragma once

#include <vector>

#include "model_library/EcrData.h"

class CFixedTbl : public CEcrData {
 public:
  static constexpr int TABLE_COUNT = 6;

  CFixedTbl();

  int SetFolder(const wchar_t* folder) override;
  int Load(const wchar_t* folder) override;
  int Save(const wchar_t* folder) override;
  int GetTableCount() override;
  stTable_t* GetTable(int index) override;

 private:
  stTable_t m_aTables[TABLE_COUNT];
  std::vector<uint8_t> m_aRows[TABLE_COUNT];
};
