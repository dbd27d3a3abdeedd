#include "model_library/reports/ReportEcr.h"

#include <cstdio>

#include "model_library/data/TableDef.h"
#include "model_library/reports/ReportConversion.h"
#include "platform/FileSystem.h"
#include "platform/TextCodec.h"

namespace {

// A report descriptor's field: caption, type word and width; ids, input and
// check kinds are 0.
constexpr FieldDef ReportField(const wchar_t* caption, uint32_t type, int width) {
  return FieldDef{caption, 0, type, width, 0, 0, 0, 0, 2, NO_LIST};
}

const FieldDef kFinancialFields[] = {
    ReportField(L"Caption", 0x400, 12), ReportField(L"cnt", 0x902, 4), ReportField(L"amt", 0x908, 16),
    ReportField(L"bcd15", 0x908, 16), ReportField(L"short", 0x902, 4)};
const FieldDef kClerkFields[] = {ReportField(L"Clerk#", 0x801, 2), ReportField(L"Caption", 0x400, 18),
                                 ReportField(L"CommitionRate", 0x902, 4)};
const FieldDef kClerkSalesFields[] = {
    ReportField(L"ECR Type", 0x801, 2), ReportField(L"No", 0x801, 2),    ReportField(L"Caption", 0x400, 18),
    ReportField(L"PLU#", 0x908, 16),    ReportField(L"act", 0x812, 4),   ReportField(L"qty", 0x906, 12),
    ReportField(L"amt", 0x908, 16),     ReportField(L"term", 0x801, 2)};
const FieldDef kDepartmentFields[] = {
    ReportField(L"DeptCount", 0x801, 2), ReportField(L"Caption", 0x400, 18), ReportField(L"DeptNo", 0x801, 2),
    ReportField(L"DeptGNo", 0x801, 2),   ReportField(L"act", 0x812, 4),      ReportField(L"qty", 0x906, 12),
    ReportField(L"amt", 0x908, 16)};
const FieldDef kPluFields[] = {
    ReportField(L"DeptCount", 0x801, 2),   ReportField(L"Caption", 0x400, 18), ReportField(L"PLU#", 0xb08, 14),
    ReportField(L"PLUCaption", 0x400, 18), ReportField(L"DeptNo", 0x801, 2),   ReportField(L"PLUGNo", 0x801, 2),
    ReportField(L"stock", 0x906, 12),      ReportField(L"act", 0x812, 4),      ReportField(L"qty", 0x906, 12),
    ReportField(L"amt", 0x908, 16)};
const FieldDef kUrgentPluFields[] = {ReportField(L"PLU#", 0xb08, 14), ReportField(L"LinkDept#", 0x801, 2),
                                     ReportField(L"act", 0x812, 4), ReportField(L"qty", 0x906, 12),
                                     ReportField(L"amt", 0x908, 16)};
const FieldDef kHourlyFields[] = {ReportField(L"Time HH:MM - HH:MM", 0x400, 16), ReportField(L"cnt", 0x812, 4),
                                  ReportField(L"Total", 0x908, 16)};
const FieldDef kOpenTableFields[] = {ReportField(L"TABLE#", 0x801, 2), ReportField(L"CLERK#", 0x801, 2),
                                     ReportField(L"OLD BALANCE", 0x908, 16)};
const FieldDef kJournalFields[] = {ReportField(L"Rec", 0x400, 24)};
// The training-clerk descriptor declares one field, yet the converter reads
// all sixteen records (the name list widths and the value formats).
const FieldDef kTrainingClerkFields[] = {
    ReportField(L"ECR Type", 0x801, 2),     ReportField(L"DeptGCaption", 0x400, 18),
    ReportField(L"DeptCaption", 0x400, 18), ReportField(L"PluGCaption", 0x400, 18),
    ReportField(L"Clerk#", 0x401, 1),       ReportField(L"Caption", 0x400, 18),
    ReportField(L"CommitionRate", 0x902, 4), ReportField(L"PLU#", 0x908, 16),
    ReportField(L"PLUCaption", 0x400, 18),  ReportField(L"DeptNo", 0x801, 2),
    ReportField(L"DeptGNo", 0x801, 2),      ReportField(L"PLUGNo", 0x801, 2),
    ReportField(L"stock", 0x906, 12),       ReportField(L"act", 0x812, 4),
    ReportField(L"qty", 0x906, 12),         ReportField(L"amt", 0x908, 16)};
const FieldDef kFinancialGtFields[] = {
    ReportField(L"Caption", 0x400, 12), ReportField(L"cnt", 0x812, 4), ReportField(L"amt", 0x908, 16),
    ReportField(L"bcd15", 0x908, 16), ReportField(L"short", 0x802, 4)};
const FieldDef kTrainingClerkGtFields[] = {ReportField(L"Clerk#", 0x400, 1), ReportField(L"Caption", 0x400, 18),
                                           ReportField(L"CommitionRate", 0x902, 4)};

struct FieldList {
  const FieldDef* pFields;
  int nCount;
  int nDeclaredCount;  // the descriptor's field count
};
template <int N>
constexpr FieldList Fields(const FieldDef (&fields)[N], int declared = N) {
  return FieldList{fields, N, declared};
}

struct ReportKindDef {
  const wchar_t* pszCode;
  int nReportNumber;
  int nParams;
  uint32_t uTableId;
  const wchar_t* pszCaption;
  int nRecordCount;
  FieldList fields;
};

const ReportKindDef kReportKinds[REPORT_KIND_COUNT] = {
    {L"FINC", 16, 0, 7000, L"FINANCIAL", 0, Fields(kFinancialFields)},
    {L"ALCL", 17, 0, 7010, L"ALL CLERK", 0, Fields(kClerkFields)},
    {L"DPCS", 18, 0, 7020, L"DEPT/PLU CLERK SALES", 0, Fields(kClerkSalesFields)},
    {L"ALDP", 19, 0, 7030, L"ALL DEPARTMENT", 0, Fields(kDepartmentFields)},
    {L"ALPL", 20, 0, 7040, L"ALL PLU", 0, Fields(kPluFields)},
    {L"MTPL", 21, 0, 7060, L"URGENT PLU", 0, Fields(kUrgentPluFields)},
    {L"HOUR", 22, 0, 7080, L"HOURLY", 24, Fields(kHourlyFields)},
    {L"OTAC", 23, 0, 7090, L"OPEN TABLE(ALL CLERK)", 0, Fields(kOpenTableFields)},
    {L"OT1C", 24, 1, 7100, L"OPEN TABLE(ONE CLERK)", 0, Fields(kOpenTableFields)},
    {L"FLEJ", 25, 0, 7110, L"JOURNAL(FULL)", 0, Fields(kJournalFields)},
    {L"LAEJ", 26, 1, 7120, L"JOURNAL(LATEST)", 0, Fields(kJournalFields)},
    {L"OLEJ", 27, 1, 7130, L"JOURNAL(OLDEST)", 0, Fields(kJournalFields)},
    {L"DAEJ", 28, 1, 7140, L"JOURNAL(DAILY)", 0, Fields(kJournalFields)},
    {L"ATCL", 31, 0, 7150, L"ALL TRAINING CLERK", 0, Fields(kTrainingClerkFields, 1)},
    {L"FIGT", 32, 0, 7170, L"FINANCIAL GT", 0, Fields(kFinancialGtFields)},
    {L"ACGT", 33, 0, 7180, L"ALL CLERK GT", 0, Fields(kClerkFields)},
    {L"ADGT", 35, 0, 7190, L"ALL DEPARTMENT GT", 0, Fields(kDepartmentFields)},
    {L"APGT", 36, 0, 7200, L"ALL PLU GT", 0, Fields(kPluFields)},
    {L"ATCG", 47, 0, 7210, L"ALL TRAINING CLERK GT", 0, Fields(kTrainingClerkGtFields)},
    {L"EJ", 0, 0, 7220, L"REALTIME EJ", 0, Fields(kJournalFields)},
};

bool ValidKind(int kind) { return kind >= 0 && kind < REPORT_KIND_COUNT; }

// The marker is only tested for presence, whatever it holds.
bool DecimalPointMarkerPresent() {
  std::wstring path = platform::ResolveInFolder(platform::ExecutableFolder(), DECIMAL_POINT_MARKER);
  std::FILE* file = std::fopen(platform::NativePath(path).c_str(), "rb");
  if (!file) return false;
  std::fclose(file);
  return true;
}

}  // namespace

