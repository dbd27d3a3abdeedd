#include "platform/DynamicLibrary.h"

#include <dlfcn.h>

#include "platform/FileSystem.h"

namespace platform {

CDynamicLibrary::~CDynamicLibrary() { Close(); }

bool CDynamicLibrary::Open(const std::wstring& path) {
  Close();
  std::string native = NativePath(path);
  // A bare name would make dlopen search the system folders; the toolkit's
  // libraries are always named by path.
  if (native.find('/') == std::string::npos) native = "./" + native;
  // RTLD_LOCAL keeps each model library's symbols to itself.
  m_pHandle = dlopen(native.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!m_pHandle) {
    const char* error = dlerror();
    m_strError = error ? error : "cannot load library";
    return false;
  }
  m_strError.clear();
  return true;
}

void CDynamicLibrary::Close() {
  if (m_pHandle) dlclose(m_pHandle);
  m_pHandle = nullptr;
}

void* CDynamicLibrary::Symbol(const char* name) const {
  if (!m_pHandle) return nullptr;
  return dlsym(m_pHandle, name);
}

}  // namespace platform
