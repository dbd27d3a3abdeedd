// ecrtool and ecrdemo run as a user runs them: a demo data folder written by
// ecrdemo, then commands against it, checking output, messages, exit codes
// and what became of the files.
#include <gtest/gtest.h>

#include "ProgramRun.h"
#include "common/CaptionMgr.h"
#include "platform/TextCodec.h"
#include "testing/TempFolder.h"

namespace {

class EcrToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ProgramResult demo = RunProgram("ecrdemo", {data.Path()}, scratch.Path());
    ASSERT_EQ(0, demo.nExitCode) << demo.strErr;
  }
  ProgramResult Tool(std::vector<std::string> args) { return RunProgram("ecrtool", args, scratch.Path()); }
  // The value of a cell, without the line end.
  std::string Get(const std::string& object, const std::string& table, const std::string& row,
                  const std::string& field) {
    ProgramResult result = Tool({"get", data.Path(), object, table, row, field});
    EXPECT_EQ(0, result.nExitCode) << result.strErr;
    if (!result.strOut.empty() && result.strOut.back() == '\n') result.strOut.pop_back();
    return result.strOut;
  }

  TempFolder data;
  TempFolder scratch;
};

TEST_F(EcrToolTest, HelpDescribesEveryCommandAndExitCode) {
  for (const char* program : {"ecrtool", "ecrdemo"}) {
    ProgramResult help = RunProgram(program, {"--help"}, scratch.Path());
    EXPECT_EQ(0, help.nExitCode);
    EXPECT_NE(std::string::npos, help.strOut.find("Usage:")) << program;
  }
  ProgramResult help = Tool({"--help"});
  for (const char* word : {"tables", "fields", "get", "set", "export", "import", "--library", "--cap", "--model",
                           "--language", "KEYBOARD", "Exit codes"})
    EXPECT_NE(std::string::npos, help.strOut.find(word)) << word;
}

TEST_F(EcrToolTest, ListsTablesAndFields) {
  ProgramResult tables = Tool({"tables", data.Path(), "DEPT"});
  EXPECT_EQ(0, tables.nExitCode) << tables.strErr;
  EXPECT_EQ("0\t100\tDEPARTMENT GROUP SETTING\t9\t2\n1\t200\tDEPARTMENT SETTING\t80\t10\n", tables.strOut);
  ProgramResult fields = Tool({"fields", data.Path(), "18", "1"});
  EXPECT_EQ(0, fields.nExitCode) << fields.strErr;
  EXPECT_EQ(0u, fields.strOut.find("0\t401\tFREE CODE\t0x2B08\t14\t0\t1\t0\t99999999999999\t2\n"
                                   "1\t402\tNAME\t0x2400\t18\t0\t0\t0\t0\t2\n"));
  EXPECT_NE(std::string::npos, fields.strOut.find("\n28\t429\tPLU STOCK COUNTER\t0x2B06\t11\t0\t2\t-999999.999\t999999.999\t2\n"));
}

TEST_F(EcrToolTest, GetsWhatTheDemoWrote) {
  EXPECT_EQ("BREAD", Get("DEPT", "1", "0", "0"));
  EXPECT_EQ("FRESH FOOD", Get("dept", "0", "0", "0"));
  EXPECT_EQ("00000000001000", Get("PLU", "1", "0", "0"));
  EXPECT_EQ("WHITE BREAD", Get("PLU", "1", "0", "1"));
  EXPECT_EQ("ANNA", Get("19", "1", "0", "0"));
  EXPECT_EQ("1111", Get("CLERK", "1", "0", "2"));
}

TEST_F(EcrToolTest, SetStoresCheckedValuesAndSaves) {
  ProgramResult set = Tool({"set", data.Path(), "PLU", "1", "0", "5", "1999"});
  EXPECT_EQ(0, set.nExitCode) << set.strErr;
  EXPECT_EQ("1999", Get("PLU", "1", "0", "5"));
  EXPECT_EQ(0, Tool({"set", data.Path(), "PLU", "1", "0", "28", "-12.125"}).nExitCode);
  EXPECT_EQ("-12.125", Get("PLU", "1", "0", "28"));
  EXPECT_EQ(0, Tool({"set", data.Path(), "CLERK", "1", "1", "2", "ab12"}).nExitCode);
  EXPECT_EQ("AB12", Get("CLERK", "1", "1", "2"));
  EXPECT_EQ(0, Tool({"set", data.Path(), "DEPT", "1", "2", "0", "J\xC3\x96RG"}).nExitCode) << "UTF-8 in, code page stored";
  EXPECT_EQ("J\xC3\x96RG", Get("DEPT", "1", "2", "0"));
  EXPECT_EQ('\xD6', data.Read("DEPT.ECR")[182 + 2 * 28 + 1]);
}

