// Result codes of the transfer program and their process exit statuses.
// A Linux exit status has 8 bits, so every code travels as a status of its
// own and the main tool turns it back into the code before it logs it or
// looks up its caption. Both programs use this one table.
#pragma once

#include <cstdint>

namespace platform {

enum TransferResult : uint32_t {
  TR_DONE = 0,              // transfer completed
  TR_NOT_COMPLETED = 1,     // closed before the end, or header step not confirmed
  TR_ARG_COUNT = 0x201,     // not exactly 10 arguments
  TR_DIRECTION = 0x202,     // direction not 0 or 1
  TR_NUMBERS = 0x203,       // mode 2 with the first number above the last
  TR_LIST_OPEN = 0x204,     // Sendrix.ini cannot be opened
  TR_LIST_LINE = 0x205,     // Sendrix.ini has no line for the item number
  TR_KIND = 0x206,          // kind digit above 1
  TR_REPORT_SEND = 0x207,   // report item with direction 1 (send)
  TR_MODE = 0x208,          // mode not 1 or 2
  TR_PORT_OPEN = 0x401,     // the serial port cannot be opened
  TR_PORT_WRITE = 0x402,    // writing to the port failed
  TR_FILE_OPEN = 0x801,     // the file to send cannot be opened
  TR_FILE_READ = 0x802,     // the file to send is empty or cannot be read
  TR_FILE_CREATE = 0x803,   // the file to receive cannot be created
  TR_FILE_WRITE = 0x804,    // the received data cannot be written
  TR_REFUSED = 0x1001,      // the register refused a frame
  TR_REJECTED = 0x1002,     // one frame was rejected five times
};

struct TransferExitStatus {
  uint32_t nResult;
  int nExitStatus;
};

// 0 and 1 are themselves; 0xCnn becomes (C << 4) | nn; 0x100n becomes 0xA0 | n.
inline constexpr TransferExitStatus kTransferExitStatuses[] = {
    {TR_DONE, 0x00},         {TR_NOT_COMPLETED, 0x01}, {TR_ARG_COUNT, 0x21},
    {TR_DIRECTION, 0x22},    {TR_NUMBERS, 0x23},       {TR_LIST_OPEN, 0x24},
    {TR_LIST_LINE, 0x25},    {TR_KIND, 0x26},          {TR_REPORT_SEND, 0x27},
    {TR_MODE, 0x28},         {TR_PORT_OPEN, 0x41},     {TR_PORT_WRITE, 0x42},
    {TR_FILE_OPEN, 0x81},    {TR_FILE_READ, 0x82},     {TR_FILE_CREATE, 0x83},
    {TR_FILE_WRITE, 0x84},   {TR_REFUSED, 0xA1},       {TR_REJECTED, 0xA2},
};

// Status for a code outside the table: never produced by the transfer program.
inline constexpr int kUnknownTransferExitStatus = 0xFF;

inline int ExitStatusFromTransferResult(uint32_t nResult) {
  for (const TransferExitStatus& entry : kTransferExitStatuses)
    if (entry.nResult == nResult) return entry.nExitStatus;
  return kUnknownTransferExitStatus;
}

// A status outside the table (a program that is not ours, a crash) comes back
// unchanged, so the log still shows what happened.
inline uint32_t TransferResultFromExitStatus(int nExitStatus) {
  for (const TransferExitStatus& entry : kTransferExitStatuses)
    if (entry.nExitStatus == nExitStatus) return entry.nResult;
  return static_cast<uint32_t>(nExitStatus);
}

}  // namespace platform
