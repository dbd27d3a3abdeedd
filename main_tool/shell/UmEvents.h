// The program's own messages. Screens ask the application object for a change
// of screen, model, language or data folder by posting one of these; the
// application object tells the current window of changes with
// UM_REFRESH_WINDOW. The numbers are those of the original program's messages.
#pragma once

#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <string>

constexpr QEvent::Type UM_SHOW_WINDOW = static_cast<QEvent::Type>(1025);
constexpr QEvent::Type UM_ASK_EXIT = static_cast<QEvent::Type>(1026);
constexpr QEvent::Type UM_SET_DATA_FOLDER = static_cast<QEvent::Type>(1028);
constexpr QEvent::Type UM_SET_LANGUAGE = static_cast<QEvent::Type>(1029);
constexpr QEvent::Type UM_SET_MODEL = static_cast<QEvent::Type>(1030);
constexpr QEvent::Type UM_RELOAD_DATA = static_cast<QEvent::Type>(1031);
constexpr QEvent::Type UM_REFRESH_WINDOW = static_cast<QEvent::Type>(1032);
constexpr QEvent::Type UM_EDIT_CONTROL_CAPTION = static_cast<QEvent::Type>(1034);

// One message with its two arguments. A text argument travels as a copy, so
// it stays valid however long the message waits in the queue.
class CUmEvent : public QEvent {
 public:
  CUmEvent(QEvent::Type type, intptr_t wParam = 0, intptr_t lParam = 0) : QEvent(type), m_wParam(wParam), m_lParam(lParam) {}
  CUmEvent(QEvent::Type type, const std::wstring& text) : QEvent(type), m_strText(text) {}
  CUmEvent(QEvent::Type type, QWidget* control) : QEvent(type), m_pControl(control) {}

  intptr_t m_wParam = 0;
  intptr_t m_lParam = 0;
  std::wstring m_strText;
  QPointer<QWidget> m_pControl;
};

// Posts to the application object (the user-interface thread).
void PostAppMessage(QEvent::Type type, intptr_t wParam = 0, intptr_t lParam = 0);
void PostAppMessage(QEvent::Type type, const std::wstring& text);
