// PerspecWindow1: the course designer's small perspective preview of the road ahead of the
// course marker, as a driver would see it. It owns its PerspecCamera1 (lens 2 x 2, near 4,
// pivot 4, far 500), the wire/texture bar above the picture, and the drag that moves the
// course marker: dragging up with the left button advances it. Only one may exist.
#pragma once

#include <QPoint>
#include <QWidget>
#include <cstdint>
#include <string>

#include "render/gui/preview_textures.h"
#include "render/gui/road_strip.h"
#include "render/perspec_camera.h"

class PerspecButton1;

class PerspecWindow1 : public QWidget {
  Q_OBJECT

 public:
  static constexpr float kLensWidth = 2.0f;
  static constexpr float kLensHeight = 2.0f;
  static constexpr float kLensDistance = 4.0f;
  static constexpr float kPivotDistance = 4.0f;
  static constexpr float kFarDistance = 500.0f;
  // Course parameter units the marker moves per pixel of upward drag.
  static constexpr double kMarkerPerPixel = 0.005;
  // Mouse button states.
  static constexpr int32_t kNoButton = 0;
  static constexpr int32_t kLeftButton = 1;
  static constexpr int32_t kRightButton = 2;
  static constexpr int32_t kBothButtons = 3;

  // A second preview while one exists is a fatal misuse. `texture_path` is the
  // "Texture.bmp" loaded into the picture bank for the textured mode.
  PerspecWindow1(QWidget* parent, const std::string& texture_path);
  ~PerspecWindow1() override;
  static PerspecWindow1* Current();

  // Stores the road to show and redraws.
  void SetRoad(const RoadStrip& road);
  // Draws the picture into the camera's surface and repaints.
  void Redraw();

  // 0 wire frame, 1 texture (from the pressed bar button).
  int32_t Mode() const;
  PerspecButton1* ButtonBar() const { return bar_; }
  PerspecCamera1& Camera() { return camera_; }
  int32_t TextureId() const { return texture_id_; }
  int32_t MouseState() const { return mouse_state_; }
  bool CursorHidden() const { return cursor_hidden_; }
  // Quadrilaterals handed to the camera by the last redraw.
  int32_t LastQuadCount() const { return last_quads_; }

 signals:
  // The course marker is to move by `dt` course parameter units.
  void MarkerDrag(double dt);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void EndDrag();

  PerspecCamera1 camera_;
  PreviewTextures textures_;
  int32_t texture_id_ = -1;
  RoadStrip road_;
  PerspecButton1* bar_;
  int32_t mouse_state_ = kNoButton;
  bool cursor_hidden_ = false;
  QPoint last_position_;
  QPoint cursor_before_drag_;
  int32_t last_quads_ = 0;
};
