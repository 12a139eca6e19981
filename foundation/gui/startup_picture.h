// The start-up picture: a borderless top-most window centred on the desktop showing a named
// picture with the version line, closed by its timer or as soon as it loses activation.
// One per process; a request while it shows is ignored.
#pragma once

#include <QPixmap>
#include <QWidget>
#include <cstdint>
#include <string>

class QTimer;

class StartUpPicture1 : public QWidget {
  Q_OBJECT

 public:
  // `text_colour` is 0x00BBGGRR. Returns the window, or nullptr when one already shows.
  static StartUpPicture1* Show(const std::string& bitmap_name, uint32_t text_colour,
                               int32_t width, int32_t height, int32_t time_ms);
  static StartUpPicture1* Current();
  static bool Showing() { return Current() != nullptr; }

  static QString VersionLine();
  static QString NoticeLine();

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool event(QEvent* event) override;

 private:
  StartUpPicture1(const std::string& bitmap_name, uint32_t text_colour, int32_t width,
                  int32_t height, int32_t time_ms);
  ~StartUpPicture1() override;

  QPixmap picture_;
  QColor text_colour_;
  int32_t picture_width_, picture_height_;
  QTimer* timer_;
  bool was_active_ = false;
};

// 0x00BBGGRR as a colour.
QColor ColourFromBgr(uint32_t value);
