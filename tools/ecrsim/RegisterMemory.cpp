#include "tools/ecrsim/RegisterMemory.h"

#include "platform/FileSystem.h"

namespace {

const ItemFile kItemFiles[] = {
    {1, "S_MODE.ECR", false},   {2, "GRP_HEAD.ECR", false}, {3, "GRP_FOOT.ECR", false},
    {4, "PRG_MODE.ECR", false}, {5, "DEPT.ECR", true},      {6, "PLU.ECR", true},
    {7, "CLERK.ECR", true},
};

// Report numbers of the report kinds; report files begin with the code.
const ReportItem kReportItems[] = {
    {16, "FINC"}, {17, "ALCL"}, {18, "DPCS"}, {19, "ALDP"}, {20, "ALPL"},
    {21, "MTPL"}, {22, "HOUR"}, {23, "OTAC"}, {24, "OT1C"}, {25, "FLEJ"},
    {26, "LAEJ"}, {27, "OLEJ"}, {28, "DAEJ"}, {31, "ATCL"}, {32, "FIGT"},
    {33, "ACGT"}, {35, "ADGT"}, {36, "APGT"}, {47, "ATCG"},
};

// The report file of the code changed last; among equals the last by name.
std::wstring NewestReport(const std::wstring& folder, const char* code) {
  std::wstring pattern = platform::FromNativePath(code) + L"*.ecr";
  std::wstring newest;
  int64_t newestTime = 0;
  for (const std::wstring& path : platform::FindFiles(folder, pattern)) {
    int64_t time = platform::GetFileStatus(path).nModifiedNs;
    if (newest.empty() || time > newestTime || (time == newestTime && path > newest)) {
      newest = path;
      newestTime = time;
    }
  }
  return newest;
}

}  // namespace

const ItemFile* CRegisterMemory::FindItemFile(uint8_t nItem) {
  for (const ItemFile& file : kItemFiles)
    if (file.nItem == nItem) return &file;
  return nullptr;
}

const char* CRegisterMemory::FindReportCode(uint8_t nItem) {
  for (const ReportItem& report : kReportItems)
    if (report.nItem == nItem) return report.pszCode;
  return nullptr;
}

bool CRegisterMemory::Load(uint8_t nItem, std::vector<uint8_t>& bytes, std::string& name) const {
  std::wstring folder = platform::FromNativePath(m_strFolder);
  std::wstring path;
  if (const ItemFile* file = FindItemFile(nItem)) {
    path = platform::ResolveInFolder(folder, platform::FromNativePath(file->pszFileName));
  } else if (const char* code = FindReportCode(nItem)) {
    path = NewestReport(folder, code);
  }
  name = platform::NativePath(platform::FileNameOf(path));
  return !path.empty() && platform::ReadFileBytes(path, bytes);
}

bool CRegisterMemory::Store(const ItemFile& file, const std::vector<uint8_t>& bytes) const {
  return platform::WriteFileAtomic(
      platform::JoinPath(platform::FromNativePath(m_strFolder),
                         platform::FromNativePath(file.pszFileName)),
      bytes);
}
