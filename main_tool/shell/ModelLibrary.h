// The binding of the model library of the chosen register model: the library
// is loaded by path and its eight exports are bound by name. Every entry point
// always holds a callable function: a harmless default while no library is
// loaded or when the library lacks that export.
#pragma once

#include <string>

#include "common/ModelLibraryBinding.h"
#include "platform/DynamicLibrary.h"

class CModelLibrary {
 public:
  CModelLibrary();
  ~CModelLibrary();
  CModelLibrary(const CModelLibrary&) = delete;
  CModelLibrary& operator=(const CModelLibrary&) = delete;

  // Loads and binds the library at `path`, then hands it the settings record
  // and the caption-manager cell. False when the path is empty, already the
  // loaded one (nothing changes then) or cannot be loaded (no library is
  // loaded afterwards).
  bool Load(const std::wstring& path, void* config, CCaptionManagerBase** captionCell);
  // Frees the library, empties the loaded path and restores the defaults.
  void Unload();

  const std::wstring& LoadedPath() const { return m_strLoadedPath; }
  bool IsLoaded() const { return !m_strLoadedPath.empty(); }

  // The model's base name, which selects its caption and character files:
  // the file name upper-cased, without any ".DLL" or ".SO".
  static std::wstring ModelBaseName(const std::wstring& libraryPath);

  PFN_SetGClassAddr SetGClassAddr;
  PFN_CreateExDialog CreateExDialog;
  PFN_DeleteExDialog DeleteExDialog;
  PFN_SetEcrFolder SetEcrFolder;
  PFN_GetEcrDataFromWndNo GetEcrDataFromWndNo;
  PFN_GetEcrDataCount GetEcrDataCount;
  PFN_GetEcrDataFromIndex GetEcrDataFromIndex;
  PFN_GetEcrIndexFromData GetEcrIndexFromData;

 private:
  // Takes the entry points of `exports`, defaults in place of missing ones.
  void UseEntryPoints(ModelLibraryExports exports);

  std::wstring m_strLoadedPath;
  platform::CDynamicLibrary m_module;
};
