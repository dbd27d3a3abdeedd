#include "model_library/reports/ReportCsv.h"

#include "model_library/data/TableDef.h"

namespace {

// A column of a converted report: every value is text, left- or right-aligned.
constexpr uint32_t LEFT = 0x400;
constexpr uint32_t RIGHT = 0x800;
constexpr FieldDef Column(uint32_t id, const wchar_t* caption, uint32_t type, int width) {
  return FieldDef{caption, id, type, width, 0, 0, 0, 0, 2, NO_LIST};
}

const FieldDef kFinancialColumns[] = {Column(7001, L"", LEFT, 28), Column(7002, L"Count", RIGHT, 4),
                                      Column(7003, L"Amount", RIGHT, 17)};
const FieldDef kClerkColumns[] = {Column(7011, L"", LEFT, 16), Column(7012, L"", LEFT, 18),
                                  Column(7013, L"", RIGHT, 17)};
const FieldDef kClerkSalesColumns[] = {
    Column(7021, L"CLERK#", LEFT, 2),       Column(7022, L"CLERK Name", RIGHT, 18),
    Column(7023, L"PLU#/DEPT#", RIGHT, 16), Column(7024, L"PLU/DEPT Name", RIGHT, 20),
    Column(7025, L"Quantity", RIGHT, 12),   Column(7026, L"Amount", RIGHT, 17),
    Column(7025, L"Quantity", RIGHT, 12),   Column(7026, L"Amount", RIGHT, 17),
    Column(7025, L"Quantity", RIGHT, 12),   Column(7026, L"Amount", RIGHT, 17)};
const FieldDef kDepartmentColumns[] = {
    Column(7031, L"DEPT#", LEFT, 2),          Column(7032, L"DEPT Name", LEFT, 18),
    Column(7033, L"LinkDEPT G No", LEFT, 2),  Column(7034, L"LinkDEPT G Name", LEFT, 18),
    Column(7036, L"Quantity", RIGHT, 12),     Column(7037, L"Amount", RIGHT, 17)};
const FieldDef kPluColumns[] = {
    Column(7041, L"PLU#", LEFT, 14),           Column(7042, L"PLU Name", LEFT, 18),
    Column(7043, L"LinkDEPT No", LEFT, 2),     Column(7044, L"LinkDEPT Name", LEFT, 18),
    Column(7045, L"LinkPLU G No", LEFT, 2),    Column(7046, L"LinkPLU G Name", LEFT, 18),
    Column(7047, L"Stock", RIGHT, 12),         Column(7049, L"Prict1 Qty", RIGHT, 12),
    Column(7050, L"Prict1 Amt", RIGHT, 17),    Column(7052, L"Prict2 Qty", RIGHT, 12),
    Column(7053, L"Prict2 Amt", RIGHT, 17),    Column(7055, L"Prict3 Qty", RIGHT, 12),
    Column(7056, L"Prict3 Amt", RIGHT, 17)};
const FieldDef kUrgentPluColumns[] = {
    Column(7061, L"PLU#", LEFT, 14),        Column(7062, L"LinkDEPT No", LEFT, 2),
    Column(7063, L"LinkDEPT Name", LEFT, 18), Column(7065, L"Prict1 Qty", RIGHT, 12),
    Column(7066, L"Prict1 Amt", RIGHT, 17), Column(7068, L"Prict2 Qty", RIGHT, 12),
    Column(7069, L"Prict2 Amt", RIGHT, 17), Column(7071, L"Prict3 Qty", RIGHT, 12),
    Column(7072, L"Prict3 Amt", RIGHT, 17)};
const FieldDef kHourlyColumns[] = {Column(7081, L"Time HH:MM - HH:MM", LEFT, 16), Column(7082, L"cnt", RIGHT, 4),
                                   Column(7083, L"Total", RIGHT, 17)};
const FieldDef kOpenTableColumns[] = {Column(7091, L"TABLE#", LEFT, 3), Column(7092, L"CLERK#", LEFT, 2),
                                      Column(7093, L"OLD BALANCE", RIGHT, 17)};
const FieldDef kJournalColumns[] = {Column(7111, L"", LEFT, 24)};
const FieldDef kTrainingClerkColumns[] = {
    Column(7151, L"", LEFT, 18), Column(7152, L"", LEFT, 20), Column(7153, L"", LEFT, 18),
    Column(7154, L"", LEFT, 18), Column(7155, L"", LEFT, 8),  Column(7156, L"", LEFT, 18),
    Column(7157, L"", LEFT, 12), Column(7159, L"", LEFT, 17), Column(7160, L"", LEFT, 17),
    Column(7162, L"", LEFT, 12), Column(7163, L"", LEFT, 17), Column(7165, L"", LEFT, 12),
    Column(7166, L"", LEFT, 17)};
const FieldDef kTrainingClerkGtColumns[] = {Column(7211, L"", LEFT, 16), Column(7212, L"", LEFT, 18),
                                            Column(7213, L"", LEFT, 17), Column(7214, L"", RIGHT, 16)};

struct TemplateDef {
  uint32_t uTableId;
  const wchar_t* pszCaption;
  int nRecordCount;
  const FieldDef* pColumns;
  int nColumns;
};
template <int N>
constexpr TemplateDef Template(uint32_t id, const wchar_t* caption, const FieldDef (&columns)[N], int records = 0) {
  return TemplateDef{id, caption, records, columns, N};
}

const TemplateDef kTemplates[REPORT_KIND_COUNT] = {
    Template(7000, L"FINANCIAL", kFinancialColumns),
    Template(7010, L"ALL CLERK", kClerkColumns),
    Template(7020, L"DEPT/PLU CLERK SALES", kClerkSalesColumns),
    Template(7030, L"ALL DEPARTMENT", kDepartmentColumns),
    Template(7040, L"ALL PLU", kPluColumns),
    Template(7060, L"URGENT PLU", kUrgentPluColumns),
    Template(7080, L"HOURLY", kHourlyColumns),
    Template(7090, L"OPEN TABLE(ALL CLERK)", kOpenTableColumns, 24),
    Template(7100, L"OPEN TABLE(ONE CLERK)", kOpenTableColumns, 24),
    Template(7110, L"JOURNAL(FULL)", kJournalColumns),
    Template(7120, L"JOURNAL(LATEST)", kJournalColumns),
    Template(7130, L"JOURNAL(OLDEST)", kJournalColumns),
    Template(7140, L"JOURNAL(DAILY)", kJournalColumns),
    Template(7150, L"ALL TRAINING CLERK", kTrainingClerkColumns),
    Template(7170, L"FINANCIAL GT", kFinancialColumns),
    Template(7180, L"ALL CLERK GT", kClerkColumns),
    Template(7190, L"ALL DEPARTMENT GT", kDepartmentColumns),
    Template(7200, L"ALL PLU GT", kPluColumns),
    Template(7210, L"ALL TRAINING CLERK GT", kTrainingClerkGtColumns),
    Template(7220, L"REALTIME EJ", kJournalColumns),
};

bool ValidKind(int kind) { return kind >= 0 && kind < REPORT_KIND_COUNT; }

}  // namespace

CReportCsv::CReportCsv() : CEcrCsv(L"CSV", KIND_CSV_REPORTS, -1, REPORT_KIND_COUNT) {
  for (int kind = 0; kind < REPORT_KIND_COUNT; ++kind) {
    m_arrCodes[kind] = ReportKindCode(kind);
    const TemplateDef& def = kTemplates[kind];
    BuildTable(m_aTemplates[kind], TableDef{def.uTableId, def.pszCaption, def.nRecordCount, -1, 2}, def.pColumns,
               def.nColumns, nullptr, this);
  }
}

const wchar_t* CReportCsv::GetCsvCode(int kind) { return ValidKind(kind) ? m_arrCodes[kind].c_str() : nullptr; }
stTable_t* CReportCsv::GetCsvTemplate(int kind) { return ValidKind(kind) ? &m_aTemplates[kind] : nullptr; }