TEST_F(EcrToolTest, RefusedValuesPrintTheMessageAndSaveNothing) {
  const std::string plu = data.Read("PLU.ECR"), clerk = data.Read("CLERK.ECR");
  const struct {
    std::vector<std::string> cell;
    const char* text;
    const char* message;
  } cases[] = {
      {{"PLU", "1", "0", "5"}, "100000000", "Range is 0 - 99999999"},
      {{"PLU", "1", "0", "5"}, "12.50", "Range is 0 - 99999999"},
      {{"PLU", "1", "0", "28"}, "12.1255", "Input until THIRD decimal place"},
      {{"PLU", "1", "0", "28"}, "1-2", "Range is -999999.999 - 999999.999"},
      {{"PLU", "1", "0", "19"}, "10000", "Range is 0 - 9999"},
      {{"PLU", "1", "0", "2"}, "81", "Range is 0 - 80"},
      {{"PLU", "1", "0", "1"}, "A NAME LONGER THAN 18", "At most 18 characters"},
      {{"CLERK", "1", "0", "2"}, "12G4", "0-9,A,B,C,D,E,F"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args{"set", data.Path()};
    args.insert(args.end(), c.cell.begin(), c.cell.end());
    args.push_back(c.text);
    ProgramResult result = Tool(args);
    EXPECT_EQ(3, result.nExitCode) << c.text;
    EXPECT_EQ(std::string("ecrtool: ") + c.message + "\n", result.strErr) << c.text;
  }
  EXPECT_TRUE(data.Read("PLU.ECR") == plu);
  EXPECT_TRUE(data.Read("CLERK.ECR") == clerk);
}

TEST_F(EcrToolTest, ARepeatedPluCodeRefusesTheSave) {
  const std::string plu = data.Read("PLU.ECR");
  ProgramResult result = Tool({"set", data.Path(), "PLU", "1", "1", "0", "1000"});
  EXPECT_EQ(3, result.nExitCode);
  EXPECT_NE(std::string::npos, result.strErr.find("The unique key (PLU code etc.) overlaps")) << result.strErr;
  EXPECT_TRUE(data.Read("PLU.ECR") == plu);
}

TEST_F(EcrToolTest, UsageErrorsExitWithOne) {
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"frobnicate", data.Path(), "DEPT"},
      {"tables", data.Path(), "DEPARTMENTS"},
      {"tables", data.Path(), "22"},
      {"tables", data.Path()},
      {"get", data.Path(), "DEPT", "1", "0"},
      {"get", data.Path(), "DEPT", "2", "0", "0"},
      {"get", data.Path(), "DEPT", "1", "80", "0"},
      {"get", data.Path(), "DEPT", "1", "0", "10"},
      {"get", data.Path(), "DEPT", "1", "-1", "0"},
      {"--colour", "tables", data.Path(), "DEPT"},
      {"--cap", data.Path(), "tables", data.Path(), "DEPT"},
      {"tables", data.Path(), "DEPT", "--library"},
  };
  for (const auto& args : cases) {
    ProgramResult result = Tool(args);
    std::string line;
    for (const std::string& arg : args) line += arg + " ";
    EXPECT_EQ(1, result.nExitCode) << line;
    EXPECT_EQ(0u, result.strErr.find("ecrtool: ")) << line;
    EXPECT_EQ("", result.strOut) << line;
  }
}

TEST_F(EcrToolTest, FilesThatDoNotLoadExitWithTwo) {
  TempFolder empty;
  ProgramResult missing = Tool({"tables", empty.Path(), "CLERK"});
  EXPECT_EQ(2, missing.nExitCode);
  EXPECT_NE(std::string::npos, missing.strErr.find(empty.Path() + "/CLERK.ECR: no such file")) << missing.strErr;

  data.Write("DEPT.ECR", data.Read("DEPT.ECR") + "x");
  ProgramResult damaged = Tool({"get", data.Path(), "DEPT", "1", "0", "0"});
  EXPECT_EQ(2, damaged.nExitCode);
  EXPECT_NE(std::string::npos, damaged.strErr.find("DEPT.ECR")) << damaged.strErr;

  EXPECT_EQ(2, Tool({"tables", empty.Path() + "/nowhere", "PLU"}).nExitCode);
  EXPECT_EQ(5, Tool({"--library", empty.Path() + "/none.so", "tables", data.Path(), "PLU"}).nExitCode);
}

TEST_F(EcrToolTest, GetAndExportOfAMissingFileShowTheEmptyRows) {
  TempFolder empty;
  ProgramResult get = Tool({"get", empty.Path(), "PLU", "1", "999", "2"});
  EXPECT_EQ(0, get.nExitCode) << get.strErr;
  EXPECT_EQ("1\n", get.strOut) << "an empty PLU links to department 1";
  ProgramResult exported = Tool({"export", empty.Path(), "CLERK", "1", scratch.File("clerks.txt")});
  EXPECT_EQ(0, exported.nExitCode) << exported.strErr;
  EXPECT_EQ(0u, ReadWholeFile(scratch.File("clerks.txt")).find("\xFF\xFE" + platform::WideToUtf16Le(L"CLERK SETTING\r\n")));
  EXPECT_FALSE(empty.Exists("CLERK.ECR"));
}

