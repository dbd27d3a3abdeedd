#include "common/ModelLibraryBinding.h"

#include "platform/FileSystem.h"

namespace {
template <typename Fn>
void BindOne(const platform::CDynamicLibrary& library, const char* name, Fn& target) {
  target = reinterpret_cast<Fn>(library.Symbol(name));
}

template <typename Fn>
void DefaultIfMissing(Fn& target, Fn fallback) {
  if (!target) target = fallback;
}

void* DefaultSetGClassAddr(void* config, CCaptionManagerBase**) { return config; }
void* DefaultCreateExDialog(int) { return nullptr; }
void DefaultDeleteExDialog(void*) {}
int DefaultSetEcrFolder(const wchar_t*) { return 0; }
CEcrData* DefaultGetEcrDataFromWndNo(int) { return nullptr; }
int DefaultGetEcrDataCount() { return 0; }
CEcrData* DefaultGetEcrDataFromIndex(int) { return nullptr; }
int DefaultGetEcrIndexFromData(CEcrData*) { return -1; }
}  // namespace

void ModelLibraryExports::Bind(const platform::CDynamicLibrary& library) {
  BindOne(library, "SetGClassAddr", pfnSetGClassAddr);
  BindOne(library, "CreateExDialog", pfnCreateExDialog);
  BindOne(library, "DeleteExDialog", pfnDeleteExDialog);
  BindOne(library, "SetEcrFolder", pfnSetEcrFolder);
  BindOne(library, "GetEcrDataFromWndNo", pfnGetEcrDataFromWndNo);
  BindOne(library, "GetEcrDataCount", pfnGetEcrDataCount);
  BindOne(library, "GetEcrDataFromIndex", pfnGetEcrDataFromIndex);
  BindOne(library, "GetEcrIndexFromData", pfnGetEcrIndexFromData);
}

bool ModelLibraryExports::Complete() const {
  return pfnSetGClassAddr && pfnCreateExDialog && pfnDeleteExDialog && pfnSetEcrFolder &&
         pfnGetEcrDataFromWndNo && pfnGetEcrDataCount && pfnGetEcrDataFromIndex && pfnGetEcrIndexFromData;
}

void ModelLibraryExports::FillMissingWithDefaults() {
  DefaultIfMissing(pfnSetGClassAddr, &DefaultSetGClassAddr);
  DefaultIfMissing(pfnCreateExDialog, &DefaultCreateExDialog);
  DefaultIfMissing(pfnDeleteExDialog, &DefaultDeleteExDialog);
  DefaultIfMissing(pfnSetEcrFolder, &DefaultSetEcrFolder);
  DefaultIfMissing(pfnGetEcrDataFromWndNo, &DefaultGetEcrDataFromWndNo);
  DefaultIfMissing(pfnGetEcrDataCount, &DefaultGetEcrDataCount);
  DefaultIfMissing(pfnGetEcrDataFromIndex, &DefaultGetEcrDataFromIndex);
  DefaultIfMissing(pfnGetEcrIndexFromData, &DefaultGetEcrIndexFromData);
}

std::wstring DefaultModelLibraryPath() { return platform::ExecutableFolder() + L"Arvodll.so"; }
