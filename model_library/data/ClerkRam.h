// Clerks and the clerk system settings: the register file "CLERK.ECR".
#pragma once

#include "model_library/EcrData.h"

class CClerkRam : public CEcrData {
 public:
  static constexpr const wchar_t* FILE_NAME = L"CLERK.ECR";

  CClerkRam();

  int SetFolder(const wchar_t* folder) override;
  int Load(const wchar_t* folder) override;
  int Save(const wchar_t* folder) override;
  int GetTableCount() override;
  stTable_t* GetTable(int index) override;
  int HasCountPrefix() override { return 1; }
};
