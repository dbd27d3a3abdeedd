// Clerks and the clerk system settings: the register file "CLERK.ECR".
#pragma once

#include "model_library/data/RecordListRam.h"

class CClerkRam : public CRecordListRam {
 public:
  static constexpr const wchar_t* FILE_NAME = L"CLERK.ECR";
  static constexpr int CAPACITY = 10;
  static constexpr int PASS_CODE_FIELD = 2;

  CClerkRam();

  // Pass codes may hold the hexadecimal letters A to F; anything else is refused.
  int CheckValue(CheckReq* request) override;
};
