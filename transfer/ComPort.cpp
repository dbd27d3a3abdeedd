#include "transfer/ComPort.h"

#include <cerrno>
#include <poll.h>

int CComPort::Open() {
  Close();
  platform::SerialSettings settings;
  settings.nBaudRate = m_nBaudRate;
  settings.eParity = m_eParity;
  if (!m_device.Open(m_strDevice, settings)) return -1;
  UseTransport(m_device);
  return 0;
}

void CComPort::Attach(platform::CSerialTransport& transport) {
  Close();
  UseTransport(transport);
}

void CComPort::UseTransport(platform::CSerialTransport& transport) {
  m_pLink = &transport;
  if (m_pTraceFile) {
    m_pTrace = std::make_unique<platform::CTracingTransport>(transport, m_pTraceFile);
    m_pLink = m_pTrace.get();
  }
}

void CComPort::Close() {
  m_pTrace.reset();
  m_pLink = nullptr;
  m_device.Close();
}

void CComPort::SwitchOnRtsAndDtr() {
  if (m_pLink) m_pLink->SetModemLines(true, true);
}

int CComPort::QueueLength() { return m_pLink ? m_pLink->QueueLength() : -1; }

LinkStatus CComPort::Write(const uint8_t* data, size_t n) {
  if (n > 0 && n % 8 == 0) {
    LinkStatus status = WriteAll(data, n - 1);
    return status == LinkStatus::Ok ? WriteAll(data + n - 1, 1) : status;
  }
  return WriteAll(data, n);
}

LinkStatus CComPort::WriteAll(const uint8_t* data, size_t n) {
  if (!m_pLink) return LinkStatus::Failed;
  while (n > 0) {
    long written = m_pLink->WriteSome(data, n);
    if (written < 0) return LinkStatus::Failed;
    if (written == 0) {
      LinkStatus status = Wait(POLLOUT);
      if (status != LinkStatus::Ok) return status;
      continue;
    }
    data += written;
    n -= static_cast<size_t>(written);
  }
  return LinkStatus::Ok;
}

LinkStatus CComPort::NextByte(uint8_t& byte) {
  if (!m_pLink) return LinkStatus::Failed;
  for (;;) {
    int next = m_pLink->ReadByte();
    if (next >= 0) {
      byte = static_cast<uint8_t>(next);
      return LinkStatus::Ok;
    }
    if (next == platform::CSerialTransport::kLinkFailed) return LinkStatus::Failed;
    LinkStatus status = Wait(POLLIN);
    if (status != LinkStatus::Ok) return status;
  }
}

LinkStatus CComPort::Wait(short events) {
  int fd = m_pLink->Descriptor();
  // A transport without a descriptor gets nothing more by waiting.
  if (fd < 0) return LinkStatus::Failed;
  if (m_pWaiter) return m_pWaiter->WaitFor(fd, events) ? LinkStatus::Ok : LinkStatus::Cancelled;
  pollfd entry{fd, events, 0};
  while (::poll(&entry, 1, -1) < 0 && errno == EINTR) {
  }
  return LinkStatus::Ok;
}
