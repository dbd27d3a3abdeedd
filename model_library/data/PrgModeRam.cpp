#include "model_library/data/PrgModeRam.h"

CPrgModeRam::CPrgModeRam() : CEcrData(L"PRG MODE", KIND_REGISTER, 4) {}

int CPrgModeRam::SetFolder(const wchar_t* folder) { return SetUpFolder(folder, FILE_NAME); }
int CPrgModeRam::Load(const wchar_t* folder) {
  BeginLoad(folder);
  return 0;
}
int CPrgModeRam::Save(const wchar_t* /*folder*/) { return 0; }
int CPrgModeRam::GetTableCount() { return 0; }
stTable_t* CPrgModeRam::GetTable(int /*index*/) { return nullptr; }
