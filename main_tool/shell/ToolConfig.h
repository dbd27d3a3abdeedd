// The main tool's settings: read from Tillora.ini in the current directory
// when the program loads, changed by the screens while it runs, and written
// back at a normal exit. The model map comes from the model list file.
#pragma once

#include <map>
#include <string>

class CToolConfig {
 public:
  // Every text value keeps at most this many characters.
  static constexpr size_t kMaxTextChars = 127;
  static constexpr const wchar_t* kFileName = L"Tillora.ini";
  static constexpr const wchar_t* kDefaultModel = L"ARVO-5X Ver1.00";
  static constexpr const wchar_t* kDefaultLibrary = L"./Arvodll.so";

  std::wstring m_strDataPath;
  std::wstring m_strEcrName;
  std::wstring m_strLanguage;
  std::wstring m_strCapPath;
  std::wstring m_strBmpPath;
  int m_nLevel = 0;
  std::wstring m_strSendrix;
  std::wstring m_strPictra;
  std::wstring m_strLogoAnim;
  int m_nPortNo = 0;
  int m_nBaudRate = 0;
  int m_nByteSize = 0;
  int m_nParity = 0;
  std::wstring m_strSAnime;  // played while receiving from the register
  std::wstring m_strRAnime;  // played while sending to the register
  std::wstring m_strListPath;
  std::map<std::wstring, std::wstring> m_mapModels;  // model name -> library path
  std::wstring m_strToolName;
  std::wstring m_strEcrBmp;
  std::wstring m_strLogoBmp;
  int m_nCapEdit = 0;
  int m_nAutoPopup = 0;
  std::wstring m_strSelectedLibrary;  // set by the model selection; never stored

  // Reads every key (defaults for what is missing), then the model list file.
  void Load(const std::wstring& iniPath);
  // Writes the keys that are saved at exit, keeping every other line of the
  // file; the file is replaced only when completely written.
  bool Save(const std::wstring& iniPath) const;
  // The model map from the model list file; the default model when the file
  // is missing or names no model.
  void LoadModelList(const std::wstring& listPath);

  // Path of Tillora.ini in the current directory at the moment of the call.
  static std::wstring PathInCurrentDirectory();
};

// The one settings record of the running program (null before it exists).
CToolConfig* TheToolConfig();
void SetTheToolConfig(CToolConfig* config);
