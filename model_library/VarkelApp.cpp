#include "model_library/VarkelApp.h"

namespace {
// Constructed when the library is loaded, destroyed when it is unloaded.
CVarkelApp theApp;
}  // namespace

CVarkelApp& TheVarkelApp() { return theApp; }

CEcrData* CVarkelApp::DataFromIndex(int index) {
  CEcrData* const objects[DATA_OBJECT_COUNT] = {&m_dept,    &m_plu,     &m_clerk,  &m_sMode, &m_prgMode,
                                                &m_grpHead, &m_grpFoot, &m_report, &m_csv,   &m_fixedTbl};
  return (index >= 0 && index < DATA_OBJECT_COUNT) ? objects[index] : nullptr;
}

CEcrData* CVarkelApp::DataFromWndNo(int wndNo) {
  switch (wndNo) {
    case 3: return &m_report;
    case 4: return &m_fixedTbl;
    case 17: return &m_dept;
    case 18: return &m_plu;
    case 19: return &m_clerk;
    case 20: m_sMode.SetKeyboardView(false); return &m_sMode;
    case 21: return &m_prgMode;
    case 23: m_sMode.SetKeyboardView(true); return &m_sMode;
    case 24: return &m_csv;
    default: return nullptr;
  }
}

int CVarkelApp::IndexFromData(const CEcrData* data) const {
  if (!data) return -1;
  // By run-time class, in index order: the first class the object is or derives from.
  if (dynamic_cast<const CDeptRam*>(data)) return 0;
  if (dynamic_cast<const CPluRam*>(data)) return 1;
  if (dynamic_cast<const CClerkRam*>(data)) return 2;
  if (dynamic_cast<const CSModeRam*>(data)) return 3;
  if (dynamic_cast<const CPrgModeRam*>(data)) return 4;
  if (dynamic_cast<const CGrpHead*>(data)) return 5;
  if (dynamic_cast<const CGrpFoot*>(data)) return 6;
  if (dynamic_cast<const CReportEcr*>(data)) return 7;
  if (dynamic_cast<const CReportCsv*>(data)) return 8;
  return -1;
}

int CVarkelApp::SetEcrFolder(const wchar_t* folder) {
  // Each object forgets its folder, file and flags, then looks at the new
  // folder: register files first, then reports, CSV reports and logos.
  CEcrData* const inOrder[] = {&m_dept, &m_plu, &m_clerk, &m_sMode, &m_prgMode,
                               &m_report, &m_csv, &m_grpHead, &m_grpFoot};
  for (CEcrData* data : inOrder) {
    data->Reset();
    data->SetFolder(folder);
  }
  m_strDataFolder = folder ? folder : L"";
  return 1;
}
