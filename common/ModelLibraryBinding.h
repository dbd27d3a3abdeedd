// Loads a model library by path and binds its eight exports by name, for the
// programs and tests that reach the library only through them.
#pragma once

#include <string>

#include "model_library/VarkelExports.h"
#include "platform/DynamicLibrary.h"

struct ModelLibraryExports {
  PFN_SetGClassAddr pfnSetGClassAddr = nullptr;
  PFN_CreateExDialog pfnCreateExDialog = nullptr;
  PFN_DeleteExDialog pfnDeleteExDialog = nullptr;
  PFN_SetEcrFolder pfnSetEcrFolder = nullptr;
  PFN_GetEcrDataFromWndNo pfnGetEcrDataFromWndNo = nullptr;
  PFN_GetEcrDataCount pfnGetEcrDataCount = nullptr;
  PFN_GetEcrDataFromIndex pfnGetEcrDataFromIndex = nullptr;
  PFN_GetEcrIndexFromData pfnGetEcrIndexFromData = nullptr;

  // Binds every export the library has; missing ones stay null.
  void Bind(const platform::CDynamicLibrary& library);
  bool Complete() const;
  // Puts a harmless replacement in every slot that is null: it does nothing
  // and answers "no object", 0 or -1.
  void FillMissingWithDefaults();
};

// The library of the programs that ship with the toolkit: Arvodll.so beside the executable.
std::wstring DefaultModelLibraryPath();
