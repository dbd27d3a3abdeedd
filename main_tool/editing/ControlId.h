// Controls keep the ids of the dialog templates they come from: as the
// property "controlId" and as the object name "idc<id>".
#pragma once

#include <QRect>
#include <QWidget>

void SetControlId(QWidget* control, int id);
int ControlIdOf(const QWidget* control);  // 0 when the widget has none
// The control with the id among the dialog's descendants, or null.
QWidget* FindControl(const QWidget* dialog, int id);

// A new control of the dialog at the template place, with its id (0: none).
template <typename Control>
Control* PlaceControl(QWidget* dialog, int id, const QRect& rect) {
  auto* control = new Control(dialog);
  if (id) SetControlId(control, id);
  control->setGeometry(rect);
  return control;
}
