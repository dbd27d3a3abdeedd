// A transport in memory for tests of framing and retries without a device:
// the test queues the bytes the far end sends, and every write is kept with
// its boundaries so that a test can check how frames were split.
#pragma once

#include <cstdint>
#include <deque>
#include <vector>

#include "platform/SerialPort.h"

namespace platform {

class CScriptedTransport : public CSerialTransport {
 public:
  // Bytes the far end sends; they are read in the order queued.
  void Deliver(const std::vector<uint8_t>& bytes);
  // Writes fail once this many bytes have been written in all.
  void FailWritesAfter(size_t nBytes) { m_nWriteLimit = nBytes; }

  const std::vector<std::vector<uint8_t>>& Writes() const { return m_writes; }
  std::vector<uint8_t> WrittenBytes() const;
  size_t Unread() const { return m_incoming.size(); }

  int ReadByte() override;
  int QueueLength() override { return static_cast<int>(m_incoming.size()); }
  long WriteSome(const uint8_t* data, size_t size) override;
  // No descriptor: a wait with nothing queued ends, as no byte can come.
  int Descriptor() const override { return -1; }

 private:
  std::deque<uint8_t> m_incoming;
  std::vector<std::vector<uint8_t>> m_writes;
  size_t m_nWritten = 0;
  size_t m_nWriteLimit = SIZE_MAX;
};

}  // namespace platform
