// Program-mode settings: the register file "PRG_MODE.ECR" as 37 tables.
// Tables laid out in the file as plain rows are edited in place on the file
// image; the bit-packed tables and those whose records have another layout
// are copied into rows of their own on load and back on save.
#pragma once

#include <vector>

#include "model_library/data/SettingsRam.h"

class CPrgModeRam : public CSettingsRam {
 public:
  static constexpr const wchar_t* FILE_NAME = L"PRG_MODE.ECR";
  static constexpr size_t IMAGE_SIZE = 2376;
  static constexpr int TABLE_COUNT = 37;

  // Indexes of the tables that other code refers to.
  enum {
    T_IN_STORE_MARKING = 6,
    T_GENERAL_UNIT_WEIGHT = 7,
    T_TARE = 17,
    T_GENERAL_OPTIONS = 25,
    T_DATE_TIME_ADJUSTMENT = 33,
    T_Z_REPORT_COMBINATION = 35,
  };
  // "SCALE WEIGHT TYPE" of "GENERAL OPTIONS": 1 when weights are in ounces.
  static constexpr int F_SCALE_WEIGHT_TYPE = 16;

  CPrgModeRam();

  int SetFolder(const wchar_t* folder) override;
  int Load(const wchar_t* folder) override;
  int Save(const wchar_t* folder) override;
  int GetTableCount() override;
  stTable_t* GetTable(int index) override;
  int CheckValue(CheckReq* request) override;

 private:
  void Unpack();
  void Pack();
  int CheckDate(CheckReq* request);
  int CheckWeight(CheckReq* request);
  int CheckReportCombination(CheckReq* request);
  int CheckMarkingField1(CheckReq* request);

  uint8_t m_abImage[IMAGE_SIZE] = {};
  stTable_t m_aTables[TABLE_COUNT];
  std::vector<uint8_t> m_aOwnRows[TABLE_COUNT];  // empty for tables shown on the image
};
