#include "tools/ecrsim/RegisterSession.h"

#include <algorithm>
#include <cstdarg>
#include <functional>

namespace {

constexpr uint8_t kSend = 0xD0, kReceive = 0xD9;
constexpr uint8_t kAck = 0x06, kNak = 0x15, kRefuse = 0x0B, kEnd = 0x1A;
constexpr size_t kFrameChars = 128;
constexpr size_t kFrameBytes = kFrameChars / 2;
constexpr int kMaxSends = 5;
// Within a transfer the PC answers at once; this much silence means it has gone.
constexpr int kIdleMs = 2000;

uint16_t Sum(const uint8_t* data, size_t size) {
  unsigned sum = 0;
  for (size_t i = 0; i < size; ++i) sum += data[i];
  return static_cast<uint16_t>(sum);
}

void AddSum(std::vector<uint8_t>& frame, uint16_t sum) {
  frame.push_back(static_cast<uint8_t>(sum));
  frame.push_back(static_cast<uint8_t>(sum >> 8));
}

bool InRange(uint8_t ch) { return ch >= 0x30 && ch <= 0x3F; }

// The file as the register sends it: frames of 64 bytes, the end mark in the
// last short frame or, for a length that is a multiple of 64, alone.
std::vector<std::vector<uint8_t>> SplitIntoFrames(const std::vector<uint8_t>& bytes) {
  std::vector<std::vector<uint8_t>> frames;
  size_t pos = 0;
  do {
    size_t n = std::min(kFrameBytes, bytes.size() - pos);
    std::vector<uint8_t> chars;
    for (size_t i = pos; i < pos + n; ++i) {
      chars.push_back(static_cast<uint8_t>(0x30 + (bytes[i] >> 4)));
      chars.push_back(static_cast<uint8_t>(0x30 + (bytes[i] & 0x0F)));
    }
    pos += n;
    if (n < kFrameBytes) chars.push_back(kEnd);
    frames.push_back(chars);
  } while (pos < bytes.size() || frames.back().back() != kEnd);
  return frames;
}

std::vector<uint8_t> WithSum(std::vector<uint8_t> chars, int nSumError = 0) {
  AddSum(chars, static_cast<uint16_t>(Sum(chars.data(), chars.size()) + nSumError));
  return chars;
}

// The frame with an odd number of data characters and a correct sum.
std::vector<uint8_t> OddFrame(std::vector<uint8_t> chars) {
  bool bEndMark = !chars.empty() && chars.back() == kEnd;
  if (!bEndMark) {
    chars.resize(kFrameChars - 1);
    chars.push_back(kEnd);
  } else if (chars.size() > 1) {
    chars.erase(chars.end() - 2);
  } else {
    chars.insert(chars.begin(), 0x30);
  }
  return WithSum(chars);
}

// The frame with a character outside 0x30..0x3F and a correct sum.
std::vector<uint8_t> BadCharFrame(std::vector<uint8_t> chars) {
  if (chars.empty() || chars.front() == kEnd) chars.insert(chars.begin(), {0x30, 0x30});
  chars.front() = 0x40;
  return WithSum(chars);
}

}  // namespace

void CRegisterSession::Log(const char* format, ...) {
  if (!m_pLog) return;
  va_list args;
  va_start(args, format);
  std::vfprintf(m_pLog, format, args);
  va_end(args);
  std::fputc('\n', m_pLog);
  std::fflush(m_pLog);
}

bool CRegisterSession::ServeOne() {
  Command command;
  // Between transfers the register waits as long as it takes; bytes that are
  // no command are line noise.
  do {
    if (!m_line.ReadByte(command.nCode, -1)) return false;
  } while (command.nCode != kSend && command.nCode != kReceive);
  m_nFrame = 0;
  Answer answer = ReceiveCommand(command);
  if (answer == Answer::Accepted) {
    if (command.nCode == kSend) TakeFile(command);
    else GiveFile(command);
  } else if (answer == Answer::Silent) {
    Log("silent after %d frames", m_faults.nSilentAfter);
    DrainUntilIdle();
  } else if (answer == Answer::Refused) {
    Log("refused item %u", command.nItem);
  } else {
    Log("transfer abandoned");
  }
  m_line.Release();
  return true;
}

