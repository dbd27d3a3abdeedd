// Service-mode settings and the keyboard layout: the register file "S_MODE.ECR".
#pragma once

#include "model_library/EcrData.h"

class CSModeRam : public CEcrData {
 public:
  static constexpr const wchar_t* FILE_NAME = L"S_MODE.ECR";

  CSModeRam();

  int SetFolder(const wchar_t* folder) override;
  int Load(const wchar_t* folder) override;
  int Save(const wchar_t* folder) override;
  int GetTableCount() override;
  stTable_t* GetTable(int index) override;

  // Window 20 shows the settings tables, window 23 the keyboard tables.
  void SetKeyboardView(bool keyboard) { m_bKeyboardView = keyboard; }

 private:
  bool m_bKeyboardView = false;
};
