// The table model under the grid: one row per record and one column per
// field of a table descriptor, read and written straight in the data
// object's rows. Display text, edit text, colours, alignment and font come
// from here; flags() lets only editable cells (state 0) be edited, and
// setData checks, stores and reports every value that reaches a cell.
#pragma once

#include <QAbstractTableModel>
#include <QFont>
#include <QStringList>
#include <functional>
#include <string>
#include <vector>

#include "model_library/EcrData.h"

class CEcrGridModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  // Decides on an entry before it is stored: nonzero accepts. The default
  // accepts what CheckTypedValue accepts.
  using Validator = std::function<int(int field, int record, const std::wstring& text)>;

  explicit CEcrGridModel(QObject* parent = nullptr);

  // Binds the table (null: no rows, no columns), reads the header captions
  // and computes every cell's state.
  void Bind(stTable_t* table);
  stTable_t* Table() const { return m_pTable; }
  void SetValidator(Validator validator) { m_validator = std::move(validator); }

  // The cell's state as computed at Bind (common/EntryCheck.h: 0 to 3).
  int State(int record, int field) const;
  // Reads the header captions again (after a caption changed).
  void RefreshHeaders();
  QString HeaderText(int field) const;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // An edit or a paste: refused for cells that are not editable, left alone
  // when the text is what the cell shows, else validated and stored.
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

 private:
  QString CellText(int record, int field) const;

  stTable_t* m_pTable = nullptr;
  int m_nRecords = 0;
  int m_nFields = 0;
  std::vector<uint8_t> m_abStates;  // record-major
  QStringList m_lstHeaders;
  QFont m_cellFont;
  Validator m_validator;
};
