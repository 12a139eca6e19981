// One bank picture stretched over the checkerboard, animated by the clock all view windows
// share; optionally framed in red. A left click reports the window's command id.
#pragma once

#include <QWidget>
#include <cstdint>
#include <string>

#include "foundation/surface16.h"

class QTimer;

class PictureViewWnd1 : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kTickMs = 40;  // every tick adds this much to the shared clock

  // The class start-up counter; the picture bank must run at 16 bits for windows to be made.
  static void StartUp();
  static void ShutDown();
  static bool Started();
  // The animation clock in milliseconds, shared by every view window.
  static uint32_t Clock();
  static void ResetClock();

  explicit PictureViewWnd1(QWidget* parent, uint32_t command_id = 0);
  ~PictureViewWnd1() override;

  // Registers `path` in the bank (shared) and shows it instead of the picture shown; a
  // negative registration result is returned and the view then shows nothing.
  int32_t ShowPath(const std::string& path, int32_t mode = 0);
  // Shows a registered picture (taking a reference); -1 shows nothing.
  void ShowId(int32_t id);
  int32_t PictureId() const;
  void SetFrame(bool framed);
  uint32_t CommandId() const;
  void SetCommandId(uint32_t command_id);

  const Surface16& Surface() const { return surface_; }
  // One timer tick: the clock advances and the window is drawn anew.
  void Tick();
  // Draws the surface as it should look now.
  void Redraw();

 signals:
  void Command(int command_id, PictureViewWnd1* view);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  struct Record {
    int32_t picture_id;
    int32_t framed;
    uint32_t command_id;
    int32_t width, height;
  };
  Record Fetch() const;
  void Store(const Record& record);
  void ShowLoading();

  uint32_t handle_;
  Surface16 surface_;
  QTimer* timer_;
};
