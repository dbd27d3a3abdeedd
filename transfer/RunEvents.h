// The events a run serves while it waits for the register: the close request
// (SIGTERM or SIGINT) and the 500 ms progress timer. Every wait blocks in one
// poll() over the port, a self-pipe written by the signal handler and a
// timerfd, so nothing spins and nothing sleeps.
#pragma once

#include <cstdio>
#include <string>

#include "transfer/ComPort.h"
#include "transfer/FileTransfer.h"

class CRunEvents : public CLinkWaiter, public CTransferProgress {
 public:
  static constexpr long kProgressIntervalMs = 500;

  // Installs the handlers of SIGTERM and SIGINT; progress lines go to `out`.
  explicit CRunEvents(std::FILE* out);
  ~CRunEvents() override;
  CRunEvents(const CRunEvents&) = delete;
  CRunEvents& operator=(const CRunEvents&) = delete;

  // True once a close request came (also one that came while no wait ran).
  bool CloseRequested();

  bool WaitFor(int fd, short events) override;

  // Progress: "done/total" every 500 ms while started, and once more at the
  // stop when the counters moved since the last line.
  void Start(long nDone, long nTotal) override;
  void Update(long nDone, long nTotal) override;
  void Stop() override;
  // Writes a progress line at once ("0/0" for an empty file to send).
  void ShowProgress(long nDone, long nTotal);

 private:
  void ArmTimer(long intervalMs);
  void ServeTimer();

  std::FILE* m_pOut;
  int m_nTimerFd = -1;
  bool m_bCloseRequested = false;
  bool m_bRunning = false;
  long m_nDone = 0;
  long m_nTotal = 0;
  std::string m_strLastLine;
};
