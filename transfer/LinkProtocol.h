// Frame exchanges with the register: sending a frame and reading its reply,
// the retry policy around that, reading the register's data frames and
// writing the PC's replies. It knows frames and bytes, not files.
//
// Failures set the run's result code: 0x402 when the port fails, 0x1001 when
// the register refuses, 0x1002 after five rejections. A close request during a
// wait ends the step without touching the code (the run then ends with it).
#pragma once

#include <cstddef>
#include <cstdint>

#include "transfer/ComPort.h"
#include "transfer/LinkFrames.h"

// One data frame from the register as read off the line.
struct DataFrame {
  uint8_t abChars[ecrlink::kMaxFrameChars + 2];  // the stored characters (end mark included)
  size_t nStored = 0;
  size_t nDecoded = 0;        // file bytes the frame carries: half its data characters
  uint8_t nCode = ecrlink::kNak;  // kAck (more to come), kEndMark (last frame) or kNak (invalid)
};

class CLinkProtocol {
 public:
  CLinkProtocol(CComPort& port, uint32_t& nResult) : m_port(port), m_nResult(nResult) {}

  // Sends the frame and its checksum until the register accepts it, at most
  // five times. False on refusal, five rejections, port failure or close request.
  bool SendAcknowledged(const uint8_t* frame, size_t n);
  // Reads one 4-byte reply: kAck, kRefused or kNak (every invalid reply).
  bool ReadReply(uint8_t& code);
  // Reads characters up to the first end mark or 128 of them, then the checksum.
  bool ReadDataFrame(DataFrame& frame);
  // Writes the PC's reply D9 code sum.
  bool SendReply(uint8_t code);

  // Sets the result code for a failure outside the link (files); returns false.
  bool Fail(uint32_t nResult);
  bool Cancelled() const { return m_bCancelled; }

 private:
  bool Succeeded(LinkStatus status);
  bool ReadBytes(uint8_t* data, size_t n);

  CComPort& m_port;
  uint32_t& m_nResult;
  bool m_bCancelled = false;
};
