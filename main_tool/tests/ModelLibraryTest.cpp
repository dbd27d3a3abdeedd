// Binding of a model library: defaults before and without a library, a
// library that lacks exports, loading the same path again, base names.
#include <gtest/gtest.h>

#include "main_tool/shell/ModelLibrary.h"
#include "main_tool/tests/PartialModelLibrary.h"
#include "main_tool/tests/QtTestSupport.h"
#include "platform/DynamicLibrary.h"

namespace {

void ExpectDefaults(CModelLibrary& library) {
  int config = 0;
  EXPECT_EQ(library.SetGClassAddr(&config, nullptr), &config);
  EXPECT_EQ(library.CreateExDialog(16 | EX_DIALOG_FLAG), nullptr);
  library.DeleteExDialog(nullptr);
  EXPECT_EQ(library.GetEcrDataFromWndNo(17), nullptr);
  EXPECT_EQ(library.GetEcrDataFromIndex(0), nullptr);
  EXPECT_EQ(library.GetEcrIndexFromData(nullptr), -1);
}

TEST(ModelLibrary, EveryEntryPointIsCallableWithoutALibrary) {
  CModelLibrary library;
  EXPECT_FALSE(library.IsLoaded());
  ExpectDefaults(library);
  EXPECT_EQ(library.GetEcrDataCount(), 0);
  EXPECT_EQ(library.SetEcrFolder(L"./Data"), 0);
}

TEST(ModelLibrary, MissingExportsGetTheirDefaults) {
  EnsureQApplication();
  CModelLibrary library;
  CCaptionManagerBase* cell = nullptr;
  ASSERT_TRUE(library.Load(PartialLibraryPath(), nullptr, &cell));
  EXPECT_EQ(library.LoadedPath(), PartialLibraryPath());
  ExpectDefaults(library);  // SetGClassAddr, GetEcrDataFrom*, GetEcrIndexFromData are missing
  EXPECT_EQ(library.GetEcrDataCount(), kTestLibraryDataCount);
  EXPECT_EQ(library.SetEcrFolder(L"somewhere"), 1);
}

TEST(ModelLibrary, TheLoadedPathIsNotLoadedAgainButOtherCaseIs) {
  EnsureQApplication();
  WorkingFolder work;
  CModelLibrary library;
  ASSERT_TRUE(library.Load(L"./Arvodll.so", nullptr, nullptr));
  EXPECT_FALSE(library.Load(L"./Arvodll.so", nullptr, nullptr));
  EXPECT_TRUE(library.IsLoaded());
  EXPECT_EQ(library.GetEcrDataCount(), 10);
  std::filesystem::copy_file(work.Path("Arvodll.so"), work.Path("ARVODLL.so"));
  EXPECT_TRUE(library.Load(L"./ARVODLL.so", nullptr, nullptr));
  EXPECT_EQ(library.LoadedPath(), L"./ARVODLL.so");
}

TEST(ModelLibrary, AFailedLoadLeavesNoLibrary) {
  WorkingFolder work;
  CModelLibrary library;
  ASSERT_TRUE(library.Load(L"./Arvodll.so", nullptr, nullptr));
  EXPECT_FALSE(library.Load(L"./Missing.so", nullptr, nullptr));
  EXPECT_FALSE(library.IsLoaded());
  EXPECT_EQ(library.GetEcrDataCount(), 0);
  EXPECT_FALSE(library.Load(L"", nullptr, nullptr));
}

TEST(ModelLibrary, BaseNames) {
  const std::pair<std::wstring, std::wstring> cases[] = {
      {L"./Arvodll.so", L"ARVODLL"},     {L".\\Arvodll.dll", L"ARVODLL"}, {L"/opt/ecr/Model5.SO", L"MODEL5"},
      {L"plain", L"PLAIN"},              {L"a.dll.so", L"A"},             {L"", L""},
  };
  for (const auto& [path, base] : cases) EXPECT_EQ(CModelLibrary::ModelBaseName(path), base) << std::string(path.begin(), path.end());
}

}  // namespace
