#include "render/gui/perspec_window.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "foundation/gui/surface_view.h"
#include "foundation/misuse_check.h"
#include "render/gui/perspec_button.h"
#include "render/gui/perspec_disp.h"
#include "render/perspec_texture_engine.h"

namespace {

PerspecWindow1* current = nullptr;

int32_t RoundUpToFour(int32_t value) { return (value + 3) / 4 * 4; }

}  // namespace

PerspecWindow1::PerspecWindow1(QWidget* parent, const std::string& texture_path) : QWidget(parent) {
  SUITE_CHECK(current == nullptr, "PerspecWindow1", "ウィンドウを２度作ろうとした");
  current = this;
  PerspecTextureEngine1::StartUp();
  setObjectName(QStringLiteral("PerspecWindow_parallelwnd1"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  camera_.SetLens(kLensWidth, kLensHeight, kLensDistance, kPivotDistance, kFarDistance);
  camera_.SetTextureSource(&textures_);
  texture_id_ = PreviewTextures::LoadTexture(texture_path);
  bar_ = new PerspecButton1(this, PerspecButton1::kTextureCommand);
  connect(bar_, &PerspecButton1::PressedChanged, this, [this](int) { Redraw(); });
}

PerspecWindow1::~PerspecWindow1() {
  if (mouse_state_ != kNoButton) EndDrag();
  delete bar_;
  camera_.ReleaseSurface();
  PerspecTextureEngine1::ShutDown();
  if (current == this) current = nullptr;
}

PerspecWindow1* PerspecWindow1::Current() { return current; }

int32_t PerspecWindow1::Mode() const {
  return bar_->Pressed() == PerspecButton1::kWireCommand ? PerspecDisp1::kWireMode
                                                         : PerspecDisp1::kTextureMode;
}

void PerspecWindow1::SetRoad(const RoadStrip& road) {
  road_ = road;
  Redraw();
}

void PerspecWindow1::Redraw() {
  last_quads_ = PerspecDisp1::Draw(camera_, road_, texture_id_, Mode());
  update();
}

void PerspecWindow1::resizeEvent(QResizeEvent*) {
  // The lens keeps its values over the re-made surface; the rotation comes back each redraw.
  const PerspecCamera1::Lens lens = camera_.GetLens();
  camera_.SetSurface(RoundUpToFour(std::max(width(), 1)),
                     std::max(height() - PerspecButton1::kHeight, 1));
  camera_.SetLens(lens.width, lens.height, lens.near_distance, lens.pivot_distance,
                  lens.far_distance);
  Redraw();
}

void PerspecWindow1::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(QRect(0, 0, width(), PerspecButton1::kHeight), palette().window());
  if (camera_.State() == 0) {
    painter.fillRect(rect(), Qt::black);
    return;
  }
  PaintSurface(painter, camera_.Surface(), QPoint(0, PerspecButton1::kHeight));
}

void PerspecWindow1::mousePressEvent(QMouseEvent* event) {
  const bool left = event->button() == Qt::LeftButton;
  const bool right = event->button() == Qt::RightButton;
  if (!left && !right) return;
  if (mouse_state_ == kNoButton) {
    mouse_state_ = left ? kLeftButton : kRightButton;
    grabMouse();
  } else {
    mouse_state_ = kBothButtons;
  }
  last_position_ = event->position().toPoint();
}

void PerspecWindow1::mouseMoveEvent(QMouseEvent* event) {
  if (mouse_state_ == kNoButton) return;
  if (!cursor_hidden_) {
    cursor_before_drag_ = QCursor::pos();
    setCursor(Qt::BlankCursor);
    cursor_hidden_ = true;
  }
  const QPoint position = event->position().toPoint();
  const int dy = last_position_.y() - position.y();
  last_position_ = position;
  if (mouse_state_ == kLeftButton && dy != 0) emit MarkerDrag(dy * kMarkerPerPixel);
}

void PerspecWindow1::mouseReleaseEvent(QMouseEvent* event) {
  if (mouse_state_ == kNoButton) return;
  if (mouse_state_ == kBothButtons) {
    if (event->button() == Qt::LeftButton) mouse_state_ = kRightButton;
    if (event->button() == Qt::RightButton) mouse_state_ = kLeftButton;
    return;
  }
  if ((mouse_state_ == kLeftButton && event->button() == Qt::LeftButton) ||
      (mouse_state_ == kRightButton && event->button() == Qt::RightButton)) {
    EndDrag();
  }
}

void PerspecWindow1::EndDrag() {
  mouse_state_ = kNoButton;
  releaseMouse();
  if (cursor_hidden_) {
    unsetCursor();
    QCursor::setPos(cursor_before_drag_);
    cursor_hidden_ = false;
  }
}
