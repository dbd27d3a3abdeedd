// Every register-file loader meets thousands of random, truncated and
// overlong files: none may read or write outside its buffers (the sanitizer
// build checks that), the rows stay within their tables, and whatever loads
// saves into a file that loads again and saves the same.
//
// One line of kLoaders per loader.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <random>

#include "common/CaptionCell.h"
#include "common/CaptionMgr.h"
#include "common/ValueFormat.h"
#include "model_library/VarkelApp.h"

namespace {

struct LoaderCase {
  const char* pszName;
  int nWndNo;
  const char* pszFile;
  size_t nHeaderSize;  // bytes before the records; for fixed-size files the whole size
  size_t nRecordSize;  // 0 for fixed-size files
  int nCapacity;       // most records the file may hold
};

const LoaderCase kLoaders[] = {
    {"DEPT", 17, "DEPT.ECR", 182, 28, 80},
    {"PLU", 18, "PLU.ECR", 1784, 66, 1000},
    {"CLERK", 19, "CLERK.ECR", 4, 28, 10},
    {"S_MODE", 20, "S_MODE.ECR", 8357, 0, 0},
    {"PRG_MODE", 21, "PRG_MODE.ECR", 2376, 0, 0},
};

// Test names and listings show the loader's name.
void PrintTo(const LoaderCase& loader, std::ostream* out) { *out << loader.pszName; }

constexpr int RANDOM_FILES = 1500;
constexpr int TRUNCATED_FILES = 1500;
constexpr int ROUND_TRIP_EVERY = 10;  // saves are slower than loads

// A scratch folder in memory when the system has one: this test saves often.
class ScratchFolder {
 public:
  ScratchFolder() {
    std::error_code error;
    std::filesystem::path base = std::filesystem::is_directory("/dev/shm", error)
                                     ? std::filesystem::path("/dev/shm")
                                     : std::filesystem::temp_directory_path();
    std::string pattern = (base / "ecr-robust-XXXXXX").string();
    m_path = mkdtemp(pattern.data());
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
  }
  std::string Path(const char* sub) const { return m_path + "/" + sub; }
  std::wstring WPath(const char* sub) const {
    std::string path = Path(sub);
    return std::wstring(path.begin(), path.end());
  }

 private:
  std::string m_path;
};

void WriteFile(const std::string& path, const std::string& bytes) {
  FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(nullptr, file);
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

std::string ReadFile(const std::string& path) {
  std::string bytes;
  if (FILE* file = std::fopen(path.c_str(), "rb")) {
    char chunk[4096];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes.append(chunk, got);
    std::fclose(file);
  }
  return bytes;
}

class LoaderRobustnessTest : public ::testing::TestWithParam<LoaderCase> {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(scratch.Path("in"));
    std::filesystem::create_directories(scratch.Path("out"));
    m_pCell = &m_captions;
    SetCaptionCell(&m_pCell);
  }
  void TearDown() override { SetCaptionCell(nullptr); }

  CEcrData& Object() { return *TheVarkelApp().DataFromWndNo(GetParam().nWndNo); }

  size_t LargestSize() const {
    const LoaderCase& c = GetParam();
    return c.nHeaderSize + c.nRecordSize * static_cast<size_t>(c.nCapacity);
  }

  // A file of the loader's shape: a count (for record files) that fits the
  // size, random bytes everywhere else.
  std::string ShapedFile(std::mt19937& random, int count) {
    const LoaderCase& c = GetParam();
    std::string bytes(c.nHeaderSize + c.nRecordSize * static_cast<size_t>(count), '\0');
    for (char& byte : bytes) byte = static_cast<char>(random());
    if (c.nRecordSize && bytes.size() >= 2) {
      bytes[0] = static_cast<char>(count & 0xFF);
      bytes[1] = static_cast<char>(count >> 8);
    }
    return bytes;
  }

  // Loads the file from the scratch folder; checks what must hold whatever it held.
  int LoadAndCheck(const std::string& bytes) {
    WriteFile(scratch.Path("in") + "/" + GetParam().pszFile, bytes);
    TheVarkelApp().SetEcrFolder(scratch.WPath("in").c_str());
    CEcrData& data = Object();
    int loaded = data.Load(nullptr);
    EXPECT_EQ(loaded, data.m_bLoaded);
    for (int t = 0; t < data.GetTableCount(); ++t) {
      stTable_t* table = data.GetTable(t);
      EXPECT_NE(nullptr, table);
      if (!table || !table->pRows || table->nRecordCount <= 0) continue;
      if (GetParam().nRecordSize && t == 1) {
        EXPECT_LE(table->nRecordCount, GetParam().nCapacity) << "the record list never outgrows its rows";
      }
      // The first and last rows: formatting reads every byte of a row.
      std::wstring text;
      for (int row : {0, table->nRecordCount - 1})
        for (int f = 0; f < table->nFieldCount; ++f) FormatValue(FieldValue(*table, row, f), text, table->aFields[f]);
    }
    return loaded;
  }

  // A loaded file saves into one that loads again and saves the same bytes.
  void ExpectStableRoundTrip() {
    CEcrData& data = Object();
    const std::string file = GetParam().pszFile;
    if (!data.Save(scratch.WPath("out").c_str())) return;  // refused, e.g. repeated PLU codes
    const std::string first = ReadFile(scratch.Path("out") + "/" + file);
    ASSERT_EQ(1, LoadAndCheck(first));
    ASSERT_EQ(1, data.Save(scratch.WPath("out").c_str()));
    EXPECT_TRUE(ReadFile(scratch.Path("out") + "/" + file) == first);
  }

  ScratchFolder scratch;
  CCaptionMgr m_captions;
  CCaptionManagerBase* m_pCell = nullptr;
};

TEST_P(LoaderRobustnessTest, RandomFilesNeverBreakTheLoader) {
  std::mt19937 random(GetParam().nWndNo);
  const LoaderCase& c = GetParam();
  for (int i = 0; i < RANDOM_FILES && !HasFatalFailure(); ++i) {
    std::string bytes;
    if (i % 3 == 0) {
      bytes.resize(random() % (LargestSize() + 64));
      for (char& byte : bytes) byte = static_cast<char>(random());
    } else {
      int count = c.nRecordSize ? static_cast<int>(random() % (c.nCapacity + 4)) : 0;
      bytes = ShapedFile(random, count);
      if (i % 3 == 2) bytes.resize(bytes.size() + random() % 5 - 2);  // a few bytes short or over
    }
    int loaded = LoadAndCheck(bytes);
    if (loaded && i % ROUND_TRIP_EVERY == 0) ExpectStableRoundTrip();
  }
}

TEST_P(LoaderRobustnessTest, EveryTruncationFailsAndTheWholeFileLoads) {
  std::mt19937 random(GetParam().nWndNo + 1000);
  const LoaderCase& c = GetParam();
  const int count = c.nRecordSize ? c.nCapacity / 2 + 1 : 0;
  const std::string whole = ShapedFile(random, count);
  const size_t step = whole.size() / TRUNCATED_FILES + 1;
  for (size_t length = 0; length < whole.size() && !HasFatalFailure(); length += step)
    EXPECT_EQ(0, LoadAndCheck(whole.substr(0, length))) << "length " << length;
  EXPECT_EQ(1, LoadAndCheck(whole));
  ExpectStableRoundTrip();
}

std::string LoaderName(const ::testing::TestParamInfo<LoaderCase>& loader) { return loader.param.pszName; }

INSTANTIATE_TEST_SUITE_P(Loaders, LoaderRobustnessTest, ::testing::ValuesIn(kLoaders), LoaderName);

}  // namespace
