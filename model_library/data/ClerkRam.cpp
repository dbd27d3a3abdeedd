#include "model_library/data/ClerkRam.h"

CClerkRam::CClerkRam() : CEcrData(L"CLERK", KIND_REGISTER, 7) {}

int CClerkRam::SetFolder(const wchar_t* folder) { return SetUpFolder(folder, FILE_NAME); }
int CClerkRam::Load(const wchar_t* folder) {
  BeginLoad(folder);
  return 0;
}
int CClerkRam::Save(const wchar_t* /*folder*/) { return 0; }
int CClerkRam::GetTableCount() { return 0; }
stTable_t* CClerkRam::GetTable(int /*index*/) { return nullptr; }
