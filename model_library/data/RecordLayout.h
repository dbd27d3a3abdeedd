// Where the fields of a row live in a register-file record: a run of whole
// bytes at an offset, or a group of bits inside one byte. A placement table
// lists the fields in the row's descriptor order, so unpack and pack walk one
// table of data instead of repeating code per field.
#pragma once

#include <cstddef>
#include <cstdint>

#include "model_library/EcrData.h"

struct FieldPlace {
  int nOffset;    // byte offset in the record
  int nBitShift;  // lowest bit of a bit field
  int nBitCount;  // 0: the field's bytes are copied whole
};

constexpr FieldPlace Bytes(int offset) { return {offset, 0, 0}; }
constexpr FieldPlace Bits(int offset, int shift, int count = 1) { return {offset, shift, count}; }

// Copies every field of the record into the row.
void UnpackRecord(const stTable_t& table, const FieldPlace* places, const uint8_t* record, int row);
// Copies every field of the row into the record; bytes and bits that no
// field uses keep what the record held.
void PackRecord(const stTable_t& table, const FieldPlace* places, int row, uint8_t* record);

// Little-endian 16-bit words, as the count of a record file is stored.
inline uint16_t ReadWord(const uint8_t* bytes) { return static_cast<uint16_t>(bytes[0] | (bytes[1] << 8)); }
inline void WriteWord(uint8_t* bytes, uint16_t value) {
  bytes[0] = static_cast<uint8_t>(value);
  bytes[1] = static_cast<uint8_t>(value >> 8);
}
