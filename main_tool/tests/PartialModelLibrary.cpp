// A model library with only four of the eight exports, and a window of its
// own for one window number: the shell must bind the rest to its defaults.
#include <QLabel>
#include <cwchar>

#include "main_tool/tests/PartialModelLibrary.h"

#define TEST_EXPORT extern "C" __attribute__((visibility("default")))

namespace {
TestLibraryState g_state;
}

TEST_EXPORT TestLibraryState* TestLibraryStateOf() { return &g_state; }

TEST_EXPORT int SetEcrFolder(const wchar_t* folder) {
  ++g_state.nSetFolderCalls;
  std::wcsncpy(g_state.szLastFolder, folder ? folder : L"", 511);
  return 1;
}

TEST_EXPORT int GetEcrDataCount() { return kTestLibraryDataCount; }

TEST_EXPORT void* CreateExDialog(int wndNo) {
  if (wndNo != (kTestLibraryWindow | 0x01000000)) return nullptr;
  return static_cast<QWidget*>(new QLabel(QStringLiteral("library window")));
}

TEST_EXPORT void DeleteExDialog(void* window) {
  ++g_state.nDeleteCalls;
  delete static_cast<QWidget*>(window);
}