const wchar_t* ReportKindCode(int kind) { return ValidKind(kind) ? kReportKinds[kind].pszCode : nullptr; }

CReportEcr::CReportEcr() : CEcrReport(L"REPORT", KIND_REPORTS, -1) {
  for (int kind = 0; kind < REPORT_KIND_COUNT; ++kind) {
    const ReportKindDef& def = kReportKinds[kind];
    m_arrCodes[kind] = def.pszCode;
    BuildTable(m_aTables[kind], TableDef{def.uTableId, def.pszCaption, def.nRecordCount, -1, 2}, def.fields.pFields,
               def.fields.nCount, nullptr, this);
    m_aTables[kind].nFieldCount = def.fields.nDeclaredCount;
  }
  m_bDecimalPoint = DecimalPointMarkerPresent() ? 1 : 0;
}

int CReportEcr::GetTableCount() { return REPORT_KIND_COUNT; }
stTable_t* CReportEcr::GetTable(int kind) { return ValidKind(kind) ? &m_aTables[kind] : nullptr; }
int CReportEcr::GetReportNumber(int kind) { return ValidKind(kind) ? kReportKinds[kind].nReportNumber : -1; }
const wchar_t* CReportEcr::GetReportCode(int kind) { return ValidKind(kind) ? m_arrCodes[kind].c_str() : nullptr; }
int CReportEcr::GetReportParamCount(int kind) { return ValidKind(kind) ? kReportKinds[kind].nParams : 0; }

std::wstring CReportEcr::CsvPathFor(const std::wstring& reportPath, const std::wstring& outputFolder) {
  std::wstring name = platform::ToUpper(platform::FileNameOf(reportPath));
  for (size_t at = name.find(L".ECR"); at != std::wstring::npos; at = name.find(L".ECR", at + 4))
    name.replace(at, 4, L".CSV");
  return platform::JoinPath(outputFolder, name);
}

int CReportEcr::ConvertReport(int index, const wchar_t* outputFolder) {
  if (index < 0 || index >= static_cast<int>(m_lstReports.size())) return 0;
  const Report_s& report = m_lstReports[static_cast<size_t>(index)];
  std::wstring folder = outputFolder ? std::wstring(outputFolder) : m_strFolder;
  // An output folder that does not exist fails before any work is done.
  platform::FileStatus target = platform::GetFileStatus(folder.empty() ? L"." : folder);
  if (!target.bExists || !target.bDirectory) return 0;

  CReportInput input;
  if (!input.Open(report.strPath)) return 0;
  CCsvOutput output;
  int result = ConvertReportData(*this, report.nKind, input, output);
  // What the routine wrote before it stopped is kept, as the register's
  // other tools do; the file replaces an older one only when complete.
  if (!platform::WriteFileAtomic(CsvPathFor(report.strPath, folder), output.Bytes())) return 0;
  return result;
}
