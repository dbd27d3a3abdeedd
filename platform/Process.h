// Starting a child program and waiting for its end.
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace platform {

struct ProcessOptions {
  std::string strWorkingDir;   // "" keeps the current directory
  std::string strStdoutPath;   // "" inherits standard output; else the file is created anew
  std::string strStderrPath;   // "" inherits standard error
};

class CChildProcess {
 public:
  CChildProcess() = default;
  ~CChildProcess();  // does not stop a child still running
  CChildProcess(const CChildProcess&) = delete;
  CChildProcess& operator=(const CChildProcess&) = delete;

  // Runs `program` (a path) with `args` (without the program name).
  bool Start(const std::string& program, const std::vector<std::string>& args,
             const ProcessOptions& options = ProcessOptions());
  bool IsRunning() const { return m_nPid > 0; }
  pid_t Pid() const { return m_nPid; }
  // Readable in poll() once the child has ended; -1 when not running.
  int Descriptor() const { return m_nPidFd; }
  // Sends a signal (by default the close request SIGTERM) to the child.
  bool Signal(int nSignal);
  // Blocks until the child ends. Its exit status 0..255, 128 + the signal
  // number when a signal ended it, or -1 when there is no child.
  int Wait();
  // Same without blocking: false while the child still runs.
  bool TryWait(int& nStatus);

 private:
  int Reap(int options, bool& bEnded);
  void Forget();

  pid_t m_nPid = -1;
  int m_nPidFd = -1;
};

}  // namespace platform
