#include "platform/NamedEvent.h"

#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <sys/eventfd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

std::string LockPath(const std::string& name) { return RuntimeFolder() + "/" + name + ".lock"; }

int OpenLockFile(const std::string& name, int flags) {
  return ::open(LockPath(name).c_str(), flags | O_RDWR | O_CLOEXEC, 0600);
}

}  // namespace

std::string RuntimeFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime && *runtime) return runtime;
  std::string folder = "/tmp/ecr-" + std::to_string(::getuid());
  ::mkdir(folder.c_str(), 0700);
  return folder;
}

CNamedEvent::~CNamedEvent() { Close(); }

bool CNamedEvent::Exists(const std::string& name) {
  int fd = OpenLockFile(name, 0);
  if (fd < 0) return false;
  bool bHeld = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
  ::close(fd);  // also releases a lock taken just now
  return bHeld;
}

bool CNamedEvent::Create(const std::string& name) {
  Close();
  int fd = OpenLockFile(name, O_CREAT);
  if (fd < 0) return false;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return false;
  }
  m_nEventFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  if (m_nEventFd < 0) {
    ::close(fd);
    return false;
  }
  m_nLockFd = fd;
  return true;
}

void CNamedEvent::Close() {
  if (m_nEventFd >= 0) ::close(m_nEventFd);
  if (m_nLockFd >= 0) ::close(m_nLockFd);
  m_nEventFd = m_nLockFd = -1;
}

bool CNamedEvent::Signal() {
  uint64_t one = 1;
  return m_nEventFd >= 0 && ::write(m_nEventFd, &one, sizeof one) == sizeof one;
}

bool CNamedEvent::TakeSignal() {
  uint64_t count = 0;
  return m_nEventFd >= 0 && ::read(m_nEventFd, &count, sizeof count) == sizeof count;
}

}  // namespace platform
