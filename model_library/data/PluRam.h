// PLUs and PLU groups: the register file "PLU.ECR".
#pragma once

#include "model_library/data/RecordListRam.h"

class CPluRam : public CRecordListRam {
 public:
  static constexpr const wchar_t* FILE_NAME = L"PLU.ECR";
  static constexpr int GROUP_COUNT = 99;
  static constexpr int CAPACITY = 1000;
  static constexpr int CODE_FIELD = 0;

  CPluRam();

  // Sorts all PLU rows by code, empty rows last; 0 when two rows share a code.
  int Sort(int table) override;
  int CheckValue(CheckReq* request) override;

 protected:
  void ClearRecordRow(int row) override;
  int RecordsToSave() override;

 private:
  // Sorts the rows (and the record bytes they came from); true without duplicates.
  bool SortRows();
};
