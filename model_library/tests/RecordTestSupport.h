// Helpers for the tests of the register files: byte builders that follow the
// file layouts, a caption manager for text fields, and cell access by field id.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

#include "common/CaptionCell.h"
#include "common/CaptionMgr.h"
#include "common/ValueFormat.h"
#include "model_library/EcrData.h"

// A caption manager without character table: texts go through the code page.
class CaptionManagerScope {
 public:
  CaptionManagerScope() : m_pCell(&m_manager) { SetCaptionCell(&m_pCell); }
  ~CaptionManagerScope() { SetCaptionCell(nullptr); }
  CCaptionMgr& Manager() { return m_manager; }

 private:
  CCaptionMgr m_manager;
  CCaptionManagerBase* m_pCell;
};

inline std::string Word(uint16_t value) {
  return std::string{static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
}

inline std::string RandomBytes(size_t count, uint32_t seed) {
  std::mt19937 random(seed);
  std::string bytes(count, '\0');
  for (char& byte : bytes) byte = static_cast<char>(random() & 0xFF);
  return bytes;
}

// Text of `width` bytes, blank-padded.
inline std::string Text(const std::string& text, size_t width) {
  std::string padded = text.substr(0, width);
  padded.resize(width, ' ');
  return padded;
}

// Puts `bytes` into `target` at `offset`.
inline void Put(std::string& target, size_t offset, const std::string& bytes) {
  target.replace(offset, bytes.size(), bytes);
}

inline int FieldIndex(const stTable_t& table, uint32_t id) {
  const int field = FindField(table, id);
  if (field >= 0) return field;
  ADD_FAILURE() << "no field " << id << " in table " << table.uId;
  return 0;
}

inline std::wstring Cell(const stTable_t& table, int row, uint32_t id) {
  int f = FieldIndex(table, id);
  std::wstring text;
  FormatValue(FieldValue(table, row, f), text, table.aFields[f]);
  return text;
}

inline void SetCell(const stTable_t& table, int row, uint32_t id, const wchar_t* text) {
  int f = FieldIndex(table, id);
  ParseValue(table.aFields[f], FieldValue(table, row, f), text);
}
