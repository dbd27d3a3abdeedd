// Text export and import of tables: one row per line, fields separated by
// commas, UTF-16 little-endian, so that users can keep tables in a spreadsheet.
#include <algorithm>
#include <string>

#include "common/CaptionCell.h"
#include "common/ValueFormat.h"
#include "model_library/EcrData.h"
#include "platform/FileSystem.h"
#include "platform/TextCodec.h"

namespace {

constexpr size_t MAX_CELL_CHARS = 255;
const std::string kUtf16Bom = "\xFF\xFE";
const std::string kUtf8Bom = "\xEF\xBB\xBF";

std::wstring TableCaption(const stTable_t& table) {
  return CaptionTextOr(WND_TABLE_CAPTIONS, static_cast<int32_t>(table.uId), table.szCaption);
}

std::wstring FieldCaptionLine(const stTable_t& table) {
  std::wstring line;
  for (int f = 0; f < table.nFieldCount; ++f) {
    if (f) line += L',';
    line += CaptionTextOr(WND_TABLE_CAPTIONS, static_cast<int32_t>(table.aFields[f].uId), table.aFields[f].szCaption);
  }
  return line;
}

std::wstring RowLine(const stTable_t& table, int row) {
  std::wstring line;
  std::wstring text;
  for (int f = 0; f < table.nFieldCount; ++f) {
    if (f) line += L',';
    FormatValue(FieldValue(table, row, f), text, table.aFields[f]);
    line += text;
  }
  return line;
}

// The characters of an import file: UTF-16LE, with or without its byte-order
// mark; a UTF-8 byte-order mark marks UTF-8 text, as Windows' Unicode text mode reads it.
std::wstring DecodeImportText(const std::string& bytes) {
  if (bytes.compare(0, kUtf8Bom.size(), kUtf8Bom) == 0) return platform::Utf8ToWide(bytes.substr(kUtf8Bom.size()));
  size_t start = bytes.compare(0, kUtf16Bom.size(), kUtf16Bom) == 0 ? kUtf16Bom.size() : 0;
  return platform::Utf16LeToWide(reinterpret_cast<const uint8_t*>(bytes.data()) + start, (bytes.size() - start) & ~size_t{1});
}

void ParseCell(const stTable_t& table, int row, int field, std::wstring cell) {
  const stField_t& descriptor = table.aFields[field];
  if (cell.size() > MAX_CELL_CHARS) cell.resize(MAX_CELL_CHARS);
  if ((descriptor.uType & FT_STORAGE_MASK) == FT_TEXT && descriptor.nWidth >= 0 &&
      cell.size() > static_cast<size_t>(descriptor.nWidth))
    cell.resize(static_cast<size_t>(descriptor.nWidth));
  ParseValue(descriptor, FieldValue(table, row, field), cell.c_str());
}

}  // namespace

int CEcrData::ExportText(int table, const wchar_t* path) {
  stTable_t* descriptor = GetTable(table);
  if (!descriptor || !path || !descriptor->pRows) return 0;
  std::wstring text = TableCaption(*descriptor) + L"\r\n" + FieldCaptionLine(*descriptor) + L"\r\n";
  for (int row = 0; row < descriptor->nRecordCount; ++row) text += RowLine(*descriptor, row) + L"\r\n";
  // Written whole through a temporary file: a failed export leaves any
  // earlier file as it was instead of a partial one.
  return platform::WriteFileAtomic(path, kUtf16Bom + platform::WideToUtf16Le(text)) ? 1 : 0;
}

int CEcrData::ImportText(int table, const wchar_t* path) {
  std::vector<uint8_t> bytes;
  if (!path || !platform::ReadFileBytes(path, bytes)) return 0;
  stTable_t* descriptor = GetTable(table);
  if (!descriptor || !descriptor->pRows) return 0;
  std::wstring text = DecodeImportText(std::string(bytes.begin(), bytes.end()));
  if (text.empty()) return 0;

  int row = 0;
  int field = 0;
  std::wstring cell;
  for (size_t i = 0; i < text.size() && row < descriptor->nRecordCount; ++i) {
    wchar_t ch = text[i];
    if (ch == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') continue;  // CR LF is one line end
    if (ch != L',' && ch != L'\n') {
      cell += ch;
      continue;
    }
    if (field < descriptor->nFieldCount) ParseCell(*descriptor, row, field, cell);
    cell.clear();
    if (ch == L',') {
      ++field;
    } else {
      ++row;
      field = 0;
    }
  }
  // Rows the file did not reach, the row of a last line without line end
  // among them, are cleared.
  for (; row < descriptor->nRecordCount; ++row)
    for (int f = 0; f < descriptor->nFieldCount; ++f) ParseValue(descriptor->aFields[f], FieldValue(*descriptor, row, f), L"");
  return 1;
}
