// The checks an entered value passes before it is stored in a row: the same
// for the grid, the record card and ecrtool, so that a value refused in one
// place is refused everywhere.
#pragma once

#include <string>

#include "model_library/EcrData.h"

// Reads a plain decimal number: optional blanks, an optional sign, digits, an
// optional point with digits. Exponents, hexadecimal and "inf"/"nan" are not
// numbers here, since packed fields would store their letters as digits.
// `value` is 0 when nothing could be read; `rest` points where reading stopped
// (the start of the text when no digit was found).
double ReadEntryNumber(const wchar_t* text, const wchar_t** rest);
// True when the whole text is such a number (an empty text reads as 0).
bool IsEntryNumber(const wchar_t* text, double& value);

// Only amounts (storage type 6) have decimals; the number conversion of the
// other number fields would drop them silently.
bool TakesDecimals(const stField_t& field);

// Check kind 1 (skipped when min equals max): the text must be a number within
// [min, max] with nothing after it, and whole unless the field takes
// decimals; a refusal says "Range is %.0f - %.0f". Check kind 2: the table
// owner's CheckValue decides and supplies the message. Returns 1 to accept,
// 0 to refuse with `message` filled in.
int CheckEntry(stTable_t& table, int field, int row, const wchar_t* text, std::wstring& message);

// The grid's edit box takes at most `width` characters; callers without an
// edit box (scripts) get the same limit as a refusal instead of a silent cut.
int CheckEditLimit(const stField_t& field, const wchar_t* text, std::wstring& message);

// The grid's state of a cell: 0 editable, 1 read-only, 2 editable field
// greyed and read-only because its value lies outside [min, max] (flag
// 0x1000), 3 the same for a field that is not editable, or a table without rows.
enum { CELL_EDITABLE, CELL_READ_ONLY, CELL_GREY_EDITABLE, CELL_GREY_READ_ONLY };
int CellState(const stTable_t& table, int row, int field);

// "Range is %.0f - %.0f" with the bounds filled in.
std::wstring RangeMessage(double min, double max);
