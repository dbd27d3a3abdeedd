// Controls keep the ids of the dialog templates they come from: as the
// property "controlId" and as the object name "idc<id>".
#pragma once

class QWidget;

void SetControlId(QWidget* control, int id);
int ControlIdOf(const QWidget* control);  // 0 when the widget has none
// The control with the id among the dialog's descendants, or null.
QWidget* FindControl(const QWidget* dialog, int id);
