// A transport wrapper that writes every byte read and written to a text file
// in hexadecimal, one line per write and per run of received bytes, each line
// with the seconds since the trace began. It is what a dealer sends in when a
// register does not answer.
#pragma once

#include <chrono>
#include <cstdio>
#include <string>

#include "platform/SerialPort.h"

namespace platform {

class CTracingTransport : public CSerialTransport {
 public:
  // `trace` stays owned by the caller and must outlive this object.
  CTracingTransport(CSerialTransport& inner, std::FILE* trace);
  ~CTracingTransport() override;
  CTracingTransport(const CTracingTransport&) = delete;
  CTracingTransport& operator=(const CTracingTransport&) = delete;

  int ReadByte() override;
  int QueueLength() override { return m_inner.QueueLength(); }
  long WriteSome(const uint8_t* data, size_t size) override;
  int Descriptor() const override { return m_inner.Descriptor(); }
  void SetModemLines(bool bRts, bool bDtr) override { m_inner.SetModemLines(bRts, bDtr); }

 private:
  static constexpr size_t kBytesPerLine = 16;
  void FlushReceived();
  void WriteLine(char direction, const uint8_t* data, size_t size);

  CSerialTransport& m_inner;
  std::FILE* m_pTrace;
  std::chrono::steady_clock::time_point m_start;
  uint8_t m_abReceived[kBytesPerLine];
  size_t m_nReceived = 0;
};

}  // namespace platform
