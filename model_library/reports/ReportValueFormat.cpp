#include "model_library/reports/ReportValueFormat.h"

#include <cstdio>

namespace {

uint64_t ReadLe(const uint8_t* bytes, int count) {
  uint64_t value = 0;
  for (int i = count - 1; i >= 0; --i) value = (value << 8) | bytes[i];
  return value;
}

// Digits of a number in a base, at least minDigits of them.
int WriteDigits(char* out, uint64_t value, unsigned base, int minDigits = 1) {
  char reversed[24];
  int count = 0;
  do {
    unsigned digit = static_cast<unsigned>(value % base);
    reversed[count++] = static_cast<char>(digit < 10 ? '0' + digit : 'A' + digit - 10);
    value /= base;
  } while (value);
  while (count < minDigits && count < 20) reversed[count++] = '0';
  for (int i = 0; i < count; ++i) out[i] = reversed[count - 1 - i];
  return count;
}

// Packed digits as the number they write, when every nibble is a decimal digit.
bool PackedValue(uint64_t packed, uint64_t& value) {
  uint64_t decimal = 0, scale = 1;
  for (; packed; packed >>= 4, scale *= 10) {
    if ((packed & 0xF) > 9) return false;
    decimal += (packed & 0xF) * scale;
  }
  value = decimal;
  return true;
}

int FormatInt64(const stField_t& field, const uint8_t* bytes, char* out) {
  const uint64_t raw = ReadLe(bytes, 8);
  const bool packed = field.uType & FT_PACKED;
  // With leading zeros the width counts the sign as well.
  const int width = (field.uType & FT_LEADING_ZEROS) ? field.nWidth : 1;
  if (!(raw & (1ull << 63))) return WriteDigits(out, raw, packed ? 16 : 10, width);
  uint64_t magnitude = raw & ~(1ull << 63);
  if (packed && !PackedValue(magnitude, magnitude)) return -1;
  if (magnitude == 0) return WriteDigits(out, 0, 10, width);
  out[0] = '-';
  return 1 + WriteDigits(out + 1, magnitude, 10, width - 1);
}

int FormatAmount6(const uint8_t* bytes, char* out) {
  const uint64_t raw = ReadLe(bytes, 6);
  uint64_t number;
  if (!PackedValue(raw & ((1ull << 47) - 1), number)) return -1;
  const uint64_t whole = number / 10000, thousandths = number % 10000 / 10;
  int length = 0;
  if ((raw & (1ull << 47)) && (whole || thousandths)) out[length++] = '-';
  length += WriteDigits(out + length, whole, 10);
  out[length++] = '.';
  return length + WriteDigits(out + length, thousandths, 10, 3);
}

}  // namespace

int FormatReportNumber(const stField_t& field, const uint8_t* value, char (&text)[REPORT_NUMBER_CHARS]) {
  const bool packed = field.uType & FT_PACKED;
  // Fields whose width would pad with zeros beyond what is handled here.
  if ((field.uType & FT_LEADING_ZEROS) && (field.nWidth < 1 || field.nWidth > 20)) return -1;
  switch (field.uType & FT_STORAGE_MASK) {
    case FT_U8:
      return (field.uType & FT_LEADING_ZEROS) ? -1 : WriteDigits(text, value[0], packed ? 16 : 10);
    case FT_U16:
      return (field.uType & FT_LEADING_ZEROS) ? -1 : WriteDigits(text, ReadLe(value, 2), packed ? 16 : 10);
    case FT_S16: {
      if (packed || (field.uType & FT_LEADING_ZEROS)) return -1;
      int number = static_cast<int16_t>(ReadLe(value, 2));
      if (number >= 0) return WriteDigits(text, static_cast<uint64_t>(number), 10);
      text[0] = '-';
      return 1 + WriteDigits(text + 1, static_cast<uint64_t>(-number), 10);
    }
    case FT_I64:
      return FormatInt64(field, value, text);
    case FT_AMOUNT6:
      return packed ? FormatAmount6(value, text) : -1;
    default:
      return -1;
  }
}
