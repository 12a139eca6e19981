// A small child panel showing one line of text (at most 49 characters) over a background
// picture drawn from its top-left corner, or over a solid colour.
#pragma once

#include <QColor>
#include <QPixmap>
#include <QWidget>
#include <cstdint>
#include <string>

class TextWindow1 : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kTextBytes = 52;  // the stored text with its NUL
  static constexpr int kMaximumTextBytes = 49;

  static void StartUp();
  static void ShutDown();

  explicit TextWindow1(QWidget* parent);
  ~TextWindow1() override;

  void SetTextPosition(int32_t x, int32_t y);
  void SetTextColour(uint32_t colour);  // 0x00BBGGRR
  // Keeps the first 49 bytes of the Shift-JIS text (never half a character); repaints now.
  void SetText(const std::string& text);
  void SetBackgroundPicture(const std::string& bitmap_name);
  void SetBackgroundColour(uint8_t red, uint8_t green, uint8_t blue);

  // The text as shown.
  QString Text() const;
  static QFont TextFont();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  struct Record {
    uint32_t parent;
    int32_t text_x, text_y;
    char text[kTextBytes];  // Shift-JIS
    uint32_t text_colour;
    int32_t has_brush;
    uint32_t brush_colour;  // 0x00BBGGRR
  };
  Record Fetch() const;
  void Store(const Record& record);

  uint32_t handle_;
  QPixmap picture_;
};
