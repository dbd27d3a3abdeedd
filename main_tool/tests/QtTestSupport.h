// Shared support of the main tool's tests: one QApplication for the test
// program, a working folder per test (the program reads Tillora.ini from the
// current directory), answers for message boxes, and running a modal dialog.
#pragma once

#include <QApplication>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <string>

#include "main_tool/shell/MessageBox.h"
#include "testing/TempFolder.h"

class CEcrTilloraApp;

void EnsureQApplication();

// A temporary folder made the current directory while the object lives, with
// the model library Arvodll.so beside the settings, as in an installed folder.
class WorkingFolder {
 public:
  WorkingFolder();
  ~WorkingFolder();
  const TempFolder& Folder() const { return m_folder; }
  std::string Path(const std::string& name) const { return m_folder.File(name); }
  void Write(const std::string& name, const std::string& text) const;
  // A caption file, UTF-16LE with its byte-order mark, from UTF-8 lines.
  void WriteCaptionFile(const std::string& name, const std::string& utf8Text) const;

 private:
  TempFolder m_folder;
  std::string m_strOldDirectory;
};

// Answers every message box with `answer` and records the texts shown.
class MessageBoxRecorder {
 public:
  explicit MessageBoxRecorder(MsgAnswer answer);
  ~MessageBoxRecorder();
  QStringList texts;
};

// Runs `trigger`, waits (bounded) for a modal dialog to come up and hands it
// to `act`, which must close it. Returns whether a modal dialog came up.
bool WithModalDialog(const std::function<void()>& trigger, const std::function<void(QWidget*)>& act);

// Delivers posted events and deferred deletions.
void ProcessAll();

// The path of the partial test model library.
std::wstring PartialLibraryPath();
