#include <gtest/gtest.h>

#include <sys/stat.h>

#include "platform/FileSystem.h"
#include "platform/TextCodec.h"
#include "testing/TempFolder.h"

namespace {

TEST(FileSystemTest, JoinsAndSplitsPaths) {
  EXPECT_EQ(L"a/b", platform::JoinPath(L"a", L"b"));
  EXPECT_EQ(L"a/b", platform::JoinPath(L"a/", L"b"));
  EXPECT_EQ(L"b", platform::JoinPath(L"", L"b"));
  EXPECT_EQ(L"/x/y", platform::FolderOf(L"/x/y/z.ecr"));
  EXPECT_EQ(L"z.ecr", platform::FileNameOf(L"/x/y/z.ecr"));
}

TEST(FileSystemTest, WildcardsIgnoreCase) {
  const struct {
    const wchar_t* pattern;
    const wchar_t* name;
    bool match;
  } cases[] = {
      {L"FINC*.ecr", L"finc1530.ECR", true}, {L"FINC*.ecr", L"FINC.ecr", true},
      {L"EJ*.ecr", L"EJ0912.ecr", true},     {L"FINC*.ecr", L"FIN.ecr", false},
      {L"*.csv", L"a.csv.bak", false},       {L"a?c", L"ABC", true},
      {L"*", L"", true},                     {L"a*b*c", L"aXbYbZc", true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.match, platform::MatchWildcard(c.pattern, c.name))
        << platform::WideToUtf8(c.pattern) << " ~ " << platform::WideToUtf8(c.name);
}

TEST(FileSystemTest, FindsNamesInAnyCase) {
  TempFolder folder;
  folder.Write("plu.ecr", "1234");
  folder.Write("HOUR1200.ecr", "");
  mkdir(folder.File("FINCdir.ecr").c_str(), 0755);
  EXPECT_EQ(folder.WPath() + L"/plu.ecr", platform::ResolveInFolder(folder.WPath(), L"PLU.ECR"));
  EXPECT_EQ(folder.WPath() + L"/DEPT.ECR", platform::ResolveInFolder(folder.WPath(), L"DEPT.ECR"));
  EXPECT_EQ(4u, platform::GetFileStatus(folder.WPath() + L"/PLU.ECR").nSize);
  EXPECT_FALSE(platform::GetFileStatus(folder.WPath() + L"/none").bExists);

  auto found = platform::FindFiles(folder.WPath(), L"*.ECR");
  EXPECT_EQ(2u, found.size()) << "folders are not files";
  EXPECT_TRUE(platform::FindFiles(folder.WPath() + L"/missing", L"*").empty());
}

TEST(FileSystemTest, ReadsAtMostTheLimit) {
  TempFolder folder;
  folder.Write("f", std::string(10000, 'x'));
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(platform::ReadFileBytes(folder.WPath() + L"/F", bytes, 5000));
  EXPECT_EQ(5000u, bytes.size());
  ASSERT_TRUE(platform::ReadFileBytes(folder.WPath() + L"/f", bytes));
  EXPECT_EQ(10000u, bytes.size());
  EXPECT_FALSE(platform::ReadFileBytes(folder.WPath() + L"/none", bytes));
  EXPECT_FALSE(platform::ReadFileBytes(folder.WPath(), bytes)) << "a folder is not a file";
}

TEST(FileSystemTest, AtomicWritesReplaceOnlyWhenComplete) {
  TempFolder folder;
  folder.Write("Plu.ecr", "old");
  ASSERT_TRUE(platform::WriteFileAtomic(folder.WPath() + L"/PLU.ECR", std::string("new")));
  EXPECT_EQ("new", folder.Read("Plu.ecr")) << "the existing spelling is the one replaced";
  EXPECT_FALSE(folder.Exists("PLU.ECR"));

  // A target that cannot be replaced leaves everything as it was and no temporary file behind.
  mkdir(folder.File("dir").c_str(), 0755);
  EXPECT_FALSE(platform::WriteFileAtomic(folder.WPath() + L"/dir", std::string("x")));
  EXPECT_FALSE(platform::WriteFileAtomic(folder.WPath() + L"/missing/x", std::string("x")));
  EXPECT_EQ(1u, platform::FindFiles(folder.WPath(), L"*").size()) << "only Plu.ecr is left";
}

TEST(FileSystemTest, ExecutableFolderEndsWithASlash) {
  std::wstring folder = platform::ExecutableFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(L'/', folder.back());
}

}  // namespace
