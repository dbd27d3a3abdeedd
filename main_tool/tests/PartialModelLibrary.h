// What the partial test model library records, read by the tests through its
// extra export "TestLibraryState".
#pragma once

struct TestLibraryState {
  int nSetFolderCalls = 0;
  int nDeleteCalls = 0;
  wchar_t szLastFolder[512] = {};
};

// Window number (without the flag) for which the library makes a window of its own.
constexpr int kTestLibraryWindow = 7;
constexpr int kTestLibraryDataCount = 5;
