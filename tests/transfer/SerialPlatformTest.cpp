// The platform pieces under the transfer program: the termios port on a
// pseudo-terminal, the hex trace, lock-file named events and child processes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include "platform/HexTrace.h"
#include "platform/NamedEvent.h"
#include "platform/Process.h"
#include "platform/ScriptedTransport.h"
#include "platform/SerialPort.h"

namespace {

// A pseudo-terminal: the test plays the far end on the master side.
class PseudoTerminal {
 public:
  PseudoTerminal() {
    m_nMaster = ::posix_openpt(O_RDWR | O_NOCTTY);
    ::grantpt(m_nMaster);
    ::unlockpt(m_nMaster);
    m_strDevice = ::ptsname(m_nMaster);
  }
  ~PseudoTerminal() { ::close(m_nMaster); }
  int Master() const { return m_nMaster; }
  const std::string& Device() const { return m_strDevice; }

 private:
  int m_nMaster;
  std::string m_strDevice;
};

// The next byte, waiting for the descriptor only when none is buffered.
int WaitAndRead(platform::CSerialTransport& port) {
  int byte = port.ReadByte();
  if (byte != platform::CSerialTransport::kNoByte) return byte;
  pollfd entry{port.Descriptor(), POLLIN, 0};
  ::poll(&entry, 1, 5000);
  return port.ReadByte();
}

}  // namespace

TEST(TermiosPort, RawBytesBothWaysWithoutBlocking) {
  PseudoTerminal pty;
  platform::CTermiosPort port;
  EXPECT_FALSE(port.Open("/nonexistent/tty", {}));
  EXPECT_FALSE(port.Open("/dev/null", {}));  // not a tty
  EXPECT_FALSE(port.Open(pty.Device(), {12345, platform::SerialParity::Odd}));  // no such rate
  ASSERT_TRUE(port.Open(pty.Device(), {115200, platform::SerialParity::Odd}));
  port.SetModemLines(true, true);
  EXPECT_EQ(port.ReadByte(), platform::CSerialTransport::kNoByte);
  EXPECT_EQ(port.QueueLength(), 0);
  // Bytes a line discipline would change (CR, ^C, ^S, ^D) pass untouched.
  const uint8_t fromFar[] = {0x0D, 0x03, 0x13, 0x04, 0xFF, 0x0A};
  ASSERT_EQ(::write(pty.Master(), fromFar, sizeof fromFar), static_cast<ssize_t>(sizeof fromFar));
  for (uint8_t expected : fromFar) EXPECT_EQ(WaitAndRead(port), expected);
  const uint8_t toFar[] = {0xD0, 0x0A, 0x0D, 0x11};
  ASSERT_EQ(port.WriteSome(toFar, sizeof toFar), 4);
  uint8_t received[4] = {};
  pollfd entry{pty.Master(), POLLIN, 0};
  ::poll(&entry, 1, 5000);
  ASSERT_EQ(::read(pty.Master(), received, sizeof received), 4);
  EXPECT_EQ(std::vector<uint8_t>(received, received + 4), std::vector<uint8_t>(toFar, toFar + 4));
  port.Close();
  EXPECT_EQ(port.ReadByte(), platform::CSerialTransport::kLinkFailed);
}

TEST(HexTrace, WritesAndReceivedRunsAsHexLines) {
  char* buffer = nullptr;
  size_t size = 0;
  std::FILE* trace = ::open_memstream(&buffer, &size);
  {
    platform::CScriptedTransport inner;
    inner.Deliver({0xD9, 0x06, 0xDF, 0x00});
    platform::CTracingTransport traced(inner, trace);
    const uint8_t frame[] = {0xD0, 0x06, 0x00, 0x00};
    traced.WriteSome(frame, 4);
    for (int i = 0; i < 4; ++i) traced.ReadByte();
    EXPECT_EQ(traced.ReadByte(), platform::CSerialTransport::kNoByte);
  }
  std::fclose(trace);
  std::string text(buffer, size);
  std::free(buffer);
  EXPECT_NE(text.find(" > D0 06 00 00\n"), std::string::npos) << text;
  EXPECT_NE(text.find(" < D9 06 DF 00\n"), std::string::npos) << text;
}

TEST(NamedEvent, ExistsExactlyWhileHeld) {
  const std::string name = "EV_TEST_" + std::to_string(::getpid());
  EXPECT_FALSE(platform::CNamedEvent::Exists(name));
  {
    platform::CNamedEvent event;
    ASSERT_TRUE(event.Create(name));
    EXPECT_TRUE(platform::CNamedEvent::Exists(name));
    platform::CNamedEvent second;
    EXPECT_FALSE(second.Create(name));  // a second run is refused
    EXPECT_FALSE(event.TakeSignal());
    EXPECT_TRUE(event.Signal());
    pollfd entry{event.Descriptor(), POLLIN, 0};
    EXPECT_EQ(::poll(&entry, 1, 0), 1);
    EXPECT_TRUE(event.TakeSignal());
    EXPECT_FALSE(event.TakeSignal());  // auto-reset
  }
  EXPECT_FALSE(platform::CNamedEvent::Exists(name));
  ::unlink((platform::RuntimeFolder() + "/" + name + ".lock").c_str());
}

TEST(ChildProcess, ExitStatusSignalsAndItsDescriptor) {
  platform::CChildProcess child;
  ASSERT_TRUE(child.Start("/bin/sh", {"-c", "exit 66"}));
  pollfd entry{child.Descriptor(), POLLIN, 0};
  EXPECT_EQ(::poll(&entry, 1, 5000), 1);
  EXPECT_EQ(child.Wait(), 66);
  EXPECT_FALSE(child.IsRunning());

  ASSERT_TRUE(child.Start("/bin/sleep", {"30"}));
  int status = 0;
  EXPECT_FALSE(child.TryWait(status));
  EXPECT_TRUE(child.Signal(SIGTERM));
  EXPECT_EQ(child.Wait(), 128 + SIGTERM);
  EXPECT_FALSE(child.Start("/nonexistent/program", {}));
}