TEST_F(EcrToolTest, ExportedRowsEditedAndImportedComeBack) {
  ASSERT_EQ(0, Tool({"export", data.Path(), "DEPT", "0", scratch.File("groups.txt")}).nExitCode);
  std::string bytes = ReadWholeFile(scratch.File("groups.txt"));
  std::wstring text = platform::Utf16LeToWide(reinterpret_cast<const uint8_t*>(bytes.data()) + 2, bytes.size() - 2);
  EXPECT_EQ(0u, text.find(L"DEPARTMENT GROUP SETTING\r\nNAME,OUTPUT\r\nFRESH FOOD,0\r\nDRINKS,0\r\n"));
  text.erase(0, text.find(L"FRESH FOOD"));
  text.replace(0, 10, L"FRISCHWARE");
  std::ofstream(scratch.File("in.txt"), std::ios::binary) << "\xFF\xFE" + platform::WideToUtf16Le(text);
  ProgramResult imported = Tool({"import", data.Path(), "DEPT", "0", scratch.File("in.txt")});
  EXPECT_EQ(0, imported.nExitCode) << imported.strErr;
  EXPECT_EQ("FRISCHWARE", Get("DEPT", "0", "0", "0"));
  EXPECT_EQ("DRINKS", Get("DEPT", "0", "1", "0"));
  EXPECT_EQ(4, Tool({"import", data.Path(), "DEPT", "0", scratch.File("missing.txt")}).nExitCode);
  EXPECT_EQ(4, Tool({"export", data.Path(), "DEPT", "0", scratch.Path() + "/no/such/folder.txt"}).nExitCode);
}

TEST_F(EcrToolTest, CharacterTableAndCaptionsComeFromTheCaptionFolder) {
  TempFolder cap;
  cap.Write("ARVO_ECR.CNV", "\xFF\xFE" + platform::WideToUtf16Le(L"// A is shown as \u00C4\r\n\u00C4=41\r\n"));
  S_ECR_CAP caption;
  caption.text = L"ABTEILUNGEN";
  cap.Write("ARVO_DEU.CAP", "\xFF\xFE" + platform::WideToUtf16Le(L"[268435456]\r\n200=" +
                                                                 CCaptionMgr::FormatCaptionLine(caption) + L"\r\n"));
  ProgramResult name = Tool({"--cap", cap.Path(), "--model", "arvo", "get", data.Path(), "DEPT", "1", "0", "0"});
  EXPECT_EQ("BRE\xC3\x84" "D\n", name.strOut) << name.strErr;
  ProgramResult tables =
      Tool({"--cap=" + cap.Path(), "--model=ARVO", "--language=DEU", "tables", data.Path(), "DEPT"});
  EXPECT_NE(std::string::npos, tables.strOut.find("1\t200\tABTEILUNGEN\t80\t10\n")) << tables.strErr;
  EXPECT_EQ(1, Tool({"--cap", cap.Path(), "--model", "NONE", "tables", data.Path(), "DEPT"}).nExitCode);
  EXPECT_EQ(1, Tool({"--cap", cap.Path(), "--model", "ARVO", "--language", "FRA", "tables", data.Path(), "DEPT"}).nExitCode);
  EXPECT_FALSE(cap.Exists("ARVO_FRA.CAP")) << "no caption file is created";
}

TEST_F(EcrToolTest, TextsBeginningWithDashesFollowTheSeparator) {
  EXPECT_EQ(0, Tool({"set", data.Path(), "DEPT", "1", "0", "0", "--", "--SALE--"}).nExitCode);
  EXPECT_EQ("--SALE--", Get("DEPT", "1", "0", "0"));
}

TEST_F(EcrToolTest, DemoWritesTheCatalogueCounts) {
  EXPECT_EQ(182u + 80 * 28, data.Read("DEPT.ECR").size());
  EXPECT_EQ(1784u + 200 * 66, data.Read("PLU.ECR").size());
  EXPECT_EQ(4u + 10 * 28, data.Read("CLERK.ECR").size());
  EXPECT_EQ("NEWSPAPERS", Get("DEPT", "1", "18", "0"));
  EXPECT_EQ("250", Get("DEPT", "1", "18", "5"));
  EXPECT_EQ("", Get("DEPT", "1", "20", "0"));
  EXPECT_EQ("TRAINEE", Get("CLERK", "1", "4", "0"));
  EXPECT_EQ("", Get("CLERK", "1", "5", "0"));
  ProgramResult again = RunProgram("ecrdemo", {data.Path()}, scratch.Path());
  EXPECT_EQ(0, again.nExitCode);
  EXPECT_EQ(1, RunProgram("ecrdemo", {}, scratch.Path()).nExitCode);
  data.Write("blocker", "x");
  EXPECT_EQ(2, RunProgram("ecrdemo", {data.File("blocker") + "/sub"}, scratch.Path()).nExitCode);
}

}  // namespace
