#include "platform/ScriptedTransport.h"

namespace platform {

void CScriptedTransport::Deliver(const std::vector<uint8_t>& bytes) {
  m_incoming.insert(m_incoming.end(), bytes.begin(), bytes.end());
}

std::vector<uint8_t> CScriptedTransport::WrittenBytes() const {
  std::vector<uint8_t> all;
  for (const std::vector<uint8_t>& write : m_writes) all.insert(all.end(), write.begin(), write.end());
  return all;
}

int CScriptedTransport::ReadByte() {
  if (m_incoming.empty()) return kNoByte;
  int byte = m_incoming.front();
  m_incoming.pop_front();
  return byte;
}

long CScriptedTransport::WriteSome(const uint8_t* data, size_t size) {
  if (m_nWritten + size > m_nWriteLimit) return -1;
  m_writes.emplace_back(data, data + size);
  m_nWritten += size;
  return static_cast<long>(size);
}

}  // namespace platform
