#include "model_library/data/TableDef.h"

#include <cstring>
#include <cwchar>

void CopyCaption(wchar_t (&target)[DESCRIPTOR_CAPTION_CHARS], const wchar_t* caption) {
  size_t length = caption ? wcsnlen(caption, DESCRIPTOR_CAPTION_CHARS - 1) : 0;
  if (length) std::wmemcpy(target, caption, length);
  target[length] = L'\0';
}

void BuildTable(stTable_t& table, const TableDef& def, const FieldDef* fields, int fieldCount,
                uint8_t* rows, CEcrData* owner) {
  std::memset(&table, 0, sizeof table);
  table.uId = def.uId;
  CopyCaption(table.szCaption, def.pszCaption);
  table.nFieldCount = fieldCount > MAX_TABLE_FIELDS ? MAX_TABLE_FIELDS : fieldCount;
  table.nRecordCount = def.nRecordCount;
  table.nSortField = def.nSortField;
  table.nLevel = def.nLevel;
  for (int i = 0; i < table.nFieldCount; ++i) {
    const FieldDef& in = fields[i];
    stField_t& out = table.aFields[i];
    out.uId = in.uId;
    CopyCaption(out.szCaption, in.pszCaption);
    out.uType = in.uType;
    out.nInput = in.nInput;
    out.nCheck = in.nCheck;
    out.nWidth = in.nWidth;
    out.dMin = in.dMin;
    out.dMax = in.dMax;
    out.nLevel = in.nLevel;
    out.nListWnd = in.list.nWnd;
    out.nListTable = in.list.nTable;
    out.nListField = in.list.nField;
  }
  table.pRows = rows;
  table.pOwner = owner;
  CEcrData::PrepareTable(table);
}
