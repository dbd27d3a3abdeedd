// The transfer list file Sendrix.ini beside the program, which the main tool
// writes before every run: line n names item n as a kind digit (0 a register
// file, 1 a report) followed by the file's base name. And the path of the
// file one run moves.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

constexpr char kMarkerFileName[] = "Sendrix_RepName.ini";
constexpr size_t kMaxListLine = 259;  // bytes of a list line, line end included
constexpr size_t kMaxTransferPath = 259;

enum TransferKind { KIND_TABLE = 0, KIND_REPORT = 1 };

struct TransferItem {
  int nKind = KIND_TABLE;   // the digit; a character that is not a digit counts as 0
  std::string strBaseName;  // as UTF-8
};

// The list beside an executable: a trailing ".exe" becomes ".ini", otherwise
// ".ini" is appended.
std::string TransferListPath(const std::string& exePath);

// 0 and the item, 0x204 when the list cannot be opened, 0x205 when it has no
// line for the item (or only one longer than a list line may be).
uint32_t ReadTransferItem(const std::string& listPath, uint8_t nItem, TransferItem& item);

// folder + base name + time stamp (reports only) + "." + extension. The stamp
// is MMDDhhmm with the marker file, hhmm without. A folder without a final
// "/" gets one. False when the path would be longer than 259 bytes.
bool BuildTransferPath(const std::string& folder, const TransferItem& item,
                       const std::string& extension, bool bLongStamp, const std::tm& now,
                       std::string& path);
