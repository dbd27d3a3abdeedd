#include "model_library/data/RecordListRam.h"

#include <algorithm>
#include <cstring>

CRecordListRam::CRecordListRam(const wchar_t* name, int transferLine, const RecordFileLayout& layout,
                               const TableDef& blockDef, const FieldDef* blockFields, int blockFieldCount,
                               const TableDef& recordDef, const FieldDef* recordFields,
                               int recordFieldCount)
    : CEcrData(name, KIND_REGISTER, transferLine),
      m_layout(layout),
      m_abBlock(static_cast<size_t>(layout.nBlockSize), 0),
      m_abRecordImage(static_cast<size_t>(layout.nCapacity) * layout.nRecordSize, 0) {
  stTable_t& block = m_aTables[BLOCK_TABLE];
  BuildTable(block, blockDef, blockFields, blockFieldCount, nullptr, this);
  if (layout.pBlockPlaces) {
    m_abBlockRows.assign(static_cast<size_t>(block.nRecordCount) * block.nRecordSize, 0);
    block.pRows = m_abBlockRows.data();
  } else {
    block.pRows = m_abBlock.data();  // edited in place
  }
  stTable_t& records = m_aTables[RECORD_TABLE];
  BuildTable(records, recordDef, recordFields, recordFieldCount, nullptr, this);
  m_abRecordRows.assign(static_cast<size_t>(layout.nCapacity) * records.nRecordSize, 0);
  records.pRows = m_abRecordRows.data();
}

int CRecordListRam::SetFolder(const wchar_t* folder) { return SetUpFolder(folder, m_layout.pszFile); }

int CRecordListRam::GetTableCount() { return TABLE_COUNT; }

stTable_t* CRecordListRam::GetTable(int index) {
  return (index >= 0 && index < TABLE_COUNT) ? &m_aTables[index] : nullptr;
}

void CRecordListRam::ClearRecordRow(int row) {
  std::memset(FieldValue(RecordTable(), row, 0), 0, static_cast<size_t>(RecordTable().nRecordSize));
}

int CRecordListRam::RecordsToSave() { return RecordTable().nRecordCount; }

bool CRecordListRam::ReadImage(const std::vector<uint8_t>& file, int& count, int& recordsRead) {
  std::fill(m_abBlock.begin(), m_abBlock.end(), 0);
  std::fill(m_abRecordImage.begin(), m_abRecordImage.end(), 0);
  count = -1;
  recordsRead = 0;
  if (file.size() < COUNT_SIZE) return false;
  count = ReadWord(file.data());

  const size_t blockEnd = COUNT_SIZE + m_abBlock.size();
  const size_t blockRead = std::min(file.size(), blockEnd) - COUNT_SIZE;
  std::copy_n(file.begin() + COUNT_SIZE, blockRead, m_abBlock.begin());
  if (count > m_layout.nCapacity) return false;  // no record is read

  const size_t wanted = static_cast<size_t>(count) * m_layout.nRecordSize;
  const size_t available = file.size() > blockEnd ? file.size() - blockEnd : 0;
  const size_t taken = std::min(wanted, available);
  std::copy_n(file.begin() + static_cast<std::ptrdiff_t>(blockEnd), taken, m_abRecordImage.begin());
  // A record counts as read when any of its bytes came from the file.
  recordsRead = static_cast<int>((taken + m_layout.nRecordSize - 1) / m_layout.nRecordSize);
  return file.size() == blockEnd + wanted;
}

int CRecordListRam::Load(const wchar_t* folder) {
  if (!BeginLoad(folder)) return 0;
  const size_t largest = COUNT_SIZE + m_abBlock.size() + m_abRecordImage.size();
  std::vector<uint8_t> file;
  // One byte more than the largest file, to tell a file that is too long.
  if (!ReadRegisterFile(file, largest + 1)) return 0;

  int count = 0;
  int recordsRead = 0;
  const bool complete = ReadImage(file, count, recordsRead);

  // Unpacked whatever the outcome: the rows show what was read.
  UnpackBlock();
  stTable_t& records = RecordTable();
  if (m_layout.bRowsFollowFile && count >= 0) records.nRecordCount = std::min(count, m_layout.nCapacity);
  for (int row = 0; row < m_layout.nCapacity; ++row) {
    if (row < recordsRead || m_layout.bRowsFollowFile)
      UnpackRecord(records, m_layout.pRecordPlaces, RecordImage(row), row);
    else
      ClearRecordRow(row);
  }
  m_bLoaded = complete ? 1 : 0;
  return m_bLoaded;
}

int CRecordListRam::Save(const wchar_t* folder) {
  if (!folder && m_strFolder.empty()) return 0;
  // Callers reach the record count directly; never write past the rows.
  const int count = std::min(RecordsToSave(), m_layout.nCapacity);
  if (count < 0) return 0;
  const size_t recordsStart = COUNT_SIZE + m_abBlock.size();
  std::vector<uint8_t> file(recordsStart + static_cast<size_t>(count) * m_layout.nRecordSize);
  WriteWord(file.data(), static_cast<uint16_t>(count));
  PackBlock();
  std::copy(m_abBlock.begin(), m_abBlock.end(), file.begin() + COUNT_SIZE);
  for (int row = 0; row < count; ++row) {
    uint8_t* record = RecordImage(row);
    PackRecord(RecordTable(), m_layout.pRecordPlaces, row, record);
    std::copy_n(record, m_layout.nRecordSize,
                file.begin() + static_cast<std::ptrdiff_t>(recordsStart + static_cast<size_t>(row) * m_layout.nRecordSize));
  }
  return WriteRegisterFile(folder, file);
}

void CRecordListRam::UnpackBlock() {
  if (!m_layout.pBlockPlaces) return;
  const stTable_t& block = m_aTables[BLOCK_TABLE];
  for (int row = 0; row < block.nRecordCount; ++row)
    UnpackRecord(block, m_layout.pBlockPlaces, m_abBlock.data() + static_cast<size_t>(row) * m_layout.nBlockStride, row);
}

void CRecordListRam::PackBlock() {
  if (!m_layout.pBlockPlaces) return;
  const stTable_t& block = m_aTables[BLOCK_TABLE];
  for (int row = 0; row < block.nRecordCount; ++row)
    PackRecord(block, m_layout.pBlockPlaces, row, m_abBlock.data() + static_cast<size_t>(row) * m_layout.nBlockStride);
}
