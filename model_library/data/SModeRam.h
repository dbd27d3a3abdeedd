// Service-mode settings and the keyboard layout: the register file
// "S_MODE.ECR". Two views of the same data: the settings view (16 tables,
// window 20) and the keyboard view (key layout grid and the constant list of
// key functions, window 23). Key codes, preset slots, connection codes and
// the function-key and pop-up lists are converted between their register
// encoding and the rows on load and save.
#pragma once

#include "model_library/data/SettingsRam.h"

class CSModeRam : public CSettingsRam {
 public:
  static constexpr const wchar_t* FILE_NAME = L"S_MODE.ECR";
  static constexpr size_t IMAGE_SIZE = 8357;
  static constexpr int SETTINGS_TABLE_COUNT = 16;
  static constexpr int KEYBOARD_TABLE_COUNT = 2;

  // Settings view tables.
  enum {
    T_RAM_ALLOCATION,
    T_PRG_PASS_CODE,
    T_Z_PASS_CODE,
    T_CONFIGURATION,
    T_DEPT_PRESET,
    T_POPUP_PLU,
    T_PLU_PRESET_PAGE1,
    T_PLU_PRESET_PAGE2,
    T_PLU_PRESET_PAGE3,
    T_FUNCTION_KEYS,
    T_POPUP_LIST,
    T_NETWORK_TERMINAL,
    T_COM_PORT,
    T_PLU_TRANSFER_TYPE,
    T_SHORT_CAPTIONS,
    T_LONG_CAPTIONS,
  };
  // Keyboard view tables.
  enum { T_KEYBOARD_MAPPING, T_KEYBOARD_LIST };

  static constexpr int PRESET_SLOTS = 100;
  static constexpr int KEY_ROWS = 8;
  static constexpr int KEY_COLUMNS = 15;
  static constexpr int KEY_FUNCTIONS = 160;
  static constexpr uint8_t CODE_DEPT_PRESET = 48;
  static constexpr uint8_t CODE_PLU_PRESET = 49;

  // One kind of preset slot (department or PLU) and the rows that show it.
  struct PresetKind;

  CSModeRam();

  int SetFolder(const wchar_t* folder) override;
  int Load(const wchar_t* folder) override;
  int Save(const wchar_t* folder) override;
  int GetTableCount() override;
  stTable_t* GetTable(int index) override;
  int CheckValue(CheckReq* request) override;

  // Window 20 shows the settings tables, window 23 the keyboard tables.
  void SetKeyboardView(bool keyboard) { m_bKeyboardView = keyboard; }

 private:
  void Unpack();
  void Pack();
  void UnpackPresets();
  void PackPresets();
  void AssignPresetKeys(const PresetKind& kind);
  void ShowPage1MapsOnAllPages();
  void UnpackKeyLists();
  void PackKeyLists();
  int CheckPresetMap(CheckReq* request, const PresetKind& kind);
  int CheckDepartmentNumber(CheckReq* request);
  uint8_t& KeyCell(int keyNumber);

  bool m_bKeyboardView = false;
  uint8_t m_abImage[IMAGE_SIZE] = {};
  stTable_t m_aSettings[SETTINGS_TABLE_COUNT];
  stTable_t m_aKeyboard[KEYBOARD_TABLE_COUNT];

  // Rows of the tables that are not laid out in the image as rows.
  uint8_t m_abRamAllocation[10] = {};
  uint8_t m_abDeptPresets[PRESET_SLOTS * 2] = {};
  uint8_t m_abPluPresets[3][PRESET_SLOTS * 9] = {};
  uint8_t m_abFunctionKeys[5 * 10] = {};
  uint8_t m_abPopUpLists[5 * 10] = {};
  uint8_t m_abComPort[1] = {};
  uint8_t m_abKeyMap[KEY_ROWS * KEY_COLUMNS] = {};
  uint8_t m_abKeyList[KEY_FUNCTIONS * 28] = {};
};
