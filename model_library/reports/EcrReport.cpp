#include "model_library/reports/EcrReport.h"

#include "platform/FileSystem.h"

std::vector<std::wstring> CEcrReport::FindReports(const std::wstring& folder, int kind) {
  std::vector<std::wstring> found;
  const wchar_t* code = GetReportCode(kind);
  if (folder.empty() || !code) return found;
  for (const std::wstring& path : platform::FindFiles(folder, std::wstring(code) + L"*.ecr"))
    if (platform::GetFileStatus(path).nSize != 0) found.push_back(path);
  return found;
}

int CEcrReport::SetFolder(const wchar_t* folder) {
  m_bExists = 0;
  m_strFolder = folder ? folder : L"";
  for (int kind = 0; kind < GetTableCount(); ++kind)
    if (!FindReports(m_strFolder, kind).empty()) m_bExists = 1;
  return m_bExists;
}

int CEcrReport::Reset() {
  m_lstReports.clear();
  return CEcrData::Reset();
}

int CEcrReport::Load(const wchar_t* folder) {
  m_lstReports.clear();
  if (!BeginLoad(folder)) return 0;
  for (int kind = 0; kind < GetTableCount(); ++kind)
    for (std::wstring& path : FindReports(m_strFolder, kind)) m_lstReports.push_back({kind, std::move(path)});
  m_bLoaded = m_lstReports.empty() ? 0 : 1;
  return m_bLoaded;
}

int CEcrReport::Save(const wchar_t* folder) {
  int converted = 0;
  for (int index = 0; index < static_cast<int>(m_lstReports.size()); ++index)
    converted |= ConvertReport(index, folder);
  return converted;
}
