// An owner-drawn picture frame: the picture stretched over the whole frame,
// with the colour RGB(254, 0, 0) drawn transparent. Without a picture the
// frame draws nothing.
#pragma once

#include <QImage>
#include <QWidget>

class CPictureFrame : public QWidget {
  Q_OBJECT
 public:
  static constexpr QRgb kTransparentColour = qRgb(254, 0, 0);

  explicit CPictureFrame(QWidget* parent);
  // False (and an empty frame) when the file cannot be read as a picture.
  bool LoadPicture(const QString& path);
  const QImage& Picture() const { return m_picture; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage m_picture;
};
