// Windows 17 to 21 and 24, the table editor: the tables of one data object of
// the model library in a list, the selected table in the grid, and Update
// (write the register file), Sort, Dump (export the table as text), Import
// CSV and Back. Entered values go straight into the object's rows; only
// Update writes them to the file. The report viewer (24) shows the CSV
// report store read-only.
#pragma once

#include <vector>

#include "main_tool/editing/EcrDialog.h"
#include "model_library/EcrData.h"

class CEcrGrid;
class QComboBox;
class QListWidget;
class QMouseEvent;
class QPushButton;

class CFlexListDlg : public CEcrDialog {
  Q_OBJECT
 public:
  static constexpr int kTemplateId = 105;
  enum ControlId { IDC_TABLE_LIST = 1039, IDC_GRID = 1114, IDC_UPDATE = 1013, IDC_SORT = 1019, IDC_BACK = 1016,
                   IDC_DUMP = 1021, IDC_IMPORT_CSV = 1245, IDC_LEVEL_LIST = 1242 };

  // `dataObject` is the model library's object of the window number, null when
  // the library has none (the window then says so and returns to the menu).
  CFlexListDlg(int32_t windowNumber, CEcrData* dataObject);

  CEcrGrid* Grid() const { return m_pGrid; }
  QListWidget* TableList() const { return m_pTables; }
  QPushButton* Button(int id) const;
  // The data object's index of the table selected in the list; -1 for none.
  int SelectedTableIndex() const;

  // Dump and Import CSV keep their horizontal place and move down with the
  // bottom edge; the host places the rest.
  int LayoutChild(QWidget* control, int dx, int dy) override;

 protected:
  void OnRefreshWindow() override;
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void FillLevelList();
  void Initialise();
  // False when no table is at or above the display level.
  bool FillTableList();
  void LeaveForMenu(int32_t caption, const wchar_t* fallback);
  int SelectedLevel() const;
  // Shows `table`, or the selected table when null.
  void ReloadGrid(stTable_t* table = nullptr);
  void ShowTableButtons(const stTable_t* table);
  bool OpensRecordCards() const;
  void PostRecordCard();

  void OnUpdate();
  void OnSort();
  void OnDump();
  void OnImportCsv();
  void OnBack();
  void OnTableSelected();
  void OnRecordCard(stTable_t* table, int record);
  void OnEditColumnCaption(stTable_t* table, int column);
  void TrackHeaderTip(QEvent* event);
  QString HeaderTipText(int column) const;

  CEcrData* m_pData;
  std::vector<int32_t> m_lstTableMap;  // list position -> table index
  int32_t m_nHoveredColumn = -1;       // grid column under the mouse in the header row
  QListWidget* m_pTables = nullptr;
  CEcrGrid* m_pGrid = nullptr;
  QComboBox* m_pLevels = nullptr;
};
