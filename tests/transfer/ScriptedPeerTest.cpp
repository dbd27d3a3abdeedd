// The example exchanges byte for byte: Sendrix on one end of a
// pseudo-terminal, and on the other a scripted register that checks every
// byte the PC sends and answers as the script says.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include "TransferHarness.h"
#include "platform/TransferResult.h"

using Bytes = std::vector<uint8_t>;

namespace {

const Bytes kAck = {0xD9, 0x06, 0xDF, 0x00};
const Bytes kNak = {0xD9, 0x15, 0xEE, 0x00};

class ScriptedPeer : public ::testing::Test {
 protected:
  void SetUp() override {
    m_nMaster = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(m_nMaster, 0);
    ::grantpt(m_nMaster);
    ::unlockpt(m_nMaster);
    m_strDevice = ::ptsname(m_nMaster);
    // Held open so that the master end sees no hang-up before Sendrix opens it.
    m_nSlave = ::open(m_strDevice.c_str(), O_RDWR | O_NOCTTY);
    m_sandbox.WriteStandardList();
  }
  void TearDown() override {
    ::close(m_nSlave);
    ::close(m_nMaster);
  }

  // The next n bytes from the PC (a test time-out of 5 s guards a hang).
  Bytes Read(size_t n) {
    Bytes bytes;
    while (bytes.size() < n) {
      pollfd entry{m_nMaster, POLLIN, 0};
      if (::poll(&entry, 1, 5000) <= 0) break;
      uint8_t buffer[256];
      ssize_t got = ::read(m_nMaster, buffer, std::min(sizeof buffer, n - bytes.size()));
      if (got <= 0) break;
      bytes.insert(bytes.end(), buffer, buffer + got);
    }
    return bytes;
  }
  void Expect(const Bytes& expected) { EXPECT_EQ(Read(expected.size()), expected); }
  void Send(const Bytes& bytes) { ASSERT_EQ(::write(m_nMaster, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size())); }

  CSendrixSandbox m_sandbox;
  std::string m_strDevice;
  int m_nMaster = -1;
  int m_nSlave = -1;
};

}  // namespace

TEST_F(ScriptedPeer, SendingASixByteTableFile) {
  WriteBytes(m_sandbox.DataFolder() + "DEPT.ECR", {0x02, 0x00, 0x41, 0x42, 0x43, 0x44});
  platform::CChildProcess sendrix;
  m_sandbox.Start(sendrix, m_sandbox.Arguments(m_strDevice, 1, 5, 1, 1, 0));
  Expect({0xD0, 0x05, 0x00, 0x00, 0xD5, 0x00});
  Send(kAck);
  Expect({0x30, 0x32, 0x30, 0x30, 0x1A, 0xDC, 0x00});
  Send(kAck);
  Send(kAck);  // the second reply of the header step
  Expect({0x34, 0x31, 0x34, 0x32, 0x34, 0x33, 0x34, 0x34, 0x1A, 0xB4, 0x01});
  Send(kAck);
  SendrixOutcome outcome = m_sandbox.Finish(sendrix);
  EXPECT_EQ(outcome.nExitStatus, 0);
  EXPECT_EQ(outcome.LastLine(), "result 0x00000000");
}

TEST_F(ScriptedPeer, ReceivingItem1WithAnInvalidFrameOnTheWay) {
  platform::CChildProcess sendrix;
  m_sandbox.Start(sendrix, m_sandbox.Arguments(m_strDevice, 0, 1, 1, 3, 0));
  Expect({0xD9, 0x01, 0x03, 0x00, 0xDD, 0x00});
  Send(kAck);
  Send({0x34, 0x31, 0x34, 0x1A, 0xB3, 0x00});  // odd character count
  Expect(kNak);
  Send({0x34, 0x31, 0x34, 0x32, 0x1A, 0xE5, 0x00});
  Expect(kAck);
  SendrixOutcome outcome = m_sandbox.Finish(sendrix);
  EXPECT_EQ(outcome.nExitStatus, 0);
  EXPECT_EQ(ReadBytes(m_sandbox.DataFolder() + "S_MODE.ECR"), Bytes({0x41, 0x42}));
}

TEST_F(ScriptedPeer, ZReportClearSetsBit15OfTheFirstNumber) {
  m_sandbox.WriteList({"0DUMMY", "1FINC"});
  platform::CChildProcess sendrix;
  m_sandbox.Start(sendrix, m_sandbox.Arguments(m_strDevice, 0, 1, 1, 0x8003, 0));
  Expect({0xD9, 0x01, 0x03, 0x80, 0x5D, 0x01});
  Send(kAck);
  Send({0x1A, 0x1A, 0x00});
  Expect(kAck);
  EXPECT_EQ(m_sandbox.Finish(sendrix).nExitStatus, 0);
}

TEST_F(ScriptedPeer, Mode2CarriesTheLastNumberAndAnUnconfirmedHeaderEndsWithResult1) {
  WriteBytes(m_sandbox.DataFolder() + "PLU.ECR", {0x01, 0x00, 0x55});
  platform::CChildProcess sendrix;
  m_sandbox.Start(sendrix, m_sandbox.Arguments(m_strDevice, 1, 6, 2, 1, 9));
  Expect({0xD0, 0x06, 0x00, 0x00, 0x00, 0x00, 0xD6, 0x00});  // send: numbers are zero
  Send(kAck);
  Expect({0x30, 0x31, 0x30, 0x30, 0x1A, 0xDB, 0x00});
  Send(kAck);
  Send(kNak);  // the register does not confirm the record count
  SendrixOutcome outcome = m_sandbox.Finish(sendrix);
  EXPECT_EQ(outcome.nExitStatus, 1);
  EXPECT_EQ(outcome.LastLine(), "result 0x00000001");
}
