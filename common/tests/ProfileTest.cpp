// Profile (INI) files as the settings and caption files use them.
#include <gtest/gtest.h>

#include <cstring>

#include "common/Profile.h"
#include "testing/TempFolder.h"

namespace {

TEST(ProfileTest, ReadsKeysIgnoringCaseAndTrimsValues) {
  TempFolder folder;
  folder.Write("a.ini", "; comment\n[Path]\n  Data =  ./Data  \nquoted=\"  spaced  \"\n[other]\ndata=x\n");
  CProfile profile;
  ASSERT_TRUE(profile.Load(folder.WPath() + L"/A.INI")) << "the file name is matched ignoring case";
  EXPECT_EQ(L"./Data", profile.GetString(L"PATH", L"data"));
  EXPECT_EQ(L"  spaced  ", profile.GetString(L"path", L"QUOTED"));
  EXPECT_EQ(L"x", profile.GetString(L"Other", L"Data"));
  EXPECT_EQ(L"dflt", profile.GetString(L"Path", L"missing", L"dflt"));
  EXPECT_EQ(L"dflt", profile.GetString(L"Missing", L"data", L"dflt"));
  EXPECT_EQ(L"./D", profile.GetString(L"Path", L"Data", L"", 3));
  EXPECT_EQ(42, profile.GetInt(L"Path", L"missing", 42));
}

TEST(ProfileTest, WritesKeepOtherLinesAndAddKeysToTheirSection) {
  TempFolder folder;
  folder.Write("a.ini", "; keep me\r\n[One]\r\nA=1\r\n\r\n[Two]\r\nB=2\r\n");
  const std::wstring path = folder.WPath() + L"/a.ini";
  CProfile profile;
  ASSERT_TRUE(profile.Load(path));
  profile.SetString(L"one", L"a", L"10");
  profile.SetString(L"One", L"New", L"x\ny");
  profile.SetString(L"Three", L"C", L"3");
  ASSERT_TRUE(profile.Save(path));
  EXPECT_EQ("; keep me\r\n[One]\r\na=10\r\nNew=x y\r\n\r\n[Two]\r\nB=2\r\n[Three]\r\nC=3\r\n", folder.Read("a.ini"));
}

TEST(ProfileTest, SingleByteFilesKeepTheirEncoding) {
  TempFolder folder;
  folder.Write("cp.ini", "[S]\nK=caf\xE9\n");  // Windows-1252
  folder.Write("u8.ini", "[S]\nK=caf\xC3\xA9\n");
  for (const char* name : {"cp.ini", "u8.ini"}) {
    std::wstring path = folder.WPath() + L"/" + std::wstring(name, name + std::strlen(name));
    CProfile profile;
    ASSERT_TRUE(profile.Load(path));
    EXPECT_EQ(L"caf\u00e9", profile.GetString(L"S", L"K")) << name;
    profile.SetString(L"S", L"L", L"\u00e9");
    ASSERT_TRUE(profile.Save(path));
  }
  EXPECT_EQ("[S]\nK=caf\xE9\nL=\xE9\n", folder.Read("cp.ini"));
  EXPECT_EQ("[S]\nK=caf\xC3\xA9\nL=\xC3\xA9\n", folder.Read("u8.ini"));
}

TEST(ProfileTest, MissingFilesReadAsEmptyAndSaveCreatesThem) {
  TempFolder folder;
  EXPECT_EQ(L"d", ReadProfileString(folder.WPath() + L"/none.ini", L"S", L"K", L"d"));
  ASSERT_TRUE(WriteProfileString(folder.WPath() + L"/new.ini", L"S", L"K", L"v"));
  EXPECT_EQ("[S]\nK=v\n", folder.Read("new.ini"));
  EXPECT_FALSE(WriteProfileString(folder.WPath() + L"/no/such/folder.ini", L"S", L"K", L"v"));
}

}  // namespace
