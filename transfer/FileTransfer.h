// The two transfer procedures: a file to the register (command 0xD0) and a
// file from the register (command 0xD9). They move bytes between the link and
// a source or sink; which file that is, is the run's business.
#pragma once

#include <cstddef>
#include <cstdint>

#include "transfer/LinkProtocol.h"

class CByteSource {
 public:
  virtual ~CByteSource() = default;
  // Exactly n bytes, or false.
  virtual bool Read(uint8_t* data, size_t n) = 0;
};

class CByteSink {
 public:
  virtual ~CByteSink() = default;
  virtual bool Append(const uint8_t* data, size_t n) = 0;
};

// The progress counters the run shows every 500 ms while a procedure runs.
class CTransferProgress {
 public:
  virtual ~CTransferProgress() = default;
  virtual void Start(long nDone, long nTotal) = 0;
  virtual void Update(long nDone, long nTotal) = 0;
  virtual void Stop() = 0;
};

struct SendJob {
  uint8_t nItem = 0;
  bool bMode2 = false;       // the command frame carries a last number too
  bool bHeaderStep = false;  // the first 2 bytes (record count) go first, in a frame of their own
  uint64_t nLength = 0;      // bytes in the source, more than 0
};

struct ReceiveJob {
  uint8_t nItem = 0;
  uint16_t nFirst = 0;
  bool bMode2 = false;
  uint16_t nLast = 0;
};

// False on failure, with the result code set (a failed second reply of the
// header step leaves it as it was) or the link cancelled.
bool SendFileToEcr(CLinkProtocol& link, const SendJob& job, CByteSource& source,
                   CTransferProgress& progress);
bool ReceiveFileFromEcr(CLinkProtocol& link, const ReceiveJob& job, CByteSink& sink,
                        CTransferProgress& progress);
