// The register's side of one transfer: it waits for a command frame, then
// takes a file from the PC (0xD0) or sends one (0xD9), with the faults the
// options ask for. Its frame code is its own, written from the register's
// point of view, so that it checks the PC's side rather than mirroring it.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "tools/ecrsim/RegisterLine.h"
#include "tools/ecrsim/RegisterMemory.h"

struct FaultOptions {
  int nNakTries = 0;       // NAK the first n tries of every frame from the PC
  int nBadSumTries = 0;    // then answer n tries with an ACK whose checksum is wrong
  int nRefuseFrame = 0;    // answer the n-th frame of a transfer with 0x0B (0: never)
  int nSilentAfter = -1;   // go silent after n frames of a transfer (-1: never)
  // Before every data frame it sends, one corrupted copy of each chosen kind.
  bool bOddFrames = false;      // an odd number of characters
  bool bBadCharFrames = false;  // a character outside 0x30..0x3F
  bool bBadSumFrames = false;   // a wrong checksum
};

class CRegisterSession {
 public:
  CRegisterSession(CRegisterLine& line, const CRegisterMemory& memory, const FaultOptions& faults,
                   std::FILE* log)
      : m_line(line), m_memory(memory), m_faults(faults), m_pLog(log) {}

  // Waits for a command and serves one transfer. False when the line failed.
  bool ServeOne();

 private:
  enum class Answer { Accepted, Rejected, Refused, Silent, Gone };
  // Keeps an accepted frame before it is acknowledged; false refuses it.
  using KeepFrame = std::function<bool()>;

  struct Command {
    uint8_t nCode = 0;
    uint8_t nItem = 0;
    uint16_t nFirst = 0;
    bool bValid = false;
  };

  bool ReadCommand(Command& command);
  bool ReadPcFrame(std::vector<uint8_t>& data, bool& bValid, bool& bLast);
  Answer ReceiveCommand(Command& command);
  // Reads one frame until it is accepted, appending its data to `content`;
  // `onLast` runs for the last frame of a file before its acknowledgement.
  Answer ReceiveFrame(std::vector<uint8_t>& content, bool& bLast, const KeepFrame& onLast);
  Answer AnswerFrame(bool bValid, const KeepFrame& keep);
  bool Reply(uint8_t code, bool bBadSum = false);
  Answer SendFrame(const std::vector<uint8_t>& frame);
  bool ReadPcReply(bool& bAck);

  void TakeFile(const Command& command);
  void GiveFile(const Command& command);
  void DrainUntilIdle();
  void Log(const char* format, ...);

  CRegisterLine& m_line;
  const CRegisterMemory& m_memory;
  FaultOptions m_faults;
  std::FILE* m_pLog;
  int m_nFrame = 0;  // frames of this transfer so far, either way
  int m_nTry = 0;    // tries of the current frame
  std::vector<uint8_t> m_outgoing;  // the file a receive command asked for
  std::string m_strOutgoingName;
};
