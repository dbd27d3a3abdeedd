// Sendrix against ecrsim over a pseudo-terminal, run the way the main tool
// runs it: files of every edge size both ways, the result code of every
// cause, every fault the simulator injects, and the close request.
#include <gtest/gtest.h>

#include <csignal>
#include <ctime>
#include <filesystem>
#include <fstream>

#include "TransferHarness.h"
#include "platform/TransferResult.h"

namespace {

using platform::ExitStatusFromTransferResult;

std::string ResultLine(uint32_t code) {
  char line[32];
  std::snprintf(line, sizeof line, "result 0x%08x", code);
  return line;
}

void ExpectResult(const SendrixOutcome& outcome, uint32_t code) {
  EXPECT_EQ(outcome.nExitStatus, ExitStatusFromTransferResult(code)) << ResultLine(code);
  EXPECT_EQ(outcome.LastLine(), ResultLine(code));
}

class SendrixEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    m_sandbox.WriteStandardList();
    std::filesystem::create_directories(Memory());
  }
  std::string Memory() const { return m_sandbox.Scratch() + "memory/"; }
  std::string Data(const std::string& name) const { return m_sandbox.DataFolder() + name; }

  CSendrixSandbox m_sandbox;
};

// Item 1 (S_MODE.ECR) goes without the header step, item 6 (PLU.ECR) with it.
struct SizeCase {
  size_t nSize;
  bool bHeaderStep;
};

std::vector<SizeCase> SizeCases() {
  std::vector<SizeCase> cases;
  for (size_t size : {0, 1, 2, 63, 64, 65, 128, 67784})
    for (bool bHeader : {false, true}) cases.push_back({size, bHeader});
  return cases;
}

class SendrixSizes : public SendrixEndToEnd, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(SendrixSizes, SendArrivesByteForByte) {
  const SizeCase& c = GetParam();
  const char* name = c.bHeaderStep ? "PLU.ECR" : "S_MODE.ECR";
  std::vector<uint8_t> content = PatternBytes(c.nSize);
  WriteBytes(Data(name), content);
  CSimulator sim(Memory());
  SendrixOutcome outcome =
      m_sandbox.Run(m_sandbox.Arguments(sim.Device(), 1, c.bHeaderStep ? 6 : 1, 1, c.bHeaderStep, 0));
  // An empty file is refused before the link, and the header step needs 2 bytes.
  if (c.nSize == 0 || (c.bHeaderStep && c.nSize < 2)) {
    ExpectResult(outcome, platform::TR_FILE_READ);
    EXPECT_FALSE(FileExists(Memory() + name));
    return;
  }
  ExpectResult(outcome, platform::TR_DONE);
  EXPECT_EQ(ReadBytes(Memory() + name), content);
}

TEST_P(SendrixSizes, ReceiveArrivesByteForByte) {
  const SizeCase& c = GetParam();
  const char* name = c.bHeaderStep ? "PLU.ECR" : "S_MODE.ECR";
  std::vector<uint8_t> content = PatternBytes(c.nSize);
  WriteBytes(Memory() + name, content);
  WriteBytes(Data(name), {1, 2, 3});  // the previous file, to be replaced
  CSimulator sim(Memory());
  SendrixOutcome outcome =
      m_sandbox.Run(m_sandbox.Arguments(sim.Device(), 0, c.bHeaderStep ? 6 : 1, 1, c.bHeaderStep, 0));
  ExpectResult(outcome, platform::TR_DONE);
  EXPECT_EQ(ReadBytes(Data(name)), content);
  EXPECT_FALSE(FileExists(Data(name) + ".part"));
}

INSTANTIATE_TEST_SUITE_P(EdgeSizes, SendrixSizes, ::testing::ValuesIn(SizeCases()),
                         [](const ::testing::TestParamInfo<SizeCase>& param) {
                           return std::to_string(param.param.nSize) +
                                  (param.param.bHeaderStep ? "_header" : "_plain");
                         });

TEST_F(SendrixEndToEnd, ProgressAndTraceShowTheTransfer) {
  WriteBytes(Data("PLU.ECR"), PatternBytes(67784));
  CSimulator sim(Memory());
  std::vector<std::string> args = m_sandbox.Arguments(sim.Device(), 1, 6, 1, 1, 0);
  args.insert(args.begin(), {"--trace", m_sandbox.Scratch() + "trace.txt"});
  SendrixOutcome outcome = m_sandbox.Run(args);
  ExpectResult(outcome, platform::TR_DONE);
  ASSERT_GE(outcome.lines.size(), 2u);
  EXPECT_EQ(outcome.lines[outcome.lines.size() - 2], "67782/67782");
  std::ifstream trace(m_sandbox.Scratch() + "trace.txt");
  std::string first, second, third;
  std::getline(trace, first);
  std::getline(trace, second);
  std::getline(trace, third);
  EXPECT_NE(first.find("> D0 06 00 00"), std::string::npos) << first;
  EXPECT_NE(second.find("> D6 00"), std::string::npos) << second;
  EXPECT_NE(third.find("< D9 06 DF 00"), std::string::npos) << third;
}

