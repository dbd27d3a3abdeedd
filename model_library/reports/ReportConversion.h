// Conversion of one report file into CSV text: the byte source the layout
// readers take their records from, the UTF-16LE CSV output, and the routine
// that writes a report of a given kind. ConvertReport of the report store
// runs them over a file; tests and fuzzers run them over bytes in memory.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

class CReportEcr;

// Report bytes read front to back, from a buffered file or from memory.
class CReportInput {
 public:
  CReportInput() = default;
  CReportInput(const uint8_t* data, size_t size);
  ~CReportInput();
  CReportInput(const CReportInput&) = delete;
  CReportInput& operator=(const CReportInput&) = delete;

  bool Open(const std::wstring& path);  // the last component is matched ignoring case

  // Copies up to count bytes; returns how many arrived.
  size_t Read(uint8_t* target, size_t count);
  bool ReadWhole(uint8_t* target, size_t count) { return Read(target, count) == count; }
  bool ReadByte(uint8_t& byte) { return Read(&byte, 1) == 1; }
  // A fixed-size part: read without checking how much arrived; the bytes
  // past the end of the file are zero.
  void ReadFixed(uint8_t* target, size_t count);
  void Skip(size_t count);
  // The next count bytes without consuming them; fewer at the end of the file.
  size_t Peek(uint8_t* target, size_t count);
  bool Failed() const { return m_bFailed; }
  // How many bytes the whole report holds, as far as known at the start.
  size_t TotalSize() const { return m_nTotalSize; }

 private:
  bool Refill();

  std::FILE* m_pFile = nullptr;
  std::vector<uint8_t> m_buffer;
  const uint8_t* m_pNext = nullptr;
  const uint8_t* m_pEnd = nullptr;
  bool m_bFailed = false;
  size_t m_nTotalSize = 0;
};

// CSV text as the report viewer and spreadsheets read it: UTF-16LE after the
// byte-order mark FF FE, every value in double quotes, commas between values,
// CR LF after each line.
class CCsvOutput {
 public:
  CCsvOutput();

  // Makes room for the CSV text of a report of this many bytes at once,
  // instead of growing the buffer step by step.
  void ReserveFor(size_t reportSize);
  void Value(const std::wstring& text);
  void Value(const char* ascii);
  void Value(const char* ascii, size_t length);
  void EmptyValues(int count);
  void EndLine();
  const std::string& Bytes() const { return m_bytes; }

 private:
  template <typename Char>
  void AppendValue(const Char* text, size_t length);
  void AppendUnit(uint32_t unit);

  std::string m_bytes;
  bool m_bLineStart = true;
};

// Writes the report of the given kind from the input into the output; the
// store gives the descriptors and the decimal-point flag, and keeps the
// journal separator flag. 1 when the report was converted, 0 when its
// routine stopped short (what it wrote so far stays in the output).
int ConvertReportData(CReportEcr& store, int kind, CReportInput& input, CCsvOutput& output);

// Puts a decimal point before the last two digits of a formatted amount.
std::wstring InsertDecimalPoint(const std::wstring& amount);
