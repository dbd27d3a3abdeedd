// The host under every screen and dialog of the main tool: its window number,
// controls bound to captions (text, font and tool tip from the caption file),
// caption editing with the right mouse button, proportional resizing, the
// about entry, and Esc or the close box (a screen asks whether to exit, a
// modal dialog is cancelled).
#pragma once

#include <QDialog>
#include <QHash>
#include <QPointer>
#include <cstdint>
#include <vector>

class CEcrDialog : public QDialog {
  Q_OBJECT
 public:
  // A dialog without a parent is a screen: a top-level window of its own.
  CEcrDialog(int templateId, int32_t windowNumber, QWidget* parent = nullptr);

  int TemplateId() const { return m_nTemplateId; }
  int32_t WindowNumber() const { return m_nWindowNumber; }

  // Ties the control to caption `caption` of this window and applies it; the
  // binding stays when the caption is missing, for a later refresh.
  void BindCaption(QWidget* control, int32_t caption);
  // Runs the dialog modally: Esc and the close box then cancel it.
  int DoModal();

  // Places one direct child after a size change; nonzero when it did so, 0
  // to let the host move or stretch it.
  virtual int LayoutChild(QWidget* control, int dx, int dy);
  // Applies every binding again.
  virtual int RefreshCaptions();
  // Opens the caption editor for the control's binding.
  virtual int EditControlCaption(QWidget* control);

  void reject() override;

 protected:
  // The size the controls were laid out for: later size changes move and
  // stretch the controls relative to it.
  void SetTemplateSize(int width, int height);
  // A LayoutChild for screens whose controls form one block: the control
  // keeps its template position shifted by half the growth of the window,
  // so the block stays centred.
  int CentreChild(QWidget* control);
  // UM_REFRESH_WINDOW: the data or the captions changed.
  virtual void OnRefreshWindow();
  // Set while a caption editor runs from this window: right clicks then open
  // no second one.
  bool CaptionEditorRunning() const { return m_bCaptionEditor != 0; }
  void SetCaptionEditorRunning(bool running) { m_bCaptionEditor = running ? 1 : 0; }

  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ApplyCaption(QWidget* control, int32_t caption);
  bool IsOwnWidget(QObject* object) const;
  void StartCaptionEditing(const QPoint& globalPosition);
  void PlaceChild(QWidget* control, int dx, int dy);
  void AddAboutEntry();

  int m_nTemplateId;
  int32_t m_nWindowNumber;
  int32_t m_bModal = 0;
  int32_t m_bCaptionEditor = 0;
  int32_t m_nLastWidth = -1;
  int32_t m_nLastHeight = -1;
  QSize m_templateSize;
  QHash<QWidget*, QPoint> m_mapTemplatePositions;
  struct Binding {
    QPointer<QWidget> control;  // empty once the control is gone
    int32_t caption;
  };
  Binding* FindBinding(const QWidget* control);
  std::vector<Binding> m_bindings;
};

// Sets the text of a control of any kind (button, label, group, edit box,
// or the window's title when it is the window itself).
void SetControlText(QWidget* control, const QString& text);
