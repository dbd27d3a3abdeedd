// The link without a device: frames, checksums, nibble encoding, the write
// rule, the retry policy and the two procedures, over the in-memory transport.
#include <gtest/gtest.h>

#include "platform/ScriptedTransport.h"
#include "platform/TransferResult.h"
#include "transfer/FileTransfer.h"
#include "transfer/LinkFrames.h"

using namespace ecrlink;
using Bytes = std::vector<uint8_t>;

namespace {

const Bytes kAckReply = {0xD9, 0x06, 0xDF, 0x00};
const Bytes kNakReply = {0xD9, 0x15, 0xEE, 0x00};
const Bytes kRefusedReply = {0xD0, 0x0B, 0xDB, 0x00};
const Bytes kBadSumAck = {0xD9, 0x06, 0xE0, 0x00};

Bytes WithChecksum(Bytes frame) {
  AppendChecksum(frame, Checksum(frame.data(), frame.size()));
  return frame;
}

class CMemorySource : public CByteSource {
 public:
  explicit CMemorySource(Bytes bytes) : m_bytes(std::move(bytes)) {}
  bool Read(uint8_t* data, size_t n) override {
    if (m_nPos + n > m_bytes.size()) return false;
    std::copy(m_bytes.begin() + static_cast<long>(m_nPos), m_bytes.begin() + static_cast<long>(m_nPos + n), data);
    m_nPos += n;
    return true;
  }

 private:
  Bytes m_bytes;
  size_t m_nPos = 0;
};

class CMemorySink : public CByteSink {
 public:
  bool Append(const uint8_t* data, size_t n) override {
    if (m_bFail) return false;
    m_bytes.insert(m_bytes.end(), data, data + n);
    return true;
  }
  Bytes m_bytes;
  bool m_bFail = false;
};

class CCountingProgress : public CTransferProgress {
 public:
  void Start(long nDone, long nTotal) override { m_nDone = nDone, m_nTotal = nTotal, ++m_nStarts; }
  void Update(long nDone, long nTotal) override { m_nDone = nDone, m_nTotal = nTotal; }
  void Stop() override { ++m_nStops; }
  long m_nDone = -1, m_nTotal = -1;
  int m_nStarts = 0, m_nStops = 0;
};

class LinkTest : public ::testing::Test {
 protected:
  LinkTest() : m_link(m_port, m_nResult) { m_port.Attach(m_transport); }
  void Replies(std::initializer_list<Bytes> replies) {
    for (const Bytes& reply : replies) m_transport.Deliver(reply);
  }

  platform::CScriptedTransport m_transport;
  CComPort m_port;
  uint32_t m_nResult = platform::TR_NOT_COMPLETED;
  CLinkProtocol m_link;
  CCountingProgress m_progress;
};

}  // namespace

TEST(LinkFrames, ChecksumEncodingAndFixedFrames) {
  Bytes chars;
  EncodeNibbles(Bytes{0xA7, 0x00, 0xFF}.data(), 3, chars);
  EXPECT_EQ(chars, (Bytes{0x3A, 0x37, 0x30, 0x30, 0x3F, 0x3F}));
  Bytes decoded;
  EXPECT_TRUE(DecodeNibbles(chars.data(), 3, decoded));
  EXPECT_EQ(decoded, (Bytes{0xA7, 0x00, 0xFF}));
  Bytes outside = {0x3A, 0x40};
  EXPECT_FALSE(DecodeNibbles(outside.data(), 1, decoded));
  EXPECT_EQ(PcReply(kAck), kAckReply);
  EXPECT_EQ(PcReply(kNak), kNakReply);
  EXPECT_EQ(WithChecksum(CommandFrame(kCmdSend, 5, 0, false, 0)), (Bytes{0xD0, 0x05, 0x00, 0x00, 0xD5, 0x00}));
  EXPECT_EQ(WithChecksum(CommandFrame(kCmdReceive, 1, 3, false, 0)), (Bytes{0xD9, 0x01, 0x03, 0x00, 0xDD, 0x00}));
  EXPECT_EQ(WithChecksum(CommandFrame(kCmdReceive, 1, 0x8003, false, 0)), (Bytes{0xD9, 0x01, 0x03, 0x80, 0x5D, 0x01}));
  EXPECT_EQ(CommandFrame(kCmdReceive, 20, 0x0102, true, 0x0304), (Bytes{0xD9, 20, 0x02, 0x01, 0x04, 0x03}));
  Bytes big(300, 0xFF);
  EXPECT_EQ(Checksum(big.data(), big.size()), static_cast<uint16_t>(300 * 0xFF));
}

