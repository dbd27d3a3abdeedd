// File-system services in the terms the toolkit needs: folder + name paths,
// case-insensitive look-up of names inside a folder (registers and other tools
// write names in any case), wildcard search in directory order, file status,
// whole-file reads and writes that replace the target only when complete.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// folder + "/" + name; an empty folder gives the name alone, a folder that
// already ends with "/" gets no second one.
std::wstring JoinPath(const std::wstring& folder, const std::wstring& name);
std::wstring FolderOf(const std::wstring& path);  // "" when the path has no "/"
std::wstring FileNameOf(const std::wstring& path);

// Wide paths are kept as text; the file system sees them as UTF-8.
std::string NativePath(const std::wstring& path);
std::wstring FromNativePath(const std::string& path);

// The path of an entry of the folder whose name equals `name` ignoring case
// (the first one in directory order), or JoinPath(folder, name) when there is none.
std::wstring ResolveInFolder(const std::wstring& folder, const std::wstring& name);
// Same for a full path: only its last component is matched ignoring case.
std::wstring ResolvePath(const std::wstring& path);

// `*` matches any run of characters, `?` one character; letters ignore case.
bool MatchWildcard(const std::wstring& pattern, const std::wstring& name);

// Regular files of the folder whose names match the pattern, as full paths,
// in the order the directory lists them. A missing folder gives none.
std::vector<std::wstring> FindFiles(const std::wstring& folder, const std::wstring& pattern);

struct FileStatus {
  bool bExists = false;
  bool bDirectory = false;
  uint64_t nSize = 0;
  int64_t nModifiedNs = 0;  // time of the last change, nanoseconds since the epoch
};
// Follows symbolic links; the last component is matched ignoring case.
FileStatus GetFileStatus(const std::wstring& path);

// Reads at most maxBytes bytes from the start of the file (the last component
// is matched ignoring case). False when the file cannot be opened or read.
bool ReadFileBytes(const std::wstring& path, std::vector<uint8_t>& bytes,
                   size_t maxBytes = SIZE_MAX);

// Writes the bytes to a temporary file in the target's folder and renames it
// over the target only when everything was written and flushed, so a failed
// write leaves the previous file as it was. An existing file whose name
// differs only in case is the one replaced. False on any failure.
bool WriteFileAtomic(const std::wstring& path, const void* data, size_t size);
inline bool WriteFileAtomic(const std::wstring& path, const std::string& bytes) {
  return WriteFileAtomic(path, bytes.data(), bytes.size());
}
inline bool WriteFileAtomic(const std::wstring& path, const std::vector<uint8_t>& bytes) {
  return WriteFileAtomic(path, bytes.data(), bytes.size());
}

// Folder of the running program's executable (from /proc/self/exe), with a trailing "/".
std::wstring ExecutableFolder();
std::wstring ExecutablePath();

}  // namespace platform
