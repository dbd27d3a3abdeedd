// Helpers of the transfer tests: a scratch folder laid out as an installed
// toolkit (a copy of Sendrix with its Sendrix.ini, a data folder), running
// Sendrix, and ecrsim on its pseudo-terminal.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Process.h"

std::vector<uint8_t> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
// Bytes that differ from position to position (a counter mixed with the size).
std::vector<uint8_t> PatternBytes(size_t size);
bool FileExists(const std::string& path);

class CScratchFolder {
 public:
  CScratchFolder();
  ~CScratchFolder();
  CScratchFolder(const CScratchFolder&) = delete;
  CScratchFolder& operator=(const CScratchFolder&) = delete;
  const std::string& Path() const { return m_strPath; }

 private:
  std::string m_strPath;
};

struct SendrixOutcome {
  int nExitStatus = -1;
  std::vector<std::string> lines;  // standard output
  std::string LastLine() const { return lines.empty() ? std::string() : lines.back(); }
};

// <scratch>/bin holds a copy of Sendrix (it finds Sendrix.ini beside its own
// executable), <scratch>/data/ is the data folder.
class CSendrixSandbox {
 public:
  CSendrixSandbox();
  std::string BinFolder() const { return m_scratch.Path() + "/bin/"; }
  std::string DataFolder() const { return m_scratch.Path() + "/data/"; }
  std::string Scratch() const { return m_scratch.Path() + "/"; }

  // The transfer list the main tool writes: line n for item n, CR LF ends.
  void WriteList(const std::vector<std::string>& lines) const;
  // The list of the register files and reports as the main tool writes it.
  void WriteStandardList() const;

  std::vector<std::string> Arguments(const std::string& port, int direction, int item, int mode,
                                     int first, int last) const;
  SendrixOutcome Run(const std::vector<std::string>& args) const;
  // Starts Sendrix and returns at once; Finish collects its outcome.
  void Start(platform::CChildProcess& process, const std::vector<std::string>& args) const;
  SendrixOutcome Finish(platform::CChildProcess& process) const;

 private:
  CScratchFolder m_scratch;
};

// ecrsim started with options; its device path is read from its first line.
class CSimulator {
 public:
  CSimulator(const std::string& memoryFolder, const std::vector<std::string>& options = {});
  ~CSimulator();
  const std::string& Device() const { return m_strDevice; }
  // Blocks until the simulator logs a line that contains `text`; false when
  // it ended first.
  bool WaitForLog(const std::string& text);

 private:
  bool ReadLine(std::string& line);

  platform::CChildProcess m_process;
  CScratchFolder m_scratch;
  std::string m_strDevice;
  int m_nFifo = -1;
};
