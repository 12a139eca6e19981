// The bitmap tool button: shows one cell of a strip of state pictures and reports presses,
// releases and the mouse entering and leaving to its parent through Command(id, code).
// While the mouse is over a button the button holds the mouse, so it sees it leave.
#pragma once

#include <QPixmap>
#include <QWidget>
#include <cstdint>
#include <string>

class DrawButton1 : public QWidget {
  Q_OBJECT

 public:
  // Notification codes.
  static constexpr int kPressed = 0;
  static constexpr int kReleased = 1;  // also when the mouse leaves with the left button held
  static constexpr int kEntered = 2;
  static constexpr int kLeft = 3;

  // The class start-up counter; buttons may be made only while the class is started.
  static void StartUp();
  static void ShutDown();
  static bool Started();

  // A child button of `parent` (its commands go there), with no bitmap yet.
  explicit DrawButton1(QWidget* parent);
  ~DrawButton1() override;

  // Loads the named strip (a null strip shows nothing), stores the state count and the
  // command id, repaints.
  void SetButtonBitmap(const std::string& bitmap_name, int32_t state_count, uint32_t command_id);
  void SetButtonStrip(const QPixmap& strip, int32_t state_count, uint32_t command_id);
  // The balloon text shown while the right button is held on the button ("" for none).
  void SetButtonHelp(const std::string& text);
  // 0 <= state < state count; repaints.
  void SetButtonState(int32_t state);
  // Sets the state of `parent`'s button with `command_id`.
  static void SetButtonStateById(QWidget* parent, uint32_t command_id, int32_t state);
  void ButtonState(int32_t& state, int32_t& state_count) const;

  int32_t State() const;
  uint32_t CommandId() const;
  const std::string& HelpText() const { return help_; }
  // The button of `parent` with that command id, or nullptr.
  static DrawButton1* FindById(QWidget* parent, uint32_t command_id);
  // The class-wide flags: left button held, right button held, mouse captured.
  static bool LeftHeld();
  static bool RightHeld();
  static bool Captured();

 signals:
  // To the parent: the command id (low 16 bits) and one of the codes above.
  void Command(int command_id, int code, DrawButton1* button);

 protected:
  void enterEvent(QEnterEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  struct Record {
    int32_t state;
    uint32_t command_id;
    uint32_t parent;  // window handle of the parent
    int32_t state_count;
  };
  Record Fetch() const;
  void Store(const Record& record);
  void Send(int code);
  void Capture();
  void ReleaseCapture();
  QRect ScreenRect() const;

  uint32_t handle_ = 0;
  QPixmap strip_;
  std::string help_;
};
