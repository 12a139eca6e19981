// One QApplication for the whole test program, made on first use.
#pragma once

#include <QApplication>

inline QApplication& EnsureTestApplication() {
  if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) return *app;
  static int argc = 1;
  static char name[] = "foundation_gui_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}
