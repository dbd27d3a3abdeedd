#include "main_tool/shell/MessageBox.h"

#include <QFileDialog>
#include <QMessageBox>

namespace {

MessageBoxHook& MessageHook() {
  static MessageBoxHook hook;
  return hook;
}

FolderChooserHook& FolderHook() {
  static FolderChooserHook hook;
  return hook;
}

FileChooserHook& FileHook() {
  static FileChooserHook hook;
  return hook;
}

QMessageBox::StandardButtons ToQtButtons(MsgButtons buttons) {
  switch (buttons) {
    case MsgButtons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::Ok: break;
  }
  return QMessageBox::Ok;
}

QMessageBox::Icon ToQtIcon(MsgIcon icon) {
  switch (icon) {
    case MsgIcon::Warning: return QMessageBox::Warning;
    case MsgIcon::Question: return QMessageBox::Question;
    case MsgIcon::NoIcon: return QMessageBox::NoIcon;
    case MsgIcon::Information: break;
  }
  return QMessageBox::Information;
}

MsgAnswer FromQtButton(int button, MsgButtons buttons) {
  switch (button) {
    case QMessageBox::Ok: return MsgAnswer::Ok;
    case QMessageBox::Yes: return MsgAnswer::Yes;
    case QMessageBox::No: return MsgAnswer::No;
    default: return buttons == MsgButtons::YesNo ? MsgAnswer::No : MsgAnswer::Cancel;
  }
}

}  // namespace

MsgAnswer EcrMessageBox(QWidget* parent, const QString& text, MsgButtons buttons, MsgIcon icon) {
  if (MessageHook()) return MessageHook()({text, buttons, icon});
  QMessageBox box(ToQtIcon(icon), QStringLiteral("EcrTillora"), text, ToQtButtons(buttons), parent);
  return FromQtButton(box.exec(), buttons);
}

QString ChooseFolder(QWidget* parent, const QString& title, const QString& startFolder) {
  QString chosen = FolderHook() ? FolderHook()(title, startFolder)
                                : QFileDialog::getExistingDirectory(parent, title, startFolder);
  while (chosen.size() > 1 && chosen.endsWith(QLatin1Char('/'))) chosen.chop(1);
  return chosen;
}

QString ChooseFile(QWidget* parent, const FileDialogRequest& request) {
  if (FileHook()) return FileHook()(request);
  QFileDialog dialog(parent, QString(), QString(), request.filter);
  const bool saving = request.mode == FileDialogMode::Save;
  dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, saving);
  dialog.setDefaultSuffix(request.defaultSuffix);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  return dialog.selectedFiles().first();
}

void SetMessageBoxHook(MessageBoxHook hook) { MessageHook() = std::move(hook); }
void SetFolderChooserHook(FolderChooserHook hook) { FolderHook() = std::move(hook); }
void SetFileChooserHook(FileChooserHook hook) { FileHook() = std::move(hook); }
