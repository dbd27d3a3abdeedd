#include "model_library/EcrData.h"

#include "common/ValueFormat.h"
#include "platform/FileSystem.h"

CEcrData::CEcrData(const wchar_t* name, int kind, int transferLine)
    : m_strName(name ? name : L""),
      m_nKind(kind),
      m_nTransferLine(transferLine),
      m_bExists(0),
      m_bLoaded(0),
      m_nChanges(0) {}

int CEcrData::SetFolder(const wchar_t* folder) {
  std::wstring file = m_strFile;
  return SetUpFolder(folder, file.c_str());
}

int CEcrData::Reset() {
  m_strFolder.clear();
  m_strFile.clear();
  m_bExists = 0;
  m_bLoaded = 0;
  m_nChanges = 0;  // the edited rows are dropped with the rest
  return 0;
}

int CEcrData::Sort(int /*table*/) { return 0; }
int CEcrData::CheckValue(CheckReq* /*request*/) { return 1; }
int CEcrData::HasCountPrefix() { return 0; }
int CEcrData::Spare() { return 1; }
int CEcrData::SpareTable(int /*table*/) { return 1; }

int CEcrData::SetUpFolder(const wchar_t* folder, const wchar_t* file) {
  m_strFolder = folder ? folder : L"";
  m_strFile = file ? file : L"";
  platform::FileStatus status = platform::GetFileStatus(FilePathIn(m_strFolder));
  m_bExists = (!m_strFolder.empty() && status.bExists && !status.bDirectory && status.nSize != 0) ? 1 : 0;
  return m_bExists;
}

void CEcrData::PrepareTable(stTable_t& table) {
  int size = 0;
  int count = table.nFieldCount < 0 ? 0 : (table.nFieldCount > MAX_TABLE_FIELDS ? MAX_TABLE_FIELDS : table.nFieldCount);
  for (int i = 0; i < count; ++i) {
    table.aFields[i].nOffset = size;
    size += StorageSize(table.aFields[i]);
  }
  table.nRecordSize = size;
}

std::wstring CEcrData::FilePathIn(const std::wstring& folder) const {
  if (folder.empty()) return std::wstring();
  return platform::ResolveInFolder(folder, m_strFile);
}

bool CEcrData::BeginLoad(const wchar_t* folder) {
  m_bLoaded = 0;
  if (folder) m_strFolder = folder;
  return !m_strFolder.empty();
}

bool CEcrData::ReadRegisterFile(std::vector<uint8_t>& bytes, size_t maxBytes) {
  return platform::ReadFileBytes(FilePathIn(m_strFolder), bytes, maxBytes);
}

int CEcrData::WriteRegisterFile(const wchar_t* folder, const std::vector<uint8_t>& bytes) {
  std::wstring target = folder ? std::wstring(folder) : m_strFolder;
  if (target.empty()) return 0;
  return platform::WriteFileAtomic(FilePathIn(target), bytes) ? 1 : 0;
}
