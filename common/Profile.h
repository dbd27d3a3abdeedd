// Profile (INI) files: sections and keys matched ignoring case, values
// trimmed, writes that keep every other line and add new keys at the end of
// their section. Caption files are UTF-16LE with a byte-order mark; the
// settings files are single-byte text (UTF-8 when they are valid UTF-8,
// otherwise Windows-1252, and written back the way they were read).
#pragma once

#include <string>
#include <vector>

class CProfile {
 public:
  enum class Encoding { SingleByte, Utf16Le };

  explicit CProfile(Encoding encodingForNewFile = Encoding::SingleByte);

  // Reads the file (its name matched ignoring case). A missing or unreadable
  // file gives an empty profile and false.
  bool Load(const std::wstring& path);
  // Writes through a temporary file renamed over the target.
  bool Save(const std::wstring& path) const;

  // The value, trimmed and without one pair of enclosing quotes; at most
  // maxChars characters when maxChars is not 0. The default when the key is absent.
  std::wstring GetString(const std::wstring& section, const std::wstring& key,
                         const std::wstring& defaultValue = std::wstring(), size_t maxChars = 0) const;
  // The value read as a decimal number (leading digits), or the default when absent.
  long GetInt(const std::wstring& section, const std::wstring& key, long defaultValue) const;
  bool HasKey(const std::wstring& section, const std::wstring& key) const;

  // Replaces the key's value, or adds the key at the end of its section,
  // or adds the section at the end of the file. Line breaks in the value
  // become blanks so that the file keeps one value a line.
  void SetString(const std::wstring& section, const std::wstring& key, const std::wstring& value);

  std::vector<std::wstring> Sections() const;
  // Keys of a section with their values, in file order.
  std::vector<std::pair<std::wstring, std::wstring>> Entries(const std::wstring& section) const;

  Encoding GetEncoding() const { return m_encoding; }

 private:
  // Index range [begin, end) of the lines of a section's body; false when absent.
  bool FindSection(const std::wstring& section, size_t& begin, size_t& end) const;
  bool FindKey(size_t begin, size_t end, const std::wstring& key, size_t& index, std::wstring& value) const;

  Encoding m_encoding;
  bool m_bUtf8 = true;  // single-byte files: UTF-8 or Windows-1252
  bool m_bCrLf;
  std::vector<std::wstring> m_lines;
};

// One-call helpers in the manner of the private-profile functions.
std::wstring ReadProfileString(const std::wstring& path, const std::wstring& section,
                               const std::wstring& key, const std::wstring& defaultValue = std::wstring());
bool WriteProfileString(const std::wstring& path, const std::wstring& section, const std::wstring& key,
                        const std::wstring& value);
