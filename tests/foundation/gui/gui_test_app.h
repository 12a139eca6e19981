// Shared helpers of the window tests: one QApplication for the program, a scripted prompter
// installed for one test, and mouse events delivered straight to a widget.
#pragma once

#include <QAction>
#include <QApplication>
#include <QEnterEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QShortcut>
#include <QWidget>

#include "foundation/prompter.h"

inline QApplication& EnsureTestApplication() {
  if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) return *app;
  static int argc = 1;
  static char name[] = "gui_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

// Installs a ScriptedPrompter while it lives.
class ScopedScriptedPrompter : public ScriptedPrompter {
 public:
  ScopedScriptedPrompter() : previous_(Prompter::Install(this)) {}
  ~ScopedScriptedPrompter() override { Prompter::Install(previous_); }

 private:
  Prompter* previous_;
};

inline void SendMouse(QWidget* widget, QEvent::Type type, QPoint at,
                      Qt::MouseButton button = Qt::NoButton, Qt::MouseButtons held = Qt::NoButton) {
  QMouseEvent event(type, QPointF(at), QPointF(widget->mapToGlobal(at)), button, held,
                    Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

inline void SendEnter(QWidget* widget, QPoint at) {
  const QPointF local(at);
  QEnterEvent event(local, local, QPointF(widget->mapToGlobal(at)));
  QApplication::sendEvent(widget, &event);
}

inline void SendActivation(QWidget* window, bool active) {
  QEvent event(active ? QEvent::WindowActivate : QEvent::WindowDeactivate);
  QApplication::sendEvent(window, &event);
}

// Presses `keys` on `window`: activates the shortcut or triggers the action of the window that
// carries them; false when none does.
inline bool PressShortcut(QWidget* window, const QKeySequence& keys) {
  for (QShortcut* shortcut : window->findChildren<QShortcut*>()) {
    if (shortcut->key() != keys || !shortcut->isEnabled()) continue;
    emit shortcut->activated();
    return true;
  }
  for (QAction* action : window->findChildren<QAction*>()) {
    if (!action->shortcuts().contains(keys) || !action->isEnabled()) continue;
    action->trigger();
    return true;
  }
  return false;
}
