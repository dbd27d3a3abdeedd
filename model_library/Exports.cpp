// The library's exported functions. Everything else in the library is hidden.
#include "common/CaptionCell.h"
#include "model_library/VarkelApp.h"
#include "model_library/VarkelExports.h"

#define VARKEL_EXPORT __attribute__((visibility("default")))

namespace {
void* g_pToolConfig = nullptr;  // kept as given; the library never reads it
}

extern "C" {

VARKEL_EXPORT void* SetGClassAddr(void* config, CCaptionManagerBase** captionCell) {
  g_pToolConfig = config;
  SetCaptionCell(captionCell);
  return config;
}

// This library supplies no windows of its own.
VARKEL_EXPORT void* CreateExDialog(int /*wndNo*/) { return nullptr; }
VARKEL_EXPORT void DeleteExDialog(void* /*window*/) {}

VARKEL_EXPORT int SetEcrFolder(const wchar_t* folder) { return TheVarkelApp().SetEcrFolder(folder); }
VARKEL_EXPORT CEcrData* GetEcrDataFromWndNo(int wndNo) { return TheVarkelApp().DataFromWndNo(wndNo); }
VARKEL_EXPORT int GetEcrDataCount() { return CVarkelApp::DATA_OBJECT_COUNT; }
VARKEL_EXPORT CEcrData* GetEcrDataFromIndex(int index) { return TheVarkelApp().DataFromIndex(index); }
VARKEL_EXPORT int GetEcrIndexFromData(CEcrData* data) { return TheVarkelApp().IndexFromData(data); }

}  // extern "C"
