// The help window: the program's HTML help pages (shipped in "Help/" beside the program)
// in a browser with back, forward and contents buttons. One window per process; asking again
// raises it on the page asked for.
#pragma once

#include <QWidget>
#include <string>

#include "foundation/prompter.h"

class QTextBrowser;

class HelpWindow1 : public QWidget {
  Q_OBJECT

 public:
  // Shows `page` (an HTML file path); when it does not exist, tells the user through the
  // Prompter and returns nullptr.
  static HelpWindow1* Show(QWidget* owner, const std::string& page);
  // The window shown, or nullptr.
  static HelpWindow1* Current();

  QTextBrowser* Browser() const { return browser_; }

 private:
  explicit HelpWindow1(QWidget* owner);
  ~HelpWindow1() override;
  void Open(const QString& page);

  QTextBrowser* browser_;
};
