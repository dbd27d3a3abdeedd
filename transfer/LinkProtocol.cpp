#include "transfer/LinkProtocol.h"

#include "platform/TransferResult.h"

using namespace ecrlink;

bool CLinkProtocol::Succeeded(LinkStatus status) {
  if (status == LinkStatus::Cancelled) m_bCancelled = true;
  if (status == LinkStatus::Failed) m_nResult = platform::TR_PORT_WRITE;
  return status == LinkStatus::Ok;
}

bool CLinkProtocol::Fail(uint32_t nResult) {
  m_nResult = nResult;
  return false;
}

bool CLinkProtocol::ReadBytes(uint8_t* data, size_t n) {
  for (size_t i = 0; i < n; ++i)
    if (!Succeeded(m_port.NextByte(data[i]))) return false;
  return true;
}

bool CLinkProtocol::SendAcknowledged(const uint8_t* frame, size_t n) {
  uint16_t sum = Checksum(frame, n);
  const uint8_t checksum[kChecksumSize] = {static_cast<uint8_t>(sum & 0xFF),
                                           static_cast<uint8_t>(sum >> 8)};
  for (int nSends = 1;; ++nSends) {
    uint8_t reply = kNak;
    if (!Succeeded(m_port.Write(frame, n)) || !Succeeded(m_port.Write(checksum, kChecksumSize)) ||
        !ReadReply(reply))
      return false;
    if (reply == kAck) return true;
    if (reply == kRefused) return Fail(platform::TR_REFUSED);
    if (nSends == kMaxSends) return Fail(platform::TR_REJECTED);
  }
}

bool CLinkProtocol::ReadReply(uint8_t& code) {
  uint8_t reply[kReplySize];
  if (!ReadBytes(reply, kReplySize)) return false;
  unsigned sum = reply[2] | (reply[3] << 8);
  bool bValid = sum == static_cast<unsigned>(reply[0] + reply[1]);
  code = bValid && (reply[1] == kAck || reply[1] == kRefused) ? reply[1] : kNak;
  return true;
}

bool CLinkProtocol::ReadDataFrame(DataFrame& frame) {
  frame.nStored = 0;
  size_t nDataChars = 0;
  uint8_t ch = 0;
  while (frame.nStored < kMaxFrameChars && ch != kEndMark) {
    if (!ReadBytes(&ch, 1)) return false;
    frame.abChars[frame.nStored++] = ch;
    if (ch != kEndMark) ++nDataChars;
  }
  uint8_t checksum[kChecksumSize];
  if (!ReadBytes(checksum, kChecksumSize)) return false;
  uint16_t expected = static_cast<uint16_t>(checksum[0] | (checksum[1] << 8));
  frame.nDecoded = nDataChars / 2;
  if (expected != Checksum(frame.abChars, frame.nStored) || nDataChars % 2 != 0)
    frame.nCode = kNak;
  else
    frame.nCode = ch == kEndMark ? kEndMark : kAck;
  return true;
}

bool CLinkProtocol::SendReply(uint8_t code) {
  std::vector<uint8_t> reply = PcReply(code);
  return Succeeded(m_port.Write(reply.data(), reply.size()));
}
