// Sendrix: moves one file between the data folder and the register over the
// serial link, as the main tool asks with ten arguments, and ends with the
// transfer's result code as its exit status.
#include <cstdio>
#include <cstring>
#include <csignal>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/TransferResult.h"
#include "transfer/RunEvents.h"
#include "transfer/SendrixRun.h"

namespace {

const char kUsage[] =
    "Usage: Sendrix [--trace FILE] PORT BAUD DIRECTION FOLDER ITEM EXT MODE FIRST LAST DELAY\n"
    "\n"
    "Moves one file between the data folder and the cash register.\n"
    "\n"
    "  PORT       serial device path (e.g. /dev/ttyUSB0), or a port number n for\n"
    "             /dev/ttyS(n-1); 0 means the register's USB adapter only. An\n"
    "             attached USB adapter (14c4:0003, then 14c4:0001) is always\n"
    "             tried first.\n"
    "  BAUD       baud rate (8 data bits, odd parity, 1 stop bit)\n"
    "  DIRECTION  0 receive from the register, 1 send to the register\n"
    "  FOLDER     data folder\n"
    "  ITEM       item number: its line in Sendrix.ini beside this program\n"
    "             (kind digit 0 table or 1 report, then the file's base name)\n"
    "  EXT        file extension, at most 3 characters (ECR)\n"
    "  MODE       1 send the first number, 2 the first and the last number\n"
    "  FIRST      first number (for a table file: 1 when it starts with a\n"
    "             record count, which is then sent first on its own)\n"
    "  LAST       last number (mode 2)\n"
    "  DELAY      accepted for compatibility; ignored\n"
    "\n"
    "A received file goes to FILE.part and replaces FILE only when the transfer\n"
    "succeeded. Reports are named after the time of reception (MMDDhhmm when\n"
    "Sendrix_RepName.ini exists beside this program, else hhmm).\n"
    "\n"
    "Progress is printed every 500 ms as done/total; the last line is\n"
    "\"result 0x%08x\" with the result code. SIGTERM or SIGINT ends the transfer\n"
    "with the current result code (1 when nothing failed before).\n"
    "\n"
    "  --trace FILE  write every byte read and written to FILE in hexadecimal\n"
    "  --help        show this text\n"
    "\n"
    "Exit status: 0 done, 1 not completed, 0x21-0x28 argument and list errors\n"
    "(0x201-0x208), 0x41/0x42 port errors (0x401/0x402), 0x81-0x84 file errors\n"
    "(0x801-0x804), 0xA1 refused by the register (0x1001), 0xA2 a frame rejected\n"
    "five times (0x1002).\n";

struct Options {
  bool bHelp = false;
  std::string strTrace;
  bool bTraceMissing = false;
  std::vector<std::string> tokens;
};

Options ParseOptions(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      options.bHelp = true;
    } else if (std::strcmp(argv[i], "--trace") == 0) {
      if (i + 1 < argc) options.strTrace = argv[++i];
      else options.bTraceMissing = true;
    } else if (std::strncmp(argv[i], "--trace=", 8) == 0) {
      options.strTrace = argv[i] + 8;
    } else {
      options.tokens.push_back(argv[i]);
    }
  }
  return options;
}

}  // namespace

int main(int argc, char** argv) {
  Options options = ParseOptions(argc, argv);
  if (options.bHelp) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  std::signal(SIGPIPE, SIG_IGN);
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  if (options.bTraceMissing) std::fprintf(stderr, "Sendrix: --trace needs a file name\n");

  RunEnvironment environment;
  std::string exePath = platform::NativePath(platform::ExecutablePath());
  environment.strProgramFolder = platform::NativePath(platform::ExecutableFolder());
  environment.strListPath = TransferListPath(exePath);
  std::FILE* trace = nullptr;
  if (!options.strTrace.empty()) {
    trace = std::fopen(options.strTrace.c_str(), "w");
    if (!trace)
      std::fprintf(stderr, "Sendrix: cannot write the trace file %s: %s\n", options.strTrace.c_str(),
                   std::strerror(errno));
  }
  environment.pTrace = trace;

  uint32_t nResult;
  {
    CRunEvents events(stdout);
    CSendrixRun run(events, environment);
    nResult = run.Execute(options.tokens);
  }
  if (trace) std::fclose(trace);
  std::printf("result 0x%08x\n", nResult);
  return platform::ExitStatusFromTransferResult(nResult);
}
