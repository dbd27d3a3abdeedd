#include "main_tool/editing/ValueEntry.h"

#include "common/CaptionCell.h"
#include "common/EntryCheck.h"
#include "common/ValueFormat.h"
#include "main_tool/editing/CaptionFont.h"
#include "main_tool/shell/ToolConfig.h"

bool HasRows(const stTable_t& table) { return table.pRows && table.nRecordSize > 0; }

bool IsValueOf(const stTable_t& table, int field, int record) {
  return field >= 0 && field < table.nFieldCount && field < MAX_TABLE_FIELDS && record >= 0 &&
         record < table.nRecordCount;
}

bool FormatStoredValue(const stTable_t& table, int field, int record, std::wstring& text) {
  if (!HasRows(table) || !IsValueOf(table, field, record)) return false;
  FormatValue(FieldValue(table, record, field), text, table.aFields[field]);
  return true;
}

int CheckTypedValue(stTable_t& table, int field, int record, const std::wstring& text, std::wstring& message) {
  // In ecrtool's order, so that both give the same message.
  if (!IsValueOf(table, field, record)) return 0;
  return CheckEntry(table, field, record, text.c_str(), message) &&
         CheckEditLimit(table.aFields[field], text.c_str(), message);
}

bool StoreTypedValue(stTable_t& table, int field, int record, const std::wstring& text) {
  if (!HasRows(table) || !IsValueOf(table, field, record)) return false;
  ParseValue(table.aFields[field], FieldValue(table, record, field), text.c_str());
  if (table.pOwner) ++table.pOwner->m_nChanges;
  return true;
}

int DisplayLevel() {
  const CToolConfig* config = TheToolConfig();
  return config ? config->m_nLevel : 0;
}

namespace {
QString CaptionOr(uint32_t id, const wchar_t* builtIn) {
  return CaptionToDisplay(CaptionTextOr(WND_TABLE_CAPTIONS, static_cast<int32_t>(id), builtIn));
}
}  // namespace

QString FieldCaption(const stField_t& field) { return CaptionOr(field.uId, field.szCaption); }
QString TableCaption(const stTable_t& table) { return CaptionOr(table.uId, table.szCaption); }
