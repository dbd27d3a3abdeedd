#include "model_library/reports/EcrCsv.h"

#include <algorithm>
#include <cwchar>

#include "common/CaptionCell.h"
#include "common/CaptionManagerBase.h"
#include "model_library/data/TableDef.h"
#include "model_library/reports/CsvTableReader.h"
#include "platform/FileSystem.h"
#include "platform/TextCodec.h"

namespace {
// Files of this size or less hold at most the byte-order mark.
constexpr uint64_t kEmptyCsvSize = 2;
}  // namespace

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
  if (!BeginLoad(folder)) return 0;
  for (const std::wstring& path : platform::FindFiles(m_strFolder, L"*.csv")) {
    if (platform::GetFileStatus(path).nSize <= kEmptyCsvSize) continue;
    std::wstring name = platform::ToUpper(platform::FileNameOf(path));
    for (int kind = 0; kind < m_nKindCount; ++kind) {
      const wchar_t* code = GetCsvCode(kind);
      if (!code || name.compare(0, std::wcslen(code), code) != 0) continue;
      if (stTable_t* table = ReadTable(path, kind)) {
        m_lstTables.push_back(table);
        m_bLoaded = 1;
      }
      break;  // no code begins another one
    }
  }
  return m_bLoaded;
}

stTable_t* CEcrCsv::ReadTable(const std::wstring& path, int kind) {
  const stTable_t* pattern = GetCsvTemplate(kind);
  std::vector<uint8_t> bytes;
  if (!pattern || !platform::ReadFileBytes(path, bytes)) return nullptr;
  std::vector<uint8_t> rows;
  int count = ReadCsvRows(bytes.data(), bytes.size(), *pattern, rows);

  stTable_t* table = new stTable_t(*pattern);
  std::wstring caption = CsvTableCaption(platform::FileNameOf(path), GetCsvCode(kind),
                                         CaptionTextOr(WND_TABLE_CAPTIONS, static_cast<int32_t>(pattern->uId),
                                                       pattern->szCaption));
  CopyCaption(table->szCaption, caption.c_str());
  table->uId = 0;
  table->nRecordCount = count;
  table->pRows = new uint8_t[rows.size()];
  std::copy(rows.begin(), rows.end(), table->pRows);
  table->pOwner = this;
  return table;
}

int CEcrCsv::Save(const wchar_t* /*folder*/) { return 0; }
int CEcrCsv::GetTableCount() { return static_cast<int>(m_lstTables.size()); }

stTable_t* CEcrCsv::GetTable(int index) {
  return (index >= 0 && index < GetTableCount()) ? m_lstTables[static_cast<size_t>(index)] : nullptr;
}
