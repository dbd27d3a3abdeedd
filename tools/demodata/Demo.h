// The demo data program: each part of the register data has a writer that
// fills its objects from the demo catalogue through the model library and
// saves them into the data folder. main.cpp lists the writers, one line each.
#pragma once

#include <string>

#include "model_library/EcrData.h"
#include "tools/support/ModelLibrary.h"

// A writer: fills and saves its objects; false with a message in `error`.
using DemoWriter = bool (*)(ModelLibrary& library, const std::wstring& folder, std::string& error);

// Departments in groups, PLUs and PLU groups, clerks.
bool WriteDemoRecords(ModelLibrary& library, const std::wstring& folder, std::string& error);
// Tax rates, payment media, messages, and a keyboard with department and PLU preset keys.
bool WriteDemoSettings(ModelLibrary& library, const std::wstring& folder, std::string& error);
// One report file of every layout, from the same catalogue.
bool WriteDemoReportFiles(ModelLibrary& library, const std::wstring& folder, std::string& error);

// Helpers for the writers.

// Stores `text` in the field with caption number `id` the way the table
// editor would; false when the table has no such field or row.
bool SetDemoField(stTable_t& table, int row, uint32_t id, const std::string& text);
// Clears every field of the row (numbers 0, texts blank).
void ClearDemoRow(stTable_t& table, int row);
// The object of a window number; its rows start from what the library holds,
// so writers set every row they save.
CEcrData* DemoObject(ModelLibrary& library, int wndNo, std::string& error);
// Saves the object into the folder; false with a message naming its file.
bool SaveDemoObject(CEcrData& data, const std::wstring& folder, std::string& error);
// Decimal text of an amount in the smallest unit, e.g. 1234 thousandths as "1.234".
std::string DemoMilli(int64_t thousandths);
