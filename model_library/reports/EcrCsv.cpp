#include "model_library/reports/EcrCsv.h"

#include "platform/FileSystem.h"

CEcrCsv::~CEcrCsv() { FreeTables(); }

void CEcrCsv::FreeTables() {
  for (stTable_t* table : m_lstTables) {
    delete[] table->pRows;
    delete table;
  }
  m_lstTables.clear();
}

int CEcrCsv::SetFolder(const wchar_t* folder) {
  m_strFolder = folder ? folder : L"";
  m_bExists = (!m_strFolder.empty() && !platform::FindFiles(m_strFolder, L"*.csv").empty()) ? 1 : 0;
  return m_bExists;
}

int CEcrCsv::Reset() {
  FreeTables();
  return CEcrData::Reset();
}

int CEcrCsv::Load(const wchar_t* folder) {
  FreeTables();
  BeginLoad(folder);
  return 0;
}

int CEcrCsv::Save(const wchar_t* /*folder*/) { return 0; }
int CEcrCsv::GetTableCount() { return static_cast<int>(m_lstTables.size()); }

stTable_t* CEcrCsv::GetTable(int index) {
  return (index >= 0 && index < GetTableCount()) ? m_lstTables[static_cast<size_t>(index)] : nullptr;
}
