#include "main_tool/shell/ToolConfig.h"

#include <unistd.h>

#include <vector>

#include "common/Profile.h"
#include "platform/FileSystem.h"
#include "platform/TextCodec.h"

namespace {

// One key of Tillora.ini: where it lives, which field it fills, its default
// and whether a normal exit writes it back. Kept in the order the keys are
// read; the saved keys are written in the same order.
struct ConfigKey {
  const wchar_t* section;
  const wchar_t* key;
  std::wstring CToolConfig::*text;  // null for an integer key
  int CToolConfig::*number;         // null for a text key
  const wchar_t* textDefault;
  int numberDefault;
  bool saved;
};

const ConfigKey kConfigKeys[] = {
    {L"DEFAULT", L"DataPath", &CToolConfig::m_strDataPath, nullptr, L"./Data", 0, true},
    {L"DEFAULT", L"BmpPath", &CToolConfig::m_strBmpPath, nullptr, L"./Bmp", 0, true},
    {L"DEFAULT", L"EcrName", &CToolConfig::m_strEcrName, nullptr, CToolConfig::kDefaultModel, 0, true},
    {L"DEFAULT", L"Language", &CToolConfig::m_strLanguage, nullptr, L"JPN", 0, true},
    {L"DEFAULT", L"CapPath", &CToolConfig::m_strCapPath, nullptr, L"./Cap", 0, true},
    {L"DEFAULT", L"Level", nullptr, &CToolConfig::m_nLevel, nullptr, 0, false},
    {L"EXEC PATH", L"Sendrix", &CToolConfig::m_strSendrix, nullptr, L"./Sendrix", 0, true},
    {L"EXEC PATH", L"Pictra", &CToolConfig::m_strPictra, nullptr, L"./Pictra", 0, true},
    {L"EXEC PATH", L"LogoAnim", &CToolConfig::m_strLogoAnim, nullptr, L"./findds.avi", 0, true},
    {L"COM SETTING", L"PortNo", nullptr, &CToolConfig::m_nPortNo, nullptr, 0, true},
    {L"COM SETTING", L"BaudRate", nullptr, &CToolConfig::m_nBaudRate, nullptr, 19200, true},
    {L"COM SETTING", L"ByteSize", nullptr, &CToolConfig::m_nByteSize, nullptr, 8, true},
    {L"COM SETTING", L"Parity", nullptr, &CToolConfig::m_nParity, nullptr, 1, true},
    {L"COM SETTING", L"SAnime", &CToolConfig::m_strSAnime, nullptr, L"./toCOMP.avi", 0, true},
    {L"COM SETTING", L"RAnime", &CToolConfig::m_strRAnime, nullptr, L"./toECR.avi", 0, true},
    {L"OPENING", L"ToolName", &CToolConfig::m_strToolName, nullptr, L"ARVO TOOL  Ver1.00", 0, false},
    {L"OPENING", L"EcrBmp", &CToolConfig::m_strEcrBmp, nullptr, L"./Ecr.bmp", 0, true},
    {L"OPENING", L"LogoBmp", &CToolConfig::m_strLogoBmp, nullptr, L"./Arvo.bmp", 0, true},
    {L"ECR LIST", L"ListPath", &CToolConfig::m_strListPath, nullptr, L"./Ecr.lst", 0, true},
    {L"OPTION", L"CapEdit", nullptr, &CToolConfig::m_nCapEdit, nullptr, 0, false},
    {L"OPTION", L"AutoPopup", nullptr, &CToolConfig::m_nAutoPopup, nullptr, 1, false},
};

CToolConfig* g_pToolConfig = nullptr;

bool IsBlank(wchar_t ch) { return ch == L' ' || ch == L'\t' || ch == L'\r' || ch == L'\n'; }

std::wstring Trim(const std::wstring& text) {
  size_t begin = 0, end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

// The list file is single-byte text: UTF-8 when it is valid UTF-8, else Windows-1252.
std::wstring DecodeSingleByteText(const std::vector<uint8_t>& bytes) {
  std::string text(bytes.begin(), bytes.end());
  if (platform::IsValidUtf8(bytes.data(), bytes.size())) return platform::Utf8ToWide(text);
  return platform::Cp1252ToWide(text);
}

}  // namespace

CToolConfig* TheToolConfig() { return g_pToolConfig; }
void SetTheToolConfig(CToolConfig* config) { g_pToolConfig = config; }

void CToolConfig::Load(const std::wstring& iniPath) {
  CProfile profile;
  profile.Load(iniPath);
  for (const ConfigKey& key : kConfigKeys) {
    if (key.text)
      this->*key.text = profile.GetString(key.section, key.key, key.textDefault, kMaxTextChars);
    else
      this->*key.number = static_cast<int>(profile.GetInt(key.section, key.key, key.numberDefault));
  }
  LoadModelList(m_strListPath);
}

bool CToolConfig::Save(const std::wstring& iniPath) const {
  CProfile profile;
  profile.Load(iniPath);  // a missing file is created
  for (const ConfigKey& key : kConfigKeys) {
    if (!key.saved) continue;
    profile.SetString(key.section, key.key,
                      key.text ? this->*key.text : std::to_wstring(this->*key.number));
  }
  return profile.Save(iniPath);
}

void CToolConfig::LoadModelList(const std::wstring& listPath) {
  m_mapModels.clear();
  std::vector<uint8_t> bytes;
  if (platform::ReadFileBytes(listPath, bytes)) {
    const std::wstring text = DecodeSingleByteText(bytes);
    size_t start = 0;
    while (start < text.size()) {
      size_t end = text.find(L'\n', start);
      if (end == std::wstring::npos) end = text.size();
      const std::wstring line = text.substr(start, end - start);
      start = end + 1;
      if (line.compare(0, 2, L"//") == 0) continue;
      const size_t equals = line.rfind(L'=');
      if (equals == std::wstring::npos) continue;
      m_mapModels[Trim(line.substr(0, equals))] = Trim(line.substr(equals + 1));
    }
  }
  if (m_mapModels.empty()) m_mapModels[kDefaultModel] = kDefaultLibrary;
}

std::wstring CToolConfig::PathInCurrentDirectory() {
  std::vector<char> buffer(4096);
  if (!getcwd(buffer.data(), buffer.size())) return kFileName;
  return platform::JoinPath(platform::FromNativePath(buffer.data()), kFileName);
}
