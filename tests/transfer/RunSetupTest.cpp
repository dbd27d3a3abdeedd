// What a run settles before it talks to the register: argument checks,
// the transfer list, the file path and the port.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

#include "platform/TransferResult.h"
#include "platform/UsbDiscovery.h"
#include "transfer/PortChoice.h"
#include "transfer/TransferArgs.h"
#include "transfer/TransferList.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> Tokens(const char* port, const char* direction, const char* mode,
                                const char* first, const char* last) {
  return {port, "115200", direction, "\"/data folder/\"", "6", "ECRX", mode, first, last, "1"};
}

class ScratchDir {
 public:
  ScratchDir() {
    std::string pattern = (fs::temp_directory_path() / "ecr-setup-XXXXXX").string();
    m_path = ::mkdtemp(pattern.data());
  }
  ~ScratchDir() { fs::remove_all(m_path); }
  std::string Path(const std::string& name = "") const { return (fs::path(m_path) / name).string(); }

 private:
  std::string m_path;
};

void WriteText(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

}  // namespace

TEST(TransferArgs, NumbersComeFromLeadingDigitsAndAreCut) {
  EXPECT_EQ(LeadingNumber("42abc"), 42u);
  EXPECT_EQ(LeadingNumber("x42"), 0u);
  EXPECT_EQ(LeadingNumber(""), 0u);
  EXPECT_EQ(LeadingNumber("-1"), 0u);
  EXPECT_EQ(StripQuotes("\"/a b/\""), "/a b/");
  EXPECT_EQ(StripQuotes("\""), "");
  TransferArgs args;
  ASSERT_EQ(CheckTransferArgs({"3", "9600", "257", "/d/", "262", "ECR", "1", "65537", "0", "1"}, args),
            platform::TR_DONE);
  EXPECT_EQ(args.nDirection, 1);  // 257 cut to a byte
  EXPECT_EQ(args.nItem, 6);
  EXPECT_EQ(args.nFirst, 1);
  EXPECT_EQ(args.nBaudRate, 9600u);
}

TEST(TransferArgs, ChecksComeInTheirOrder) {
  struct Case {
    std::vector<std::string> tokens;
    uint32_t nCode;
  };
  std::vector<std::string> nine = Tokens("1", "0", "1", "0", "0");
  nine.pop_back();
  const Case cases[] = {
      {nine, platform::TR_ARG_COUNT},
      {Tokens("1", "2", "0", "10", "5"), platform::TR_DIRECTION},
      {Tokens("1", "1", "0", "10", "5"), platform::TR_MODE},
      {Tokens("1", "1", "3", "0", "0"), platform::TR_MODE},
      {Tokens("1", "1", "2", "10", "5"), platform::TR_NUMBERS},
      {Tokens("1", "1", "1", "10", "5"), platform::TR_DONE},
      {Tokens("1", "0", "2", "5", "5"), platform::TR_DONE},
  };
  for (const Case& c : cases) {
    TransferArgs args;
    EXPECT_EQ(CheckTransferArgs(c.tokens, args), c.nCode);
  }
  TransferArgs args;
  CheckTransferArgs(Tokens("/dev/ttyUSB0", "0", "1", "1", "0"), args);
  EXPECT_EQ(args.strDataFolder, "/data folder/");
  EXPECT_EQ(args.strExtension, "ECR");
  EXPECT_EQ(args.strPort, "/dev/ttyUSB0");
}

TEST(TransferList, ItemsAreLinesCountedFromZero) {
  ScratchDir dir;
  std::string list = dir.Path("Sendrix.ini");
  TransferItem item;
  EXPECT_EQ(ReadTransferItem(list, 0, item), platform::TR_LIST_OPEN);
  WriteText(list, "0DUMMY\r\n0DEPT\r\n1FINC\r\nXPLU\r\n3BAD\r\n0LAST");
  struct Case {
    uint8_t nItem;
    uint32_t nCode;
    int nKind;
    const char* pszName;
  };
  const Case cases[] = {
      {1, platform::TR_DONE, 0, "DEPT"}, {2, platform::TR_DONE, 1, "FINC"},
      {3, platform::TR_DONE, 0, "PLU"},  {4, platform::TR_DONE, 3, "BAD"},
      {5, platform::TR_DONE, 0, "LAST"},  // no line end: the name keeps its letters
      {6, platform::TR_LIST_LINE, 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.nItem));
    TransferItem found;
    ASSERT_EQ(ReadTransferItem(list, c.nItem, found), c.nCode);
    if (c.nCode != platform::TR_DONE) continue;
    EXPECT_EQ(found.nKind, c.nKind);
    EXPECT_EQ(found.strBaseName, c.pszName);
  }
  WriteText(list, "0A\r\n0" + std::string(300, 'B') + "\r\n");
  EXPECT_EQ(ReadTransferItem(list, 1, item), platform::TR_LIST_LINE);
  WriteText(list, "0DEPT\n0\xC9T\xC9\n");  // LF only; Windows-1252 letters
  ASSERT_EQ(ReadTransferItem(list, 1, item), platform::TR_DONE);
  EXPECT_EQ(item.strBaseName, "\xC3\x89T\xC3\x89");
}

