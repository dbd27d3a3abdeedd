// Load and save of a full "PLU.ECR" (1000 records), in a folder in memory
// (the cost of the library itself) and on disk (with the flush to disk that
// every save makes before it replaces the old file).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "common/ValueFormat.h"
#include "model_library/data/PluRam.h"

namespace {

std::string MakeFolder(const std::filesystem::path& base) {
  std::string pattern = (base / "ecr-bench-XXXXXX").string();
  return mkdtemp(pattern.data()) ? pattern : std::string();
}

// 1000 PLUs with codes, names, prices and stock, saved into the folder.
bool WriteFullPluFile(const std::wstring& folder) {
  CPluRam plu;
  stTable_t& plus = *plu.GetTable(1);
  for (int row = 0; row < plus.nRecordCount; ++row) {
    std::wstring number = std::to_wstring(100000 + row * 13);
    const std::wstring texts[] = {number, L"ITEM " + number, L"1", L"0", L"0", L"199", L"179", L"159"};
    for (int f = 0; f < 8; ++f) ParseValue(plus.aFields[f], FieldValue(plus, row, f), texts[f].c_str());
    ParseValue(plus.aFields[28], FieldValue(plus, row, 28), L"12.5");
  }
  plu.SetFolder(folder.c_str());
  return plu.Save(nullptr) == 1;
}

enum class Step { Load, Save, LoadAndSave };

void PluFile(benchmark::State& state, std::filesystem::path base, Step step) {
  const std::string folder = MakeFolder(base);
  const std::wstring wideFolder(folder.begin(), folder.end());
  if (folder.empty() || !WriteFullPluFile(wideFolder)) {
    state.SkipWithError("cannot write the PLU file");
    return;
  }
  CPluRam plu;
  plu.SetFolder(wideFolder.c_str());
  if (!plu.Load(nullptr)) state.SkipWithError("the PLU file does not load");
  for (auto _ : state) {
    if (step != Step::Save) benchmark::DoNotOptimize(plu.Load(nullptr));
    if (step != Step::Load) benchmark::DoNotOptimize(plu.Save(nullptr));
  }
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
}

std::filesystem::path MemoryFolder() {
  std::error_code error;
  return std::filesystem::is_directory("/dev/shm", error) ? std::filesystem::path("/dev/shm")
                                                          : std::filesystem::temp_directory_path();
}

std::filesystem::path DiskFolder() {
  const char* chosen = std::getenv("ECR_BENCH_DISK_DIR");
  return chosen ? std::filesystem::path(chosen) : std::filesystem::temp_directory_path();
}

const bool registered = [] {
  const struct {
    const char* name;
    Step step;
  } steps[] = {{"Load", Step::Load}, {"Save", Step::Save}, {"LoadAndSave", Step::LoadAndSave}};
  for (const auto& s : steps) {
    benchmark::RegisterBenchmark((std::string("PluFile1000/") + s.name + "/memory").c_str(), PluFile, MemoryFolder(), s.step)
        ->Unit(benchmark::kMicrosecond);
  }
  benchmark::RegisterBenchmark("PluFile1000/LoadAndSave/disk", PluFile, DiskFolder(), Step::LoadAndSave)
      ->Unit(benchmark::kMicrosecond);
  return true;
}();

}  // namespace

BENCHMARK_MAIN();
