// The about box: product name, version and the program icon.
#pragma once

#include <QDialog>

class CAboutDlg : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kTemplateId = 100;
  explicit CAboutDlg(QWidget* parent);
};
