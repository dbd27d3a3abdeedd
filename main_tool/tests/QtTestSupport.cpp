#include "main_tool/tests/QtTestSupport.h"

#include <unistd.h>

#include <QTimer>
#include <filesystem>

#include "main_tool/shell/MessageBox.h"
#include "platform/TextCodec.h"

void EnsureQApplication() {
  static int argc = 1;
  static char name[] = "maintool_tests";
  static char* argv[] = {name, nullptr};
  if (!qApp) new QApplication(argc, argv);
}

WorkingFolder::WorkingFolder() {
  char buffer[4096];
  m_strOldDirectory = getcwd(buffer, sizeof buffer) ? buffer : "/";
  std::filesystem::copy_file(ECR_BIN_DIR "/Arvodll.so", m_folder.File("Arvodll.so"));
  if (chdir(m_folder.Path().c_str()) != 0) throw std::runtime_error("cannot enter the test folder");
}

WorkingFolder::~WorkingFolder() {
  if (chdir(m_strOldDirectory.c_str()) != 0) std::perror("chdir");
}

void WorkingFolder::Write(const std::string& name, const std::string& text) const {
  std::filesystem::create_directories(std::filesystem::path(m_folder.File(name)).parent_path());
  m_folder.Write(name, text);
}

void WorkingFolder::WriteCaptionFile(const std::string& name, const std::string& utf8Text) const {
  Write(name, "\xFF\xFE" + platform::WideToUtf16Le(platform::Utf8ToWide(utf8Text)));
}

MessageBoxRecorder::MessageBoxRecorder(MsgAnswer answer) {
  SetMessageBoxHook([this, answer](const MessageBoxRequest& request) {
    texts << request.text;
    return answer;
  });
}

MessageBoxRecorder::~MessageBoxRecorder() { SetMessageBoxHook(nullptr); }

void ProcessAll() {
  for (int round = 0; round < 3; ++round) {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
  }
}

bool WithModalDialog(const std::function<void()>& trigger, const std::function<void(QWidget*)>& act) {
  bool seen = false;
  int polls = 0;
  QTimer poll;
  poll.setInterval(5);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      seen = true;
      poll.stop();
      act(modal);
    } else if (++polls > 40) {
      poll.stop();
    }
  });
  poll.start();
  trigger();
  while (poll.isActive()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  ProcessAll();
  return seen;
}

std::wstring PartialLibraryPath() { return platform::Utf8ToWide(ECR_PARTIAL_LIBRARY); }
