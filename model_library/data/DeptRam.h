// Departments and department groups: the register file "DEPT.ECR".
#pragma once

#include "model_library/EcrData.h"

class CDeptRam : public CEcrData {
 public:
  static constexpr const wchar_t* FILE_NAME = L"DEPT.ECR";

  CDeptRam();

  int SetFolder(const wchar_t* folder) override;
  int Load(const wchar_t* folder) override;
  int Save(const wchar_t* folder) override;
  int GetTableCount() override;
  stTable_t* GetTable(int index) override;
  int HasCountPrefix() override { return 1; }
};
