#include "common/Profile.h"

#include <cwchar>

#include "platform/FileSystem.h"
#include "platform/TextCodec.h"

namespace {

bool IsBlank(wchar_t ch) { return ch == L' ' || ch == L'\t' || ch == L'\r' || ch == L'\n' || ch == L'\v' || ch == L'\f'; }

std::wstring Trim(const std::wstring& text) {
  size_t begin = 0, end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

// Section name of a "[name]" line, or false.
bool SectionName(const std::wstring& line, std::wstring& name) {
  std::wstring trimmed = Trim(line);
  if (trimmed.empty() || trimmed[0] != L'[') return false;
  size_t close = trimmed.find(L']');
  name = Trim(trimmed.substr(1, close == std::wstring::npos ? std::wstring::npos : close - 1));
  return true;
}

}  // namespace

CProfile::CProfile(Encoding encodingForNewFile)
    : m_encoding(encodingForNewFile), m_bCrLf(encodingForNewFile == Encoding::Utf16Le) {}

bool CProfile::Load(const std::wstring& path) {
  m_lines.clear();
  std::vector<uint8_t> bytes;
  if (!platform::ReadFileBytes(path, bytes)) return false;

  std::wstring text;
  if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
    m_encoding = Encoding::Utf16Le;
    text = platform::Utf16LeToWide(bytes.data() + 2, bytes.size() - 2);
  } else {
    m_encoding = Encoding::SingleByte;
    size_t skip = (bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) ? 3 : 0;
    std::vector<uint8_t> body(bytes.begin() + skip, bytes.end());
    m_bUtf8 = platform::IsValidUtf8(body.data(), body.size());
    std::string raw(body.begin(), body.end());
    text = m_bUtf8 ? platform::Utf8ToWide(raw) : platform::Cp1252ToWide(raw);
  }

  m_bCrLf = text.find(L"\r\n") != std::wstring::npos || (text.empty() && m_encoding == Encoding::Utf16Le);
  size_t start = 0;
  while (start < text.size()) {
    size_t newline = text.find(L'\n', start);
    size_t end = newline == std::wstring::npos ? text.size() : newline;
    std::wstring line = text.substr(start, end - start);
    if (!line.empty() && line.back() == L'\r') line.pop_back();
    m_lines.push_back(line);
    start = end + 1;
  }
  return true;
}

bool CProfile::Save(const std::wstring& path) const {
  std::wstring text;
  const wchar_t* newline = m_bCrLf ? L"\r\n" : L"\n";
  for (const std::wstring& line : m_lines) {
    text += line;
    text += newline;
  }
  std::string bytes;
  if (m_encoding == Encoding::Utf16Le) {
    bytes = "\xFF\xFE" + platform::WideToUtf16Le(text);
  } else {
    bytes = m_bUtf8 ? platform::WideToUtf8(text) : platform::WideToCp1252(text);
  }
  return platform::WriteFileAtomic(path, bytes);
}

bool CProfile::FindSection(const std::wstring& section, size_t& begin, size_t& end) const {
  std::wstring wanted = Trim(section);
  for (size_t i = 0; i < m_lines.size(); ++i) {
    std::wstring name;
    if (!SectionName(m_lines[i], name) || !platform::EqualsNoCase(name, wanted)) continue;
    begin = i + 1;
    end = begin;
    std::wstring other;
    while (end < m_lines.size() && !SectionName(m_lines[end], other)) ++end;
    return true;
  }
  return false;
}

bool CProfile::FindKey(size_t begin, size_t end, const std::wstring& key, size_t& index,
                       std::wstring& value) const {
  std::wstring wanted = Trim(key);
  for (size_t i = begin; i < end; ++i) {
    const std::wstring& line = m_lines[i];
    size_t equals = line.find(L'=');
    if (equals == std::wstring::npos) continue;
    std::wstring name = Trim(line.substr(0, equals));
    if (name.empty() || name[0] == L';') continue;
    if (!platform::EqualsNoCase(name, wanted)) continue;
    index = i;
    value = Trim(line.substr(equals + 1));
    return true;
  }
  return false;
}

std::wstring CProfile::GetString(const std::wstring& section, const std::wstring& key,
                                 const std::wstring& defaultValue, size_t maxChars) const {
  size_t begin, end, index;
  std::wstring value;
  if (!FindSection(section, begin, end) || !FindKey(begin, end, key, index, value)) {
    value = defaultValue;
  } else if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') &&
             value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  if (maxChars > 0 && value.size() > maxChars) value.resize(maxChars);
  return value;
}

long CProfile::GetInt(const std::wstring& section, const std::wstring& key, long defaultValue) const {
  if (!HasKey(section, key)) return defaultValue;
  return std::wcstol(GetString(section, key).c_str(), nullptr, 10);
}

bool CProfile::HasKey(const std::wstring& section, const std::wstring& key) const {
  size_t begin, end, index;
  std::wstring value;
  return FindSection(section, begin, end) && FindKey(begin, end, key, index, value);
}

void CProfile::SetString(const std::wstring& section, const std::wstring& key, const std::wstring& value) {
  std::wstring safeValue = value;
  for (wchar_t& ch : safeValue)
    if (ch == L'\r' || ch == L'\n') ch = L' ';
  std::wstring line = Trim(key) + L"=" + safeValue;

  size_t begin, end, index;
  std::wstring old;
  if (!FindSection(section, begin, end)) {
    m_lines.push_back(L"[" + Trim(section) + L"]");
    m_lines.push_back(line);
    return;
  }
  if (FindKey(begin, end, key, index, old)) {
    m_lines[index] = line;
    return;
  }
  // After the section's last non-blank line, so blank separators stay between sections.
  size_t insertAt = end;
  while (insertAt > begin && Trim(m_lines[insertAt - 1]).empty()) --insertAt;
  m_lines.insert(m_lines.begin() + static_cast<long>(insertAt), line);
}

std::vector<std::wstring> CProfile::Sections() const {
  std::vector<std::wstring> names;
  for (const std::wstring& line : m_lines) {
    std::wstring name;
    if (SectionName(line, name)) names.push_back(name);
  }
  return names;
}

std::vector<std::pair<std::wstring, std::wstring>> CProfile::Entries(const std::wstring& section) const {
  std::vector<std::pair<std::wstring, std::wstring>> entries;
  size_t begin, end;
  if (!FindSection(section, begin, end)) return entries;
  for (size_t i = begin; i < end; ++i) {
    size_t equals = m_lines[i].find(L'=');
    if (equals == std::wstring::npos) continue;
    std::wstring name = Trim(m_lines[i].substr(0, equals));
    if (name.empty() || name[0] == L';') continue;
    entries.emplace_back(name, Trim(m_lines[i].substr(equals + 1)));
  }
  return entries;
}

std::wstring ReadProfileString(const std::wstring& path, const std::wstring& section, const std::wstring& key,
                               const std::wstring& defaultValue) {
  CProfile profile;
  profile.Load(path);
  return profile.GetString(section, key, defaultValue);
}

bool WriteProfileString(const std::wstring& path, const std::wstring& section, const std::wstring& key,
                        const std::wstring& value) {
  CProfile profile;
  profile.Load(path);
  profile.SetString(section, key, value);
  return profile.Save(path);
}
