#include "model_library/reports/CsvTableReader.h"

#include <algorithm>
#include <cstring>

#include "common/CaptionCell.h"
#include "platform/TextCodec.h"

namespace {

// The lines of the file as text. A CR, like a NUL, ends the line's text; an
// LF ends the line. UTF-16 text is split by code units, so a character whose
// code holds the byte 0A or 0D does not break its line.
template <typename Unit, typename Decode>
void SplitLines(const Unit* units, size_t count, Decode decode, std::vector<std::wstring>& lines) {
  size_t start = 0;
  while (start < count) {
    size_t end = start;
    while (end < count && units[end] != Unit('\n')) ++end;
    size_t textEnd = start;
    while (textEnd < end && units[textEnd] != Unit('\r') && units[textEnd] != Unit(0)) ++textEnd;
    lines.push_back(decode(units + start, textEnd - start));
    start = end + 1;
  }
}

std::vector<std::wstring> Lines(const uint8_t* data, size_t size) {
  std::vector<std::wstring> lines;
  if (size >= 2 && data[0] == 0xFF && data[1] == 0xFE) {
    std::vector<uint16_t> units((size - 2) / 2);
    for (size_t i = 0; i < units.size(); ++i) units[i] = static_cast<uint16_t>(data[2 + 2 * i] | data[3 + 2 * i] << 8);
    SplitLines(units.data(), units.size(), [](const uint16_t* text, size_t length) {
      return platform::Utf16LeToWide(reinterpret_cast<const uint8_t*>(text), length * 2);
    }, lines);
    // A last odd byte still completes a line of its own.
    if (size % 2 && (units.empty() || units.back() == '\n')) lines.emplace_back();
  } else {
    SplitLines(reinterpret_cast<const char*>(data), size, [](const char* text, size_t length) {
      return platform::Utf8ToWide(std::string(text, length));
    }, lines);
  }
  return lines;
}

// The values of a line in register bytes. Commas separate values, several
// in a row counting as one; a value that opens a quote runs on, commas
// included, to a value that closes it. Quotes around a value are removed.
std::vector<std::string> SplitValues(const std::string& line) {
  std::vector<std::string> tokens;
  for (size_t start = 0;;) {
    size_t comma = line.find(',', start);
    tokens.push_back(line.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  std::vector<std::string> values;
  for (size_t i = 0; i < tokens.size(); ++i) {
    if (tokens[i].empty()) continue;
    std::string value = tokens[i];
    auto open = [&value] { return value.front() == '"' && (value.size() < 2 || value.back() != '"'); };
    while (open() && i + 1 < tokens.size()) value += ',' + tokens[++i];
    size_t first = value.find_first_not_of('"');
    value = first == std::string::npos ? std::string() : value.substr(first, value.find_last_not_of('"') - first + 1);
    values.push_back(value);
  }
  return values;
}

}  // namespace

int ReadCsvRows(const uint8_t* data, size_t size, const stTable_t& table, std::vector<uint8_t>& rows) {
  const size_t recordSize = table.nRecordSize > 0 ? static_cast<size_t>(table.nRecordSize) : 0;
  const int columns = std::max(0, std::min(table.nFieldCount, MAX_TABLE_FIELDS));
  CCaptionManagerBase* manager = CurrentCaptionManager();
  int count = 0;
  std::string bytes;
  for (const std::wstring& line : Lines(data, size)) {
    bytes.clear();
    if (manager) manager->TextToEcr(line, bytes);
    std::vector<std::string> values = SplitValues(bytes);
    size_t row = rows.size();
    rows.resize(row + recordSize, 0);
    for (int column = 0; column < columns && static_cast<size_t>(column) < values.size(); ++column) {
      const stField_t& field = table.aFields[column];
      size_t width = field.nWidth > 0 ? static_cast<size_t>(field.nWidth) : 0;
      size_t offset = field.nOffset > 0 ? static_cast<size_t>(field.nOffset) : 0;
      if (offset >= recordSize) continue;
      width = std::min({width, recordSize - offset, values[column].size()});
      std::memcpy(&rows[row + offset], values[column].data(), width);
    }
    ++count;
  }
  return count;
}

std::wstring CsvTableCaption(const std::wstring& fileName, const std::wstring& code, const std::wstring& reportCaption) {
  std::wstring rest = fileName.substr(0, fileName.rfind(L'.'));
  std::wstring letters = platform::ToUpper(code);
  size_t first = 0;
  while (first < rest.size() && letters.find(platform::ToUpperChar(rest[first])) != std::wstring::npos) ++first;
  return reportCaption + L" " + rest.substr(first);
}
