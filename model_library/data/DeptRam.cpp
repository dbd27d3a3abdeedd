#include "model_library/data/DeptRam.h"

CDeptRam::CDeptRam() : CEcrData(L"DEPT", KIND_REGISTER, 5) {}

int CDeptRam::SetFolder(const wchar_t* folder) { return SetUpFolder(folder, FILE_NAME); }
int CDeptRam::Load(const wchar_t* folder) {
  BeginLoad(folder);
  return 0;
}
int CDeptRam::Save(const wchar_t* /*folder*/) { return 0; }
int CDeptRam::GetTableCount() { return 0; }
stTable_t* CDeptRam::GetTable(int /*index*/) { return nullptr; }