TEST_F(LinkTest, FramesWhoseLengthIsAMultipleOf8GoOutAs2Writes) {
  for (size_t n : {128u, 8u, 5u, 129u}) {
    SCOPED_TRACE(n);
    platform::CScriptedTransport transport;
    CComPort port;
    port.Attach(transport);
    uint32_t nResult = 1;
    CLinkProtocol link(port, nResult);
    transport.Deliver(kAckReply);
    Bytes frame(n, 0x31);
    ASSERT_TRUE(link.SendAcknowledged(frame.data(), n));
    std::vector<size_t> sizes;
    for (const Bytes& write : transport.Writes()) sizes.push_back(write.size());
    if (n % 8 == 0)
      EXPECT_EQ(sizes, (std::vector<size_t>{n - 1, 1, 2}));
    else
      EXPECT_EQ(sizes, (std::vector<size_t>{n, 2}));
  }
}

struct RetryCase {
  const char* pszName;
  std::vector<Bytes> replies;
  bool bSent;
  uint32_t nResult;
  size_t nSends;
};

TEST(LinkRetries, ReplySequencesGiveTheirResults) {
  const RetryCase cases[] = {
      {"ACK", {kAckReply}, true, platform::TR_NOT_COMPLETED, 1},
      {"four NAKs then ACK", {kNakReply, kNakReply, kNakReply, kNakReply, kAckReply}, true, platform::TR_NOT_COMPLETED, 5},
      {"five NAKs", {kNakReply, kNakReply, kNakReply, kNakReply, kNakReply, kAckReply}, false, platform::TR_REJECTED, 5},
      {"refused", {kRefusedReply}, false, platform::TR_REFUSED, 1},
      {"wrong sum counts as NAK", {kBadSumAck, kAckReply}, true, platform::TR_NOT_COMPLETED, 2},
      {"unknown code counts as NAK", {{0xD9, 0x07, 0xE0, 0x00}, kAckReply}, true, platform::TR_NOT_COMPLETED, 2},
      {"any first byte", {{0x00, 0x06, 0x06, 0x00}}, true, platform::TR_NOT_COMPLETED, 1},
      {"no reply: the link is gone", {}, false, platform::TR_PORT_WRITE, 1},
  };
  const Bytes frame = {0xD0, 0x06, 0x00, 0x00};
  for (const RetryCase& c : cases) {
    SCOPED_TRACE(c.pszName);
    platform::CScriptedTransport transport;
    CComPort port;
    port.Attach(transport);
    uint32_t nResult = platform::TR_NOT_COMPLETED;
    CLinkProtocol link(port, nResult);
    for (const Bytes& reply : c.replies) transport.Deliver(reply);
    EXPECT_EQ(link.SendAcknowledged(frame.data(), frame.size()), c.bSent);
    EXPECT_EQ(nResult, c.nResult);
    EXPECT_EQ(transport.WrittenBytes().size(), c.nSends * 6);
  }
}

TEST_F(LinkTest, FailedWriteGives0x402) {
  m_transport.FailWritesAfter(4);
  Replies({kAckReply});
  const Bytes frame = {0xD0, 0x06, 0x00, 0x00};
  EXPECT_FALSE(m_link.SendAcknowledged(frame.data(), frame.size()));
  EXPECT_EQ(m_nResult, platform::TR_PORT_WRITE);
}

