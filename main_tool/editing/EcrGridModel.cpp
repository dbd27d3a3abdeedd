#include "main_tool/editing/EcrGridModel.h"

#include <QColor>
#include <algorithm>

#include "common/EntryCheck.h"
#include "main_tool/editing/CaptionFont.h"
#include "main_tool/editing/ValueEntry.h"

namespace {

const QColor kEditableBackground(0xFF, 0xFF, 0xFF);
const QColor kReadOnlyBackground(0xDC, 0xDC, 0xDC);
const QColor kBlankText(0x80, 0x80, 0x80);

// The cells' fixed-pitch font: "Courier New", 12 pixels, modern family.
S_LOGFONT CellLogFont() {
  S_LOGFONT logFont;
  logFont.lfHeight = -12;
  logFont.lfWeight = 400;
  logFont.lfOutPrecision = 3;
  logFont.lfClipPrecision = 2;
  logFont.lfQuality = 1;
  logFont.lfPitchAndFamily = 0x31;
  SetFaceName(logFont, QStringLiteral("Courier New"));
  return logFont;
}

Qt::Alignment CellAlignment(uint32_t type) {
  switch (type & FT_ALIGN_MASK) {
    case FT_ALIGN_LEFT: return Qt::AlignLeft | Qt::AlignVCenter;
    case FT_ALIGN_CENTRE: return Qt::AlignHCenter | Qt::AlignVCenter;
    default: return Qt::AlignRight | Qt::AlignVCenter;
  }
}

bool IsTextField(const stField_t& field) { return (field.uType & FT_STORAGE_MASK) == FT_TEXT; }

}  // namespace

CEcrGridModel::CEcrGridModel(QObject* parent) : QAbstractTableModel(parent), m_cellFont(FontFromLogFont(CellLogFont())) {
  m_cellFont.setFixedPitch(true);
  m_cellFont.setStyleHint(QFont::TypeWriter);
}

void CEcrGridModel::Bind(stTable_t* table) {
  beginResetModel();
  m_pTable = table;
  m_nFields = table ? std::clamp(table->nFieldCount, 0, MAX_TABLE_FIELDS) : 0;
  m_nRecords = table ? std::max(table->nRecordCount, 0) : 0;
  m_abStates.assign(static_cast<size_t>(m_nRecords) * m_nFields, CELL_GREY_READ_ONLY);
  for (int record = 0; record < m_nRecords; ++record)
    for (int field = 0; field < m_nFields; ++field)
      m_abStates[static_cast<size_t>(record) * m_nFields + field] =
          static_cast<uint8_t>(CellState(*table, record, field));
  m_lstHeaders.clear();
  for (int field = 0; field < m_nFields; ++field) m_lstHeaders << FieldCaption(table->aFields[field]);
  endResetModel();
}

int CEcrGridModel::State(int record, int field) const {
  if (record < 0 || record >= m_nRecords || field < 0 || field >= m_nFields) return CELL_GREY_READ_ONLY;
  return m_abStates[static_cast<size_t>(record) * m_nFields + field];
}

void CEcrGridModel::RefreshHeaders() {
  for (int field = 0; field < m_nFields; ++field) m_lstHeaders[field] = FieldCaption(m_pTable->aFields[field]);
  if (m_nFields > 0) emit headerDataChanged(Qt::Horizontal, 0, m_nFields - 1);
}

QString CEcrGridModel::HeaderText(int field) const {
  return field >= 0 && field < m_nFields ? m_lstHeaders[field] : QString();
}

int CEcrGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_nRecords; }
int CEcrGridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_nFields; }

QString CEcrGridModel::CellText(int record, int field) const {
  if (State(record, field) == CELL_GREY_READ_ONLY) return QString();
  std::wstring text;
  FormatStoredValue(*m_pTable, field, record, text);
  return QString::fromStdWString(text);
}

QVariant CEcrGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || !m_pTable) return QVariant();
  const int record = index.row(), field = index.column();
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: return CellText(record, field);
    case Qt::BackgroundRole:
      return State(record, field) == CELL_EDITABLE ? kEditableBackground : kReadOnlyBackground;
    case Qt::ForegroundRole:
      return State(record, field) == CELL_GREY_READ_ONLY ? QVariant(kBlankText) : QVariant();
    case Qt::TextAlignmentRole: return QVariant::fromValue(CellAlignment(m_pTable->aFields[field].uType));
    case Qt::FontRole: return m_cellFont;
    default: return QVariant();
  }
}

QVariant CEcrGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Vertical) {
    if (role == Qt::DisplayRole) return section + 1;
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return QVariant();
  }
  if (section < 0 || section >= m_nFields) return QVariant();
  if (role == Qt::DisplayRole) return m_lstHeaders[section];
  if (role == Qt::TextAlignmentRole)
    return QVariant::fromValue((IsTextField(m_pTable->aFields[section]) ? Qt::AlignLeft : Qt::AlignRight) |
                               Qt::AlignVCenter);
  return QVariant();
}

Qt::ItemFlags CEcrGridModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (State(index.row(), index.column()) == CELL_EDITABLE) flags |= Qt::ItemIsEditable;
  return flags;
}

bool CEcrGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole || !m_pTable) return false;
  const int record = index.row(), field = index.column();
  if (State(record, field) != CELL_EDITABLE) return false;
  const std::wstring text = value.toString().toStdWString();
  // An edit that changed nothing leaves the stored bytes as they are.
  if (text == CellText(record, field).toStdWString()) return true;
  std::wstring message;
  const int accepted =
      m_validator ? m_validator(field, record, text) : CheckTypedValue(*m_pTable, field, record, text, message);
  if (!accepted || !StoreTypedValue(*m_pTable, field, record, text)) return false;
  emit dataChanged(index, index);
  return true;
}
