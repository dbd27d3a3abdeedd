#include "TransferHarness.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> PatternBytes(size_t size) {
  std::vector<uint8_t> bytes(size);
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(i * 7 + (i >> 8) + size);
  return bytes;
}

bool FileExists(const std::string& path) {
  std::error_code ec;
  return fs::exists(path, ec);
}

CScratchFolder::CScratchFolder() {
  std::string pattern = (fs::temp_directory_path() / "ecr-transfer-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  m_strPath = pattern;
}

CScratchFolder::~CScratchFolder() {
  std::error_code ec;
  fs::remove_all(m_strPath, ec);
}

CSendrixSandbox::CSendrixSandbox() {
  fs::create_directories(BinFolder());
  fs::create_directories(DataFolder());
  fs::copy_file(std::string(ECR_BIN_DIR) + "/Sendrix", BinFolder() + "Sendrix");
}

void CSendrixSandbox::WriteList(const std::vector<std::string>& lines) const {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  WriteBytes(BinFolder() + "Sendrix.ini", std::vector<uint8_t>(text.begin(), text.end()));
}

void CSendrixSandbox::WriteStandardList() const {
  std::vector<std::string> lines = {"0DUMMY", "0S_MODE", "0GRP_HEAD", "0GRP_FOOT", "0PRG_MODE",
                                    "0DEPT",  "0PLU",    "0CLERK"};
  while (lines.size() < 16) lines.push_back("0DUMMY");
  lines.push_back("1FINC");
  lines.push_back("1ALCL");
  WriteList(lines);
}

std::vector<std::string> CSendrixSandbox::Arguments(const std::string& port, int direction,
                                                    int item, int mode, int first,
                                                    int last) const {
  return {port, "115200", std::to_string(direction), DataFolder(), std::to_string(item), "ECR",
          std::to_string(mode), std::to_string(first), std::to_string(last), "1"};
}

void CSendrixSandbox::Start(platform::CChildProcess& process,
                            const std::vector<std::string>& args) const {
  platform::ProcessOptions options;
  options.strStdoutPath = Scratch() + "sendrix.out";
  options.strWorkingDir = Scratch();
  if (!process.Start(BinFolder() + "Sendrix", args, options))
    throw std::runtime_error("cannot start Sendrix");
}

SendrixOutcome CSendrixSandbox::Finish(platform::CChildProcess& process) const {
  SendrixOutcome outcome;
  outcome.nExitStatus = process.Wait();
  std::ifstream in(Scratch() + "sendrix.out");
  for (std::string line; std::getline(in, line);) outcome.lines.push_back(line);
  return outcome;
}

SendrixOutcome CSendrixSandbox::Run(const std::vector<std::string>& args) const {
  platform::CChildProcess process;
  Start(process, args);
  return Finish(process);
}

CSimulator::CSimulator(const std::string& memoryFolder, const std::vector<std::string>& options) {
  // Its standard output is a FIFO: reading the first line blocks until the
  // simulator has printed its device, without polling for it.
  std::string fifo = m_scratch.Path() + "/output";
  if (::mkfifo(fifo.c_str(), 0600) != 0) throw std::runtime_error("mkfifo failed");
  // Open for reading first (not blocking, there is no writer yet), so that the
  // child's open for writing does not wait while posix_spawn waits for the child.
  m_nFifo = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  std::vector<std::string> args = {"--folder", memoryFolder};
  args.insert(args.end(), options.begin(), options.end());
  platform::ProcessOptions processOptions;
  processOptions.strStdoutPath = fifo;
  processOptions.strStderrPath = fifo;  // its log of transfers follows the device line
  if (!m_process.Start(std::string(ECR_BIN_DIR) + "/ecrsim", args, processOptions))
    throw std::runtime_error("cannot start ecrsim");
  ::fcntl(m_nFifo, F_SETFL, ::fcntl(m_nFifo, F_GETFL) & ~O_NONBLOCK);
  if (!ReadLine(m_strDevice) || m_strDevice.empty()) throw std::runtime_error("ecrsim printed no device");
}

bool CSimulator::ReadLine(std::string& line) {
  line.clear();
  char ch;
  while (::read(m_nFifo, &ch, 1) == 1) {
    if (ch == '\n') return true;
    line += ch;
  }
  return false;
}

bool CSimulator::WaitForLog(const std::string& text) {
  std::string line;
  while (ReadLine(line))
    if (line.find(text) != std::string::npos) return true;
  return false;
}

CSimulator::~CSimulator() {
  m_process.Signal(SIGTERM);
  m_process.Wait();
  if (m_nFifo >= 0) ::close(m_nFifo);
}
