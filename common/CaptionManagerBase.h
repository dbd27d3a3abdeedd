// The caption manager as the model library and the main tool see it: eight
// operations whose slot order is a contract between the two deliverables.
#pragma once

#include <cstdint>
#include <string>

// Caption groups of the table and field captions and of the option texts.
constexpr int32_t WND_TABLE_CAPTIONS = 0x10000000;
constexpr int32_t WND_OPTION_TEXTS = 0x20000000;

// The thirteen numbers and the face name of a Windows LOGFONT, in its own
// order; the main tool turns them into a font, the library only carries them.
struct S_LOGFONT {
  int32_t lfHeight = 0;
  int32_t lfWidth = 0;
  int32_t lfEscapement = 0;
  int32_t lfOrientation = 0;
  int32_t lfWeight = 0;
  uint8_t lfItalic = 0;
  uint8_t lfUnderline = 0;
  uint8_t lfStrikeOut = 0;
  uint8_t lfCharSet = 0;
  uint8_t lfOutPrecision = 0;
  uint8_t lfClipPrecision = 0;
  uint8_t lfQuality = 0;
  uint8_t lfPitchAndFamily = 0;
  wchar_t lfFaceName[32] = {};
};

// One caption: the font to draw it in, its text (may hold CR LF line breaks)
// and an optional tool tip.
struct S_ECR_CAP {
  S_LOGFONT font;
  std::wstring text;
  int32_t nToolTip = 0;
  std::wstring toolTip;
};

class CCaptionManagerBase {
 public:
  virtual int OpenCaptionFile(const wchar_t* folder, const wchar_t* model, const wchar_t* language) = 0;
  virtual void FlushCaptions() = 0;
  virtual S_ECR_CAP* GetCaption(int32_t window, int32_t caption) = 0;
  virtual void SetCaption(int32_t window, int32_t caption, const S_ECR_CAP* source) = 0;
  virtual int LoadCharTable(const wchar_t* folder, const wchar_t* model) = 0;
  virtual void ClearCharTable() = 0;
  virtual void EcrToText(const std::string& bytes, std::wstring& text) = 0;
  virtual void TextToEcr(const std::wstring& text, std::string& bytes) = 0;

 protected:
  // The interface has no destructor of its own: the owner destroys the
  // concrete manager directly.
  ~CCaptionManagerBase() = default;
};
