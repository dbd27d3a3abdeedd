#include "model_library/data/SettingsRam.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <vector>

#include "common/ValueFormat.h"

namespace {

// Calls visit(field, image byte offset within the record, bit or WHOLE_VALUES)
// for every field the runs place.
template <typename Visit>
void ForEachPlace(const stTable_t& table, const CopiedLayout& layout, Visit visit) {
  for (int i = 0; i < layout.nRunCount; ++i) {
    const PlaceRun& run = layout.pRuns[i];
    int offset = run.nOffset;
    for (int k = 0; k < run.nCount; ++k) {
      int field = run.nFirstField + k;
      if (run.nFirstBit == WHOLE_VALUES) {
        visit(field, offset, WHOLE_VALUES);
        offset += StorageSize(table.aFields[field]);
      } else {
        int bit = run.nFirstBit + k;
        visit(field, run.nOffset + bit / 8, bit % 8);
      }
    }
  }
}

}  // namespace

bool CSettingsRam::ReadImage(const wchar_t* folder, uint8_t* image, size_t size) {
  std::vector<uint8_t> bytes;
  if (!BeginLoad(folder) || !ReadRegisterFile(bytes, size)) return false;
  std::memset(image, 0, size);
  std::copy(bytes.begin(), bytes.end(), image);
  m_bLoaded = bytes.size() == size ? 1 : 0;
  return true;
}

int CSettingsRam::WriteImage(const wchar_t* folder, const uint8_t* image, size_t size) {
  return WriteRegisterFile(folder, std::vector<uint8_t>(image, image + size));
}

void CSettingsRam::CopyIn(stTable_t& table, const CopiedLayout& layout, const uint8_t* image) {
  for (int row = 0; row < table.nRecordCount; ++row) {
    const uint8_t* record = image + layout.nBase + row * layout.nStride;
    ForEachPlace(table, layout, [&](int field, int offset, int bit) {
      uint8_t* value = FieldValue(table, row, field);
      if (bit == WHOLE_VALUES)
        std::memcpy(value, record + offset, StorageSize(table.aFields[field]));
      else
        *value = (record[offset] >> bit) & 1;
    });
  }
}

void CSettingsRam::CopyOut(const stTable_t& table, const CopiedLayout& layout, uint8_t* image) {
  for (int row = 0; row < table.nRecordCount; ++row) {
    uint8_t* record = image + layout.nBase + row * layout.nStride;
    ForEachPlace(table, layout, [&](int field, int offset, int bit) {
      const uint8_t* value = FieldValue(table, row, field);
      if (bit == WHOLE_VALUES) {
        std::memcpy(record + offset, value, StorageSize(table.aFields[field]));
      } else {
        uint8_t mask = static_cast<uint8_t>(1u << bit);
        record[offset] = *value ? (record[offset] | mask) : (record[offset] & ~mask);
      }
    });
  }
}

int CSettingsRam::Refuse(CheckReq* request, const std::wstring& message) {
  if (request && request->pstrMessage) *request->pstrMessage = message;
  return 0;
}

std::wstring CSettingsRam::RangeMessage(double low, double high) {
  wchar_t text[80];
  std::swprintf(text, sizeof text / sizeof text[0], L"Range is %.0f - %.0f", low, high);
  return text;
}

bool CSettingsRam::IsFieldOf(const CheckReq* request, const stTable_t& table, int field) {
  return request->pTable == &table && request->nField == field && request->nRow >= 0 &&
         request->nRow < table.nRecordCount;
}
