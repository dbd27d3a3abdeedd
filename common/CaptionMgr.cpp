#include "common/CaptionMgr.h"

#include <cwchar>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/TextCodec.h"

namespace {

constexpr wchar_t kFieldSeparator = 0x2FFF;
constexpr size_t kCaptionValueChars = 259;  // a 260-character buffer with its terminator
constexpr size_t kCharTableLineChars = 1023;
constexpr size_t kFaceNameChars = 31;

bool IsBlank(wchar_t ch) { return ch == L' ' || (ch >= L'\t' && ch <= L'\r'); }

std::wstring Trim(const std::wstring& text) {
  size_t begin = 0, end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

std::wstring ReplaceAll(std::wstring text, const std::wstring& from, const std::wstring& to) {
  for (size_t at = text.find(from); at != std::wstring::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

// Line breaks are stored as the two characters "\n"; Windows line ends and
// bare ones (as Qt edits them) alike.
std::wstring EscapeLineBreaks(const std::wstring& text) {
  std::wstring out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') continue;
    if (text[i] == L'\r' || text[i] == L'\n') out += L"\\n";
    else out += text[i];
  }
  return out;
}

// A field separator run counts as one separator: empty fields are skipped.
std::vector<std::wstring> SplitFields(const std::wstring& line) {
  std::vector<std::wstring> fields;
  size_t start = 0;
  while (start <= line.size()) {
    size_t end = line.find(kFieldSeparator, start);
    if (end == std::wstring::npos) end = line.size();
    if (end > start) fields.push_back(line.substr(start, end - start));
    start = end + 1;
  }
  return fields;
}

std::wstring CaptionFileName(const wchar_t* model, const wchar_t* language) {
  return platform::ToUpper(std::wstring(model ? model : L"") + L"_" + (language ? language : L"") + L".Cap");
}

std::wstring Decimal(int64_t number) {
  std::string digits = std::to_string(number);
  return std::wstring(digits.begin(), digits.end());
}

}  // namespace

CCaptionMgr::CCaptionMgr() : m_mapCache(17) {}

CCaptionMgr::~CCaptionMgr() {
  FlushCaptions();
  m_mapCodeToChar.clear();
  m_mapCharToCode.clear();
}

std::wstring CCaptionMgr::FormatCaptionLine(const S_ECR_CAP& caption) {
  const S_LOGFONT& f = caption.font;
  const int32_t numbers[] = {f.lfHeight, f.lfWidth, f.lfEscapement, f.lfOrientation, f.lfWeight,
                             f.lfItalic, f.lfUnderline, f.lfStrikeOut, f.lfCharSet, f.lfOutPrecision,
                             f.lfClipPrecision, f.lfQuality, f.lfPitchAndFamily};
  std::wstring line;
  for (int32_t number : numbers) line += Decimal(number) + kFieldSeparator;
  // Empty texts are written as one blank: the reader skips empty fields, so an
  // empty one would shift every field after it.
  std::wstring face(f.lfFaceName, wcsnlen(f.lfFaceName, 32));
  line += (face.empty() ? L" " : face) + kFieldSeparator;
  line += (caption.text.empty() ? L" " : caption.text) + kFieldSeparator;
  line += Decimal(caption.nToolTip) + kFieldSeparator;
  line += caption.toolTip.empty() ? L" " : caption.toolTip;
  return EscapeLineBreaks(line);
}

void CCaptionMgr::ParseCaptionLine(const std::wstring& value, S_ECR_CAP& caption) {
  std::vector<std::wstring> fields = SplitFields(ReplaceAll(value, L"\\n", L"\r\n"));
  auto number = [&fields](size_t index) -> long {
    return index < fields.size() ? std::wcstol(fields[index].c_str(), nullptr, 10) : 0;
  };
  S_LOGFONT& f = caption.font;
  f = S_LOGFONT();
  f.lfHeight = static_cast<int32_t>(number(0));
  f.lfWidth = static_cast<int32_t>(number(1));
  f.lfEscapement = static_cast<int32_t>(number(2));
  f.lfOrientation = static_cast<int32_t>(number(3));
  f.lfWeight = static_cast<int32_t>(number(4));
  f.lfItalic = static_cast<uint8_t>(number(5));
  f.lfUnderline = static_cast<uint8_t>(number(6));
  f.lfStrikeOut = static_cast<uint8_t>(number(7));
  f.lfCharSet = static_cast<uint8_t>(number(8));
  f.lfOutPrecision = static_cast<uint8_t>(number(9));
  f.lfClipPrecision = static_cast<uint8_t>(number(10));
  f.lfQuality = static_cast<uint8_t>(number(11));
  f.lfPitchAndFamily = static_cast<uint8_t>(number(12));
  if (fields.size() > 13) {
    std::wstring face = fields[13].substr(0, kFaceNameChars);
    if (Trim(face).empty()) face.clear();
    face.copy(f.lfFaceName, face.size());
    f.lfFaceName[face.size()] = 0;
  }
  caption.text = fields.size() > 14 ? fields[14] : std::wstring();
  caption.nToolTip = fields.size() > 15 ? static_cast<int32_t>(number(15)) : 0;
  caption.toolTip = fields.size() > 16 ? fields[16] : std::wstring();
}

int CCaptionMgr::OpenCaptionFile(const wchar_t* folder, const wchar_t* model, const wchar_t* language) {
  std::wstring path = platform::JoinPath(folder ? folder : L"", CaptionFileName(model, language));
  if (path == m_strCaptionPath) return 1;

  FlushCaptions();
  std::lock_guard<std::mutex> lock(m_mutexCache);
  m_strCaptionPath = path;
  m_bChanged = 0;
  if (platform::GetFileStatus(path).bExists) return 1;
  // A new caption file starts with the byte-order mark, so that every later
  // write goes in UTF-16.
  platform::WriteFileAtomic(path, std::string("\xFF\xFE"));
  return 0;
}

const CProfile& CCaptionMgr::CaptionProfile() {
  platform::FileStatus status = platform::GetFileStatus(m_strCaptionPath);
  if (m_strProfilePath != m_strCaptionPath || status.nModifiedNs != m_nProfileTime ||
      status.nSize != m_nProfileSize) {
    m_profile = CProfile(CProfile::Encoding::Utf16Le);
    if (status.bExists) m_profile.Load(m_strCaptionPath);
    m_strProfilePath = m_strCaptionPath;
    m_nProfileTime = status.bExists ? status.nModifiedNs : -1;
    m_nProfileSize = status.nSize;
  }
  return m_profile;
}

S_ECR_CAP* CCaptionMgr::GetCaption(int32_t window, int32_t caption) {
  std::lock_guard<std::mutex> lock(m_mutexCache);
  CaptionMap& captions = m_mapCache.try_emplace(window, CaptionMap(17)).first->second;
  auto cached = captions.find(caption);
  if (cached != captions.end()) return cached->second;
  if (m_strCaptionPath.empty()) return nullptr;

  std::wstring value = CaptionProfile().GetString(Decimal(window), Decimal(caption), L"", kCaptionValueChars);
  if (value.empty()) return nullptr;
  S_ECR_CAP* record = new S_ECR_CAP();
  ParseCaptionLine(value, *record);
  captions[caption] = record;
  return record;
}

void CCaptionMgr::SetCaption(int32_t window, int32_t caption, const S_ECR_CAP* source) {
  if (!source) return;
  std::lock_guard<std::mutex> lock(m_mutexCache);
  CaptionMap& captions = m_mapCache.try_emplace(window, CaptionMap(17)).first->second;
  m_bChanged = 1;
  S_ECR_CAP*& record = captions[caption];
  if (record == source) return;
  if (!record) record = new S_ECR_CAP();
  record->font = source->font;
  record->text = source->text;
  record->nToolTip = source->nToolTip;
  record->toolTip = source->toolTip;
}

void CCaptionMgr::FlushCaptions() {
  std::lock_guard<std::mutex> lock(m_mutexCache);
  if (m_bChanged && !m_strCaptionPath.empty()) {
    // Every cached caption is written when anything changed; one read and one
    // write of the file for the whole cache.
    CProfile profile(CProfile::Encoding::Utf16Le);
    profile.Load(m_strCaptionPath);
    for (const auto& window : m_mapCache)
      for (const auto& entry : window.second)
        profile.SetString(Decimal(window.first), Decimal(entry.first), FormatCaptionLine(*entry.second));
    profile.Save(m_strCaptionPath);
  }
  for (auto& window : m_mapCache)
    for (auto& entry : window.second) delete entry.second;
  m_mapCache.clear();
}

int CCaptionMgr::LoadCharTable(const wchar_t* folder, const wchar_t* model) {
  std::wstring path = platform::JoinPath(folder ? folder : L"",
                                         platform::ToUpper(std::wstring(model ? model : L"") + L"_ECR.CNV"));
  if (path == m_strCharTablePath) return 1;
  ClearCharTable();
  m_strCharTablePath = path;
  std::vector<uint8_t> bytes;
  if (!platform::ReadFileBytes(path, bytes)) return 0;

  std::wstring text;
  if (bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
    text = platform::Utf8ToWide(std::string(bytes.begin() + 3, bytes.end()));
  } else {
    size_t skip = (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) ? 2 : 0;
    text = platform::Utf16LeToWide(bytes.data() + skip, bytes.size() - skip);
  }
  ReadCharTable(text);
  return 1;
}

void CCaptionMgr::ReadCharTable(const std::wstring& text) {
  size_t start = 0;
  while (start < text.size()) {
    size_t newline = text.find(L'\n', start);
    size_t end = newline == std::wstring::npos ? text.size() : newline;
    // Lines are read in pieces of at most 1023 characters.
    size_t length = std::min(end - start, kCharTableLineChars);
    std::wstring line = text.substr(start, length);
    start = (start + length == end) ? end + 1 : start + length;

    if (line.compare(0, 2, L"//") == 0) continue;
    size_t equals = line.rfind(L'=');
    if (equals == std::wstring::npos) continue;
    std::wstring left = Trim(line.substr(0, equals));
    std::wstring right = Trim(line.substr(equals + 1));
    uint8_t code = static_cast<uint8_t>(std::wcstoul(right.c_str(), nullptr, 16) & 0xFF);
    wchar_t ch = left.empty() ? L'\0' : left[0];
    m_mapCodeToChar[code] = ch;
    m_mapCharToCode[ch] = code;
  }
}

void CCaptionMgr::ClearCharTable() {
  m_mapCodeToChar.clear();
  m_mapCharToCode.clear();
}

void CCaptionMgr::EcrToText(const std::string& bytes, std::wstring& text) {
  if (m_mapCodeToChar.empty()) {
    text = platform::Cp1252ToWide(bytes);
    return;
  }
  text.clear();
  for (char c : bytes) {
    uint8_t code = static_cast<uint8_t>(c);
    auto mapped = m_mapCodeToChar.find(code);
    text.push_back(mapped != m_mapCodeToChar.end() ? mapped->second : platform::Cp1252ToWideChar(code));
  }
}

void CCaptionMgr::TextToEcr(const std::wstring& text, std::string& bytes) {
  if (m_mapCharToCode.empty()) {
    bytes = platform::WideToCp1252(text);
    return;
  }
  bytes.clear();
  for (wchar_t ch : text) {
    auto mapped = m_mapCharToCode.find(ch);
    if (mapped != m_mapCharToCode.end()) {
      bytes.push_back(static_cast<char>(mapped->second));
    } else {
      unsigned char byte;
      platform::WideCharToCp1252(ch, byte);
      bytes.push_back(static_cast<char>(byte));
    }
  }
}