TEST_F(SendrixEndToEnd, ReportIsNamedAfterItsTimeAndComesFromTheNewestFile) {
  WriteBytes(Memory() + "FINC0900.ecr", PatternBytes(100));
  WriteBytes(Memory() + "finc1000.ECR", PatternBytes(1342));
  // The first file is the older one.
  std::filesystem::last_write_time(Memory() + "FINC0900.ecr",
                                   std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
  CSimulator sim(Memory());
  for (bool bMarker : {false, true}) {
    if (bMarker) WriteBytes(m_sandbox.BinFolder() + "Sendrix_RepName.ini", {});
    std::time_t before = std::time(nullptr);
    SendrixOutcome outcome = m_sandbox.Run(m_sandbox.Arguments(sim.Device(), 0, 16, 1, 1, 0));
    std::time_t after = std::time(nullptr);
    ExpectResult(outcome, platform::TR_DONE);
    bool bFound = false;
    for (std::time_t t : {before, after}) {
      std::tm local{};
      ::localtime_r(&t, &local);
      char stamp[48];
      if (bMarker)
        std::snprintf(stamp, sizeof stamp, "%02d%02d%02d%02d", local.tm_mon + 1, local.tm_mday,
                      local.tm_hour, local.tm_min);
      else
        std::snprintf(stamp, sizeof stamp, "%02d%02d", local.tm_hour, local.tm_min);
      std::string path = Data("FINC" + std::string(stamp) + ".ECR");
      if (FileExists(path)) {
        EXPECT_EQ(ReadBytes(path), PatternBytes(1342));
        bFound = true;
      }
    }
    EXPECT_TRUE(bFound) << (bMarker ? "with" : "without") << " the marker";
  }
}

// Causes that end the run before any port is opened, in the order they are checked.
struct CodeCase {
  const char* pszName;
  std::vector<std::string> args;
  uint32_t nCode;
};

TEST_F(SendrixEndToEnd, ArgumentAndListChecksGiveTheirCodes) {
  auto args = [&](const char* direction, const char* item, const char* mode, const char* first,
                  const char* last) {
    return std::vector<std::string>{"/nonexistent/tty", "115200", direction, m_sandbox.DataFolder(),
                                    item, "ECR", mode, first, last, "1"};
  };
  std::vector<std::string> nine = args("1", "5", "1", "1", "0");
  nine.pop_back();
  std::vector<std::string> eleven = args("1", "5", "1", "1", "0");
  eleven.push_back("x");
  m_sandbox.WriteList({"0DUMMY", "0S_MODE", "2ODD", "1FINC", "0DUMMY", "0DEPT"});
  const CodeCase cases[] = {
      {"nine tokens", nine, platform::TR_ARG_COUNT},
      {"eleven tokens", eleven, platform::TR_ARG_COUNT},
      {"direction 2", args("2", "5", "9", "10", "5"), platform::TR_DIRECTION},
      {"mode 0 before numbers", args("1", "5", "0", "10", "5"), platform::TR_MODE},
      {"mode 3", args("1", "5", "3", "0", "0"), platform::TR_MODE},
      {"mode 2 first above last", args("1", "5", "2", "10", "5"), platform::TR_NUMBERS},
      {"mode 1 passes the numbers", args("0", "5", "1", "10", "5"), platform::TR_PORT_OPEN},
      {"no line for item 6 of 6", args("1", "6", "1", "0", "0"), platform::TR_LIST_LINE},
      {"kind digit 2", args("1", "2", "1", "0", "0"), platform::TR_KIND},
      {"report sent", args("1", "3", "1", "0", "0"), platform::TR_REPORT_SEND},
      {"port cannot be opened", args("1", "5", "1", "1", "0"), platform::TR_PORT_OPEN},
      {"port 0 names only the USB adapter", {"0", "115200", "1", m_sandbox.DataFolder(), "5",
                                             "ECR", "1", "1", "0", "1"}, platform::TR_PORT_OPEN},
  };
  for (const CodeCase& c : cases) {
    SCOPED_TRACE(c.pszName);
    ExpectResult(m_sandbox.Run(c.args), c.nCode);
  }
  std::remove((m_sandbox.BinFolder() + "Sendrix.ini").c_str());
  ExpectResult(m_sandbox.Run(args("1", "5", "1", "1", "0")), platform::TR_LIST_OPEN);
}

TEST_F(SendrixEndToEnd, FileProblemsGiveTheirCodes) {
  CSimulator sim(Memory());
  // Nothing to send.
  ExpectResult(m_sandbox.Run(m_sandbox.Arguments(sim.Device(), 1, 5, 1, 1, 0)), platform::TR_FILE_OPEN);
  // An empty file shows 0/0 and is not sent.
  WriteBytes(Data("DEPT.ECR"), {});
  SendrixOutcome empty = m_sandbox.Run(m_sandbox.Arguments(sim.Device(), 1, 5, 1, 1, 0));
  ExpectResult(empty, platform::TR_FILE_READ);
  ASSERT_GE(empty.lines.size(), 2u);
  EXPECT_EQ(empty.lines[0], "0/0");
  // A data folder that does not exist cannot take the received file.
  WriteBytes(Memory() + "DEPT.ECR", PatternBytes(10));
  std::vector<std::string> args = m_sandbox.Arguments(sim.Device(), 0, 5, 1, 1, 0);
  args[3] = m_sandbox.Scratch() + "missing/";
  ExpectResult(m_sandbox.Run(args), platform::TR_FILE_CREATE);
  // Received data that cannot be written: the partial file is a full disk.
  std::filesystem::create_symlink("/dev/full", Data("DEPT.ECR.part"));
  WriteBytes(Data("DEPT.ECR"), {9, 9});
  ExpectResult(m_sandbox.Run(m_sandbox.Arguments(sim.Device(), 0, 5, 1, 1, 0)), platform::TR_FILE_WRITE);
  EXPECT_EQ(ReadBytes(Data("DEPT.ECR")), std::vector<uint8_t>({9, 9}));
}

// Sending PLU.ECR (header step, two data frames) against a simulator with a fault.
struct FaultCase {
  const char* pszName;
  std::vector<std::string> options;
  uint32_t nCode;
};

TEST_F(SendrixEndToEnd, InjectedFaultsWhenSending) {
  const std::vector<uint8_t> content = PatternBytes(100);
  const FaultCase cases[] = {
      {"four NAKs then ACK", {"--nak", "4"}, platform::TR_DONE},
      {"five NAKs", {"--nak", "5"}, platform::TR_REJECTED},
      {"two NAKs and two bad sums", {"--nak", "2", "--bad-reply-sum", "2"}, platform::TR_DONE},
      {"five bad sums", {"--bad-reply-sum", "5"}, platform::TR_REJECTED},
      {"command refused", {"--refuse", "1"}, platform::TR_REFUSED},
      {"data frame refused", {"--refuse", "3"}, platform::TR_REFUSED},
  };
  WriteBytes(Data("PLU.ECR"), content);
  for (const FaultCase& c : cases) {
    SCOPED_TRACE(c.pszName);
    std::filesystem::remove(Memory() + "PLU.ECR");
    CSimulator sim(Memory(), c.options);
    ExpectResult(m_sandbox.Run(m_sandbox.Arguments(sim.Device(), 1, 6, 1, 1, 0)), c.nCode);
    if (c.nCode == platform::TR_DONE)
      EXPECT_EQ(ReadBytes(Memory() + "PLU.ECR"), content);
    else
      EXPECT_FALSE(FileExists(Memory() + "PLU.ECR"));
  }
}

TEST_F(SendrixEndToEnd, InvalidDataFramesAreRejectedAndNeverWritten) {
  const std::vector<uint8_t> content = PatternBytes(200);
  WriteBytes(Memory() + "CLERK.ECR", content);
  for (const char* kinds : {"odd", "char", "sum", "odd,char,sum"}) {
    SCOPED_TRACE(kinds);
    std::filesystem::remove(Data("CLERK.ECR"));
    CSimulator sim(Memory(), {"--bad-frames", kinds});
    ExpectResult(m_sandbox.Run(m_sandbox.Arguments(sim.Device(), 0, 7, 1, 1, 0)), platform::TR_DONE);
    EXPECT_EQ(ReadBytes(Data("CLERK.ECR")), content);
  }
}

TEST_F(SendrixEndToEnd, RefusedReceiveKeepsThePreviousFile) {
  WriteBytes(Data("DEPT.ECR"), {4, 5, 6});
  CSimulator sim(Memory());  // its memory has no DEPT.ECR: the register refuses
  ExpectResult(m_sandbox.Run(m_sandbox.Arguments(sim.Device(), 0, 5, 1, 1, 0)), platform::TR_REFUSED);
  EXPECT_EQ(ReadBytes(Data("DEPT.ECR")), std::vector<uint8_t>({4, 5, 6}));
}

// Starts a receive against a register that goes silent after `frames` frames,
// waits until the simulator has gone silent, then sends the close request.
SendrixOutcome CloseWhileSilent(const CSendrixSandbox& sandbox, const std::string& memory,
                                int frames) {
  CSimulator sim(memory, {"--silent-after", std::to_string(frames)});
  platform::CChildProcess process;
  sandbox.Start(process, sandbox.Arguments(sim.Device(), 0, 6, 1, 1, 0));
  // The simulator logs the moment it stops answering; Sendrix then waits.
  EXPECT_TRUE(sim.WaitForLog("silent"));
  process.Signal(SIGTERM);
  return sandbox.Finish(process);
}

TEST_F(SendrixEndToEnd, CloseRequestWhileTheRegisterIsSilentEndsWithResult1) {
  const std::vector<uint8_t> content = PatternBytes(1000);
  WriteBytes(Memory() + "PLU.ECR", content);
  WriteBytes(Data("PLU.ECR"), {7, 7, 7});
  SendrixOutcome silentFromStart = CloseWhileSilent(m_sandbox, Memory(), 0);
  ExpectResult(silentFromStart, platform::TR_NOT_COMPLETED);
  EXPECT_EQ(ReadBytes(Data("PLU.ECR")), std::vector<uint8_t>({7, 7, 7}));
  EXPECT_TRUE(ReadBytes(Data("PLU.ECR.part")).empty());

  // Silent after the command and two data frames: 128 bytes came.
  SendrixOutcome silentMidway = CloseWhileSilent(m_sandbox, Memory(), 3);
  ExpectResult(silentMidway, platform::TR_NOT_COMPLETED);
  EXPECT_EQ(ReadBytes(Data("PLU.ECR")), std::vector<uint8_t>({7, 7, 7}));
  EXPECT_EQ(ReadBytes(Data("PLU.ECR.part")),
            std::vector<uint8_t>(content.begin(), content.begin() + 128));
}

}  // namespace

