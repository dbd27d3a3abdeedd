// Conversions between wide text and the byte encodings the toolkit meets:
// the Windows-1252 code page (register texts without a character table,
// settings files), UTF-8 (file names on Linux) and UTF-16LE (caption and CSV files).
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// Windows-1252, the fixed "ANSI code page" of the toolkit. The five byte values
// that Windows-1252 leaves undefined map to the C1 control characters of the
// same value, as Windows does, so every byte survives a round trip.
wchar_t Cp1252ToWideChar(unsigned char byte);
std::wstring Cp1252ToWide(const std::string& bytes);
// Characters without a Windows-1252 byte become '?', the code page's default character.
bool WideCharToCp1252(wchar_t ch, unsigned char& byte);
std::string WideToCp1252(const std::wstring& text);

std::string WideToUtf8(const std::wstring& text);
bool IsValidUtf8(const uint8_t* data, size_t size);
// Invalid sequences are taken byte by byte as Windows-1252.
std::wstring Utf8ToWide(const std::string& bytes);

// UTF-16 little-endian without byte-order mark; surrogate pairs are joined and
// split, unpaired surrogates are kept as they are.
std::wstring Utf16LeToWide(const uint8_t* data, size_t size);
std::string WideToUtf16Le(const std::wstring& text);

// Case folding for file names and INI keys: ASCII and the Latin-1 letters.
wchar_t ToUpperChar(wchar_t ch);
std::wstring ToUpper(std::wstring text);
bool EqualsNoCase(const std::wstring& a, const std::wstring& b);

}  // namespace platform