struct FrameCase {
  const char* pszName;
  Bytes bytes;
  uint8_t nCode;
  size_t nDecoded;
};

TEST(LinkDataFrames, ReadDataFrameJudgesFrames) {
  Bytes full(128, 0x31);
  Bytes oddWithEnd = {0x31, 0x32, 0x33, kEndMark};
  const FrameCase cases[] = {
      {"short last frame", WithChecksum({0x34, 0x31, kEndMark}), kEndMark, 1},
      {"full frame", WithChecksum(full), kAck, 64},
      {"end mark alone", WithChecksum({kEndMark}), kEndMark, 0},
      {"odd count", WithChecksum(oddWithEnd), kNak, 1},
      {"wrong sum", {0x34, 0x31, kEndMark, 0x00, 0x00}, kNak, 1},
  };
  for (const FrameCase& c : cases) {
    SCOPED_TRACE(c.pszName);
    platform::CScriptedTransport transport;
    CComPort port;
    port.Attach(transport);
    uint32_t nResult = 1;
    CLinkProtocol link(port, nResult);
    transport.Deliver(c.bytes);
    DataFrame frame;
    ASSERT_TRUE(link.ReadDataFrame(frame));
    EXPECT_EQ(frame.nCode, c.nCode);
    EXPECT_EQ(frame.nDecoded, c.nDecoded);
    EXPECT_EQ(transport.Unread(), 0u);
  }
}

TEST_F(LinkTest, SendingTheSpecExampleFileWithItsHeaderStep) {
  Replies({kAckReply, kAckReply, kAckReply, kAckReply});
  CMemorySource source({0x02, 0x00, 0x41, 0x42, 0x43, 0x44});
  SendJob job{5, false, true, 6};
  ASSERT_TRUE(SendFileToEcr(m_link, job, source, m_progress));
  EXPECT_EQ(m_transport.WrittenBytes(),
            (Bytes{0xD0, 0x05, 0x00, 0x00, 0xD5, 0x00, 0x30, 0x32, 0x30, 0x30, 0x1A, 0xDC, 0x00,
                   0x34, 0x31, 0x34, 0x32, 0x34, 0x33, 0x34, 0x34, 0x1A, 0xB4, 0x01}));
  EXPECT_EQ(m_progress.m_nDone, 4);
  EXPECT_EQ(m_progress.m_nTotal, 4);
  EXPECT_EQ(m_progress.m_nStops, 1);
  EXPECT_EQ(m_transport.Unread(), 0u);
}

TEST_F(LinkTest, HeaderStepWithoutItsSecondAckLeavesResult1) {
  Replies({kAckReply, kAckReply, kNakReply});
  CMemorySource source({0x02, 0x00, 0x41});
  SendJob job{5, false, true, 3};
  EXPECT_FALSE(SendFileToEcr(m_link, job, source, m_progress));
  EXPECT_EQ(m_nResult, platform::TR_NOT_COMPLETED);
  EXPECT_EQ(m_transport.WrittenBytes().size(), 6u + 7u);  // no data frame followed
}

struct SendShapeCase {
  size_t nSize;
  std::vector<size_t> frameChars;  // characters of each data frame, end mark included
};

