// The demo shop's settings, written through the model library's settings
// objects: tax rates, payment media names, store and advertisement messages,
// and a keyboard with department and PLU preset keys whose preset slots hold
// the first departments and PLUs of the catalogue.
// The service-mode object is reached through window 23 for its keyboard view
// and window 20 for its settings view.
#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

#include "Demo.h"
#include "DemoCatalogue.h"
#include "common/ValueFormat.h"

namespace {

// Table ids of the settings objects.
constexpr uint32_t TAX_RATES = 3000;
constexpr uint32_t PAYMENT_MEDIA = 3200;
constexpr uint32_t STORE_MESSAGES = 4000;
constexpr uint32_t ADVERTISEMENTS = 4100;
constexpr uint32_t DEPT_PRESETS = 1100;
constexpr uint32_t PLU_PRESET_PAGES[] = {1300, 1400, 1500};
constexpr uint32_t KEYBOARD_MAPPING = 2400;
constexpr int F_MAP = 0;     // "MAP#" of the preset tables
constexpr int F_PRESET = 1;  // "DEPT#" or "FREE CODE"

constexpr int SETTINGS_VIEW = 20;
constexpr int KEYBOARD_VIEW = 23;

// The key function code of every key position, row by row: function keys
// around a block of 20 department preset keys (48), a block of 20 PLU preset
// keys (49) and the numeric pad. Row 0, column 0 is the register's fixed key.
constexpr int kKeyboard[8][15] = {
    {159, 19, 20, 21, 46, 44, 43, 45, 39, 40, 41, 42, 22, 23, 24},
    {33, 34, 35, 36, 47, 50, 51, 52, 53, 54, 92, 15, 16, 17, 18},
    {48, 48, 48, 48, 48, 48, 48, 48, 48, 48, 7, 8, 9, 12, 61},
    {48, 48, 48, 48, 48, 48, 48, 48, 48, 48, 4, 5, 6, 30, 62},
    {49, 49, 49, 49, 49, 49, 49, 49, 49, 49, 1, 2, 3, 14, 60},
    {49, 49, 49, 49, 49, 49, 49, 49, 49, 49, 0, 10, 11, 13, 72},
    {73, 74, 76, 77, 86, 63, 69, 70, 25, 26, 56, 57, 58, 91, 88},
    {99, 109, 119, 31, 32, 37, 38, 55, 59, 68, 83, 85, 89, 96, 97},
};

std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

stTable_t* FindTable(CEcrData* data, uint32_t id) {
  for (int i = 0; i < data->GetTableCount(); ++i) {
    stTable_t* table = data->GetTable(i);
    if (table && table->uId == id) return table;
  }
  return nullptr;
}

// Stores a text into a cell as the grid does after its checks.
void Put(stTable_t& table, int row, int field, const std::wstring& text) {
  ParseValue(table.aFields[field], FieldValue(table, row, field), text.c_str());
}

template <typename Texts>
void PutTexts(stTable_t& table, const Texts& texts) {
  int row = 0;
  for (const char* text : texts)
    if (row < table.nRecordCount) Put(table, row++, 0, Wide(text));
}

bool WriteProgramMode(CEcrData* prgMode) {
  stTable_t* taxes = FindTable(prgMode, TAX_RATES);
  stTable_t* media = FindTable(prgMode, PAYMENT_MEDIA);
  stTable_t* store = FindTable(prgMode, STORE_MESSAGES);
  stTable_t* adverts = FindTable(prgMode, ADVERTISEMENTS);
  if (!taxes || !media || !store || !adverts) return false;
  int field = 0;
  for (uint16_t rate : demo::kTaxRates)
    if (field < taxes->nFieldCount) Put(*taxes, 0, field++, std::to_wstring(rate));
  PutTexts(*media, demo::kPaymentMedia);
  PutTexts(*store, demo::kStoreMessages);
  PutTexts(*adverts, demo::kAdvertisements);
  return true;
}

bool WriteKeyboard(CEcrData* keyboardView) {
  stTable_t* keys = FindTable(keyboardView, KEYBOARD_MAPPING);
  if (!keys || keys->nRecordCount != 8 || keys->nFieldCount != 15) return false;
  for (int row = 0; row < 8; ++row)
    for (int column = 0; column < 15; ++column) Put(*keys, row, column, std::to_wstring(kKeyboard[row][column]));
  return true;
}

// The slots that the save gave to preset keys show their MAP numbers; each
// gets the next department, in slot order.
void FillDepartmentSlots(stTable_t& slots) {
  int department = 0;
  for (int slot = 0; slot < slots.nRecordCount; ++slot) {
    if (*FieldValue(slots, slot, F_MAP) == 0 || department >= static_cast<int>(std::size(demo::kDepartments)))
      continue;
    Put(slots, slot, F_PRESET, std::to_wstring(++department));
  }
}

// Each PLU slot in use gets three PLUs, one per page.
void FillPluSlots(stTable_t* pages[3], const std::vector<demo::Plu>& plus) {
  size_t next = 0;
  for (int slot = 0; slot < pages[0]->nRecordCount; ++slot) {
    if (*FieldValue(*pages[0], slot, F_MAP) == 0) continue;
    for (int page = 0; page < 3 && next < plus.size(); ++page) {
      wchar_t code[32];
      std::swprintf(code, 32, L"%014llu", static_cast<unsigned long long>(plus[next++].code));
      Put(*pages[page], slot, F_PRESET, code);
    }
  }
}

}  // namespace

bool WriteDemoSettings(ModelLibrary& library, const std::wstring& folder, std::string& error) {
  CEcrData* prgMode = DemoObject(library, 21, error);
  if (!prgMode) return false;
  if (!WriteProgramMode(prgMode)) {
    error = "the program-mode object lacks the tax, payment or message tables";
    return false;
  }
  if (!SaveDemoObject(*prgMode, folder, error)) return false;
  CEcrData* sMode = DemoObject(library, KEYBOARD_VIEW, error);
  if (!sMode) return false;
  if (!WriteKeyboard(sMode)) {
    error = "the service-mode object has no keyboard table";
    return false;
  }
  // The first save gives the preset keys their slots.
  if (library.DataFromWndNo(SETTINGS_VIEW) != sMode || !SaveDemoObject(*sMode, folder, error)) return false;
  stTable_t* departments = FindTable(sMode, DEPT_PRESETS);
  stTable_t* pages[3] = {FindTable(sMode, PLU_PRESET_PAGES[0]), FindTable(sMode, PLU_PRESET_PAGES[1]),
                         FindTable(sMode, PLU_PRESET_PAGES[2])};
  if (!departments || !pages[0] || !pages[1] || !pages[2]) {
    error = "the service-mode object has no preset tables";
    return false;
  }
  FillDepartmentSlots(*departments);
  FillPluSlots(pages, demo::MakePlus());
  return SaveDemoObject(*sMode, folder, error);
}
