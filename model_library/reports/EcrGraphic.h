// The graphic logos printed at the head and foot of receipts. The main tool
// reads these members directly (it draws m_abPixels), so their order is fixed.
#pragma once

#include <string>
#include <vector>

#include "model_library/EcrData.h"

// Stands in for the platform bitmap: the library keeps only its size and
// whether it exists; the dots are m_abPixels.
struct EcrBitmap_s {
  int nWidth = 0;
  int nHeight = 0;
  int nBitsPerPixel = 0;
  int bCreated = 0;
};

class CEcrGraphic : public CEcrData {
 public:
  CEcrGraphic(const wchar_t* name, int transferLine, const wchar_t* file, uint32_t tableId, int width, int height);

  int m_nBitsPerPixel = 1;
  EcrBitmap_s m_bitmap;
  std::wstring m_strCode;
  int m_anPictraParam[5] = {0, 1, 10, 40, 0};
  std::vector<uint8_t> m_abPixels;  // rows from the top, MSB leftmost, 0 for a printed dot

  int SetFolder(const wchar_t* folder) override;
  int Reset() override;
  int Load(const wchar_t* folder) override;
  int Save(const wchar_t* folder) override;
  int GetTableCount() override;
  stTable_t* GetTable(int index) override;

  // Added operation, after the base operations.
  virtual int LoadFile(const wchar_t* folder, const wchar_t* file);

 protected:
  void ReleaseBitmap();

  std::wstring m_strFileName;
  stTable_t m_table;
};

class CGrpHead : public CEcrGraphic {
 public:
  CGrpHead();
};

class CGrpFoot : public CEcrGraphic {
 public:
  CGrpFoot();
};
