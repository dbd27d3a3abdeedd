// The library's application object: the current data folder and the ten data
// objects, constructed in this order when the library is loaded and destroyed
// in the reverse order when it is unloaded. Their addresses never change.
#pragma once

#include <string>

#include "model_library/data/ClerkRam.h"
#include "model_library/data/DeptRam.h"
#include "model_library/data/FixedTbl.h"
#include "model_library/data/PluRam.h"
#include "model_library/data/PrgModeRam.h"
#include "model_library/data/SModeRam.h"
#include "model_library/reports/EcrGraphic.h"
#include "model_library/reports/ReportCsv.h"
#include "model_library/reports/ReportEcr.h"

class CVarkelApp {
 public:
  static constexpr int DATA_OBJECT_COUNT = 10;

  std::wstring m_strDataFolder;
  CDeptRam m_dept;
  CPluRam m_plu;
  CClerkRam m_clerk;
  CSModeRam m_sMode;
  CPrgModeRam m_prgMode;
  CGrpHead m_grpHead;
  CGrpFoot m_grpFoot;
  CReportEcr m_report;
  CReportCsv m_csv;
  CFixedTbl m_fixedTbl;

  CEcrData* DataFromIndex(int index);
  CEcrData* DataFromWndNo(int wndNo);
  int IndexFromData(const CEcrData* data) const;
  int SetEcrFolder(const wchar_t* folder);
};

CVarkelApp& TheVarkelApp();
