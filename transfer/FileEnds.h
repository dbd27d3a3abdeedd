// The files at the PC's end of a transfer: the file to send, read in chunks,
// and the file to receive, written to "<file>.part" and put in place only
// when the transfer succeeded, so a failed or cancelled receive keeps the
// previous file and leaves what came in "<file>.part".
#pragma once

#include <cstdio>
#include <string>

#include "transfer/FileTransfer.h"

class CFileSource : public CByteSource {
 public:
  CFileSource() = default;
  ~CFileSource() override { Close(); }
  CFileSource(const CFileSource&) = delete;
  CFileSource& operator=(const CFileSource&) = delete;

  // Opens the file (its name matched ignoring case) and takes its length.
  bool Open(const std::string& path);
  bool Length(uint64_t& nLength) const;
  bool Read(uint8_t* data, size_t n) override;
  void Close();

 private:
  std::FILE* m_pFile = nullptr;
};

class CPartFileSink : public CByteSink {
 public:
  CPartFileSink() = default;
  ~CPartFileSink() override { Close(); }
  CPartFileSink(const CPartFileSink&) = delete;
  CPartFileSink& operator=(const CPartFileSink&) = delete;

  // Creates "<target>.part" anew. The target is the existing file whose name
  // equals `path` ignoring case, or `path` itself.
  bool Create(const std::string& path);
  bool Append(const uint8_t* data, size_t n) override;
  // Flushes the partial file and renames it over the target.
  bool Commit();
  void Close();
  const std::string& PartPath() const { return m_strPartPath; }

 private:
  int m_nFd = -1;
  std::string m_strTarget;
  std::string m_strPartPath;
};
