#include "model_library/reports/EcrGraphic.h"

#include <algorithm>
#include <cstring>

#include "model_library/data/TableDef.h"

namespace {

uint8_t ReverseBits(uint8_t byte) {
  byte = static_cast<uint8_t>((byte & 0xF0) >> 4 | (byte & 0x0F) << 4);
  byte = static_cast<uint8_t>((byte & 0xCC) >> 2 | (byte & 0x33) << 2);
  return static_cast<uint8_t>((byte & 0xAA) >> 1 | (byte & 0x55) << 1);
}

}  // namespace

CEcrGraphic::CEcrGraphic(const wchar_t* name, int transferLine, const wchar_t* file, uint32_t tableId, int width,
                         int height)
    : CEcrData(name, KIND_GRAPHIC, transferLine), m_strFileName(file) {
  m_abPixels.assign(static_cast<size_t>(width) * height / 8, 0);
  std::memset(&m_table, 0, sizeof m_table);
  m_table.uId = tableId;
  CopyCaption(m_table.szCaption, name);
  // A logo's descriptor has no fields: its field count is the width in dots
  // and its record count the height.
  m_table.nFieldCount = width;
  m_table.nRecordCount = height;
  m_table.nSortField = -1;
  m_table.nLevel = 2;
  m_table.pRows = m_abPixels.data();
  m_table.pOwner = this;
}

int CEcrGraphic::SetFolder(const wchar_t* folder) { return SetUpFolder(folder, m_strFileName.c_str()); }

void CEcrGraphic::ReleaseBitmap() { m_bitmap = EcrBitmap_s(); }

int CEcrGraphic::Reset() {
  ReleaseBitmap();
  return CEcrData::Reset();
}

int CEcrGraphic::Load(const wchar_t* folder) {
  m_bLoaded = 0;
  stTable_t* table = GetTable(0);
  if (!table) return 0;
  if (!BeginLoad(folder)) return 0;
  const int width = table->nFieldCount;
  const int height = table->nRecordCount;
  const size_t size = static_cast<size_t>(width) * height / 8;
  std::vector<uint8_t> bytes;
  if (!ReadRegisterFile(bytes, size)) return 0;  // the old bitmap stays
  ReleaseBitmap();
  m_bitmap = EcrBitmap_s{width, height, m_nBitsPerPixel, 1};
  if (bytes.size() < size) return 0;

  const size_t rowBytes = static_cast<size_t>(width) / 8;
  const int arrangement = m_anPictraParam[0];
  for (size_t i = 0; i < size; ++i) {
    uint8_t dots = static_cast<uint8_t>(~bytes[i]);  // the file's set bits are printed dots
    size_t j = i % rowBytes;
    size_t mirrored = i - j + (rowBytes - 1 - j);
    switch (arrangement) {
      case 0: m_abPixels[mirrored] = ReverseBits(dots); break;
      case 1: m_abPixels[i] = dots; break;
      case 2: m_abPixels[mirrored] = dots; break;
      default: m_abPixels[i] = ReverseBits(dots); break;
    }
  }
  m_bLoaded = 1;
  return 1;
}

int CEcrGraphic::Save(const wchar_t* /*folder*/) { return 0; }
int CEcrGraphic::GetTableCount() { return 1; }
stTable_t* CEcrGraphic::GetTable(int index) { return index == 0 ? &m_table : nullptr; }

int CEcrGraphic::LoadFile(const wchar_t* folder, const wchar_t* file) {
  std::wstring keptFolder = m_strFolder;
  std::wstring keptFile = m_strFile;
  m_strFolder = folder ? folder : L"";
  m_strFile = file ? file : L"";
  int result = Load(nullptr);
  m_strFolder = keptFolder;
  m_strFile = keptFile;
  return result;
}

CGrpHead::CGrpHead() : CEcrGraphic(L"GraphicHeader", 2, L"GRP_HEAD.ECR", 8000, 288, 216) {
  m_strCode = L"E7H";
  const int params[5] = {0, 0, 1, 0, 0};
  std::copy(params, params + 5, m_anPictraParam);
}

CGrpFoot::CGrpFoot() : CEcrGraphic(L"GraphicFooter", 3, L"GRP_FOOT.ECR", 8100, 288, 108) {
  m_strCode = L"E7F";
  const int params[5] = {0, 0, 1, 0, 0};
  std::copy(params, params + 5, m_anPictraParam);
}
