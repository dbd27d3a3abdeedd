#include "transfer/RunEvents.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/timerfd.h>
#include <unistd.h>

namespace {

// Written by the signal handler, read by poll(): the close request.
int g_anClosePipe[2] = {-1, -1};

void OnCloseSignal(int) {
  int saved = errno;
  char byte = 1;
  (void)!::write(g_anClosePipe[1], &byte, 1);
  errno = saved;
}

std::string ProgressText(long nDone, long nTotal) {
  return std::to_string(nDone) + "/" + std::to_string(nTotal);
}

bool IsReadable(int fd) {
  pollfd entry{fd, POLLIN, 0};
  return ::poll(&entry, 1, 0) > 0 && (entry.revents & POLLIN);
}

}  // namespace

CRunEvents::CRunEvents(std::FILE* out) : m_pOut(out) {
  if (g_anClosePipe[0] < 0) (void)::pipe2(g_anClosePipe, O_CLOEXEC | O_NONBLOCK);
  struct sigaction action {};
  action.sa_handler = OnCloseSignal;
  sigemptyset(&action.sa_mask);
  ::sigaction(SIGTERM, &action, nullptr);
  ::sigaction(SIGINT, &action, nullptr);
  m_nTimerFd = ::timerfd_create(CLOCK_MONOTONIC, TFD_CLOEXEC | TFD_NONBLOCK);
}

CRunEvents::~CRunEvents() {
  if (m_nTimerFd >= 0) ::close(m_nTimerFd);
}

bool CRunEvents::CloseRequested() {
  if (!m_bCloseRequested && IsReadable(g_anClosePipe[0])) m_bCloseRequested = true;
  return m_bCloseRequested;
}

bool CRunEvents::WaitFor(int fd, short events) {
  while (!m_bCloseRequested) {
    pollfd fds[3] = {{fd, events, 0}, {g_anClosePipe[0], POLLIN, 0}, {m_nTimerFd, POLLIN, 0}};
    if (::poll(fds, 3, -1) < 0) {
      if (errno == EINTR) continue;
      return true;  // let the caller's read or write report the failure
    }
    if (fds[1].revents) m_bCloseRequested = true;
    if (fds[2].revents) ServeTimer();
    if (fds[0].revents && !m_bCloseRequested) return true;
  }
  return false;
}

void CRunEvents::ArmTimer(long intervalMs) {
  itimerspec period{};
  period.it_interval.tv_sec = intervalMs / 1000;
  period.it_interval.tv_nsec = (intervalMs % 1000) * 1000000L;
  period.it_value = period.it_interval;
  ::timerfd_settime(m_nTimerFd, 0, &period, nullptr);
}

void CRunEvents::ServeTimer() {
  uint64_t expirations = 0;
  (void)!::read(m_nTimerFd, &expirations, sizeof expirations);
  if (m_bRunning) ShowProgress(m_nDone, m_nTotal);
}

void CRunEvents::Start(long nDone, long nTotal) {
  m_nDone = nDone;
  m_nTotal = nTotal;
  m_bRunning = true;
  ArmTimer(kProgressIntervalMs);
}

void CRunEvents::Update(long nDone, long nTotal) {
  m_nDone = nDone;
  m_nTotal = nTotal;
}

void CRunEvents::Stop() {
  if (!m_bRunning) return;
  m_bRunning = false;
  ArmTimer(0);
  if (ProgressText(m_nDone, m_nTotal) != m_strLastLine) ShowProgress(m_nDone, m_nTotal);
}

void CRunEvents::ShowProgress(long nDone, long nTotal) {
  m_strLastLine = ProgressText(nDone, nTotal);
  std::fprintf(m_pOut, "%s\n", m_strLastLine.c_str());
  std::fflush(m_pOut);
}
