// Where this program's value routines and descriptor captions find the caption
// manager: a cell (a pointer to a pointer variable) given once by the owner.
// The model library gets its cell through SetGClassAddr; the main tool and the
// tools set their own.
#pragma once

#include <cstdint>
#include <string>

#include "common/CaptionManagerBase.h"

void SetCaptionCell(CCaptionManagerBase** cell);
// The manager the cell holds now, or null when there is no cell or no manager.
CCaptionManagerBase* CurrentCaptionManager();

// Text of caption (window, caption) when the manager has it, else the fallback.
std::wstring CaptionTextOr(int32_t window, int32_t caption, const wchar_t* fallback);
