// Settings file and model list: defaults, saved and unsaved keys, the
// 127-character cut, the rules of the model list file.
#include <gtest/gtest.h>

#include <sstream>

#include "common/Profile.h"
#include "main_tool/shell/ToolConfig.h"
#include "testing/TempFolder.h"

namespace {

std::wstring W(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// The "key=value" lines of a settings file, in file order.
std::vector<std::string> KeyLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.find('=') != std::string::npos) lines.push_back(line);
  }
  return lines;
}

TEST(ToolConfig, MissingFileGivesDefaultsAndSavesTheSeventeenKeysInOrder) {
  TempFolder folder;
  CToolConfig config;
  config.Load(W(folder.File("Tillora.ini")));
  EXPECT_EQ(config.m_strDataPath, L"./Data");
  EXPECT_EQ(config.m_strEcrName, L"ARVO-5X Ver1.00");
  EXPECT_EQ(config.m_strLanguage, L"JPN");
  EXPECT_EQ(config.m_strToolName, L"ARVO TOOL  Ver1.00");
  EXPECT_EQ(config.m_nBaudRate, 19200);
  EXPECT_EQ(config.m_nAutoPopup, 1);
  EXPECT_EQ(config.m_nCapEdit, 0);
  ASSERT_EQ(config.m_mapModels.size(), 1u);
  EXPECT_EQ(config.m_mapModels.at(L"ARVO-5X Ver1.00"), L"./Arvodll.so");

  ASSERT_TRUE(config.Save(W(folder.File("Tillora.ini"))));
  const std::vector<std::string> expected = {
      "DataPath=./Data", "BmpPath=./Bmp", "EcrName=ARVO-5X Ver1.00", "Language=JPN", "CapPath=./Cap",
      "Sendrix=./Sendrix", "Pictra=./Pictra", "LogoAnim=./findds.avi", "PortNo=0", "BaudRate=19200",
      "ByteSize=8", "Parity=1", "SAnime=./toCOMP.avi", "RAnime=./toECR.avi", "EcrBmp=./Ecr.bmp",
      "LogoBmp=./Arvo.bmp", "ListPath=./Ecr.lst"};
  EXPECT_EQ(KeyLines(folder.Read("Tillora.ini")), expected);
}

TEST(ToolConfig, KeysNotSavedAtExitKeepWhatTheUserWrote) {
  TempFolder folder;
  folder.Write("Tillora.ini",
               "[OPENING]\nToolName=My Shop Tool\n[OPTION]\nCapEdit=1\n[USER]\nNote=keep me\n"
               "[DEFAULT]\nLanguage=ENG\nDataPath=/shop/data\n");
  CToolConfig config;
  config.Load(W(folder.File("Tillora.ini")));
  EXPECT_EQ(config.m_strToolName, L"My Shop Tool");
  EXPECT_EQ(config.m_nCapEdit, 1);
  EXPECT_EQ(config.m_strLanguage, L"ENG");
  config.m_strToolName = L"changed in memory";
  config.m_nCapEdit = 0;
  config.m_nLevel = 5;
  config.m_strLanguage = L"JPN";
  ASSERT_TRUE(config.Save(W(folder.File("Tillora.ini"))));

  CProfile saved;
  ASSERT_TRUE(saved.Load(W(folder.File("Tillora.ini"))));
  EXPECT_EQ(saved.GetString(L"OPENING", L"ToolName"), L"My Shop Tool");
  EXPECT_EQ(saved.GetString(L"OPTION", L"CapEdit"), L"1");
  EXPECT_EQ(saved.GetString(L"USER", L"Note"), L"keep me");
  EXPECT_FALSE(saved.HasKey(L"DEFAULT", L"Level"));     // missing stays missing
  EXPECT_FALSE(saved.HasKey(L"OPTION", L"AutoPopup"));
  EXPECT_EQ(saved.GetString(L"DEFAULT", L"Language"), L"JPN");
  EXPECT_EQ(saved.GetString(L"DEFAULT", L"DataPath"), L"/shop/data");
}

TEST(ToolConfig, TextValuesAreCutTo127Characters) {
  TempFolder folder;
  const std::string longPath(200, 'p');
  folder.Write("Tillora.ini", "[DEFAULT]\nDataPath=" + longPath + "\n");
  CToolConfig config;
  config.Load(W(folder.File("Tillora.ini")));
  EXPECT_EQ(config.m_strDataPath, W(longPath.substr(0, 127)));
  ASSERT_TRUE(config.Save(W(folder.File("Tillora.ini"))));
  CProfile saved;
  saved.Load(W(folder.File("Tillora.ini")));
  EXPECT_EQ(saved.GetString(L"DEFAULT", L"DataPath"), W(longPath.substr(0, 127)));
}

struct ModelListCase {
  const char* name;
  const char* content;  // null: no file
  std::map<std::wstring, std::wstring> expected;
};

void PrintTo(const ModelListCase& modelCase, std::ostream* out) { *out << modelCase.name; }

class ModelList : public testing::TestWithParam<ModelListCase> {};

TEST_P(ModelList, Rules) {
  TempFolder folder;
  if (GetParam().content) folder.Write("Ecr.lst", GetParam().content);
  CToolConfig config;
  config.LoadModelList(W(folder.File("Ecr.lst")));
  EXPECT_EQ(config.m_mapModels, GetParam().expected);
}

const std::map<std::wstring, std::wstring> kDefaultMap = {{L"ARVO-5X Ver1.00", L"./Arvodll.so"}};

INSTANTIATE_TEST_SUITE_P(
    Cases, ModelList,
    testing::Values(
        ModelListCase{"CommentLastEqualsAndLineWithout",
                      "// models of the shop\r\nA = x=y.so\r\nB without equals\r\n", {{L"A = x", L"y.so"}}},
        ModelListCase{"LaterDuplicateWins", "M=first.so\nN=n.so\nM = second.so\n",
                      {{L"M", L"second.so"}, {L"N", L"n.so"}}},
        ModelListCase{"BlanksBeforeSlashesAreNoComment", "  //X=x.so\n", {{L"//X", L"x.so"}}},
        ModelListCase{"EmptyFileGivesTheDefaultModel", "", kDefaultMap},
        ModelListCase{"OnlyCommentsGiveTheDefaultModel", "// nothing\n", kDefaultMap},
        ModelListCase{"MissingFileGivesTheDefaultModel", nullptr, kDefaultMap}),
    [](const testing::TestParamInfo<ModelListCase>& caseInfo) { return std::string(caseInfo.param.name); });

}  // namespace
