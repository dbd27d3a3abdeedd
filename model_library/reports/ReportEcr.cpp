#include "model_library/reports/ReportEcr.h"

namespace {

struct ReportKindDef {
  const wchar_t* pszCode;
  int nReportNumber;
  int nParams;
};

const ReportKindDef kReportKinds[REPORT_KIND_COUNT] = {
    {L"FINC", 16, 0}, {L"ALCL", 17, 0}, {L"DPCS", 18, 0}, {L"ALDP", 19, 0}, {L"ALPL", 20, 0},
    {L"MTPL", 21, 0}, {L"HOUR", 22, 0}, {L"OTAC", 23, 0}, {L"OT1C", 24, 1}, {L"FLEJ", 25, 0},
    {L"LAEJ", 26, 1}, {L"OLEJ", 27, 1}, {L"DAEJ", 28, 1}, {L"ATCL", 31, 0}, {L"FIGT", 32, 0},
    {L"ACGT", 33, 0}, {L"ADGT", 35, 0}, {L"APGT", 36, 0}, {L"ATCG", 47, 0}, {L"EJ", 0, 0},
};

bool ValidKind(int kind) { return kind >= 0 && kind < REPORT_KIND_COUNT; }

}  // namespace

const wchar_t* ReportKindCode(int kind) { return ValidKind(kind) ? kReportKinds[kind].pszCode : nullptr; }

CReportEcr::CReportEcr() : CEcrReport(L"REPORT", KIND_REPORTS, -1) {
  for (int kind = 0; kind < REPORT_KIND_COUNT; ++kind) m_arrCodes[kind] = ReportKindCode(kind);
}

int CReportEcr::GetTableCount() { return REPORT_KIND_COUNT; }
stTable_t* CReportEcr::GetTable(int /*kind*/) { return nullptr; }
int CReportEcr::ConvertReport(int /*index*/, const wchar_t* /*outputFolder*/) { return 0; }
int CReportEcr::GetReportNumber(int kind) { return ValidKind(kind) ? kReportKinds[kind].nReportNumber : -1; }
const wchar_t* CReportEcr::GetReportCode(int kind) { return ValidKind(kind) ? m_arrCodes[kind].c_str() : nullptr; }
int CReportEcr::GetReportParamCount(int kind) { return ValidKind(kind) ? kReportKinds[kind].nParams : 0; }
