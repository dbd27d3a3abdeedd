// Helpers of the settings objects' tests: values entered and shown the way the
// grid does it, register file images, and a save that fails half-way.
#pragma once

#include <signal.h>
#include <sys/resource.h>

#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "common/ValueFormat.h"
#include "model_library/EcrData.h"

// The outcome of CheckValue for an entered text.
struct CheckOutcome {
  int nResult;
  std::wstring strMessage;
};

inline CheckOutcome CheckEntry(CEcrData& data, stTable_t& table, int row, int field, const wchar_t* text) {
  std::wstring message;
  CheckReq request{&table, field, row, text, std::wcstod(text, nullptr), &message};
  int result = data.CheckValue(&request);
  return {result, message};
}

// Enters a text as the grid does: an owner-checked field is parsed only when
// the owner accepts it. True when the value was stored.
inline bool Enter(CEcrData& data, stTable_t& table, int row, int field, const wchar_t* text) {
  if (table.aFields[field].nCheck == CHECK_OWNER && !CheckEntry(data, table, row, field, text).nResult)
    return false;
  return ParseValue(table.aFields[field], FieldValue(table, row, field), text) == 1;
}

inline std::wstring Shown(const stTable_t& table, int row, int field) {
  std::wstring text;
  FormatValue(FieldValue(table, row, field), text, table.aFields[field]);
  return text;
}

inline int Byte(const stTable_t& table, int row, int field) { return *FieldValue(table, row, field); }

// Bytes of odd values everywhere, the same for every run.
inline std::vector<uint8_t> OddBytes(size_t size, unsigned seed) {
  std::mt19937 generator(seed);
  std::vector<uint8_t> bytes(size);
  for (uint8_t& byte : bytes) byte = static_cast<uint8_t>(generator() | 1);
  return bytes;
}

inline std::vector<uint8_t> AsBytes(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

// While it lives, files of this process cannot grow beyond `bytes`: a write
// past it fails (EFBIG) instead of stopping the process.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &m_previous);
    m_previousHandler = signal(SIGXFSZ, SIG_IGN);
    rlimit limit{bytes, m_previous.rlim_max};
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &m_previous);
    signal(SIGXFSZ, m_previousHandler);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit m_previous{};
  sighandler_t m_previousHandler;
};