TEST(LinkSendShapes, EndMarkClosesTheLastShortFrameOrComesAlone) {
  const SendShapeCase cases[] = {
      {1, {3}}, {63, {127}}, {64, {128, 1}}, {65, {128, 3}}, {128, {128, 128, 1}}, {130, {128, 128, 5}},
  };
  for (const SendShapeCase& c : cases) {
    SCOPED_TRACE(c.nSize);
    platform::CScriptedTransport transport;
    CComPort port;
    port.Attach(transport);
    uint32_t nResult = 1;
    CLinkProtocol link(port, nResult);
    for (size_t i = 0; i <= c.frameChars.size(); ++i) transport.Deliver(kAckReply);
    CMemorySource source(Bytes(c.nSize, 0x5A));
    CCountingProgress progress;
    ASSERT_TRUE(SendFileToEcr(link, SendJob{1, true, false, c.nSize}, source, progress));
    // Mode 2: the command frame carries zero first and last numbers.
    Bytes written = transport.WrittenBytes();
    ASSERT_GE(written.size(), 8u);
    EXPECT_EQ(Bytes(written.begin(), written.begin() + 8), WithChecksum({0xD0, 0x01, 0, 0, 0, 0}));
    // Then frames of at most 128 characters, each followed by its own sum.
    std::vector<size_t> frames;
    for (size_t pos = 8; pos < written.size();) {
      size_t end = pos;
      while (end < written.size() && end - pos < 128 && written[end] != kEndMark) ++end;
      if (end < written.size() && written[end] == kEndMark) ++end;
      ASSERT_LE(end + 2, written.size());
      Bytes frame(written.begin() + static_cast<long>(pos), written.begin() + static_cast<long>(end));
      EXPECT_EQ(Bytes(written.begin() + static_cast<long>(pos), written.begin() + static_cast<long>(end + 2)),
                WithChecksum(frame));
      frames.push_back(frame.size());
      pos = end + 2;
    }
    EXPECT_EQ(frames, c.frameChars);
    EXPECT_EQ(progress.m_nDone, static_cast<long>(c.nSize));
  }
}

TEST_F(LinkTest, ReceiveRejectsInvalidFramesAndWritesOnlyValidOnes) {
  Replies({kAckReply});
  m_transport.Deliver(WithChecksum({0x31, 0x32, 0x33, kEndMark}));          // odd count
  m_transport.Deliver(WithChecksum({0x31, 0x4F, kEndMark}));                // outside 0x30..0x3F
  m_transport.Deliver({0x34, 0x31, kEndMark, 0x00, 0x00});                  // wrong sum
  Bytes full;
  EncodeNibbles(Bytes(64, 0x42).data(), 64, full);
  m_transport.Deliver(WithChecksum(full));
  m_transport.Deliver(WithChecksum({0x34, 0x31, kEndMark}));
  CMemorySink sink;
  ASSERT_TRUE(ReceiveFileFromEcr(m_link, ReceiveJob{1, 3, false, 0}, sink, m_progress));
  Bytes expected(64, 0x42);
  expected.push_back(0x41);
  EXPECT_EQ(sink.m_bytes, expected);
  Bytes written = m_transport.WrittenBytes();
  Bytes replies(written.begin() + 6, written.end());
  Bytes expectedReplies;
  for (const Bytes& reply : {kNakReply, kNakReply, kNakReply, kAckReply, kAckReply})
    expectedReplies.insert(expectedReplies.end(), reply.begin(), reply.end());
  EXPECT_EQ(replies, expectedReplies);
  EXPECT_EQ(m_progress.m_nDone, 65);
  EXPECT_EQ(m_progress.m_nTotal, 65);
}

TEST_F(LinkTest, ReceivingOnlyTheEndMarkGivesAnEmptyFile) {
  Replies({kAckReply});
  m_transport.Deliver(WithChecksum({kEndMark}));
  CMemorySink sink;
  EXPECT_TRUE(ReceiveFileFromEcr(m_link, ReceiveJob{1, 0, false, 0}, sink, m_progress));
  EXPECT_TRUE(sink.m_bytes.empty());
}

TEST_F(LinkTest, UnwritableReceivedDataGives0x804) {
  Replies({kAckReply});
  m_transport.Deliver(WithChecksum({0x34, 0x31, kEndMark}));
  CMemorySink sink;
  sink.m_bFail = true;
  EXPECT_FALSE(ReceiveFileFromEcr(m_link, ReceiveJob{1, 0, false, 0}, sink, m_progress));
  EXPECT_EQ(m_nResult, platform::TR_FILE_WRITE);
  EXPECT_EQ(m_progress.m_nStops, 1);
}
