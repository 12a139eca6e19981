// The about window: a text scrolling upwards over a picture, the version line below it and
// an "OK" button. Scrolling pauses while the window is not active. One per process.
#pragma once

#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <cstdint>
#include <string>

class QPushButton;
class QTimer;

class AboutWindow1 : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kOkCommand = 1024;

  // Lines of `text` are separated by "\n"; `text_colour` is 0x00BBGGRR. Returns the window,
  // or nullptr when one already shows.
  static AboutWindow1* Show(QWidget* owner, int32_t height, const std::string& bitmap_name,
                            int32_t width, const std::string& text, uint32_t text_colour);
  static AboutWindow1* Current();

  int32_t ScrollPosition() const { return scroll_; }
  bool Active() const { return active_; }
  // One tick of the 100 ms timer: a new frame while active.
  void Tick();
  const QImage& Frame() const { return frame_; }
  QPushButton* OkButton() const { return ok_; }
  QStringList Lines() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool event(QEvent* event) override;

 private:
  AboutWindow1(QWidget* owner, int32_t height, const std::string& bitmap_name, int32_t width,
               const std::string& text, uint32_t text_colour);
  ~AboutWindow1() override;
  void ComposeFrame();

  int32_t width_, height_;
  QColor text_colour_;
  int32_t text_id_;  // in the string bank
  int32_t scroll_;
  bool active_ = false;
  QPixmap picture_;
  QImage frame_;
  QPushButton* ok_;
  QTimer* timer_;
};
