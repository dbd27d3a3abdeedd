// "Caption Editer": changes one caption (text, font, tool tip) of the caption
// file while the program runs. Update stores the caption in the caption
// manager's cache; Close after an Update asks the owner to apply its captions
// again. The editor's own texts are fixed, not captions.
#pragma once

#include <QDialog>
#include <QPointer>
#include <cstdint>

#include "common/CaptionManagerBase.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

class CCaptionEditer : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kTemplateId = 500;

  CCaptionEditer(int32_t windowNumber, int32_t captionNumber, QWidget* owner);

  const S_LOGFONT& FontDescription() const { return m_logFont; }
  bool Changed() const { return m_bChanged != 0; }

 private:
  void BuildControls();
  void LoadCaption();
  void SetPreviewFont(const S_LOGFONT& logFont);
  void OnFont();
  void OnToolTip();
  void OnUpdate();
  void OnClose();

  QPointer<QWidget> m_pOwner;
  int32_t m_nWindowNumber;
  int32_t m_nCaptionNumber;
  S_LOGFONT m_logFont;
  int32_t m_bChanged = 0;
  int32_t m_bNumbersLocked = 1;

  QLineEdit* m_pWndNo = nullptr;
  QLineEdit* m_pCaptionNo = nullptr;
  QLabel* m_pWndComment = nullptr;
  QLineEdit* m_pCaption = nullptr;
  QCheckBox* m_pToolTip = nullptr;
  QPlainTextEdit* m_pToolTipText = nullptr;
  QLabel* m_pPreview = nullptr;
};
