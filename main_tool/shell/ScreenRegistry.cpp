#include "main_tool/shell/ScreenRegistry.h"

CEcrDialog* CScreenRegistry::CreateScreen(int32_t windowNumber) const {
  auto found = m_mapScreens.find(windowNumber);
  return found == m_mapScreens.end() ? nullptr : found->second(windowNumber);
}

bool CScreenRegistry::OpenDialog(FunctionDialog dialog, CEcrDialog* owner) const {
  auto found = m_mapDialogs.find(dialog);
  if (found == m_mapDialogs.end()) return false;
  found->second(owner);
  return true;
}
