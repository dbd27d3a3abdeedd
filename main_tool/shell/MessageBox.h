// Every message box, folder chooser and file chooser of the main tool goes
// through these functions, so that tests (and scripted runs) can answer them.
#pragma once

#include <QString>
#include <functional>

class QWidget;

enum class MsgButtons { Ok, OkCancel, YesNo };
enum class MsgIcon { Information, Warning, Question, NoIcon };
enum class MsgAnswer { Ok, Cancel, Yes, No };

struct MessageBoxRequest {
  QString text;
  MsgButtons buttons;
  MsgIcon icon;
};

// Shows the text with the buttons and returns the one pressed; closing the
// box counts as Cancel (or No when there is no Cancel).
MsgAnswer EcrMessageBox(QWidget* parent, const QString& text, MsgButtons buttons = MsgButtons::Ok,
                        MsgIcon icon = MsgIcon::Information);

// A folder chosen by the user, without a trailing "/"; empty when cancelled.
QString ChooseFolder(QWidget* parent, const QString& title, const QString& startFolder);

// A file to write (no question when it exists) or to read.
enum class FileDialogMode { Save, Open };
struct FileDialogRequest {
  FileDialogMode mode;
  QString filter;         // Qt filter text, e.g. "Text Files (*.txt);;All Files (*)"; empty for none
  QString defaultSuffix;  // appended when the name has none; empty for none
};
// The chosen file's full path; empty when cancelled.
QString ChooseFile(QWidget* parent, const FileDialogRequest& request);

// Replace the real boxes while set; an empty function restores them.
using MessageBoxHook = std::function<MsgAnswer(const MessageBoxRequest&)>;
using FolderChooserHook = std::function<QString(const QString& title, const QString& startFolder)>;
using FileChooserHook = std::function<QString(const FileDialogRequest&)>;
void SetMessageBoxHook(MessageBoxHook hook);
void SetFolderChooserHook(FolderChooserHook hook);
void SetFileChooserHook(FileChooserHook hook);
