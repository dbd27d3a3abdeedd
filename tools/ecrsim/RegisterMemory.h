// The simulated register's memory: a folder of files. Items 1 to 7 are the
// register files, items 16 to 47 the reports, each answered by the newest
// report file of its code.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ItemFile {
  uint8_t nItem;
  const char* pszFileName;
  bool bHeaderStep;  // record files: their 2-byte record count comes first, on its own
};

struct ReportItem {
  uint8_t nItem;
  const char* pszCode;
};

class CRegisterMemory {
 public:
  explicit CRegisterMemory(std::string folder) : m_strFolder(std::move(folder)) {}

  // The register file of an item, or nullptr for an item that is not one.
  static const ItemFile* FindItemFile(uint8_t nItem);
  // The report code of an item, or nullptr.
  static const char* FindReportCode(uint8_t nItem);

  // The bytes the register sends for an item: its register file, or the
  // newest report file of the item's kind. False when there is none.
  bool Load(uint8_t nItem, std::vector<uint8_t>& bytes, std::string& name) const;
  // Keeps a received register file (replacing the previous one only when complete).
  bool Store(const ItemFile& file, const std::vector<uint8_t>& bytes) const;

 private:
  std::string m_strFolder;
};
