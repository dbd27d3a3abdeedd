// The serial link as the transfer program and the register simulator see it:
// an abstract byte transport whose reads and writes never block (callers wait
// for its descriptor in poll() so that they can serve other events meanwhile),
// and its implementation on a termios tty device.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

class CSerialTransport {
 public:
  static constexpr int kNoByte = -1;      // nothing waiting now
  static constexpr int kLinkFailed = -2;  // the device is gone; waiting is pointless

  virtual ~CSerialTransport() = default;

  // The next received byte (0..255), kNoByte or kLinkFailed.
  virtual int ReadByte() = 0;
  // Received bytes waiting, or -1 when the link is not usable.
  virtual int QueueLength() = 0;
  // Writes as many bytes as the link takes now: the count written, 0 when it
  // takes none now, -1 on failure.
  virtual long WriteSome(const uint8_t* data, size_t size) = 0;
  // Descriptor that poll() reports ready for reading and writing, or -1 for a
  // transport without one (then no further bytes arrive while the caller waits).
  virtual int Descriptor() const = 0;
  // Modem control lines; transports without them ignore the call.
  virtual void SetModemLines(bool bRts, bool bDtr) { (void)bRts; (void)bDtr; }
};

enum class SerialParity { None = 0, Odd = 1, Even = 2 };

struct SerialSettings {
  uint32_t nBaudRate = 115200;
  SerialParity eParity = SerialParity::None;
};

// A tty device in raw mode: the requested rate, 8 data bits, the requested
// parity (checked on input when not None), one stop bit, no flow control of
// any kind, opened exclusively and non-blocking, both queues flushed.
class CTermiosPort : public CSerialTransport {
 public:
  CTermiosPort() = default;
  ~CTermiosPort() override;
  CTermiosPort(const CTermiosPort&) = delete;
  CTermiosPort& operator=(const CTermiosPort&) = delete;

  // False when the device cannot be opened or set up (the port is then closed).
  bool Open(const std::string& device, const SerialSettings& settings);
  void Close();
  bool IsOpen() const { return m_nFd >= 0; }

  int ReadByte() override;
  int QueueLength() override;
  long WriteSome(const uint8_t* data, size_t size) override;
  int Descriptor() const override { return m_nFd; }
  void SetModemLines(bool bRts, bool bDtr) override;

  // termios speed constant of a rate, false for a rate the driver cannot take.
  static bool SpeedFor(uint32_t nBaudRate, unsigned& speed);

 private:
  bool Configure(const SerialSettings& settings);

  int m_nFd = -1;
  // Bytes fetched from the driver in one read and handed out one at a time.
  uint8_t m_abBuffer[512];
  size_t m_nBufferUsed = 0;
  size_t m_nBufferPos = 0;
};

}  // namespace platform
