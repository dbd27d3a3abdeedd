// Fonts of captions: a caption keeps the thirteen LOGFONT numbers and the face
// name; the screens draw with a QFont made from them.
#pragma once

#include <QFont>
#include <QString>

#include "common/CaptionManagerBase.h"

// LOGFONT family bits (high nibble of the pitch-and-family byte).
constexpr uint8_t FF_ROMAN = 0x10;
constexpr uint8_t FF_SWISS = 0x20;
constexpr uint8_t FF_MODERN = 0x30;
constexpr uint8_t FF_SCRIPT = 0x40;
constexpr uint8_t FF_DECORATIVE = 0x50;

// Numbers that are 0 keep the application font's value (as a LOGFONT of zeros
// means the system's default font). A face this machine lacks falls back to a
// font of the same family kind.
QFont FontFromLogFont(const S_LOGFONT& logFont);
// The description of `font`, starting from `base` for what a QFont does not hold.
S_LOGFONT LogFontFromFont(const QFont& font, const S_LOGFONT& base = S_LOGFONT());

QString FaceName(const S_LOGFONT& logFont);
void SetFaceName(S_LOGFONT& logFont, const QString& face);

// Caption texts keep Windows line ends; Qt wants bare ones, and back.
QString CaptionToDisplay(const std::wstring& text);
std::wstring DisplayToCaption(const QString& text);
