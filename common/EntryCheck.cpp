#include "common/EntryCheck.h"

#include <cwchar>

#include "common/ValueFormat.h"
#include <cmath>

namespace {
bool IsDigit(wchar_t ch) { return ch >= L'0' && ch <= L'9'; }
bool IsBlank(wchar_t ch) { return ch == L' ' || (ch >= L'\t' && ch <= L'\r'); }

std::wstring Format(const wchar_t* format, double a, double b) {
  wchar_t buffer[160];
  std::swprintf(buffer, sizeof buffer / sizeof buffer[0], format, a, b);
  return buffer;
}
}  // namespace

double ReadEntryNumber(const wchar_t* text, const wchar_t** rest) {
  const wchar_t* start = text ? text : L"";
  const wchar_t* p = start;
  while (IsBlank(*p)) ++p;
  bool negative = false;
  if (*p == L'+' || *p == L'-') negative = *p++ == L'-';
  // All digits as one integer and the count of decimals, divided once at the
  // end: the result is the double nearest to the text, like a literal, and
  // does not depend on the locale's decimal point.
  double mantissa = 0;
  int digits = 0;
  int decimals = 0;
  for (; IsDigit(*p); ++p, ++digits) mantissa = mantissa * 10 + (*p - L'0');
  if (*p == L'.' && (digits > 0 || IsDigit(p[1]))) {
    for (++p; IsDigit(*p); ++p, ++digits, ++decimals) mantissa = mantissa * 10 + (*p - L'0');
  }
  if (digits == 0) {
    if (rest) *rest = start;
    return 0;
  }
  if (rest) *rest = p;
  double value = decimals ? mantissa / std::pow(10.0, decimals) : mantissa;
  return negative ? -value : value;
}

bool IsEntryNumber(const wchar_t* text, double& value) {
  const wchar_t* rest = nullptr;
  value = ReadEntryNumber(text, &rest);
  return *rest == L'\0';
}

bool TakesDecimals(const stField_t& field) { return (field.uType & FT_STORAGE_MASK) == FT_AMOUNT6; }

std::wstring RangeMessage(double min, double max) { return Format(L"Range is %.0f - %.0f", min, max); }

int CheckEntry(stTable_t& table, int field, int row, const wchar_t* text, std::wstring& message) {
  message.clear();
  if (field < 0 || field >= table.nFieldCount) return 0;
  const stField_t& descriptor = table.aFields[field];
  double value = 0;
  const bool wholeNumber = IsEntryNumber(text, value);
  switch (descriptor.nCheck) {
    case CHECK_RANGE:
      if (descriptor.dMin == descriptor.dMax) return 1;
      if (wholeNumber && value >= descriptor.dMin && value <= descriptor.dMax &&
          (TakesDecimals(descriptor) || value == std::floor(value)))
        return 1;
      message = RangeMessage(descriptor.dMin, descriptor.dMax);
      return 0;
    case CHECK_OWNER: {
      if (!table.pOwner) return 1;
      CheckReq request{&table, field, row, text ? text : L"", value, &message};
      return table.pOwner->CheckValue(&request) ? 1 : 0;
    }
    default:
      return 1;
  }
}

int CheckEditLimit(const stField_t& field, const wchar_t* text, std::wstring& message) {
  const size_t length = text ? std::wcslen(text) : 0;
  if (field.nWidth <= 0 || length <= static_cast<size_t>(field.nWidth)) return 1;
  wchar_t buffer[96];
  std::swprintf(buffer, sizeof buffer / sizeof buffer[0], L"At most %d characters", field.nWidth);
  message = buffer;
  return 0;
}

int CellState(const stTable_t& table, int row, int field) {
  if (!table.pRows || table.nRecordSize == 0 || field < 0 || field >= table.nFieldCount) return CELL_GREY_READ_ONLY;
  const stField_t& descriptor = table.aFields[field];
  const bool editable = (descriptor.uType & FT_EDITABLE) != 0;
  if (descriptor.uType & FT_GREY_OUTSIDE) {
    std::wstring text;
    FormatValue(FieldValue(table, row, field), text, descriptor);
    double value = ReadEntryNumber(text.c_str(), nullptr);
    if (value < descriptor.dMin || value > descriptor.dMax) return editable ? CELL_GREY_EDITABLE : CELL_GREY_READ_ONLY;
  }
  return editable ? CELL_EDITABLE : CELL_READ_ONLY;
}
