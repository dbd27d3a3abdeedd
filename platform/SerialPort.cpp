#include "platform/SerialPort.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace platform {

namespace {

struct BaudSpeed {
  uint32_t nBaudRate;
  speed_t speed;
};

constexpr BaudSpeed kBaudSpeeds[] = {
    {300, B300},         {600, B600},         {1200, B1200},       {2400, B2400},
    {4800, B4800},       {9600, B9600},       {19200, B19200},     {38400, B38400},
    {57600, B57600},     {115200, B115200},   {230400, B230400},   {460800, B460800},
    {500000, B500000},   {576000, B576000},   {921600, B921600},   {1000000, B1000000},
};

}  // namespace

CTermiosPort::~CTermiosPort() { Close(); }

bool CTermiosPort::SpeedFor(uint32_t nBaudRate, unsigned& speed) {
  for (const BaudSpeed& entry : kBaudSpeeds) {
    if (entry.nBaudRate == nBaudRate) {
      speed = entry.speed;
      return true;
    }
  }
  return false;
}

bool CTermiosPort::Open(const std::string& device, const SerialSettings& settings) {
  Close();
  // Non-blocking from the start: opening must not hang on a missing carrier.
  m_nFd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (m_nFd < 0) return false;
  if (!::isatty(m_nFd) || ::ioctl(m_nFd, TIOCEXCL) != 0 || !Configure(settings) ||
      ::tcflush(m_nFd, TCIOFLUSH) != 0) {
    Close();
    return false;
  }
  return true;
}

bool CTermiosPort::Configure(const SerialSettings& settings) {
  unsigned speed = 0;
  if (!SpeedFor(settings.nBaudRate, speed)) return false;
  termios tio{};
  if (::tcgetattr(m_nFd, &tio) != 0) return false;
  ::cfmakeraw(&tio);
  tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | INPCK | PARMRK | IGNPAR);
  tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | CSTOPB | PARENB | PARODD | CRTSCTS);
  tio.c_cflag |= CS8 | CREAD | CLOCAL;
  if (settings.eParity != SerialParity::None) {
    tio.c_cflag |= PARENB;
    if (settings.eParity == SerialParity::Odd) tio.c_cflag |= PARODD;
    tio.c_iflag |= INPCK;
  }
  // VMIN 1 makes an empty non-blocking read report EAGAIN, so that a read of
  // 0 bytes can only mean a hang-up.
  tio.c_cc[VMIN] = 1;
  tio.c_cc[VTIME] = 0;
  if (::cfsetispeed(&tio, speed) != 0 || ::cfsetospeed(&tio, speed) != 0) return false;
  if (::tcsetattr(m_nFd, TCSANOW, &tio) == 0) return true;
  // A pseudo-terminal has no parity and drops it, which the C library reports
  // as a failure; a device that took everything else is fine.
  termios actual{};
  return errno == EINVAL && ::tcgetattr(m_nFd, &actual) == 0 &&
         (actual.c_cflag & CSIZE) == CS8 && ::cfgetospeed(&actual) == speed &&
         (actual.c_lflag & ICANON) == 0;
}

void CTermiosPort::Close() {
  if (m_nFd >= 0) {
    // The exclusive flag belongs to the tty, not to this descriptor: give it up
    // so that the next program can open a device another process still holds.
    (void)::ioctl(m_nFd, TIOCNXCL);
    ::close(m_nFd);
  }
  m_nFd = -1;
  m_nBufferUsed = m_nBufferPos = 0;
}

int CTermiosPort::ReadByte() {
  if (m_nBufferPos < m_nBufferUsed) return m_abBuffer[m_nBufferPos++];
  if (m_nFd < 0) return kLinkFailed;
  ssize_t n = ::read(m_nFd, m_abBuffer, sizeof m_abBuffer);
  if (n < 0 && (errno == EAGAIN || errno == EINTR)) return kNoByte;
  if (n <= 0) return kLinkFailed;
  m_nBufferUsed = static_cast<size_t>(n);
  m_nBufferPos = 1;
  return m_abBuffer[0];
}

int CTermiosPort::QueueLength() {
  if (m_nFd < 0) return -1;
  int nWaiting = 0;
  if (::ioctl(m_nFd, FIONREAD, &nWaiting) != 0) return -1;
  return nWaiting + static_cast<int>(m_nBufferUsed - m_nBufferPos);
}

long CTermiosPort::WriteSome(const uint8_t* data, size_t size) {
  if (m_nFd < 0) return -1;
  ssize_t n = ::write(m_nFd, data, size);
  if (n < 0) return (errno == EAGAIN || errno == EINTR) ? 0 : -1;
  return static_cast<long>(n);
}

void CTermiosPort::SetModemLines(bool bRts, bool bDtr) {
  if (m_nFd < 0) return;
  // Devices without modem lines (pseudo-terminals) refuse this; that is harmless.
  int raise = (bRts ? TIOCM_RTS : 0) | (bDtr ? TIOCM_DTR : 0);
  int lower = (TIOCM_RTS | TIOCM_DTR) & ~raise;
  if (raise) (void)::ioctl(m_nFd, TIOCMBIS, &raise);
  if (lower) (void)::ioctl(m_nFd, TIOCMBIC, &lower);
}

}  // namespace platform
