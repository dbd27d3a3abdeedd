// ecrdemoart: draws the two pictures of the model selection window for a demo
// folder: the register picture Ecr.bmp and the logo Arvo.bmp. Their
// background is RGB(254, 0, 0), the colour the window draws transparent.
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>
#include <cstring>

namespace {

const QColor kTransparent(254, 0, 0);

// Pictures are drawn antialiased on a clear canvas; each pixel then becomes
// either the key colour or opaque, so no reddish edge remains.
QImage Canvas() {
  QImage image(250, 150, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  return image;
}

QImage OnKeyColour(const QImage& drawn) {
  QImage keyed(drawn.size(), QImage::Format_RGB32);
  for (int y = 0; y < drawn.height(); ++y)
    for (int x = 0; x < drawn.width(); ++x) {
      const QRgb pixel = drawn.pixel(x, y);
      keyed.setPixel(x, y, qAlpha(pixel) < 128 ? kTransparent.rgb() : (pixel | 0xFF000000));
    }
  return keyed;
}

QImage DrawRegister() {
  QImage image = Canvas();
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(40, 45, 60), 2));
  // Customer display on its post.
  painter.setBrush(QColor(90, 95, 110));
  painter.drawRect(QRectF(160, 22, 8, 30));
  painter.setBrush(QColor(30, 35, 45));
  painter.drawRoundedRect(QRectF(138, 8, 56, 22), 4, 4);
  painter.setPen(QColor(120, 255, 160));
  painter.setFont(QFont(QStringLiteral("DejaVu Sans Mono"), 9, QFont::Bold));
  painter.drawText(QRectF(138, 8, 56, 22), Qt::AlignCenter, QStringLiteral("12.80"));
  // Body with the keyboard and the printer.
  QLinearGradient body(0, 50, 0, 140);
  body.setColorAt(0, QColor(235, 238, 245));
  body.setColorAt(1, QColor(170, 178, 195));
  painter.setPen(QPen(QColor(40, 45, 60), 2));
  painter.setBrush(body);
  QPainterPath shape;
  shape.moveTo(30, 140);
  shape.lineTo(48, 52);
  shape.lineTo(210, 52);
  shape.lineTo(228, 140);
  shape.closeSubpath();
  painter.drawPath(shape);
  painter.setBrush(QColor(250, 250, 250));
  painter.drawRect(QRectF(60, 40, 50, 14));  // receipt paper
  painter.setPen(Qt::NoPen);
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 8; ++column) {
      painter.setBrush(column >= 6 ? QColor(70, 120, 200) : QColor(80, 85, 100));
      painter.drawRoundedRect(QRectF(58 + column * 18 + row * 2, 66 + row * 17, 14, 12), 2, 2);
    }
  }
  painter.setBrush(QColor(60, 65, 80));
  painter.drawRect(QRectF(24, 138, 210, 8));  // cash drawer
  painter.end();
  return OnKeyColour(image);
}

QImage DrawLogo() {
  QImage image = Canvas();
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  QFont font(QStringLiteral("DejaVu Sans"), 40, QFont::Black);
  painter.setFont(font);
  painter.setPen(QColor(20, 60, 140));
  painter.drawText(QRectF(0, 20, 250, 70), Qt::AlignCenter, QStringLiteral("ARVO"));
  painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 12, QFont::DemiBold));
  painter.setPen(QColor(60, 70, 90));
  painter.drawText(QRectF(0, 90, 250, 30), Qt::AlignCenter, QStringLiteral("Electronic Cash Register"));
  painter.setPen(QPen(QColor(20, 60, 140), 3));
  painter.drawLine(QPointF(40, 124), QPointF(210, 124));
  painter.end();
  return OnKeyColour(image);
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 2 || std::strcmp(argv[1], "--help") == 0) {
    std::fputs("Usage: ecrdemoart FOLDER\n"
               "Writes Ecr.bmp (a register) and Arvo.bmp (a logo) into FOLDER, on the\n"
               "background colour RGB(254, 0, 0) that the model selection draws transparent.\n",
               argc == 2 ? stdout : stderr);
    return argc == 2 ? 0 : 1;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  const QString folder = QString::fromLocal8Bit(argv[1]);
  const bool written = DrawRegister().save(folder + QStringLiteral("/Ecr.bmp"), "BMP") &&
                       DrawLogo().save(folder + QStringLiteral("/Arvo.bmp"), "BMP");
  if (!written) std::fprintf(stderr, "ecrdemoart: cannot write the pictures into %s\n", argv[1]);
  return written ? 0 : 1;
}
