#include "common/CaptionCell.h"

namespace {
CCaptionManagerBase** g_ppCaptionCell = nullptr;
}

void SetCaptionCell(CCaptionManagerBase** cell) { g_ppCaptionCell = cell; }

CCaptionManagerBase* CurrentCaptionManager() {
  return g_ppCaptionCell ? *g_ppCaptionCell : nullptr;
}

std::wstring CaptionTextOr(int32_t window, int32_t caption, const wchar_t* fallback) {
  if (CCaptionManagerBase* manager = CurrentCaptionManager()) {
    if (S_ECR_CAP* found = manager->GetCaption(window, caption)) return found->text;
  }
  return fallback ? std::wstring(fallback) : std::wstring();
}
