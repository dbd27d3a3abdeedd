// The model library as a command-line program uses it: loaded by path, its
// exports bound, and given a caption manager of the program's own. The
// program's value routines use the same manager, so texts convert the same
// way on both sides.
#pragma once

#include <string>

#include "common/CaptionMgr.h"
#include "common/ModelLibraryBinding.h"
#include "model_library/EcrData.h"

class ModelLibrary {
 public:
  ModelLibrary() = default;
  ~ModelLibrary();
  ModelLibrary(const ModelLibrary&) = delete;
  ModelLibrary& operator=(const ModelLibrary&) = delete;

  // Loads the library and hands it the caption manager; false with a message.
  bool Open(const std::wstring& path, std::string& error);
  // The register's character table NAME_ECR.CNV from the folder; without it
  // texts go through the code page.
  bool LoadCharTable(const std::wstring& folder, const std::wstring& model);
  // Captions NAME_L.Cap from the folder; false when there is no such file.
  bool OpenCaptions(const std::wstring& folder, const std::wstring& model, const std::wstring& language);

  int SetEcrFolder(const std::wstring& folder) { return m_exports.pfnSetEcrFolder(folder.c_str()); }
  CEcrData* DataFromWndNo(int wndNo) { return m_exports.pfnGetEcrDataFromWndNo(wndNo); }
  CEcrData* DataFromIndex(int index) { return m_exports.pfnGetEcrDataFromIndex(index); }
  int DataCount() { return m_exports.pfnGetEcrDataCount(); }

 private:
  platform::CDynamicLibrary m_library;
  ModelLibraryExports m_exports;
  CCaptionMgr m_captions;
  CCaptionManagerBase* m_pCaptionCell = nullptr;
};

// The path of an object's register file in its folder, for messages.
std::wstring RegisterFilePath(const CEcrData& data);
