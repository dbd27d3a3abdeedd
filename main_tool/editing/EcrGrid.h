// The grid of the table editor: a table view bound to one table descriptor of
// the model library through CEcrGridModel. It sizes and hides the columns by
// the display level, checks every entry (typed, deleted, cut or pasted) with
// ValidateEntry before the model stores it, keeps Enter and Esc to itself,
// opens the editor with F5, and asks its parent for the record card (right
// click on a row header) or the caption editor (right click on a column header).
#pragma once

#include <QEvent>
#include <QStringList>
#include <QTableView>
#include <string>

#include "model_library/EcrData.h"

class CEcrGridModel;

// Posted to the grid's parent: the bound table in m_wParam, the 1-based
// record number or field number in m_lParam.
constexpr QEvent::Type UM_OPEN_RECORD_CARD = static_cast<QEvent::Type>(1035);
constexpr QEvent::Type UM_EDIT_COLUMN_CAPTION = static_cast<QEvent::Type>(1036);

class CEcrGrid : public QTableView {
  Q_OBJECT
 public:
  explicit CEcrGrid(QWidget* parent = nullptr);

  // Binds the table and shows it with the fields below `level` hidden (-1
  // shows all). 0 when the table is null (nothing changes), else 1.
  int LoadTable(stTable_t* table, int level);
  // Removes all rows and columns.
  void Empty();
  // Header texts and column widths again from the captions; columns that the
  // level hid are shown again. 0 when no table is bound.
  int RefreshHeaders();
  // The cell's state as computed by the last load (0 editable ... 3 blank).
  int GetCellState(int field, int record) const;
  // The stored value formatted; 0 (text untouched) when there is none.
  int GetCellText(int field, int record, std::wstring& text) const;
  // Checks an entry; on refusal shows the message and gives 0.
  virtual int ValidateEntry(int field, int record, const std::wstring& text);

  stTable_t* Table() const;
  CEcrGridModel* Model() const { return m_pModel; }
  // The width rule of a column: 9 pixels per character of the field's width
  // or of its header text with a terminating zero, whichever is more.
  static int ColumnWidth(const stField_t& field, const QString& header);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void SizeColumns(int level);
  void StartEditWithMiddleDot();
  void PostToParent(QEvent::Type type, intptr_t number);
  void OnRowHeaderRightClick(int row);
  // Delete, cut and paste change many cells: the values pass one by one, and
  // the refusals are shown together once the command is done.
  void ClearSelectedCells();
  // Columns (x) and rows (y) spanned by the selection; empty without one.
  QRect SelectedRange() const;
  void CopySelection();
  void PasteClipboard();
  void BeginCommand();
  void EndCommand();

  CEcrGridModel* m_pModel;
  bool m_bInCommand = false;
  QStringList m_lstRefusals;
};
