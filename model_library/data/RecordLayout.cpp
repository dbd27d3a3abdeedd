#include "model_library/data/RecordLayout.h"

#include <cstring>

#include "common/ValueFormat.h"

namespace {
uint8_t BitMask(const FieldPlace& place) {
  return static_cast<uint8_t>(((1u << place.nBitCount) - 1u) << place.nBitShift);
}
}  // namespace

void UnpackRecord(const stTable_t& table, const FieldPlace* places, const uint8_t* record, int row) {
  for (int f = 0; f < table.nFieldCount; ++f) {
    const FieldPlace& place = places[f];
    uint8_t* value = FieldValue(table, row, f);
    if (place.nBitCount == 0) {
      std::memcpy(value, record + place.nOffset, static_cast<size_t>(StorageSize(table.aFields[f])));
    } else {
      *value = static_cast<uint8_t>((record[place.nOffset] & BitMask(place)) >> place.nBitShift);
    }
  }
}

void PackRecord(const stTable_t& table, const FieldPlace* places, int row, uint8_t* record) {
  for (int f = 0; f < table.nFieldCount; ++f) {
    const FieldPlace& place = places[f];
    const uint8_t* value = FieldValue(table, row, f);
    if (place.nBitCount == 0) {
      std::memcpy(record + place.nOffset, value, static_cast<size_t>(StorageSize(table.aFields[f])));
    } else {
      uint8_t mask = BitMask(place);
      record[place.nOffset] = static_cast<uint8_t>((record[place.nOffset] & ~mask) |
                                                   ((*value << place.nBitShift) & mask));
    }
  }
}
