// The balloon that explains a tool button while the right mouse button is held on it: the
// text in a light grey bordered box beside the button, on the side towards the middle of
// the screen. One balloon at a time.
#pragma once

#include <QRect>
#include <QSize>
#include <QStringList>
#include <QWidget>
#include <string>

class MessageWindow1 : public QWidget {
  Q_OBJECT

 public:
  static void StartUp();
  static void ShutDown();
  static bool Started();

  // Shows `text` (lines separated by "\n") beside `explained` (screen coordinates), replacing
  // any balloon shown.
  static void ShowBalloon(QWidget* owner, const std::string& text, const QRect& explained);
  static void HideBalloon();
  // The balloon shown, or nullptr.
  static MessageWindow1* Current();

  // Size of the balloon for `text`: the widest line and the lines' heights (each with the
  // font's leading), plus 10 pixels of margin on every side.
  static QSize BalloonSize(const std::string& text);
  // Top-left of a balloon of `size` beside `explained`, towards the centre of `desktop`.
  static QPoint BalloonPosition(const QRect& explained, const QSize& size, const QRect& desktop);
  // The balloon font (the gothic face, 12 pixels).
  static QFont BalloonFont();

  const QStringList& Lines() const { return lines_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  MessageWindow1(QWidget* owner, const std::string& text);
  ~MessageWindow1() override;

  QStringList lines_;
};
