#include "main_tool/tests/EditingSupport.h"

#include <cstdlib>
#include <cwchar>
#include <stdexcept>

#include "common/ValueFormat.h"
#include "main_tool/editing/FlexListDlg.h"

CTestData::CTestData(int kind) : CEcrData(L"TEST", kind, 0) {}

stTable_t& CTestData::AddTable(const TableDef& def, const std::vector<FieldDef>& fields) {
  m_tables.push_back(std::make_unique<stTable_t>());
  stTable_t& table = *m_tables.back();
  BuildTable(table, def, fields.data(), static_cast<int>(fields.size()), nullptr, this);
  m_rows.emplace_back(static_cast<size_t>(table.nRecordSize) * static_cast<size_t>(std::max(def.nRecordCount, 0)));
  table.pRows = m_rows.back().data();
  return table;
}

int CTestData::Load(const wchar_t*) {
  ++nLoads;
  m_bLoaded = nLoadResult;
  return nLoadResult;
}

int CTestData::Save(const wchar_t*) {
  ++nSaves;
  return nSaveResult;
}

stTable_t* CTestData::GetTable(int index) {
  return index >= 0 && index < GetTableCount() ? m_tables[static_cast<size_t>(index)].get() : nullptr;
}

int CTestData::Sort(int table) {
  lstSorted.push_back(table);
  return 1;
}

int CTestData::CheckValue(CheckReq* request) {
  if (!std::wcsstr(request->pszText, L"13")) return 1;
  *request->pstrMessage = L"Not 13";
  return 0;
}

int CTestData::ExportText(int table, const wchar_t* path) {
  lstExports.emplace_back(table, path);
  return nTextResult;
}

int CTestData::ImportText(int table, const wchar_t* path) {
  lstImports.emplace_back(table, path);
  return nTextResult;
}

std::wstring ValueAt(const stTable_t& table, int record, int field) {
  std::wstring text;
  FormatValue(FieldValue(table, record, field), text, table.aFields[field]);
  return text;
}

void SetValueAt(stTable_t& table, int record, int field, const std::wstring& text) {
  ParseValue(table.aFields[field], FieldValue(table, record, field), text.c_str());
}

std::vector<uint8_t> RowBytes(const stTable_t& table) {
  if (!table.pRows) return {};
  return std::vector<uint8_t>(table.pRows,
                              table.pRows + static_cast<size_t>(table.nRecordSize) * table.nRecordCount);
}

namespace {
constexpr char kSep[] = "\xE2\xBF\xBF";  // U+2FFF, the field separator of caption lines
}

std::string CaptionLine(const std::string& text, const std::string& toolTip) {
  std::string line = "-13";
  for (int i = 0; i < 12; ++i) line += std::string(kSep) + (i == 3 ? "400" : "0");
  return line + kSep + "DejaVu Sans" + kSep + text + kSep + (toolTip.empty() ? "0" : "1") + kSep +
         (toolTip.empty() ? " " : toolTip);
}

DemoSession::DemoSession(const std::string& extraSettings, const std::string& captions) {
  const std::string demo = std::string(ECR_BIN_DIR "/ecrdemo ") + m_work.Path("Data") + " >/dev/null";
  if (std::system(demo.c_str()) != 0) throw std::runtime_error("ecrdemo failed");
  m_work.Write("Tillora.ini", "[DEFAULT]\nLanguage=ENG\nDataPath=./Data\n" + extraSettings +
                                  "\n[OPTION]\nAutoPopup=0\n");
  m_work.WriteCaptionFile("Cap/ARVODLL_ENG.Cap", captions);
  m_pApp = std::make_unique<CEcrTilloraApp>();
  m_pApp->Start();
}

DemoSession::~DemoSession() { m_pApp.reset(); }

CFlexListDlg* DemoSession::Open(int32_t window) {
  m_pApp->ShowWindow(window);
  ProcessAll();
  return qobject_cast<CFlexListDlg*>(m_pApp->CurrentWindow());
}
