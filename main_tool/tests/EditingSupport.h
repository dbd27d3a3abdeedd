// Fixtures of the table editing tests: a data object whose tables a test
// builds from field definitions, and a session of the main tool on a data
// folder filled by the demo data program.
#pragma once

#include <QString>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "main_tool/shell/EcrTilloraApp.h"
#include "main_tool/tests/QtTestSupport.h"
#include "model_library/EcrData.h"
#include "model_library/data/TableDef.h"

class CFlexListDlg;

// A data object of the given kind with tables made in the test. Its owner
// check refuses any text that holds "13", with the message "Not 13".
class CTestData : public CEcrData {
 public:
  explicit CTestData(int kind = KIND_REGISTER);

  // Adds a table built from the definitions; its rows (all zero) live here.
  stTable_t& AddTable(const TableDef& def, const std::vector<FieldDef>& fields);

  int Load(const wchar_t* folder) override;
  int Save(const wchar_t* folder) override;
  int GetTableCount() override { return static_cast<int>(m_tables.size()); }
  stTable_t* GetTable(int index) override;
  int Sort(int table) override;
  int CheckValue(CheckReq* request) override;
  int ExportText(int table, const wchar_t* path) override;
  int ImportText(int table, const wchar_t* path) override;

  int nLoadResult = 1;  // what Load answers and sets m_bLoaded to
  int nSaveResult = 1;
  int nTextResult = 1;  // what ExportText and ImportText answer
  int nLoads = 0;
  int nSaves = 0;
  std::vector<int> lstSorted;
  std::vector<std::pair<int, std::wstring>> lstExports;
  std::vector<std::pair<int, std::wstring>> lstImports;

 private:
  std::vector<std::unique_ptr<stTable_t>> m_tables;
  std::vector<std::vector<uint8_t>> m_rows;
};

// Reads and writes values by text, as a user sees them.
std::wstring ValueAt(const stTable_t& table, int record, int field);
void SetValueAt(stTable_t& table, int record, int field, const std::wstring& text);
// The bytes of all rows of a table.
std::vector<uint8_t> RowBytes(const stTable_t& table);

// The main tool started in a working folder whose data folder "Data" holds
// the demo shop's register files; settings lines may be added per test.
class DemoSession {
 public:
  explicit DemoSession(const std::string& extraSettings = std::string(), const std::string& captions = std::string());
  ~DemoSession();

  CEcrTilloraApp& App() { return *m_pApp; }
  CEcrData* Data(int32_t window) { return m_pApp->Library().GetEcrDataFromWndNo(window); }
  // Shows the table editor of the window number through the shell.
  CFlexListDlg* Open(int32_t window);
  std::string DataFile(const std::string& name) const { return m_work.Folder().Read("Data/" + name); }
  const WorkingFolder& Work() const { return m_work; }

 private:
  WorkingFolder m_work;
  std::unique_ptr<CEcrTilloraApp> m_pApp;
};

// A caption line of the caption file for `text`, with a tool tip when given.
std::string CaptionLine(const std::string& text, const std::string& toolTip = std::string());

// Test failures show texts as text.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
