#include <cinttypes>
#include <cstdio>

#include "Demo.h"
#include "DemoReports.h"
#include "common/ValueFormat.h"
#include "platform/TextCodec.h"

bool SetDemoField(stTable_t& table, int row, uint32_t id, const std::string& text) {
  int field = FindField(table, id);
  if (field < 0 || row < 0 || row >= table.nRecordCount || !table.pRows) return false;
  return ParseValue(table.aFields[field], FieldValue(table, row, field), platform::Utf8ToWide(text).c_str()) != 0;
}

void ClearDemoRow(stTable_t& table, int row) {
  for (int f = 0; f < table.nFieldCount; ++f) ParseValue(table.aFields[f], FieldValue(table, row, f), L"");
}

CEcrData* DemoObject(ModelLibrary& library, int wndNo, std::string& error) {
  CEcrData* data = library.DataFromWndNo(wndNo);
  if (!data) error = "the model library has no object for window " + std::to_string(wndNo);
  return data;
}

bool SaveDemoObject(CEcrData& data, const std::wstring& folder, std::string& error) {
  if (data.Save(folder.c_str())) return true;
  error = "cannot write " + platform::WideToUtf8(data.m_strFile) + " into " + platform::WideToUtf8(folder);
  return false;
}

std::string DemoMilli(int64_t thousandths) {
  char text[32];
  int64_t magnitude = thousandths < 0 ? -thousandths : thousandths;
  std::snprintf(text, sizeof text, "%s%" PRId64 ".%03" PRId64, thousandths < 0 ? "-" : "", magnitude / 1000,
                magnitude % 1000);
  return text;
}

bool WriteDemoReportFiles(ModelLibrary& /*library*/, const std::wstring& folder, std::string& error) {
  if (WriteDemoReports(folder)) return true;
  error = "cannot write the report files into " + platform::WideToUtf8(folder);
  return false;
}
