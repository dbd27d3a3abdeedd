#include "main_tool/editing/CaptionFont.h"

#include <QApplication>
#include <algorithm>
#include <cmath>

namespace {

struct FamilyHint {
  uint8_t family;
  QFont::StyleHint hint;
};

const FamilyHint kFamilyHints[] = {
    {FF_ROMAN, QFont::Serif},  {FF_SWISS, QFont::SansSerif},  {FF_MODERN, QFont::Monospace},
    {FF_SCRIPT, QFont::Cursive}, {FF_DECORATIVE, QFont::Decorative},
};

// Screen pixels of a point size, at the 96 dots per inch LOGFONT heights assume.
int PixelsOfPoints(double points) { return static_cast<int>(std::lround(points * 96.0 / 72.0)); }

}  // namespace

QString FaceName(const S_LOGFONT& logFont) {
  const size_t length = std::find(std::begin(logFont.lfFaceName), std::end(logFont.lfFaceName), L'\0') -
                        std::begin(logFont.lfFaceName);
  return QString::fromWCharArray(logFont.lfFaceName, static_cast<int>(length));
}

void SetFaceName(S_LOGFONT& logFont, const QString& face) {
  const std::wstring wide = face.left(31).toStdWString();
  std::fill(std::begin(logFont.lfFaceName), std::end(logFont.lfFaceName), L'\0');
  std::copy(wide.begin(), wide.end(), logFont.lfFaceName);
}

QFont FontFromLogFont(const S_LOGFONT& logFont) {
  QFont font = QApplication::font();
  const QString face = FaceName(logFont);
  if (!face.isEmpty()) font.setFamilies({face});
  for (const FamilyHint& entry : kFamilyHints)
    if ((logFont.lfPitchAndFamily & 0xF0) == entry.family) font.setStyleHint(entry.hint);
  if (logFont.lfHeight != 0) font.setPixelSize(std::max(1, std::abs(logFont.lfHeight)));
  if (logFont.lfWeight > 0) font.setWeight(static_cast<QFont::Weight>(std::clamp(logFont.lfWeight, 1, 1000)));
  font.setItalic(logFont.lfItalic != 0);
  font.setUnderline(logFont.lfUnderline != 0);
  font.setStrikeOut(logFont.lfStrikeOut != 0);
  return font;
}

S_LOGFONT LogFontFromFont(const QFont& font, const S_LOGFONT& base) {
  S_LOGFONT logFont = base;
  const int pixels = font.pixelSize() > 0 ? font.pixelSize() : PixelsOfPoints(font.pointSizeF());
  logFont.lfHeight = -pixels;  // negative: the height of the characters themselves
  logFont.lfWeight = font.weight();
  logFont.lfItalic = font.italic() ? 1 : 0;
  logFont.lfUnderline = font.underline() ? 1 : 0;
  logFont.lfStrikeOut = font.strikeOut() ? 1 : 0;
  for (const FamilyHint& entry : kFamilyHints)
    if (font.styleHint() == entry.hint)
      logFont.lfPitchAndFamily = static_cast<uint8_t>((logFont.lfPitchAndFamily & 0x0F) | entry.family);
  SetFaceName(logFont, font.family());
  return logFont;
}

QString CaptionToDisplay(const std::wstring& text) {
  QString display = QString::fromStdWString(text);
  display.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  return display;
}

std::wstring DisplayToCaption(const QString& text) {
  QString caption = text;
  caption.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  caption.replace(QLatin1String("\n"), QLatin1String("\r\n"));
  return caption.toStdWString();
}
