// Descriptor tables written as data: each data object lists its tables and
// fields in this compact form, and BuildTable turns them into the stTable_t
// records that callers see.
#pragma once

#include <cstdint>

#include "model_library/EcrData.h"

// The source of a field's choices: window number of the object whose table
// supplies them, the table and the field in it; all 0 for a field without a list.
struct ListRef {
  int nWnd;
  int nTable;
  int nField;
};
constexpr ListRef NO_LIST{0, 0, 0};

// One field in the column order of the layout tables: caption, id, type word,
// width, record-card input, check kind, range, display level, choices.
struct FieldDef {
  const wchar_t* pszCaption;
  uint32_t uId;
  uint32_t uType;
  int nWidth;
  int nInput;
  int nCheck;
  double dMin;
  double dMax;
  int nLevel;
  ListRef list;
};

struct TableDef {
  uint32_t uId;
  const wchar_t* pszCaption;
  int nRecordCount;
  int nSortField;  // -1: not sortable
  int nLevel;
};

// Fills the descriptor from the definitions, binds rows and owner and
// computes offsets and record size. Field counts above MAX_TABLE_FIELDS are cut.
void BuildTable(stTable_t& table, const TableDef& def, const FieldDef* fields, int fieldCount,
                uint8_t* rows, CEcrData* owner);

// Copies a caption into a descriptor's fixed caption array, cut to fit.
void CopyCaption(wchar_t (&target)[DESCRIPTOR_CAPTION_CHARS], const wchar_t* caption);

template <int N>
void BuildTable(stTable_t& table, const TableDef& def, const FieldDef (&fields)[N], uint8_t* rows,
                CEcrData* owner) {
  BuildTable(table, def, fields, N, rows, owner);
}
