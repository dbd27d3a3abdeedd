#include "main_tool/shell/ModelLibrary.h"

#include "platform/TextCodec.h"

namespace {

// What a caller gets from an export the library does not have.
void* DefaultSetGClassAddr(void* config, CCaptionManagerBase**) { return config; }
void* DefaultCreateExDialog(int) { return nullptr; }
void DefaultDeleteExDialog(void*) {}
int DefaultSetEcrFolder(const wchar_t*) { return 0; }
CEcrData* DefaultGetEcrDataFromWndNo(int) { return nullptr; }
int DefaultGetEcrDataCount() { return 0; }
CEcrData* DefaultGetEcrDataFromIndex(int) { return nullptr; }
int DefaultGetEcrIndexFromData(CEcrData*) { return -1; }

template <typename Fn>
void BindOrDefault(const platform::CDynamicLibrary& module, const char* name, Fn& target, Fn fallback) {
  void* symbol = module.Symbol(name);
  target = symbol ? reinterpret_cast<Fn>(symbol) : fallback;
}

void RemoveAll(std::wstring& text, const std::wstring& part) {
  for (size_t at = text.find(part); at != std::wstring::npos; at = text.find(part, at)) text.erase(at, part.size());
}

}  // namespace

CModelLibrary::CModelLibrary() { ResetEntryPoints(); }

CModelLibrary::~CModelLibrary() { Unload(); }

void CModelLibrary::ResetEntryPoints() {
  SetGClassAddr = DefaultSetGClassAddr;
  CreateExDialog = DefaultCreateExDialog;
  DeleteExDialog = DefaultDeleteExDialog;
  SetEcrFolder = DefaultSetEcrFolder;
  GetEcrDataFromWndNo = DefaultGetEcrDataFromWndNo;
  GetEcrDataCount = DefaultGetEcrDataCount;
  GetEcrDataFromIndex = DefaultGetEcrDataFromIndex;
  GetEcrIndexFromData = DefaultGetEcrIndexFromData;
}

void CModelLibrary::BindExports() {
  BindOrDefault(m_module, "SetGClassAddr", SetGClassAddr, &DefaultSetGClassAddr);
  BindOrDefault(m_module, "CreateExDialog", CreateExDialog, &DefaultCreateExDialog);
  BindOrDefault(m_module, "DeleteExDialog", DeleteExDialog, &DefaultDeleteExDialog);
  BindOrDefault(m_module, "SetEcrFolder", SetEcrFolder, &DefaultSetEcrFolder);
  BindOrDefault(m_module, "GetEcrDataFromWndNo", GetEcrDataFromWndNo, &DefaultGetEcrDataFromWndNo);
  BindOrDefault(m_module, "GetEcrDataCount", GetEcrDataCount, &DefaultGetEcrDataCount);
  BindOrDefault(m_module, "GetEcrDataFromIndex", GetEcrDataFromIndex, &DefaultGetEcrDataFromIndex);
  BindOrDefault(m_module, "GetEcrIndexFromData", GetEcrIndexFromData, &DefaultGetEcrIndexFromData);
}

bool CModelLibrary::Load(const std::wstring& path, void* config, CCaptionManagerBase** captionCell) {
  if (path.empty() || path == m_strLoadedPath) return false;
  Unload();
  if (!m_module.Open(path)) return false;
  BindExports();
  m_strLoadedPath = path;
  SetGClassAddr(config, captionCell);
  return true;
}

void CModelLibrary::Unload() {
  // Entry points first: nothing may call into a library being freed.
  ResetEntryPoints();
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
