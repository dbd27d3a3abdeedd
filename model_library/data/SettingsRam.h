// Common frame of the two settings objects (service mode and program mode):
// each keeps the whole register file as a fixed-size image, shows some tables
// directly on the image bytes and copies the others into rows of their own.
// Whatever no field uses stays in the image and is written back as read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "model_library/EcrData.h"

// Where consecutive fields of a row live in a record of the image.
// With nFirstBit >= 0 every field is one bit: field nFirstField + k is bit
// (nFirstBit + k) mod 8 of byte nOffset + (nFirstBit + k) div 8. With
// WHOLE_VALUES the fields are whole values laid one after another from nOffset.
struct PlaceRun {
  int nFirstField;
  int nCount;
  int nOffset;
  int nFirstBit;
};
constexpr int WHOLE_VALUES = -1;

// A table whose rows are copied in and out of the image: row r is the record
// at nBase + r × nStride, its fields placed as the runs say.
struct CopiedLayout {
  int nTable;
  int nBase;
  int nStride;
  const PlaceRun* pRuns;
  int nRunCount;
};

template <int N>
constexpr CopiedLayout Copied(int table, int base, int stride, const PlaceRun (&runs)[N]) {
  return {table, base, stride, runs, N};
}

class CSettingsRam : public CEcrData {
 public:
  CSettingsRam(const wchar_t* name, int transferLine) : CEcrData(name, KIND_REGISTER, transferLine) {}

 protected:
  // Load frame: reads at most `size` bytes of the register file into the
  // image, the rest of the image becoming 0. False when there is no folder or
  // the file cannot be read; the image is then untouched. m_bLoaded becomes 1
  // only when the file held the whole image.
  bool ReadImage(const wchar_t* folder, uint8_t* image, size_t size);
  // Save frame: writes the whole image, replacing the old file only when complete.
  int WriteImage(const wchar_t* folder, const uint8_t* image, size_t size);

  // Copies the fields of a table between its rows and the image.
  static void CopyIn(stTable_t& table, const CopiedLayout& layout, const uint8_t* image);
  static void CopyOut(const stTable_t& table, const CopiedLayout& layout, uint8_t* image);

  // Refuses an entered value: the message goes to the request, the result is 0.
  static int Refuse(CheckReq* request, const std::wstring& message);
  // "Range is <low> - <high>" with the bounds as whole numbers.
  static std::wstring RangeMessage(double low, double high);
  // Whether the request is for field `field` of `table` and names a row of it.
  static bool IsFieldOf(const CheckReq* request, const stTable_t& table, int field);
};
