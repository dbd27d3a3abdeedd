#include "main_tool/shell/ModelLibrary.h"

#include "platform/TextCodec.h"

namespace {

void RemoveAll(std::wstring& text, const std::wstring& part) {
  for (size_t at = text.find(part); at != std::wstring::npos; at = text.find(part, at)) text.erase(at, part.size());
}

}  // namespace

CModelLibrary::CModelLibrary() { UseEntryPoints(ModelLibraryExports()); }

CModelLibrary::~CModelLibrary() { Unload(); }

void CModelLibrary::UseEntryPoints(ModelLibraryExports exports) {
  exports.FillMissingWithDefaults();
  SetGClassAddr = exports.pfnSetGClassAddr;
  CreateExDialog = exports.pfnCreateExDialog;
  DeleteExDialog = exports.pfnDeleteExDialog;
  SetEcrFolder = exports.pfnSetEcrFolder;
  GetEcrDataFromWndNo = exports.pfnGetEcrDataFromWndNo;
  GetEcrDataCount = exports.pfnGetEcrDataCount;
  GetEcrDataFromIndex = exports.pfnGetEcrDataFromIndex;
  GetEcrIndexFromData = exports.pfnGetEcrIndexFromData;
}

bool CModelLibrary::Load(const std::wstring& path, void* config, CCaptionManagerBase** captionCell) {
  if (path.empty() || path == m_strLoadedPath) return false;
  Unload();
  if (!m_module.Open(path)) return false;
  ModelLibraryExports exports;
  exports.Bind(m_module);
  UseEntryPoints(exports);
  m_strLoadedPath = path;
  SetGClassAddr(config, captionCell);
  return true;
}

void CModelLibrary::Unload() {
  // Entry points first: nothing may call into a library being freed.
  UseEntryPoints(ModelLibraryExports());
  m_module.Close();
  m_strLoadedPath.clear();
}

std::wstring CModelLibrary::ModelBaseName(const std::wstring& libraryPath) {
  const size_t slash = libraryPath.find_last_of(L"/\\");
  std::wstring name = platform::ToUpper(slash == std::wstring::npos ? libraryPath : libraryPath.substr(slash + 1));
  RemoveAll(name, L".DLL");
  RemoveAll(name, L".SO");
  return name;
}