void CRegisterSession::DrainUntilIdle() {
  uint8_t byte;
  while (m_line.ReadByte(byte, kIdleMs)) {
  }
}

bool CRegisterSession::ReadCommand(Command& command) {
  // The code byte is read already. Mode 1 has 4 bytes before the sum, mode 2
  // has 6: a sum that fits after 4 bytes is taken as mode 1.
  uint8_t bytes[8] = {command.nCode};
  for (size_t i = 1; i < 6; ++i)
    if (!m_line.ReadByte(bytes[i], kIdleMs)) return false;
  command.nItem = bytes[1];
  command.nFirst = static_cast<uint16_t>(bytes[2] | (bytes[3] << 8));
  command.bValid = Sum(bytes, 4) == (bytes[4] | (bytes[5] << 8));
  if (!command.bValid) {
    if (!m_line.ReadByte(bytes[6], kIdleMs) || !m_line.ReadByte(bytes[7], kIdleMs)) return false;
    command.bValid = Sum(bytes, 6) == (bytes[6] | (bytes[7] << 8));
    if (!command.bValid) m_line.DiscardInput();
  }
  return true;
}

CRegisterSession::Answer CRegisterSession::ReceiveCommand(Command& command) {
  for (m_nTry = 1;; ++m_nTry) {
    if (m_nTry > 1 && !m_line.ReadByte(command.nCode, kIdleMs)) return Answer::Gone;
    if (!ReadCommand(command)) return Answer::Gone;
    // An item the register has no file for is refused rather than sent empty.
    bool bKnown = command.nCode == kSend
                      ? CRegisterMemory::FindItemFile(command.nItem) != nullptr
                      : m_memory.Load(command.nItem, m_outgoing, m_strOutgoingName);
    if (command.bValid && !bKnown) {
      Reply(kRefuse);
      return Answer::Refused;
    }
    Answer answer = AnswerFrame(command.bValid, nullptr);
    if (answer != Answer::Rejected) return answer;
  }
}

CRegisterSession::Answer CRegisterSession::AnswerFrame(bool bValid, const KeepFrame& keep) {
  if (m_nTry == 1) ++m_nFrame;
  if (m_faults.nSilentAfter >= 0 && m_nFrame > m_faults.nSilentAfter) return Answer::Silent;
  if (m_nFrame == m_faults.nRefuseFrame) return Reply(kRefuse) ? Answer::Refused : Answer::Gone;
  bool bAccept = bValid && m_nTry > m_faults.nNakTries + m_faults.nBadSumTries;
  bool bBadSum = bValid && !bAccept && m_nTry > m_faults.nNakTries;
  // What the register cannot keep, it refuses; it keeps it before saying so.
  if (bAccept && keep && !keep()) return Reply(kRefuse) ? Answer::Refused : Answer::Gone;
  if (!Reply(bValid && (bAccept || bBadSum) ? kAck : kNak, bBadSum)) return Answer::Gone;
  return bAccept ? Answer::Accepted : Answer::Rejected;
}

bool CRegisterSession::Reply(uint8_t code, bool bBadSum) {
  std::vector<uint8_t> reply = {kReceive, code};
  return m_line.Write(WithSum(reply, bBadSum ? 1 : 0));
}

bool CRegisterSession::ReadPcFrame(std::vector<uint8_t>& data, bool& bValid, bool& bLast) {
  std::vector<uint8_t> chars;
  uint8_t ch = 0;
  while (chars.size() < kFrameChars && ch != kEnd) {
    if (!m_line.ReadByte(ch, kIdleMs)) return false;
    chars.push_back(ch);
  }
  uint8_t low, high;
  if (!m_line.ReadByte(low, kIdleMs) || !m_line.ReadByte(high, kIdleMs)) return false;
  bLast = chars.back() == kEnd;
  size_t nData = chars.size() - (bLast ? 1 : 0);
  bValid = Sum(chars.data(), chars.size()) == (low | (high << 8)) && nData % 2 == 0 &&
           std::all_of(chars.begin(), chars.begin() + static_cast<long>(nData), InRange);
  data.clear();
  for (size_t i = 0; bValid && i < nData; i += 2)
    data.push_back(static_cast<uint8_t>((chars[i] << 4) | (chars[i + 1] & 0x0F)));
  return true;
}

