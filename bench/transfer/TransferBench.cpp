// Sends and receives PLU.ECR (67,784 bytes) between Sendrix and ecrsim,
// unpaced and paced at 115,200 baud, and prints the wall time, the line-time
// bound of the protocol at that rate, Sendrix's CPU time and the throughput.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <vector>

#include "TransferHarness.h"

namespace {

constexpr size_t kFileSize = 67784;
constexpr uint32_t kBaudRate = 115200;
constexpr int kBitsPerChar = 11;  // 8O1
constexpr size_t kCommand = 4 + 2, kReply = 4, kChunk = 64;

// Characters on the line for the data frames of n bytes, each answered by a reply.
size_t DataFrameChars(size_t n) {
  size_t nFull = n / kChunk, nRest = n % kChunk;
  size_t chars = nFull * (2 * kChunk + 2 + kReply);
  // The end mark closes the last short frame, or comes alone.
  chars += nRest ? 2 * nRest + 1 + 2 + kReply : 1 + 2 + kReply;
  return chars;
}

size_t SendChars() {  // command, header step with its two replies, data frames
  return kCommand + kReply + (5 + 2) + 2 * kReply + DataFrameChars(kFileSize - 2);
}

size_t ReceiveChars() { return kCommand + kReply + DataFrameChars(kFileSize); }

double CpuSecondsOfChildren() {
  rusage usage{};
  ::getrusage(RUSAGE_CHILDREN, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

struct Measure {
  double dWall = 0, dCpu = 0;
  int nStatus = -1;
};

Measure Transfer(const CSendrixSandbox& sandbox, const std::string& device, int direction) {
  Measure m;
  double cpuBefore = CpuSecondsOfChildren();
  auto start = std::chrono::steady_clock::now();
  m.nStatus = sandbox.Run(sandbox.Arguments(device, direction, 6, 1, 1, 0)).nExitStatus;
  m.dWall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  m.dCpu = CpuSecondsOfChildren() - cpuBefore;
  return m;
}

void Report(const char* name, const Measure& m, double bound) {
  std::printf("%-22s status %d  wall %8.3f s", name, m.nStatus, m.dWall);
  if (bound > 0) std::printf("  bound %8.3f s (%+5.1f %%)", bound, 100.0 * (m.dWall - bound) / bound);
  std::printf("  cpu %6.3f s (%4.1f %% of wall)  %7.1f KB/s of file data\n", m.dCpu,
              100.0 * m.dCpu / m.dWall, kFileSize / 1000.0 / m.dWall);
}

}  // namespace

int main() {
  CSendrixSandbox sandbox;
  sandbox.WriteStandardList();
  std::string memory = sandbox.Scratch() + "memory/";
  std::filesystem::create_directories(memory);
  std::vector<uint8_t> plu = PatternBytes(kFileSize);
  WriteBytes(sandbox.DataFolder() + "PLU.ECR", plu);

  std::printf("PLU.ECR, %zu bytes; line characters: send %zu, receive %zu\n", kFileSize,
              SendChars(), ReceiveChars());
  for (uint32_t baud : {0u, kBaudRate}) {
    std::vector<std::string> options;
    if (baud) options = {"--baud", std::to_string(baud)};
    CSimulator sim(memory, options);
    double sendBound = baud ? static_cast<double>(SendChars() * kBitsPerChar) / baud : 0;
    double receiveBound = baud ? static_cast<double>(ReceiveChars() * kBitsPerChar) / baud : 0;
    Measure send = Transfer(sandbox, sim.Device(), 1);
    Measure receive = Transfer(sandbox, sim.Device(), 0);
    bool bSame = ReadBytes(memory + "PLU.ECR") == plu && ReadBytes(sandbox.DataFolder() + "PLU.ECR") == plu;
    std::string label = baud ? "paced " + std::to_string(baud) : std::string("unpaced");
    Report((label + " send").c_str(), send, sendBound);
    Report((label + " receive").c_str(), receive, receiveBound);
    if (!bSame || send.nStatus != 0 || receive.nStatus != 0) {
      std::printf("FAILED: the transfers did not complete byte for byte\n");
      return 1;
    }
  }
  return 0;
}
