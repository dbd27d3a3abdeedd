#include "main_tool/shell/PictureFrame.h"

#include <QPainter>

#include "platform/FileSystem.h"

CPictureFrame::CPictureFrame(QWidget* parent) : QWidget(parent) {}

bool CPictureFrame::LoadPicture(const QString& path) {
  QImage loaded(QString::fromStdWString(platform::ResolvePath(path.toStdWString())));
  if (loaded.isNull()) {
    m_picture = QImage();
    update();
    return false;
  }
  m_picture = loaded.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < m_picture.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(m_picture.scanLine(y));
    for (int x = 0; x < m_picture.width(); ++x)
      if ((line[x] & 0x00FFFFFF) == (kTransparentColour & 0x00FFFFFF)) line[x] = 0;
  }
  update();
  return true;
}

void CPictureFrame::paintEvent(QPaintEvent*) {
  if (m_picture.isNull()) return;
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(rect(), m_picture);
}