CRegisterSession::Answer CRegisterSession::ReceiveFrame(std::vector<uint8_t>& content, bool& bLast,
                                                        const KeepFrame& onLast) {
  std::vector<uint8_t> data;
  auto keep = [&]() {
    content.insert(content.end(), data.begin(), data.end());
    return !bLast || !onLast || onLast();
  };
  for (m_nTry = 1;; ++m_nTry) {
    bool bValid = false;
    if (!ReadPcFrame(data, bValid, bLast)) return Answer::Gone;
    Answer answer = AnswerFrame(bValid, keep);
    if (answer != Answer::Rejected) return answer;
  }
}

void CRegisterSession::TakeFile(const Command& command) {
  const ItemFile& file = *CRegisterMemory::FindItemFile(command.nItem);
  std::vector<uint8_t> content;
  bool bLast = false;
  Answer answer = Answer::Accepted;
  if (file.bHeaderStep) {
    answer = ReceiveFrame(content, bLast, nullptr);
    // The record count is confirmed a second time before the records come.
    if (answer == Answer::Accepted && !Reply(kAck)) answer = Answer::Gone;
  }
  // The file is stored before the last frame is acknowledged, so it is in
  // place when the PC's transfer ends.
  auto store = [&]() { return m_memory.Store(file, content); };
  for (bLast = false; answer == Answer::Accepted && !bLast;)
    answer = ReceiveFrame(content, bLast, store);
  if (answer == Answer::Silent) {
    Log("silent after %d frames", m_faults.nSilentAfter);
    DrainUntilIdle();
  } else if (answer != Answer::Accepted) {
    Log("%s from the PC not completed", file.pszFileName);
  } else {
    Log("received %s (item %u, %zu bytes)", file.pszFileName, command.nItem, content.size());
  }
}

bool CRegisterSession::ReadPcReply(bool& bAck) {
  uint8_t reply[4];
  for (uint8_t& byte : reply)
    if (!m_line.ReadByte(byte, kIdleMs)) return false;
  bAck = reply[1] == kAck && Sum(reply, 2) == (reply[2] | (reply[3] << 8));
  return true;
}

CRegisterSession::Answer CRegisterSession::SendFrame(const std::vector<uint8_t>& chars) {
  ++m_nFrame;
  if (m_faults.nSilentAfter >= 0 && m_nFrame > m_faults.nSilentAfter) return Answer::Silent;
  std::vector<std::vector<uint8_t>> corrupted;
  if (m_faults.bOddFrames) corrupted.push_back(OddFrame(chars));
  if (m_faults.bBadCharFrames) corrupted.push_back(BadCharFrame(chars));
  if (m_faults.bBadSumFrames) corrupted.push_back(WithSum(chars, 1));
  for (int nSend = 1; nSend <= kMaxSends; ++nSend) {
    bool bAck = false;
    for (const std::vector<uint8_t>& bad : corrupted)
      if (!m_line.Write(bad) || !ReadPcReply(bAck)) return Answer::Gone;
    if (!m_line.Write(WithSum(chars)) || !ReadPcReply(bAck)) return Answer::Gone;
    if (bAck) return Answer::Accepted;
  }
  return Answer::Gone;
}

void CRegisterSession::GiveFile(const Command& command) {
  for (const std::vector<uint8_t>& frame : SplitIntoFrames(m_outgoing)) {
    Answer answer = SendFrame(frame);
    if (answer == Answer::Silent) {
      Log("silent after %d frames", m_faults.nSilentAfter);
      DrainUntilIdle();
      return;
    }
    if (answer != Answer::Accepted) {
      Log("sending %s not completed", m_strOutgoingName.c_str());
      return;
    }
  }
  Log("sent %s (item %u, %zu bytes)", m_strOutgoingName.c_str(), command.nItem, m_outgoing.size());
}
