#include "transfer/LinkFrames.h"

namespace ecrlink {

uint16_t Checksum(const uint8_t* data, size_t size) {
  uint16_t sum = 0;
  for (size_t i = 0; i < size; ++i) sum = static_cast<uint16_t>(sum + data[i]);
  return sum;
}

void AppendChecksum(std::vector<uint8_t>& frame, uint16_t sum) {
  frame.push_back(static_cast<uint8_t>(sum & 0xFF));
  frame.push_back(static_cast<uint8_t>(sum >> 8));
}

bool IsDataChar(uint8_t ch) { return ch >= kFirstDataChar && ch <= kLastDataChar; }

void EncodeNibbles(const uint8_t* data, size_t size, std::vector<uint8_t>& chars) {
  for (size_t i = 0; i < size; ++i) {
    chars.push_back(static_cast<uint8_t>(kFirstDataChar + (data[i] >> 4)));
    chars.push_back(static_cast<uint8_t>(kFirstDataChar + (data[i] & 0x0F)));
  }
}

bool DecodeNibbles(const uint8_t* chars, size_t nPairs, std::vector<uint8_t>& bytes) {
  for (size_t i = 0; i < nPairs; ++i) {
    uint8_t high = chars[2 * i], low = chars[2 * i + 1];
    if (!IsDataChar(high) || !IsDataChar(low)) return false;
    bytes.push_back(static_cast<uint8_t>((high << 4) | (low & 0x0F)));
  }
  return true;
}

std::vector<uint8_t> CommandFrame(uint8_t command, uint8_t item, uint16_t first,
                                  bool bWithLast, uint16_t last) {
  std::vector<uint8_t> frame = {command, item, static_cast<uint8_t>(first & 0xFF),
                                static_cast<uint8_t>(first >> 8)};
  if (bWithLast) {
    frame.push_back(static_cast<uint8_t>(last & 0xFF));
    frame.push_back(static_cast<uint8_t>(last >> 8));
  }
  return frame;
}

std::vector<uint8_t> PcReply(uint8_t code) {
  std::vector<uint8_t> reply = {kCmdReceive, code};
  AppendChecksum(reply, Checksum(reply.data(), reply.size()));
  return reply;
}

}  // namespace ecrlink
