// Departments and department groups: the register file "DEPT.ECR".
#pragma once

#include "model_library/data/RecordListRam.h"

class CDeptRam : public CRecordListRam {
 public:
  static constexpr const wchar_t* FILE_NAME = L"DEPT.ECR";
  static constexpr int GROUP_COUNT = 9;
  static constexpr int CAPACITY = 80;

  CDeptRam();

  // Highest department number other tables may refer to: the departments of
  // the file when it exists in the folder, else the capacity.
  int DepartmentLimit();
};
