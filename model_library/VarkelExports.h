// The eight functions the model library exports by their plain names, as the
// programs that load it bind them with dlsym.
#pragma once

#include "common/CaptionManagerBase.h"
#include "model_library/EcrData.h"

extern "C" {
typedef void* (*PFN_SetGClassAddr)(void* config, CCaptionManagerBase** captionCell);
typedef void* (*PFN_CreateExDialog)(int wndNo);
typedef void (*PFN_DeleteExDialog)(void* window);
typedef int (*PFN_SetEcrFolder)(const wchar_t* folder);
typedef CEcrData* (*PFN_GetEcrDataFromWndNo)(int wndNo);
typedef int (*PFN_GetEcrDataCount)();
typedef CEcrData* (*PFN_GetEcrDataFromIndex)(int index);
typedef int (*PFN_GetEcrIndexFromData)(CEcrData* data);
}

// Window number or'ed into the argument of CreateExDialog.
constexpr int EX_DIALOG_FLAG = 0x01000000;
