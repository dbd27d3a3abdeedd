// One run of the transfer program: check the arguments, look the item up in
// the transfer list, build the file path, choose and open the port, and move
// the file with one of the two procedures. The result code starts at 1
// ("not completed"), becomes the code of the first failure, or 0 at the end.
#pragma once

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "transfer/ComPort.h"
#include "transfer/RunEvents.h"
#include "transfer/TransferArgs.h"
#include "transfer/TransferList.h"

struct RunEnvironment {
  std::string strProgramFolder;     // where Sendrix.ini and the marker are, ending with "/"
  std::string strListPath;          // Sendrix.ini
  std::string strSysfsRoot = "/sys";
  std::string strDevRoot = "/dev";
  std::FILE* pTrace = nullptr;      // hex trace of the link, when asked for
};

class CSendrixRun {
 public:
  CSendrixRun(CRunEvents& events, const RunEnvironment& environment);

  // Runs the transfer the ten tokens describe and returns the result code.
  uint32_t Execute(const std::vector<std::string>& tokens);

 private:
  uint32_t Prepare(const std::vector<std::string>& tokens);
  bool OpenPort();
  bool RunSend(CLinkProtocol& link);
  bool RunReceive(CLinkProtocol& link);

  CRunEvents& m_events;
  RunEnvironment m_environment;
  CComPort m_port;
  uint32_t m_nResult;
  TransferArgs m_args;
  TransferItem m_item;
  std::string m_strFilePath;
  bool m_bPathFits = false;
};
