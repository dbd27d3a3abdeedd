// Convra as a user runs it: a copy of the program in a folder of its own,
// with its settings file beside it, converting a folder of report files.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "converter/ConverterRun.h"
#include "model_library/tests/ReportFixtures.h"
#include "testing/TempFolder.h"

extern char** environ;

using namespace fixtures;

namespace {

struct RunResult {
  int exitCode = -1;
  std::string output;  // standard output and error
};

RunResult RunProgram(const std::string& program, const std::vector<std::string>& args, const std::string& outputFile) {
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_adddup2(&actions, 1, 2);
  RunResult result;
  pid_t pid;
  if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) == 0) {
    int status = 0;
    waitpid(pid, &status, 0);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  posix_spawn_file_actions_destroy(&actions);
  std::ifstream in(outputFile);
  result.output.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return result;
}

std::string Utf16(const std::wstring& text) { return "\xFF\xFE" + platform::WideToUtf16Le(text); }

class ConvraTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(folder.File("prog"));
    std::filesystem::create_directories(folder.File("in dir"));
    std::filesystem::create_directories(folder.File("out"));
    std::filesystem::create_directories(folder.File("cap"));
    program = folder.File("prog/Convra");
    std::filesystem::copy_file(ECR_BIN_DIR "/Convra", program);
    // The register writes "@" where the character table puts a pound sign.
    folder.Write("cap/ARVODLL_ECR.CNV", Utf16(L"// demo table\r\n\x00A3=40\r\n"));
    WriteSettings(ECR_BIN_DIR "/Arvodll.so");
    Bytes hourly = SignedCount(3) + Amount(1250);
    hourly.resize(240, '\0');
    folder.Write("in dir/hour1200.ecr", hourly);
    folder.Write("in dir/FLEJ0101.ECR", Text("TOTAL @12.50", 24));
  }
  void WriteSettings(const std::string& library) {
    folder.Write("prog/Convra.ini", "[PATH]\nDLL=" + library + "\n[CAP]\nCAP=" + folder.File("cap") + "\n");
  }
  RunResult Convra(const std::vector<std::string>& args) { return RunProgram(program, args, folder.File("output.txt")); }
  std::vector<Line> Csv(const std::string& name) {
    std::vector<Line> lines;
    std::string error;
    EXPECT_TRUE(ParseCsv(folder.Read(name), lines, error)) << name << ": " << error;
    return lines;
  }

  TempFolder folder;
  std::string program;
};

TEST_F(ConvraTest, ConvertsEveryReportIntoTheOutputFolder) {
  // A quoted input folder with a blank and a trailing "/", as a shell script may pass it.
  RunResult run = Convra({"\"" + folder.File("in dir") + "/\"", folder.File("out"), "ignored"});
  ASSERT_EQ(0, run.exitCode) << run.output;
  EXPECT_EQ("", run.output);
  std::vector<Line> hourly = Csv("out/HOUR1200.CSV");
  ASSERT_EQ(24u, hourly.size());
  EXPECT_EQ((Line{L"00:00 - 00:59", L"3", L"1250"}), hourly[0]);
  EXPECT_EQ((std::vector<Line>{{L"TOTAL \x00A3" L"12.50"}}), Csv("out/FLEJ0101.CSV")) << "through the character table";
}

TEST_F(ConvraTest, DecimalPointMarkerBesideTheProgram) {
  folder.Write("prog/repcnv_ex.ini", "");
  ASSERT_EQ(0, Convra({folder.File("in dir"), folder.File("out")}).exitCode);
  EXPECT_EQ(L"12.50", Csv("out/HOUR1200.CSV").at(0).at(2));
}

TEST_F(ConvraTest, FailuresExitWithOne) {
  EXPECT_EQ(1, Convra({folder.File("in dir")}).exitCode) << "one folder only";
  EXPECT_EQ(1, Convra({folder.File("in dir"), "\"\""}).exitCode) << "an empty output folder";
  EXPECT_EQ(1, Convra({folder.File("in dir"), folder.File("missing")}).exitCode) << "output folder missing";
  EXPECT_EQ(1, Convra({folder.File("cap"), folder.File("out")}).exitCode) << "no report file";

  std::filesystem::create_directories(folder.File("empty"));
  folder.Write("empty/FINC1530.ECR", "");
  RunResult empty = Convra({folder.File("empty"), folder.File("out")});
  EXPECT_EQ(1, empty.exitCode);
  EXPECT_NE(std::string::npos, empty.output.find("no report file")) << empty.output;
  EXPECT_FALSE(folder.Exists("out/FINC1530.CSV"));

  WriteSettings(folder.File("cap/ARVODLL_ECR.CNV"));
  RunResult notLibrary = Convra({folder.File("in dir"), folder.File("out")});
  EXPECT_EQ(1, notLibrary.exitCode);
  EXPECT_NE(std::string::npos, notLibrary.output.find("cannot load the model library")) << notLibrary.output;

  std::filesystem::remove(folder.File("prog/Convra.ini"));
  EXPECT_EQ(1, Convra({folder.File("in dir"), folder.File("out")}).exitCode) << "no settings file";
  EXPECT_FALSE(folder.Exists("out/HOUR1200.CSV"));
}

TEST_F(ConvraTest, HelpDescribesTheCommand) {
  RunResult run = Convra({"--help"});
  EXPECT_EQ(0, run.exitCode);
  EXPECT_NE(std::string::npos, run.output.find("Usage: Convra INPUT_FOLDER OUTPUT_FOLDER"));
  EXPECT_NE(std::string::npos, run.output.find(folder.File("prog/CONVRA.ini"))) << run.output;
}

TEST(ConvraSettingsTest, NamesAndArguments) {
  EXPECT_EQ(L"/tools/CONVRA.ini", convra::SettingsPathFor(L"/tools/Convra"));
  EXPECT_EQ(L"/tools/CONVRA.ini", convra::SettingsPathFor(L"/tools/Convra.exe"));
  EXPECT_EQ(L"/Tools/CONVRA.ini", convra::SettingsPathFor(L"/Tools/convra"));
  EXPECT_EQ(L"ARVODLL", convra::ModelName(L"/lib/ARVODLL.DLL"));
  EXPECT_EQ(L"ARVODLL", convra::ModelName(L"./Arvodll.so"));
  EXPECT_EQ(L"/data/in dir", convra::FolderArgument("\"/data/in dir/\""));
  EXPECT_EQ(L"/data/in", convra::FolderArgument("/data/in//"));
  EXPECT_EQ(L"/", convra::FolderArgument("/"));
  EXPECT_EQ(L"", convra::FolderArgument("\"\""));
}

}  // namespace