TEST(TransferList, PathsOfTablesAndReports) {
  std::tm christmas{};
  christmas.tm_mon = 11;
  christmas.tm_mday = 25;
  christmas.tm_hour = 14;
  christmas.tm_min = 7;
  TransferItem sales{KIND_REPORT, "SALES"}, dept{KIND_TABLE, "DEPT"};
  std::string path;
  ASSERT_TRUE(BuildTransferPath("/data/", sales, "ECR", true, christmas, path));
  EXPECT_EQ(path, "/data/SALES12251407.ECR");
  ASSERT_TRUE(BuildTransferPath("/data/", sales, "ECR", false, christmas, path));
  EXPECT_EQ(path, "/data/SALES1407.ECR");
  ASSERT_TRUE(BuildTransferPath("/data/", dept, "ECR", true, christmas, path));
  EXPECT_EQ(path, "/data/DEPT.ECR");
  ASSERT_TRUE(BuildTransferPath("/data", dept, "ECR", false, christmas, path));
  EXPECT_EQ(path, "/data/DEPT.ECR");
  EXPECT_FALSE(BuildTransferPath("/" + std::string(260, 'd') + "/", dept, "ECR", false, christmas, path));
  EXPECT_EQ(TransferListPath("/opt/ecr/Sendrix"), "/opt/ecr/Sendrix.ini");
  EXPECT_EQ(TransferListPath("/opt/ecr/Sendrix.EXE"), "/opt/ecr/Sendrix.ini");
}

// A sysfs tree with USB serial adapters, built as the kernel lays it out:
// class/tty/<name>/device links to the interface below the USB device that
// carries idVendor and idProduct.
class FakeSysfs {
 public:
  void AddAdapter(const std::string& name, const std::string& vendor, const std::string& product) {
    std::string usb = m_dir.Path("devices/usb1/1-" + std::to_string(++m_nDevices));
    fs::create_directories(usb + "/1-1:1.0/" + name);
    WriteText(usb + "/idVendor", vendor + "\n");
    WriteText(usb + "/idProduct", product + "\n");
    fs::create_directories(m_dir.Path("class/tty/" + name));
    fs::create_directory_symlink(usb + "/1-1:1.0/" + name, m_dir.Path("class/tty/" + name + "/device"));
  }
  void AddVirtualTty(const std::string& name) { fs::create_directories(m_dir.Path("class/tty/" + name)); }
  std::string Root() const { return m_dir.Path(); }

 private:
  ScratchDir m_dir;
  int m_nDevices = 0;
};

TEST(PortChoice, UsbAdapterFirstThenTheArgument) {
  FakeSysfs sysfs;
  sysfs.AddVirtualTty("tty0");
  sysfs.AddAdapter("ttyACM7", "14c4", "0003");
  sysfs.AddAdapter("ttyACM4", "14C4", "0003");
  sysfs.AddAdapter("ttyUSB0", "14c4", "0001");
  sysfs.AddAdapter("ttyUSB1", "0403", "6001");
  auto all = [](const std::string&) { return true; };
  auto none = [](const std::string&) { return false; };
  auto only = [](const std::string& wanted) {
    return [wanted](const std::string& device) { return device == wanted; };
  };
  std::vector<platform::UsbSerialDevice> listed =
      platform::ListUsbSerialDevices("14c4", "0003", sysfs.Root(), "/dev");
  ASSERT_EQ(listed.size(), 2u);
  EXPECT_EQ(listed[0].strDevice, "/dev/ttyACM4");
  EXPECT_EQ(listed[0].nNumber, 4u);

  EXPECT_EQ(ChoosePortDevice("3", all, sysfs.Root(), "/dev"), "/dev/ttyACM4");
  EXPECT_EQ(ChoosePortDevice("3", only("/dev/ttyACM7"), sysfs.Root(), "/dev"), "/dev/ttyACM7");
  EXPECT_EQ(ChoosePortDevice("3", only("/dev/ttyUSB0"), sysfs.Root(), "/dev"), "/dev/ttyUSB0");
  EXPECT_EQ(ChoosePortDevice("3", only("/dev/ttyUSB1"), sysfs.Root(), "/dev"), "/dev/ttyS2");
  EXPECT_EQ(ChoosePortDevice("/dev/pts/9", none, sysfs.Root(), "/dev"), "/dev/pts/9");
  EXPECT_EQ(ChoosePortDevice("0", none, sysfs.Root(), "/dev"), "");
  EXPECT_EQ(ChoosePortDevice("1", none, "/nonexistent", "/dev"), "/dev/ttyS0");
}

TEST(TransferResult, EveryCodeHasItsOwnExitStatus) {
  std::set<int> statuses;
  for (const platform::TransferExitStatus& entry : platform::kTransferExitStatuses) {
    EXPECT_EQ(platform::ExitStatusFromTransferResult(entry.nResult), entry.nExitStatus);
    EXPECT_EQ(platform::TransferResultFromExitStatus(entry.nExitStatus), entry.nResult);
    EXPECT_TRUE(statuses.insert(entry.nExitStatus).second);
  }
  EXPECT_EQ(platform::ExitStatusFromTransferResult(0x804), 0x84);
  EXPECT_EQ(platform::ExitStatusFromTransferResult(0x1002), 0xA2);
  EXPECT_EQ(platform::ExitStatusFromTransferResult(0x999), platform::kUnknownTransferExitStatus);
  EXPECT_EQ(platform::TransferResultFromExitStatus(127), 127u);
}
