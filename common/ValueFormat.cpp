#include "common/ValueFormat.h"

#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <cinttypes>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "common/CaptionCell.h"
#include "platform/TextCodec.h"

namespace {

constexpr uint64_t kSign64 = 0x8000000000000000ull;
constexpr uint64_t kSign48 = 0x800000000000ull;
constexpr uint64_t kMagnitude48 = kSign48 - 1;

uint32_t StorageType(const stField_t& field) { return field.uType & FT_STORAGE_MASK; }

bool IsBlank(wchar_t ch) { return ch == L' ' || (ch >= L'\t' && ch <= L'\r'); }
bool IsBlank(char ch) { return ch == ' ' || (ch >= '\t' && ch <= '\r'); }

uint64_t ReadLe(const uint8_t* bytes, int count) {
  uint64_t value = 0;
  for (int i = count - 1; i >= 0; --i) value = (value << 8) | bytes[i];
  return value;
}

void WriteLe(uint8_t* bytes, uint64_t value, int count) {
  for (int i = 0; i < count; ++i) bytes[i] = static_cast<uint8_t>(value >> (8 * i));
}

std::wstring Widen(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

std::string Printf(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Printf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  int length = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::string out(length > 0 ? static_cast<size_t>(length) : 0, '\0');
  if (length > 0) std::vsnprintf(&out[0], out.size() + 1, format, args);
  va_end(args);
  return out;
}

// The printf conversion of a number field: "%", "0" for leading zeros, the
// width, then the conversion letter (hexadecimal for packed decimal digits).
std::string NumberConversion(const stField_t& field, const char* lengthModifier, bool hex) {
  std::string conversion = "%";
  if (field.uType & FT_LEADING_ZEROS) conversion += '0';
  int width = field.nWidth < 0 ? 0 : (field.nWidth > 64 ? 64 : field.nWidth);
  conversion += std::to_string(width);
  conversion += lengthModifier;
  conversion += hex ? "X" : "d";
  return conversion;
}

// Packed digits printed in hexadecimal and read back as a decimal number,
// the way the register's packed values become plain numbers.
long long PackedToDecimal(const std::string& hexText) { return std::strtoll(hexText.c_str(), nullptr, 10); }

int FormatText(const uint8_t* value, std::wstring& text, const stField_t& field) {
  int width = field.nWidth > 0 ? field.nWidth : 0;
  size_t length = 0;
  while (length < static_cast<size_t>(width) && value[length] != 0) ++length;
  std::string bytes(reinterpret_cast<const char*>(value), length);
  if (field.uType & FT_RAW_TEXT) {
    text = platform::Cp1252ToWide(bytes);
  } else if (CCaptionManagerBase* manager = CurrentCaptionManager()) {
    manager->EcrToText(bytes, text);
  }
  while (!text.empty() && IsBlank(text.back())) text.pop_back();
  return 1;
}

std::string FormatInteger(const uint8_t* value, const stField_t& field) {
  bool hex = (field.uType & FT_PACKED) != 0;
  switch (StorageType(field)) {
    case FT_U8: return Printf(NumberConversion(field, "", hex).c_str(), static_cast<int>(value[0]));
    case FT_U16: return Printf(NumberConversion(field, "", hex).c_str(), static_cast<int>(ReadLe(value, 2)));
    case FT_S8: return Printf(NumberConversion(field, "", hex).c_str(), static_cast<int>(static_cast<int8_t>(value[0])));
    case FT_S16:
      return Printf(NumberConversion(field, "", hex).c_str(), static_cast<int>(static_cast<int16_t>(ReadLe(value, 2))));
    default:  // FT_U32, FT_S32: both shown as signed 32-bit numbers
      return Printf(NumberConversion(field, "", hex).c_str(), static_cast<int>(static_cast<uint32_t>(ReadLe(value, 4))));
  }
}

std::string FormatInt64(const uint8_t* value, const stField_t& field) {
  uint64_t raw = ReadLe(value, 8);
  bool packed = (field.uType & FT_PACKED) != 0;
  if (!(raw & kSign64)) {
    return packed ? Printf(NumberConversion(field, "ll", true).c_str(), static_cast<unsigned long long>(raw))
                  : Printf(NumberConversion(field, "ll", false).c_str(), static_cast<long long>(raw));
  }
  // Sign and magnitude: a negative packed value prints as "-" and its digits.
  long long magnitude = static_cast<long long>(raw & ~kSign64);
  if (packed) magnitude = PackedToDecimal(Printf("%llX", static_cast<unsigned long long>(magnitude)));
  return Printf(NumberConversion(field, "ll", false).c_str(), -magnitude);
}

std::string FormatAmount6(const uint8_t* value, const stField_t& field) {
  uint64_t raw = ReadLe(value, 6);
  bool negative = (raw & kSign48) != 0;
  uint64_t magnitude = raw & kMagnitude48;
  long long number = (field.uType & FT_PACKED)
                         ? PackedToDecimal(Printf("%llx", static_cast<unsigned long long>(magnitude)))
                         : static_cast<long long>(magnitude);
  long long whole = number / 10000;
  long long thousandths = (number % 10000) / 10;
  std::string text = Printf("%lld.%03lld", whole, thousandths);
  if (negative && (whole != 0 || thousandths != 0)) text.insert(0, "-");
  return text;
}

// A signed long of the register's platform (32 bits): C conversion rules,
// saturating at the 32-bit limits.
long ToLong32(const char* text, int base) {
  long long value = std::strtoll(text, nullptr, base);
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<long>(value);
}

// An unsigned long of 32 bits: a leading "-" negates modulo 2^32, values past
// the limit saturate, as the C conversion does with 32-bit longs.
uint32_t ToULong32(const char* text, int base) {
  while (IsBlank(*text)) ++text;
  bool negative = false;
  if (*text == '-' || *text == '+') {
    negative = *text == '-';
    ++text;
    if (*text == '-' || *text == '+') return 0;
  }
  errno = 0;
  unsigned long long magnitude = std::strtoull(text, nullptr, base);
  if (errno == ERANGE || magnitude > UINT32_MAX) return UINT32_MAX;
  uint32_t value = static_cast<uint32_t>(magnitude);
  return negative ? static_cast<uint32_t>(0u - value) : value;
}

void ParseAmount6(std::string text, uint8_t* value, int base) {
  bool negative = text.find('-') != std::string::npos;
  if (negative) text.erase(0, std::min(text.find_first_not_of('-'), text.size()));
  if (!text.empty() && text.front() == '.') text.insert(0, "0");
  if (!text.empty() && text.back() == '.') text += "0";
  size_t point = text.find('.');
  if (point == std::string::npos) {
    text += "0000";
  } else {
    text.erase(point, 1);
    size_t decimals = text.size() - point;
    if (decimals < 4) text.append(4 - decimals, '0');
    else text.resize(point + 4);  // more than four decimals: the rest is dropped
  }
  long long number = std::strtoll(text.c_str(), nullptr, base);
  uint64_t raw = static_cast<uint64_t>(number);
  if (negative && number != 0) raw |= kSign48;
  WriteLe(value, raw, 6);
}

}  // namespace

int StorageSize(const stField_t& field) {
  switch (StorageType(field)) {
    case FT_TEXT: return field.nWidth > 0 ? field.nWidth : 0;
    case FT_U8: case FT_S8: return 1;
    case FT_U16: case FT_S16: return 2;
    case FT_U32: case FT_S32: return 4;
    case FT_AMOUNT6: return 6;
    case FT_I64: return 8;
    default: return 0;
  }
}

int FormatValue(const void* value, std::wstring& text, const stField_t& field) {
  text.clear();
  const uint32_t type = StorageType(field);
  if (!value || (type != FT_TEXT && StorageSize(field) == 0)) {
    text = L"?";
    return 0;
  }
  const uint8_t* bytes = static_cast<const uint8_t*>(value);
  if (type == FT_TEXT) return FormatText(bytes, text, field);

  std::string number = type == FT_I64 ? FormatInt64(bytes, field)
                       : type == FT_AMOUNT6 ? FormatAmount6(bytes, field)
                                            : FormatInteger(bytes, field);
  size_t start = 0;
  while (start < number.size() && IsBlank(number[start])) ++start;
  text = Widen(number.substr(start));
  return 1;
}

int ParseValue(const stField_t& field, void* value, const wchar_t* text) {
  const uint32_t type = StorageType(field);
  if (!value || (type != FT_TEXT && StorageSize(field) == 0)) return 0;
  std::wstring entered = text ? text : L"";
  std::string working = platform::WideToCp1252(entered);
  const int base = (field.uType & FT_PACKED) ? 16 : 10;
  uint8_t* bytes = static_cast<uint8_t*>(value);

  switch (type) {
    case FT_TEXT: {
      if (CCaptionManagerBase* manager = CurrentCaptionManager()) manager->TextToEcr(entered, working);
      size_t width = field.nWidth > 0 ? static_cast<size_t>(field.nWidth) : 0;
      std::memset(bytes, ' ', width);
      std::memcpy(bytes, working.data(), working.size() < width ? working.size() : width);
      return 1;
    }
    case FT_U8: case FT_S8:
      bytes[0] = static_cast<uint8_t>(ToLong32(working.c_str(), base));
      return 1;
    case FT_U16: case FT_S16:
      WriteLe(bytes, static_cast<uint16_t>(ToLong32(working.c_str(), base)), 2);
      return 1;
    case FT_S32:
      WriteLe(bytes, static_cast<uint32_t>(ToLong32(working.c_str(), base)), 4);
      return 1;
    case FT_U32:
      WriteLe(bytes, ToULong32(working.c_str(), base), 4);
      return 1;
    case FT_I64: {
      long long number = std::strtoll(working.c_str(), nullptr, base);
      uint64_t raw = number < 0 ? ((0ull - static_cast<uint64_t>(number)) | kSign64) : static_cast<uint64_t>(number);
      WriteLe(bytes, raw, 8);
      return 1;
    }
    case FT_AMOUNT6:
      ParseAmount6(working, bytes, base);
      return 1;
    default:
      return 0;
  }
}
