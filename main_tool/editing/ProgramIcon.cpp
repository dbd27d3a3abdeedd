#include "main_tool/editing/ProgramIcon.h"

#include <QPainter>
#include <QPixmap>

namespace {

QPixmap DrawRegister(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / 32.0, size / 32.0);
  painter.setPen(QPen(QColor(30, 50, 90), 1.2));
  painter.setBrush(QColor(70, 110, 170));
  painter.drawRoundedRect(QRectF(3, 14, 26, 15), 2, 2);   // body with the keys
  painter.setBrush(QColor(200, 230, 255));
  painter.drawRect(QRectF(7, 4, 18, 8));                   // display
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(240, 240, 240));
  for (int row = 0; row < 2; ++row)
    for (int column = 0; column < 4; ++column) painter.drawRect(QRectF(6 + column * 5.5, 17 + row * 5, 3.5, 3));
  return pixmap;
}

}  // namespace

const QIcon& ProgramIcon() {
  static const QIcon icon = [] {
    QIcon made;
    for (int size : {16, 32, 48}) made.addPixmap(DrawRegister(size));
    return made;
  }();
  return icon;
}