namespace {

// Runs a program of build/bin with its output in a file; returns its status.
int RunProgram(const std::string& program, const std::vector<std::string>& args,
               const std::string& outputPath, std::string& output) {
  platform::CChildProcess process;
  platform::ProcessOptions options;
  options.strStdoutPath = outputPath;
  options.strStderrPath = outputPath + ".err";
  if (!process.Start(std::string(ECR_BIN_DIR) + "/" + program, args, options)) return -1;
  int status = process.Wait();
  std::vector<uint8_t> bytes = ReadBytes(outputPath);
  std::vector<uint8_t> errors = ReadBytes(outputPath + ".err");
  output.assign(bytes.begin(), bytes.end());
  output.append(errors.begin(), errors.end());
  return status;
}

}  // namespace

TEST_F(SendrixEndToEnd, HelpAndUsageErrors) {
  std::string output, path = m_sandbox.Scratch() + "help.txt";
  EXPECT_EQ(RunProgram("Sendrix", {"--help"}, path, output), 0);
  EXPECT_NE(output.find("Usage: Sendrix"), std::string::npos);
  EXPECT_EQ(RunProgram("ecrsim", {"--help"}, path, output), 0);
  EXPECT_NE(output.find("--silent-after"), std::string::npos);
  EXPECT_EQ(RunProgram("ecrsim", {"--nak"}, path, output), 2);
  EXPECT_NE(output.find("needs a value"), std::string::npos);
  EXPECT_EQ(RunProgram("ecrsim", {"--bad-frames", "odd,wrong"}, path, output), 2);
  EXPECT_EQ(RunProgram("ecrsim", {"--frobnicate"}, path, output), 2);
}

TEST_F(SendrixEndToEnd, SimulatorLinkNamesItsDevice) {
  std::string link = m_sandbox.Scratch() + "register";
  WriteBytes(Data("GRP_HEAD.ECR"), PatternBytes(300));
  {
    CSimulator sim(Memory(), {"--link", link});
    EXPECT_EQ(std::filesystem::read_symlink(link).string(), sim.Device());
    ExpectResult(m_sandbox.Run(m_sandbox.Arguments(link, 1, 2, 1, 0, 0)), platform::TR_DONE);
  }
  EXPECT_EQ(ReadBytes(Memory() + "GRP_HEAD.ECR"), PatternBytes(300));
  EXPECT_FALSE(std::filesystem::is_symlink(link));  // removed when the simulator ends
}
