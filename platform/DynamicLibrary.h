// A shared library loaded at run time by path, with symbols bound by name.
#pragma once

#include <string>

namespace platform {

class CDynamicLibrary {
 public:
  CDynamicLibrary() = default;
  ~CDynamicLibrary();
  CDynamicLibrary(const CDynamicLibrary&) = delete;
  CDynamicLibrary& operator=(const CDynamicLibrary&) = delete;

  bool Open(const std::wstring& path);  // closes any library opened before
  void Close();
  bool IsOpen() const { return m_pHandle != nullptr; }
  void* Symbol(const char* name) const;  // null when missing or not open
  const std::string& LastError() const { return m_strError; }

 private:
  void* m_pHandle = nullptr;
  std::string m_strError;
};

}  // namespace platform
