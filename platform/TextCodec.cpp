#include "platform/TextCodec.h"

namespace platform {
namespace {

// Windows-1252 bytes 0x80..0x9F; 0 marks the bytes the code page leaves undefined.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

void AppendUtf16Unit(std::string& out, uint32_t unit) {
  out.push_back(static_cast<char>(unit & 0xFF));
  out.push_back(static_cast<char>((unit >> 8) & 0xFF));
}

}  // namespace

wchar_t Cp1252ToWideChar(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) {
    char16_t mapped = kCp1252High[byte - 0x80];
    return mapped ? static_cast<wchar_t>(mapped) : static_cast<wchar_t>(byte);
  }
  return static_cast<wchar_t>(byte);
}

std::wstring Cp1252ToWide(const std::string& bytes) {
  std::wstring text;
  text.reserve(bytes.size());
  for (char c : bytes) text.push_back(Cp1252ToWideChar(static_cast<unsigned char>(c)));
  return text;
}

bool WideCharToCp1252(wchar_t ch, unsigned char& byte) {
  uint32_t code = static_cast<uint32_t>(ch);
  if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) {
    byte = static_cast<unsigned char>(code);
    return true;
  }
  for (int i = 0; i < 32; ++i) {
    char16_t mapped = kCp1252High[i];
    if ((mapped && mapped == code) || (!mapped && code == 0x80u + i)) {
      byte = static_cast<unsigned char>(0x80 + i);
      return true;
    }
  }
  byte = '?';
  return false;
}

std::string WideToCp1252(const std::wstring& text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (wchar_t ch : text) {
    unsigned char b;
    WideCharToCp1252(ch, b);
    bytes.push_back(static_cast<char>(b));
  }
  return bytes;
}

std::string WideToUtf8(const std::wstring& text) {
  std::string out;
  out.reserve(text.size());
  for (wchar_t wc : text) {
    uint32_t c = static_cast<uint32_t>(wc);
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (c >> 12)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | ((c >> 18) & 0x07)));
      out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

namespace {

// Length of the UTF-8 sequence starting at bytes[i], or 0 when it is not a
// valid one; the decoded character goes to `ch`.
size_t DecodeUtf8(const uint8_t* bytes, size_t size, size_t i, uint32_t& ch) {
  uint8_t b = bytes[i];
  int extra = b < 0x80 ? 0 : (b >> 5) == 0x6 ? 1 : (b >> 4) == 0xE ? 2 : (b >> 3) == 0x1E ? 3 : -1;
  if (extra < 0 || i + extra >= size) return 0;
  ch = extra == 0 ? b : (b & (0x3F >> extra));
  for (int k = 1; k <= extra; ++k) {
    uint8_t cont = bytes[i + k];
    if ((cont & 0xC0) != 0x80) return 0;
    ch = (ch << 6) | (cont & 0x3F);
  }
  return static_cast<size_t>(extra) + 1;
}

}  // namespace

bool IsValidUtf8(const uint8_t* data, size_t size) {
  uint32_t ch;
  for (size_t i = 0, n; i < size; i += n)
    if ((n = DecodeUtf8(data, size, i, ch)) == 0) return false;
  return true;
}

std::wstring Utf8ToWide(const std::string& text) {
  const uint8_t* bytes = reinterpret_cast<const uint8_t*>(text.data());
  std::wstring out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    uint32_t ch;
    size_t n = DecodeUtf8(bytes, text.size(), i, ch);
    if (n == 0) {
      out.push_back(Cp1252ToWideChar(bytes[i]));
      ++i;
    } else {
      out.push_back(static_cast<wchar_t>(ch));
      i += n;
    }
  }
  return out;
}

std::wstring Utf16LeToWide(const uint8_t* data, size_t size) {
  std::wstring out;
  out.reserve(size / 2);
  for (size_t i = 0; i + 1 < size; i += 2) {
    uint32_t unit = data[i] | (data[i + 1] << 8);
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 3 < size) {
      uint32_t low = data[i + 2] | (data[i + 3] << 8);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        out.push_back(static_cast<wchar_t>(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00)));
        i += 2;
        continue;
      }
    }
    out.push_back(static_cast<wchar_t>(unit));
  }
  return out;
}

std::string WideToUtf16Le(const std::wstring& text) {
  std::string out;
  out.reserve(text.size() * 2);
  for (wchar_t wc : text) {
    uint32_t c = static_cast<uint32_t>(wc);
    if (c >= 0x10000 && c <= 0x10FFFF) {
      c -= 0x10000;
      AppendUtf16Unit(out, 0xD800 + (c >> 10));
      AppendUtf16Unit(out, 0xDC00 + (c & 0x3FF));
    } else {
      AppendUtf16Unit(out, c & 0xFFFF);
    }
  }
  return out;
}

wchar_t ToUpperChar(wchar_t ch) {
  if (ch >= L'a' && ch <= L'z') return static_cast<wchar_t>(ch - 0x20);
  if (ch >= 0xE0 && ch <= 0xFE && ch != 0xF7) return static_cast<wchar_t>(ch - 0x20);
  if (ch == 0xFF) return static_cast<wchar_t>(0x178);
  return ch;
}

std::wstring ToUpper(std::wstring text) {
  for (wchar_t& ch : text) ch = ToUpperChar(ch);
  return text;
}

bool EqualsNoCase(const std::wstring& a, const std::wstring& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (ToUpperChar(a[i]) != ToUpperChar(b[i])) return false;
  return true;
}

}  // namespace platform
