// Text export and import of tables.
#include "model_library/EcrData.h"

int CEcrData::ExportText(int /*table*/, const wchar_t* /*path*/) { return 0; }
int CEcrData::ImportText(int /*table*/, const wchar_t* /*path*/) { return 0; }
