// The register's end of the line: the master side of a pseudo-terminal. With
// a baud rate it behaves like a real line at 8O1 (11 bits a character): a
// byte from the PC counts as arrived only when its line time has passed, and
// the register's bytes are handed out at the pace the line would carry them.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

class CRegisterLine {
 public:
  static constexpr int kBitsPerChar = 11;  // start, 8 data, parity, stop

  CRegisterLine() = default;
  ~CRegisterLine();
  CRegisterLine(const CRegisterLine&) = delete;
  CRegisterLine& operator=(const CRegisterLine&) = delete;

  // Creates the pseudo-terminal; the PC opens DevicePath(). False on failure.
  bool Create(uint32_t nBaudRate);
  const std::string& DevicePath() const { return m_strDevice; }

  // The next byte from the PC. False when none came within `idleMs`
  // milliseconds (-1 waits as long as it takes) or the line failed.
  bool ReadByte(uint8_t& byte, int idleMs);
  // Drops what the PC sent and the register has not read yet.
  void DiscardInput();
  // Sends the bytes, paced when a baud rate is set: they start once the PC's
  // bytes read so far have crossed the line. False on failure.
  bool Write(const std::vector<uint8_t>& bytes);
  // Lets the next PC open the device even if the last one left it exclusive.
  void Release();

 private:
  bool Fill(int idleMs);
  bool WriteNow(const uint8_t* data, size_t size);
  static int64_t Now();
  static void SleepUntil(int64_t ns);

  int m_nMaster = -1;
  int m_nSlave = -1;  // held open so that the master sees no hang-up between PCs
  std::string m_strDevice;
  int64_t m_nCharNs = 0;       // line time of one character; 0 unpaced
  int64_t m_nArrivalNs = 0;    // when the line is free: the last byte either way has crossed it
  uint8_t m_abBuffer[4096];
  size_t m_nUsed = 0;
  size_t m_nPos = 0;
};
