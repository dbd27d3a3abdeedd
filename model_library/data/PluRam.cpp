#include "model_library/data/PluRam.h"

CPluRam::CPluRam() : CEcrData(L"PLU", KIND_REGISTER, 6) {}

int CPluRam::SetFolder(const wchar_t* folder) { return SetUpFolder(folder, FILE_NAME); }
int CPluRam::Load(const wchar_t* folder) {
  BeginLoad(folder);
  return 0;
}
int CPluRam::Save(const wchar_t* /*folder*/) { return 0; }
int CPluRam::GetTableCount() { return 0; }
stTable_t* CPluRam::GetTable(int /*index*/) { return nullptr; }
