// The ten arguments the main tool passes for one transfer, and their checks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TransferArgs {
  std::string strPort;        // 1: a device path, or a port number (0 = the USB adapter)
  uint32_t nBaudRate = 0;     // 2
  uint8_t nDirection = 0;     // 3: 0 receive from the register, 1 send to it
  std::string strDataFolder;  // 4
  uint8_t nItem = 0;          // 5: line of the transfer list
  std::string strExtension;   // 6: at most 3 characters
  uint8_t nMode = 0;          // 7: 1 first number only, 2 first and last number
  uint16_t nFirst = 0;        // 8
  uint16_t nLast = 0;         // 9
  // 10, the start delay of a window, has no meaning for a console program.
};

constexpr size_t kTransferArgCount = 10;
constexpr size_t kMaxExtensionChars = 3;

// The value of the leading decimal digits (0 when there are none), kept modulo
// 2^64 so that callers cut it to their width as the register numbers are cut.
uint64_t LeadingNumber(const std::string& text);
// Removes double quotes from both ends, as from a quoted folder with blanks.
std::string StripQuotes(const std::string& text);

// Checks in this order: count (0x201), direction (0x202), mode (0x208), first
// and last numbers (0x203). Returns 0 and fills `args`, or the failing code.
uint32_t CheckTransferArgs(const std::vector<std::string>& tokens, TransferArgs& args);
