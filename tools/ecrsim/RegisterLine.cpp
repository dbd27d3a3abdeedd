#include "tools/ecrsim/RegisterLine.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

// A paced write wakes up about once a millisecond, like a UART FIFO or a USB
// adapter delivering bytes in batches, and never hands out a byte before its time.
constexpr int64_t kBatchNs = 1000000;
// A PC that takes no bytes for this long is gone; the write gives up.
constexpr int kWriteStallMs = 2000;

}  // namespace

CRegisterLine::~CRegisterLine() {
  if (m_nSlave >= 0) ::close(m_nSlave);
  if (m_nMaster >= 0) ::close(m_nMaster);
}

bool CRegisterLine::Create(uint32_t nBaudRate) {
  m_nMaster = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (m_nMaster < 0 || ::grantpt(m_nMaster) != 0 || ::unlockpt(m_nMaster) != 0) return false;
  char name[128];
  if (::ptsname_r(m_nMaster, name, sizeof name) != 0) return false;
  m_strDevice = name;
  m_nSlave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (m_nSlave < 0) return false;
  // Raw from the start, so nothing is echoed before the PC sets its own mode.
  termios tio{};
  if (::tcgetattr(m_nSlave, &tio) != 0) return false;
  ::cfmakeraw(&tio);
  if (::tcsetattr(m_nSlave, TCSANOW, &tio) != 0) return false;
  int flags = ::fcntl(m_nMaster, F_GETFL);
  if (flags < 0 || ::fcntl(m_nMaster, F_SETFL, flags | O_NONBLOCK) != 0) return false;
  if (nBaudRate > 0) {
    m_nCharNs = static_cast<int64_t>(kBitsPerChar) * 1000000000LL / nBaudRate;
    ::prctl(PR_SET_TIMERSLACK, 1UL);  // wake-ups on time, not 50 µs late
  }
  return true;
}

int64_t CRegisterLine::Now() {
  timespec ts{};
  ::clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<int64_t>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

void CRegisterLine::SleepUntil(int64_t ns) {
  timespec ts{static_cast<time_t>(ns / 1000000000LL), static_cast<long>(ns % 1000000000LL)};
  while (::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
  }
}

bool CRegisterLine::Fill(int idleMs) {
  for (;;) {
    ssize_t n = ::read(m_nMaster, m_abBuffer, sizeof m_abBuffer);
    if (n > 0) {
      m_nUsed = static_cast<size_t>(n);
      m_nPos = 0;
      m_nArrivalNs = std::max(m_nArrivalNs, Now()) + m_nCharNs * n;
      return true;
    }
    if (n < 0 && errno != EAGAIN && errno != EINTR) return false;
    pollfd entry{m_nMaster, POLLIN, 0};
    int ready = ::poll(&entry, 1, idleMs);
    if (ready == 0) return false;
    if (ready < 0 && errno != EINTR) return false;
  }
}

bool CRegisterLine::ReadByte(uint8_t& byte, int idleMs) {
  if (m_nPos == m_nUsed && !Fill(idleMs)) return false;
  byte = m_abBuffer[m_nPos++];
  return true;
}

void CRegisterLine::DiscardInput() {
  m_nPos = m_nUsed = 0;
  ::tcflush(m_nMaster, TCIFLUSH);
}

bool CRegisterLine::WriteNow(const uint8_t* data, size_t size) {
  while (size > 0) {
    ssize_t n = ::write(m_nMaster, data, size);
    if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
      pollfd entry{m_nMaster, POLLOUT, 0};
      if (::poll(&entry, 1, kWriteStallMs) == 0) return false;
      continue;
    }
    if (n <= 0) return false;
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

bool CRegisterLine::Write(const std::vector<uint8_t>& bytes) {
  if (m_nCharNs == 0) return WriteNow(bytes.data(), bytes.size());
  // Byte i has crossed the line at start + (i + 1) character times.
  const int64_t start = std::max(Now(), m_nArrivalNs);
  const size_t nBatch = static_cast<size_t>(std::max<int64_t>(1, kBatchNs / m_nCharNs));
  size_t nSent = 0;
  while (nSent < bytes.size()) {
    size_t nNext = std::min(bytes.size(), nSent + nBatch);
    SleepUntil(start + m_nCharNs * static_cast<int64_t>(nNext));
    if (!WriteNow(bytes.data() + nSent, nNext - nSent)) return false;
    nSent = nNext;
  }
  m_nArrivalNs = start + m_nCharNs * static_cast<int64_t>(bytes.size());
  return true;
}

void CRegisterLine::Release() { (void)::ioctl(m_nSlave, TIOCNXCL); }
