// What the grid and the record card do with the values of a table: show them,
// check what the user typed (the same checks as ecrtool, common/EntryCheck.h)
// and store it, so that both screens agree on every value.
#pragma once

#include <QString>
#include <string>

#include "model_library/EcrData.h"

// True when the table has rows to show and store values in.
bool HasRows(const stTable_t& table);
// True when (field, record) names a value of the table.
bool IsValueOf(const stTable_t& table, int field, int record);

// The stored value formatted for display; false (text untouched) when the
// table has no rows or there is no such value.
bool FormatStoredValue(const stTable_t& table, int field, int record, std::wstring& text);

// 1 when the text may be stored: it fits the edit box and passes the field's
// range or owner check; 0 with the message to show.
int CheckTypedValue(stTable_t& table, int field, int record, const std::wstring& text, std::wstring& message);

// Stores the text into the value and counts an unsaved change of the owner;
// false when there is nowhere to store it.
bool StoreTypedValue(stTable_t& table, int field, int record, const std::wstring& text);

// The display level of the settings (`Level`; 0 without settings): tables
// and fields below it are not shown.
int DisplayLevel();

// The caption of a field or a table: its caption in the caption file
// (WND_TABLE_CAPTIONS), else the descriptor's own.
QString FieldCaption(const stField_t& field);
QString TableCaption(const stTable_t& table);
