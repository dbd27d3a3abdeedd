// The byte-level vocabulary of the register link: special bytes, the 16-bit
// checksum, the nibble encoding of data bytes, and the fixed frames the PC
// builds. Pure functions on spans of bytes, so they are tested without a port.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ecrlink {

constexpr uint8_t kCmdSend = 0xD0;     // PC sends a file to the register
constexpr uint8_t kCmdReceive = 0xD9;  // PC receives a file; also the first byte of PC replies
constexpr uint8_t kAck = 0x06;
constexpr uint8_t kNak = 0x15;
constexpr uint8_t kRefused = 0x0B;     // from the register only: the transfer fails
constexpr uint8_t kEndMark = 0x1A;     // last data frame of a file
constexpr uint8_t kFirstDataChar = 0x30;
constexpr uint8_t kLastDataChar = 0x3F;

constexpr size_t kMaxFrameChars = 128;     // characters of one data frame, end mark excluded
constexpr size_t kChunkBytes = kMaxFrameChars / 2;  // file bytes one data frame carries
constexpr size_t kReplySize = 4;
constexpr size_t kChecksumSize = 2;
constexpr int kMaxSends = 5;               // the first send and four repetitions

// Sum of the bytes modulo 65536.
uint16_t Checksum(const uint8_t* data, size_t size);
void AppendChecksum(std::vector<uint8_t>& frame, uint16_t sum);

bool IsDataChar(uint8_t ch);
// Each byte becomes two characters: 0x30 + high nibble, then 0x30 + low nibble.
void EncodeNibbles(const uint8_t* data, size_t size, std::vector<uint8_t>& chars);
// Pairs of characters back to bytes; false when a character lies outside 0x30..0x3F.
bool DecodeNibbles(const uint8_t* chars, size_t nPairs, std::vector<uint8_t>& bytes);

// Command frame without its checksum: command, item, first number, and in
// mode 2 the last number, numbers low byte first.
std::vector<uint8_t> CommandFrame(uint8_t command, uint8_t item, uint16_t first,
                                  bool bWithLast, uint16_t last);
// The 4-byte reply the PC writes: 0xD9, code, checksum.
std::vector<uint8_t> PcReply(uint8_t code);

}  // namespace ecrlink
