#include "transfer/FileTransfer.h"

#include <algorithm>
#include <vector>

#include "platform/TransferResult.h"

using namespace ecrlink;

namespace {

constexpr size_t kHeaderBytes = 2;  // the record count at the start of a table file

bool SendVector(CLinkProtocol& link, const std::vector<uint8_t>& frame) {
  return link.SendAcknowledged(frame.data(), frame.size());
}

// The header frame, then the register's second reply, which must be ACK too.
bool SendHeaderStep(CLinkProtocol& link, CByteSource& source) {
  uint8_t header[kHeaderBytes];
  if (!source.Read(header, kHeaderBytes)) return link.Fail(platform::TR_FILE_READ);
  std::vector<uint8_t> frame;
  EncodeNibbles(header, kHeaderBytes, frame);
  frame.push_back(kEndMark);
  uint8_t second = kNak;
  return SendVector(link, frame) && link.ReadReply(second) && second == kAck;
}

// Data frames of 64 bytes; the end mark closes the last short frame, or comes
// as a frame of its own when the length is a multiple of 64 (0 included).
bool SendDataFrames(CLinkProtocol& link, uint64_t nRemaining, CByteSource& source,
                    CTransferProgress& progress) {
  const bool bEndFrame = nRemaining % kChunkBytes == 0;
  const long nTotal = static_cast<long>(nRemaining);
  progress.Start(0, nTotal);
  std::vector<uint8_t> frame;
  while (nRemaining > 0) {
    size_t nChunk = static_cast<size_t>(std::min<uint64_t>(kChunkBytes, nRemaining));
    uint8_t chunk[kChunkBytes];
    if (!source.Read(chunk, nChunk)) {
      progress.Stop();
      return link.Fail(platform::TR_FILE_READ);
    }
    frame.clear();
    EncodeNibbles(chunk, nChunk, frame);
    if (!bEndFrame && nChunk < kChunkBytes) frame.push_back(kEndMark);
    if (!SendVector(link, frame)) {
      progress.Stop();
      return false;
    }
    nRemaining -= nChunk;
    progress.Update(nTotal - static_cast<long>(nRemaining), nTotal);
  }
  progress.Stop();
  return !bEndFrame || SendVector(link, {kEndMark});
}

}  // namespace

bool SendFileToEcr(CLinkProtocol& link, const SendJob& job, CByteSource& source,
                   CTransferProgress& progress) {
  if (!SendVector(link, CommandFrame(kCmdSend, job.nItem, 0, job.bMode2, 0))) return false;
  uint64_t nRemaining = job.nLength;
  if (job.bHeaderStep) {
    if (!SendHeaderStep(link, source)) return false;
    nRemaining -= kHeaderBytes;
  }
  return SendDataFrames(link, nRemaining, source, progress);
}

bool ReceiveFileFromEcr(CLinkProtocol& link, const ReceiveJob& job, CByteSink& sink,
                        CTransferProgress& progress) {
  if (!SendVector(link, CommandFrame(kCmdReceive, job.nItem, job.nFirst, job.bMode2, job.nLast)))
    return false;
  progress.Start(0, 0);
  long nReceived = 0;
  std::vector<uint8_t> bytes;
  for (;;) {
    DataFrame frame;
    if (!link.ReadDataFrame(frame)) break;
    bytes.clear();
    // A frame with a character outside 0x30..0x3F is as bad as one with a wrong sum.
    bool bValid = frame.nCode != kNak && DecodeNibbles(frame.abChars, frame.nDecoded, bytes);
    if (!link.SendReply(bValid ? kAck : kNak)) break;
    if (!bValid) continue;
    if (!bytes.empty() && !sink.Append(bytes.data(), bytes.size())) {
      link.Fail(platform::TR_FILE_WRITE);
      break;
    }
    nReceived += static_cast<long>(bytes.size());
    progress.Update(nReceived, nReceived);
    if (frame.nCode == kEndMark) {
      progress.Stop();
      return true;
    }
  }
  progress.Stop();
  return false;
}
