#include "platform/Process.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace platform {

namespace {

// File actions of posix_spawn, released whatever happens.
class CSpawnActions {
 public:
  CSpawnActions() { posix_spawn_file_actions_init(&m_actions); }
  ~CSpawnActions() { posix_spawn_file_actions_destroy(&m_actions); }
  CSpawnActions(const CSpawnActions&) = delete;
  CSpawnActions& operator=(const CSpawnActions&) = delete;
  posix_spawn_file_actions_t* Get() { return &m_actions; }

  bool Redirect(int fd, const std::string& path) {
    return path.empty() ||
           posix_spawn_file_actions_addopen(&m_actions, fd, path.c_str(),
                                            O_WRONLY | O_CREAT | O_TRUNC, 0644) == 0;
  }
  bool ChangeDir(const std::string& dir) {
    return dir.empty() || posix_spawn_file_actions_addchdir_np(&m_actions, dir.c_str()) == 0;
  }

 private:
  posix_spawn_file_actions_t m_actions;
};

int StatusOf(int waitStatus) {
  if (WIFEXITED(waitStatus)) return WEXITSTATUS(waitStatus);
  if (WIFSIGNALED(waitStatus)) return 128 + WTERMSIG(waitStatus);
  return -1;
}

}  // namespace

CChildProcess::~CChildProcess() {
  if (m_nPidFd >= 0) ::close(m_nPidFd);
}

bool CChildProcess::Start(const std::string& program, const std::vector<std::string>& args,
                          const ProcessOptions& options) {
  if (IsRunning()) return false;
  CSpawnActions actions;
  if (!actions.ChangeDir(options.strWorkingDir) ||
      !actions.Redirect(STDOUT_FILENO, options.strStdoutPath) ||
      !actions.Redirect(STDERR_FILENO, options.strStderrPath))
    return false;
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  pid_t pid = -1;
  if (posix_spawn(&pid, program.c_str(), actions.Get(), nullptr, argv.data(), environ) != 0)
    return false;
  m_nPid = pid;
  m_nPidFd = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
  return true;
}

bool CChildProcess::Signal(int nSignal) {
  return IsRunning() && ::kill(m_nPid, nSignal) == 0;
}

int CChildProcess::Reap(int options, bool& bEnded) {
  bEnded = false;
  if (!IsRunning()) return -1;
  int waitStatus = 0;
  pid_t result;
  do {
    result = ::waitpid(m_nPid, &waitStatus, options);
  } while (result < 0 && errno == EINTR);
  if (result == 0) return -1;
  bEnded = true;
  Forget();
  return result < 0 ? -1 : StatusOf(waitStatus);
}

int CChildProcess::Wait() {
  bool bEnded = false;
  return Reap(0, bEnded);
}

bool CChildProcess::TryWait(int& nStatus) {
  bool bEnded = false;
  nStatus = Reap(WNOHANG, bEnded);
  return bEnded;
}

void CChildProcess::Forget() {
  if (m_nPidFd >= 0) ::close(m_nPidFd);
  m_nPidFd = -1;
  m_nPid = -1;
}

}  // namespace platform
