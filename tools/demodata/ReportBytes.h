// The value encodings of the register's report files, for writing report
// files the way the register does: the demo reports, the report tests'
// fixtures and the conversion benchmark all build their bytes with these.
#pragma once

#include <cstdint>
#include <string>

namespace reportbytes {

using Bytes = std::string;

// Decimal digits as hexadecimal nibbles, lowest digits in the lowest nibble.
inline uint64_t PackDigits(uint64_t decimal) {
  uint64_t packed = 0;
  for (int shift = 0; decimal; shift += 4, decimal /= 10) packed |= (decimal % 10) << shift;
  return packed;
}
inline Bytes Le(uint64_t value, int size) {
  Bytes out;
  for (int i = 0; i < size; ++i) out.push_back(static_cast<char>(value >> (8 * i)));
  return out;
}
inline Bytes Byte(int value) { return Bytes(1, static_cast<char>(value)); }
inline Bytes ClerkByte(int clerk) { return Byte((clerk / 10) << 4 | clerk % 10); }
inline Bytes Count(uint64_t value) { return Le(PackDigits(value), 2); }
inline Bytes SignedCount(int value) { return Le(static_cast<uint16_t>(value), 2); }
// Packed digits with the sign in bit 63.
inline Bytes Amount(int64_t value) {
  uint64_t raw = PackDigits(static_cast<uint64_t>(value < 0 ? -value : value));
  if (value < 0) raw |= 1ull << 63;
  return Le(raw, 8);
}
inline Bytes Code(uint64_t value) { return Le(PackDigits(value), 8); }
// Quantity in ten-thousandths, packed, with the sign in bit 47.
inline Bytes Quantity(int64_t value) {
  uint64_t raw = PackDigits(static_cast<uint64_t>(value < 0 ? -value : value));
  if (value < 0) raw |= 1ull << 47;
  return Le(raw, 6);
}
inline Bytes Text(const std::string& text, size_t size, char pad = ' ') {
  Bytes out = text.substr(0, size);
  out.resize(size, pad);
  return out;
}
inline Bytes Name(const std::string& text) { return Text(text, 18); }
// Active count, quantity and amount of one price level.
inline Bytes Triple(int active, int64_t quantity, int64_t amount) {
  return SignedCount(active) + Quantity(quantity) + Amount(amount);
}

}  // namespace reportbytes
