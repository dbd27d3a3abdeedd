#include "transfer/SendrixRun.h"

#include "platform/FileSystem.h"
#include "platform/TransferResult.h"
#include "transfer/FileEnds.h"
#include "transfer/FileTransfer.h"
#include "transfer/PortChoice.h"

CSendrixRun::CSendrixRun(CRunEvents& events, const RunEnvironment& environment)
    : m_events(events), m_environment(environment), m_nResult(platform::TR_NOT_COMPLETED) {
  m_port.SetTrace(environment.pTrace);
  m_port.SetWaiter(&events);
}

uint32_t CSendrixRun::Execute(const std::vector<std::string>& tokens) {
  m_nResult = platform::TR_NOT_COMPLETED;
  uint32_t nCheck = Prepare(tokens);
  if (nCheck != platform::TR_DONE) return m_nResult = nCheck;
  if (m_events.CloseRequested()) return m_nResult;
  if (!OpenPort()) return m_nResult = platform::TR_PORT_OPEN;
  CLinkProtocol link(m_port, m_nResult);
  bool bDone = m_args.nDirection == 1 ? RunSend(link) : RunReceive(link);
  m_port.Close();
  if (bDone) m_nResult = platform::TR_DONE;
  return m_nResult;
}

uint32_t CSendrixRun::Prepare(const std::vector<std::string>& tokens) {
  uint32_t nCheck = CheckTransferArgs(tokens, m_args);
  if (nCheck != platform::TR_DONE) return nCheck;
  platform::FileStatus marker = platform::GetFileStatus(
      platform::FromNativePath(m_environment.strProgramFolder + kMarkerFileName));
  bool bLongStamp = marker.bExists && !marker.bDirectory;
  nCheck = ReadTransferItem(m_environment.strListPath, m_args.nItem, m_item);
  if (nCheck != platform::TR_DONE) return nCheck;
  if (m_item.nKind > KIND_REPORT) return platform::TR_KIND;
  if (m_item.nKind == KIND_REPORT && m_args.nDirection == 1) return platform::TR_REPORT_SEND;
  // A received report is named after the minute the list was read in.
  std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  m_bPathFits = BuildTransferPath(m_args.strDataFolder, m_item, m_args.strExtension, bLongStamp,
                                  local, m_strFilePath);
  return platform::TR_DONE;
}

bool CSendrixRun::OpenPort() {
  m_port.m_nBaudRate = m_args.nBaudRate;
  m_port.m_eParity = platform::SerialParity::Odd;
  platform::SerialSettings settings;
  settings.nBaudRate = m_port.m_nBaudRate;
  settings.eParity = m_port.m_eParity;
  auto canOpen = [&settings](const std::string& device) {
    platform::CTermiosPort probe;
    return probe.Open(device, settings);
  };
  m_port.m_strDevice = ChoosePortDevice(m_args.strPort, canOpen, m_environment.strSysfsRoot,
                                        m_environment.strDevRoot);
  if (m_port.m_strDevice.empty() || m_port.Open() != 0) return false;
  m_port.SwitchOnRtsAndDtr();
  return true;
}

bool CSendrixRun::RunSend(CLinkProtocol& link) {
  CFileSource source;
  if (!m_bPathFits || !source.Open(m_strFilePath)) return link.Fail(platform::TR_FILE_OPEN);
  SendJob job;
  if (!source.Length(job.nLength)) return link.Fail(platform::TR_FILE_READ);
  if (job.nLength == 0) {
    m_events.ShowProgress(0, 0);
    return link.Fail(platform::TR_FILE_READ);
  }
  job.nItem = m_args.nItem;
  job.bMode2 = m_args.nMode == 2;
  job.bHeaderStep = m_item.nKind == KIND_TABLE && m_args.nFirst != 0;
  return SendFileToEcr(link, job, source, m_events);
}

bool CSendrixRun::RunReceive(CLinkProtocol& link) {
  CPartFileSink sink;
  if (!m_bPathFits || !sink.Create(m_strFilePath)) return link.Fail(platform::TR_FILE_CREATE);
  ReceiveJob job;
  job.nItem = m_args.nItem;
  job.nFirst = m_args.nFirst;
  job.bMode2 = m_args.nMode == 2;
  job.nLast = m_args.nLast;
  if (!ReceiveFileFromEcr(link, job, sink, m_events)) return false;
  return sink.Commit() || link.Fail(platform::TR_FILE_WRITE);
}
