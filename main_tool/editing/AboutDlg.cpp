#include "main_tool/editing/AboutDlg.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "main_tool/editing/ControlId.h"
#include "main_tool/editing/ProgramIcon.h"

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("Version Info EcrTillora"));
  setWindowIcon(ProgramIcon());
  auto* icon = new QLabel(this);
  icon->setPixmap(ProgramIcon().pixmap(48, 48));
  auto* product = new QLabel(QStringLiteral("EcrTillora"), this);
  QFont bold = product->font();
  bold.setBold(true);
  product->setFont(bold);
  auto* version = new QLabel(QStringLiteral("Version 2.0"), this);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  SetControlId(buttons->button(QDialogButtonBox::Ok), 1);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(18, 18, 18, 12);
  layout->setHorizontalSpacing(16);
  layout->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
  layout->addWidget(product, 0, 1);
  layout->addWidget(version, 1, 1);
  layout->addWidget(buttons, 2, 0, 1, 2);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}
