// Reading a report CSV file back into the rows of a table: lines split into
// values, each value stored as register text cut or zero-padded to its column.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model_library/EcrData.h"

// Appends one row per line of the file to `rows` (table.nRecordSize bytes
// each, laid out by the field offsets) and returns the number of rows. Files
// that begin with FF FE are UTF-16LE; others are read as UTF-8, or as the
// code page where they are not valid UTF-8.
int ReadCsvRows(const uint8_t* data, size_t size, const stTable_t& table, std::vector<uint8_t>& rows);

// The caption of a table read from a file: the report caption, a space, and
// the file name without its extension and without the leading letters of
// the report code (FINC1530.CSV -> "FINANCIAL 1530").
std::wstring CsvTableCaption(const std::wstring& fileName, const std::wstring& code, const std::wstring& reportCaption);
