// PLUs and PLU groups: the register file "PLU.ECR".
#pragma once

#include "model_library/EcrData.h"

class CPluRam : public CEcrData {
 public:
  static constexpr const wchar_t* FILE_NAME = L"PLU.ECR";

  CPluRam();

  int SetFolder(const wchar_t* folder) override;
  int Load(const wchar_t* folder) override;
  int Save(const wchar_t* folder) override;
  int GetTableCount() override;
  stTable_t* GetTable(int index) override;
  int HasCountPrefix() override { return 1; }
};
