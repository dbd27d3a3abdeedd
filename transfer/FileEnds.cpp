#include "transfer/FileEnds.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/FileSystem.h"

namespace {

std::string ResolvedPath(const std::string& path) {
  return platform::NativePath(platform::ResolvePath(platform::FromNativePath(path)));
}

}  // namespace

bool CFileSource::Open(const std::string& path) {
  Close();
  m_pFile = std::fopen(ResolvedPath(path).c_str(), "rb");
  struct stat status {};
  if (m_pFile && (::fstat(::fileno(m_pFile), &status) != 0 || !S_ISREG(status.st_mode))) Close();
  return m_pFile != nullptr;
}

bool CFileSource::Length(uint64_t& nLength) const {
  struct stat status {};
  if (!m_pFile || ::fstat(::fileno(m_pFile), &status) != 0) return false;
  nLength = static_cast<uint64_t>(status.st_size);
  return true;
}

bool CFileSource::Read(uint8_t* data, size_t n) {
  return m_pFile && std::fread(data, 1, n, m_pFile) == n;
}

void CFileSource::Close() {
  if (m_pFile) std::fclose(m_pFile);
  m_pFile = nullptr;
}

bool CPartFileSink::Create(const std::string& path) {
  Close();
  m_strTarget = ResolvedPath(path);
  m_strPartPath = m_strTarget + ".part";
  m_nFd = ::open(m_strPartPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  return m_nFd >= 0;
}

bool CPartFileSink::Append(const uint8_t* data, size_t n) {
  while (n > 0) {
    ssize_t written = ::write(m_nFd, data, n);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    data += written;
    n -= static_cast<size_t>(written);
  }
  return true;
}

bool CPartFileSink::Commit() {
  if (m_nFd < 0) return false;
  bool bDone = ::fsync(m_nFd) == 0;
  bDone = ::close(m_nFd) == 0 && bDone;
  m_nFd = -1;
  return bDone && ::rename(m_strPartPath.c_str(), m_strTarget.c_str()) == 0;
}

void CPartFileSink::Close() {
  if (m_nFd >= 0) ::close(m_nFd);
  m_nFd = -1;
}
