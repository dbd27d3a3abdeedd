// ecrsim: a cash register on a pseudo-terminal, for tests, benchmarks and for
// trying the toolkit without a register. It prints the device path of its end
// of the line and serves transfers from and to a folder that plays the
// register's memory, with faults injected on request.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

#include "tools/ecrsim/RegisterLine.h"
#include "tools/ecrsim/RegisterMemory.h"
#include "tools/ecrsim/RegisterSession.h"

namespace {

const char kUsage[] =
    "Usage: ecrsim [OPTIONS]\n"
    "\n"
    "Simulates a cash register on a pseudo-terminal. The first line on standard\n"
    "output is the device path to give the transfer program (Sendrix) as its\n"
    "port. Runs until killed, or with --once for one transfer.\n"
    "\n"
    "The register's memory is a folder: a file sent with command 0xD0 is stored\n"
    "under the name of its item (1 S_MODE.ECR, 2 GRP_HEAD.ECR, 3 GRP_FOOT.ECR,\n"
    "4 PRG_MODE.ECR, 5 DEPT.ECR, 6 PLU.ECR, 7 CLERK.ECR; 5 to 7 with the 2-byte\n"
    "record count sent first on its own). Command 0xD9 is answered with the\n"
    "item's file, or for a report number (16 FINC, 17 ALCL, 18 DPCS, 19 ALDP,\n"
    "20 ALPL, 21 MTPL, 22 HOUR, 23 OTAC, 24 OT1C, 25 FLEJ, 26 LAEJ, 27 OLEJ,\n"
    "28 DAEJ, 31 ATCL, 32 FIGT, 33 ACGT, 35 ADGT, 36 APGT, 47 ATCG) with the\n"
    "newest file CODE*.ecr in the folder. An item without a file is refused.\n"
    "\n"
    "  --folder DIR        the register's memory (default: the current directory)\n"
    "  --link PATH         also make PATH a symbolic link to the device\n"
    "  --once              serve one transfer, then end\n"
    "  --baud N            pace the line at N baud, 8O1 (11 bits a character)\n"
    "  --quiet             no log of transfers on standard error\n"
    "Faults:\n"
    "  --nak N             answer the first N tries of every frame with NAK\n"
    "  --bad-reply-sum N   then answer N tries with an ACK whose checksum is wrong\n"
    "  --refuse N          answer the N-th frame of a transfer with 0x0B (refused)\n"
    "  --silent-after N    stop answering after N frames of a transfer\n"
    "  --bad-frames KINDS  before every data frame sent, one invalid copy of each\n"
    "                      kind in the comma list: odd (odd character count),\n"
    "                      char (a character outside 0x30..0x3F), sum (wrong sum)\n"
    "  --help              show this text\n";

struct Options {
  std::string strFolder = ".";
  std::string strLink;
  bool bOnce = false;
  bool bQuiet = false;
  uint32_t nBaudRate = 0;
  FaultOptions faults;
};

// Path of the link to remove when a signal ends the simulator.
char g_szLink[4096];

void OnSignal(int) {
  if (g_szLink[0]) ::unlink(g_szLink);
  ::_exit(0);
}

bool ParseCount(const char* text, int& value) {
  char* end = nullptr;
  long number = std::strtol(text, &end, 10);
  if (end == text || *end || number < 0 || number > 1000000) return false;
  value = static_cast<int>(number);
  return true;
}

bool ParseBadFrames(const std::string& kinds, FaultOptions& faults) {
  size_t start = 0;
  while (start <= kinds.size()) {
    size_t comma = kinds.find(',', start);
    std::string kind = kinds.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    if (kind == "odd") faults.bOddFrames = true;
    else if (kind == "char") faults.bBadCharFrames = true;
    else if (kind == "sum") faults.bBadSumFrames = true;
    else return false;
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return true;
}

// 0 to go on, else the exit status (2 for a usage error).
int ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    std::string option = argv[i];
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    bool bTakesValue = option != "--once" && option != "--quiet" && option != "--help";
    if (option == "--help") {
      std::fputs(kUsage, stdout);
      return -1;
    }
    if (bTakesValue && !value) {
      std::fprintf(stderr, "ecrsim: %s needs a value (see --help)\n", option.c_str());
      return 2;
    }
    int baud = 0;
    bool bOk = true;
    if (option == "--once") options.bOnce = true;
    else if (option == "--quiet") options.bQuiet = true;
    else if (option == "--folder") options.strFolder = value;
    else if (option == "--link") options.strLink = value;
    else if (option == "--baud") bOk = ParseCount(value, baud) && baud > 0;
    else if (option == "--nak") bOk = ParseCount(value, options.faults.nNakTries);
    else if (option == "--bad-reply-sum") bOk = ParseCount(value, options.faults.nBadSumTries);
    else if (option == "--refuse") bOk = ParseCount(value, options.faults.nRefuseFrame);
    else if (option == "--silent-after") bOk = ParseCount(value, options.faults.nSilentAfter);
    else if (option == "--bad-frames") bOk = ParseBadFrames(value, options.faults);
    else {
      std::fprintf(stderr, "ecrsim: unknown option %s (see --help)\n", option.c_str());
      return 2;
    }
    if (option == "--baud") options.nBaudRate = static_cast<uint32_t>(baud);
    if (!bOk) {
      std::fprintf(stderr, "ecrsim: invalid value for %s: %s\n", option.c_str(), value);
      return 2;
    }
    if (bTakesValue) ++i;
  }
  return 0;
}

bool MakeLink(const std::string& link, const std::string& device) {
  ::unlink(link.c_str());
  if (::symlink(device.c_str(), link.c_str()) != 0) return false;
  std::snprintf(g_szLink, sizeof g_szLink, "%s", link.c_str());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  int status = ParseOptions(argc, argv, options);
  if (status != 0) return status < 0 ? 0 : status;

  CRegisterLine line;
  if (!line.Create(options.nBaudRate)) {
    std::fprintf(stderr, "ecrsim: cannot create a pseudo-terminal: %s\n", std::strerror(errno));
    return 1;
  }
  std::signal(SIGTERM, OnSignal);
  std::signal(SIGINT, OnSignal);
  std::signal(SIGHUP, OnSignal);
  if (!options.strLink.empty() && !MakeLink(options.strLink, line.DevicePath())) {
    std::fprintf(stderr, "ecrsim: cannot make the link %s: %s\n", options.strLink.c_str(),
                 std::strerror(errno));
    return 1;
  }
  std::printf("%s\n", line.DevicePath().c_str());
  std::fflush(stdout);

  CRegisterMemory memory(options.strFolder);
  CRegisterSession session(line, memory, options.faults, options.bQuiet ? nullptr : stderr);
  bool bLineOk;
  do {
    bLineOk = session.ServeOne();
  } while (bLineOk && !options.bOnce);
  if (g_szLink[0]) ::unlink(g_szLink);
  return bLineOk ? 0 : 1;
}
