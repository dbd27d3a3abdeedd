#include "model_library/data/SModeRam.h"

CSModeRam::CSModeRam() : CEcrData(L"S MODE", KIND_REGISTER, 1) {}

int CSModeRam::SetFolder(const wchar_t* folder) { return SetUpFolder(folder, FILE_NAME); }
int CSModeRam::Load(const wchar_t* folder) {
  BeginLoad(folder);
  return 0;
}
int CSModeRam::Save(const wchar_t* /*folder*/) { return 0; }
int CSModeRam::GetTableCount() { return 0; }
stTable_t* CSModeRam::GetTable(int /*index*/) { return nullptr; }
