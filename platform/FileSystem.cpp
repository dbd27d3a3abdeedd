#include "platform/FileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>

#include "platform/TextCodec.h"

namespace platform {
namespace {

struct Dir {
  explicit Dir(const std::string& path) : handle(opendir(path.empty() ? "." : path.c_str())) {}
  ~Dir() { if (handle) closedir(handle); }
  Dir(const Dir&) = delete;
  Dir& operator=(const Dir&) = delete;
  DIR* handle;
};

bool WriteAll(int fd, const uint8_t* data, size_t size) {
  while (size > 0) {
    ssize_t n = write(fd, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name) {
  if (folder.empty()) return name;
  if (folder.back() == L'/') return folder + name;
  return folder + L"/" + name;
}

std::wstring FolderOf(const std::wstring& path) {
  size_t slash = path.find_last_of(L'/');
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash == 0 ? 1 : slash);
}

std::wstring FileNameOf(const std::wstring& path) {
  size_t slash = path.find_last_of(L'/');
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::string NativePath(const std::wstring& path) { return WideToUtf8(path); }
std::wstring FromNativePath(const std::string& path) { return Utf8ToWide(path); }

std::wstring ResolveInFolder(const std::wstring& folder, const std::wstring& name) {
  std::wstring exact = JoinPath(folder, name);
  struct stat st;
  if (stat(NativePath(exact).c_str(), &st) == 0) return exact;
  Dir dir(NativePath(folder));
  if (!dir.handle) return exact;
  while (dirent* entry = readdir(dir.handle)) {
    std::wstring entryName = FromNativePath(entry->d_name);
    if (EqualsNoCase(entryName, name)) return JoinPath(folder, entryName);
  }
  return exact;
}

std::wstring ResolvePath(const std::wstring& path) {
  size_t slash = path.find_last_of(L'/');
  if (slash == std::wstring::npos) return ResolveInFolder(L"", path);
  return ResolveInFolder(path.substr(0, slash + 1), path.substr(slash + 1));
}

bool MatchWildcard(const std::wstring& pattern, const std::wstring& name) {
  // Iterative matcher with one back-tracking point for the last '*'.
  size_t p = 0, n = 0, starP = std::wstring::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == L'?' ||
                               (pattern[p] != L'*' && ToUpperChar(pattern[p]) == ToUpperChar(name[n])))) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == L'*') {
      starP = p++;
      starN = n;
    } else if (starP != std::wstring::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == L'*') ++p;
  return p == pattern.size();
}

std::vector<std::wstring> FindFiles(const std::wstring& folder, const std::wstring& pattern) {
  std::vector<std::wstring> found;
  Dir dir(NativePath(folder));
  if (!dir.handle) return found;
  while (dirent* entry = readdir(dir.handle)) {
    std::wstring entryName = FromNativePath(entry->d_name);
    if (!MatchWildcard(pattern, entryName)) continue;
    std::wstring full = JoinPath(folder, entryName);
    struct stat st;
    if (stat(NativePath(full).c_str(), &st) == 0 && S_ISREG(st.st_mode)) found.push_back(full);
  }
  return found;
}

FileStatus GetFileStatus(const std::wstring& path) {
  FileStatus status;
  struct stat st;
  if (path.empty() || stat(NativePath(ResolvePath(path)).c_str(), &st) != 0) return status;
  status.bExists = true;
  status.bDirectory = S_ISDIR(st.st_mode);
  status.nSize = static_cast<uint64_t>(st.st_size);
  status.nModifiedNs = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  return status;
}

bool ReadFileBytes(const std::wstring& path, std::vector<uint8_t>& bytes, size_t maxBytes) {
  bytes.clear();
  if (path.empty()) return false;
  FILE* file = std::fopen(NativePath(ResolvePath(path)).c_str(), "rb");
  if (!file) return false;
  struct stat st;
  if (fstat(fileno(file), &st) != 0 || S_ISDIR(st.st_mode)) {
    std::fclose(file);
    return false;
  }
  uint8_t chunk[4096];
  bool ok = true;
  while (bytes.size() < maxBytes) {
    size_t want = std::min(sizeof chunk, maxBytes - bytes.size());
    size_t got = std::fread(chunk, 1, want, file);
    bytes.insert(bytes.end(), chunk, chunk + got);
    if (got < want) {
      ok = !std::ferror(file);
      break;
    }
  }
  std::fclose(file);
  return ok;
}

bool WriteFileAtomic(const std::wstring& path, const void* data, size_t size) {
  if (path.empty()) return false;
  const std::wstring resolved = ResolvePath(path);
  std::string target = NativePath(resolved);
  std::string folder = NativePath(FolderOf(resolved));
  std::string tempPattern = (folder.empty() ? std::string(".") : folder) + "/.ecr-write-XXXXXX";
  std::vector<char> tempName(tempPattern.begin(), tempPattern.end());
  tempName.push_back('\0');
  int fd = mkstemp(tempName.data());
  if (fd < 0) return false;

  struct stat st;
  mode_t mode = 0644;
  if (stat(target.c_str(), &st) == 0) {
    if (S_ISDIR(st.st_mode)) {
      close(fd);
      unlink(tempName.data());
      return false;
    }
    mode = st.st_mode & 07777;
  } else {
    mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
  }
  bool ok = fchmod(fd, mode) == 0 && WriteAll(fd, static_cast<const uint8_t*>(data), size) &&
            fsync(fd) == 0;
  ok = (close(fd) == 0) && ok;
  if (ok) ok = rename(tempName.data(), target.c_str()) == 0;
  if (!ok) unlink(tempName.data());
  return ok;
}

std::wstring ExecutablePath() {
  char buffer[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return std::wstring();
  return FromNativePath(std::string(buffer, static_cast<size_t>(n)));
}

std::wstring ExecutableFolder() {
  std::wstring exe = ExecutablePath();
  size_t slash = exe.find_last_of(L'/');
  return slash == std::wstring::npos ? std::wstring() : exe.substr(0, slash + 1);
}

}  // namespace platform
