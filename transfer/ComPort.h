// The transfer program's serial port: the device and line settings it opens
// with, blocking reads and writes built on the non-blocking transport, and the
// write rule of the link. Every wait goes through a CLinkWaiter, which blocks
// in poll() and serves the program's other events (progress, close request).
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "platform/HexTrace.h"
#include "platform/SerialPort.h"

// Outcome of a step on the link that may wait.
enum class LinkStatus {
  Ok,
  Cancelled,  // a close request ended the wait
  Failed,     // the port failed: a write was refused or the device is gone
};

class CLinkWaiter {
 public:
  virtual ~CLinkWaiter() = default;
  // Blocks until `fd` is ready for `events` (POLLIN or POLLOUT). False when a
  // close request ended the wait first.
  virtual bool WaitFor(int fd, short events) = 0;
};

class CComPort {
 public:
  CComPort() = default;
  CComPort(const CComPort&) = delete;
  CComPort& operator=(const CComPort&) = delete;

  // Line settings, applied by Open.
  std::string m_strDevice = "/dev/ttyS0";
  uint32_t m_nBaudRate = 115200;
  // 8 data bits and no flow control are fixed in the termios port.
  platform::SerialParity m_eParity = platform::SerialParity::None;

  // Opens m_strDevice: 0 on success, -1 on any failure.
  int Open();
  // Uses a transport that is already open instead of the device (tests).
  void Attach(platform::CSerialTransport& transport);
  void Close();
  bool IsOpen() const { return m_pLink != nullptr; }

  // Hex trace of every byte read and written; set before Open or Attach.
  void SetTrace(std::FILE* trace) { m_pTraceFile = trace; }
  // Without a waiter, waits are a plain poll() on the port.
  void SetWaiter(CLinkWaiter* waiter) { m_pWaiter = waiter; }

  void SwitchOnRtsAndDtr();
  // Received bytes waiting, -1 when the port is not open.
  int QueueLength();
  // Writes n bytes. A count that is a multiple of 8 goes out as two writes,
  // n-1 bytes and then the last byte, as the register expects.
  LinkStatus Write(const uint8_t* data, size_t n);
  // The next byte from the register, waiting for it as long as it takes.
  LinkStatus NextByte(uint8_t& byte);

 private:
  void UseTransport(platform::CSerialTransport& transport);
  LinkStatus WriteAll(const uint8_t* data, size_t n);
  LinkStatus Wait(short events);

  platform::CTermiosPort m_device;
  std::unique_ptr<platform::CTracingTransport> m_pTrace;
  platform::CSerialTransport* m_pLink = nullptr;  // what reads and writes go through
  std::FILE* m_pTraceFile = nullptr;
  CLinkWaiter* m_pWaiter = nullptr;
};
