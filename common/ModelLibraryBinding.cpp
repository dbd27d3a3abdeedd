#include "common/ModelLibraryBinding.h"

#include "platform/FileSystem.h"

namespace {
template <typename Fn>
void BindOne(const platform::CDynamicLibrary& library, const char* name, Fn& target) {
  target = reinterpret_cast<Fn>(library.Symbol(name));
}
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

std::wstring DefaultModelLibraryPath() { return platform::ExecutableFolder() + L"Arvodll.so"; }
