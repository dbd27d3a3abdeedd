#include "tools/support/ModelLibrary.h"

#include "common/CaptionCell.h"
#include "platform/FileSystem.h"
#include "platform/TextCodec.h"

ModelLibrary::~ModelLibrary() {
  // The library must not keep a cell that points at a manager about to go.
  if (m_exports.pfnSetGClassAddr) m_exports.pfnSetGClassAddr(nullptr, nullptr);
  SetCaptionCell(nullptr);
}

bool ModelLibrary::Open(const std::wstring& path, std::string& error) {
  if (!m_library.Open(path)) {
    error = "cannot load the model library " + platform::WideToUtf8(path) + ": " + m_library.LastError();
    return false;
  }
  m_exports.Bind(m_library);
  if (!m_exports.Complete()) {
    error = platform::WideToUtf8(path) + " is not a model library: some of its eight functions are missing";
    return false;
  }
  m_pCaptionCell = &m_captions;
  SetCaptionCell(&m_pCaptionCell);
  m_exports.pfnSetGClassAddr(nullptr, &m_pCaptionCell);
  return true;
}

bool ModelLibrary::LoadCharTable(const std::wstring& folder, const std::wstring& model) {
  return m_captions.LoadCharTable(folder.c_str(), model.c_str()) != 0;
}

bool ModelLibrary::OpenCaptions(const std::wstring& folder, const std::wstring& model, const std::wstring& language) {
  // The caption manager would start a new, empty file for a missing one; a
  // command-line run only reads captions.
  std::wstring name = platform::ToUpper(model + L"_" + language + L".Cap");
  if (!platform::GetFileStatus(platform::ResolveInFolder(folder, name)).bExists) return false;
  return m_captions.OpenCaptionFile(folder.c_str(), model.c_str(), language.c_str()) != 0;
}

std::wstring RegisterFilePath(const CEcrData& data) {
  return platform::ResolveInFolder(data.m_strFolder, data.m_strFile);
}
