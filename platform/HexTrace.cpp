#include "platform/HexTrace.h"

namespace platform {

CTracingTransport::CTracingTransport(CSerialTransport& inner, std::FILE* trace)
    : m_inner(inner), m_pTrace(trace), m_start(std::chrono::steady_clock::now()) {}

CTracingTransport::~CTracingTransport() { FlushReceived(); }

int CTracingTransport::ReadByte() {
  int byte = m_inner.ReadByte();
  if (byte >= 0) {
    m_abReceived[m_nReceived++] = static_cast<uint8_t>(byte);
    if (m_nReceived == kBytesPerLine) FlushReceived();
  } else if (byte == kLinkFailed) {
    FlushReceived();
    std::fprintf(m_pTrace, "link failed\n");
    std::fflush(m_pTrace);
  } else {
    // The caller is about to wait: show what came so far.
    FlushReceived();
  }
  return byte;
}

long CTracingTransport::WriteSome(const uint8_t* data, size_t size) {
  FlushReceived();
  long written = m_inner.WriteSome(data, size);
  if (written > 0) WriteLine('>', data, static_cast<size_t>(written));
  if (written < 0) {
    std::fprintf(m_pTrace, "write failed\n");
    std::fflush(m_pTrace);
  }
  return written;
}

void CTracingTransport::FlushReceived() {
  if (m_nReceived == 0) return;
  WriteLine('<', m_abReceived, m_nReceived);
  m_nReceived = 0;
}

void CTracingTransport::WriteLine(char direction, const uint8_t* data, size_t size) {
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
  std::fprintf(m_pTrace, "%10.6f %c", seconds, direction);
  for (size_t i = 0; i < size; ++i) std::fprintf(m_pTrace, " %02X", data[i]);
  std::fputc('\n', m_pTrace);
  std::fflush(m_pTrace);
}

}  // namespace platform
