#include "main_tool/editing/ControlId.h"

#include <QVariant>
#include <QWidget>

namespace {
const char* const kIdProperty = "controlId";
QString ObjectNameOf(int id) { return QStringLiteral("idc%1").arg(id); }
}  // namespace

void SetControlId(QWidget* control, int id) {
  control->setProperty(kIdProperty, id);
  control->setObjectName(ObjectNameOf(id));
}

int ControlIdOf(const QWidget* control) { return control ? control->property(kIdProperty).toInt() : 0; }

QWidget* FindControl(const QWidget* dialog, int id) { return dialog->findChild<QWidget*>(ObjectNameOf(id)); }
