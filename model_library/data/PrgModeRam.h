// Program-mode settings: the register file "PRG_MODE.ECR".
#pragma once

#include "model_library/EcrData.h"

class CPrgModeRam : public CEcrData {
 public:
  static constexpr const wchar_t* FILE_NAME = L"PRG_MODE.ECR";

  CPrgModeRam();

  int SetFolder(const wchar_t* folder) override;
  int Load(const wchar_t* folder) override;
  int Save(const wchar_t* folder) override;
  int GetTableCount() override;
  stTable_t* GetTable(int index) override;
};
