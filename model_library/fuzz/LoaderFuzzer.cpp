// libFuzzer target of one register-file loader, chosen at build time:
// ECR_FUZZ_WND is the loader's window number, ECR_FUZZ_FILE its file name.
// Each input is loaded as that file; what loads is shown (every cell of the
// first and last rows formatted) and saved again.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "common/CaptionCell.h"
#include "common/CaptionMgr.h"
#include "common/ValueFormat.h"
#include "model_library/VarkelApp.h"

namespace {

struct FuzzFolders {
  FuzzFolders() {
    std::error_code error;
    std::filesystem::path base = std::filesystem::is_directory("/dev/shm", error)
                                     ? std::filesystem::path("/dev/shm")
                                     : std::filesystem::temp_directory_path();
    std::string pattern = (base / "ecr-fuzz-XXXXXX").string();
    root = mkdtemp(pattern.data());
    std::filesystem::create_directories(root + "/in");
    std::filesystem::create_directories(root + "/out");
    in = std::wstring(root.begin(), root.end()) + L"/in";
    out = std::wstring(root.begin(), root.end()) + L"/out";
    cell = &captions;
    SetCaptionCell(&cell);
  }
  ~FuzzFolders() {
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
  }
  std::string root;
  std::wstring in;
  std::wstring out;
  CCaptionMgr captions;
  CCaptionManagerBase* cell = nullptr;
};

void ShowRows(CEcrData& data) {
  std::wstring text;
  for (int t = 0; t < data.GetTableCount(); ++t) {
    stTable_t* table = data.GetTable(t);
    if (!table || !table->pRows || table->nRecordCount <= 0) continue;
    for (int row : {0, table->nRecordCount - 1})
      for (int f = 0; f < table->nFieldCount; ++f) FormatValue(FieldValue(*table, row, f), text, table->aFields[f]);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  static FuzzFolders folders;
  const std::string path = folders.root + "/in/" ECR_FUZZ_FILE;
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return 0;
  std::fwrite(bytes, 1, size, file);
  std::fclose(file);

  CVarkelApp& app = TheVarkelApp();
  app.SetEcrFolder(folders.in.c_str());
  CEcrData* data = app.DataFromWndNo(ECR_FUZZ_WND);
  if (!data) return 0;
  const int loaded = data->Load(nullptr);
  ShowRows(*data);
  if (loaded) data->Save(folders.out.c_str());
  return 0;
}
