#include "stage/gui/stage_perspective_view.h"

#include <QGuiApplication>
#include <cmath>

#include "stage/gui/display_setup_dialog.h"
#include "stage/views/camera_modes.h"
#include "stage/views/view_state.h"
#include "stage/views/view_tools.h"

PerspecWnd1::PerspecWnd1(QWidget* parent, StageViewContext* context)
    : StageViewWindow(parent, context, kPerspectiveViewKind, ViewButtonBar::kHeight),
      camera_(&context->registry),
      surface_id_(context->registry.Make(0, 0)) {
  setObjectName(QStringLiteral("PerspecWnd_perspecwnd1"));
  bar_ = new PerspecButtonWindow1(this);
  connect(bar_, &ViewButtonBar::Pressed, this, &PerspecWnd1::Command);
  camera_.SetDisplaySurface(surface_id_, 0, 0);
  timer_.setInterval(kTimerMilliseconds);
  connect(&timer_, &QTimer::timeout, this, &PerspecWnd1::Tick);
  connect(qGuiApp, &QGuiApplication::applicationStateChanged, this, &PerspecWnd1::UpdateTimer);
}

PerspecWnd1::~PerspecWnd1() {
  timer_.stop();
  delete dialog_;
  context_->registry.Release(surface_id_);
}

void PerspecWnd1::SetRecord(const PerspectiveViewRecord& record) {
  record_ = record;
  bar_->SetDown(static_cast<uint32_t>(record_.pressed_button), true);
  UpdateTimer();
}

void PerspecWnd1::Command(int command_id) {
  if (command_id == static_cast<int>(PerspecButtonWindow1::kSetup)) {
    OpenSetup();
    return;
  }
  if (!PressModeButton(&record_, command_id)) return;
  bar_->SetDown(static_cast<uint32_t>(command_id), true);
  Redraw();
}

void PerspecWnd1::OpenSetup() {
  if (dialog_ != nullptr) {
    dialog_->raise();
    return;
  }
  dialog_ = new DisplaySetupDialog(this, record_.settings);
  connect(dialog_, &QDialog::finished, this, [this](int result) {
    if (result == QDialog::Accepted) record_.settings = dialog_->Settings();
    dialog_->deleteLater();
    dialog_ = nullptr;
    if (result == QDialog::Accepted) Redraw();
  });
  dialog_->open();
}

void PerspecWnd1::Draw() {
  context_->textures.SetTime(animation_clock::Now());
  DrawPerspectiveView(*context_->stage, &record_, camera_, context_->Look(), &last_);
  picture_ = last_.wire;
  UpdateTimer();
}

void PerspecWnd1::Resized(int32_t width, int32_t height) {
  bar_->setGeometry(0, 0, width, ViewButtonBar::kHeight);
  camera_.SetDisplaySurface(surface_id_, width, height);
}

bool PerspecWnd1::DragStep(int32_t buttons, int32_t dx, int32_t dy, bool* camera_moved) {
  const CameraTool tool = ActiveCameraTool(context_->Tools());
  const int32_t mode = std::clamp(record_.current_mode, 0, 2);
  *camera_moved = DragPerspectiveCamera(&record_.modes[mode], tool, buttons, dx, dy);
  return false;
}

void PerspecWnd1::Wheel(double notches, QPoint) {
  const int32_t mode = std::clamp(record_.current_mode, 0, 2);
  DragLensZoom(&record_.modes[mode], static_cast<int32_t>(std::lround(-notches * 25.0)));
  Redraw();
}

bool PerspecWnd1::WantsTimer() const {
  const bool rendered =
      record_.pressed_button == kRenderButton || record_.pressed_button == kRenderAroundButton;
  return rendered && isVisible() && QGuiApplication::applicationState() == Qt::ApplicationActive &&
         ActiveCameraTool(context_->Tools()) != CameraTool::kNone;
}

void PerspecWnd1::UpdateTimer() {
  if (WantsTimer()) {
    if (!timer_.isActive()) timer_.start();
  } else {
    timer_.stop();
  }
}

void PerspecWnd1::Tick() {
  if (!WantsTimer()) {
    timer_.stop();
    return;
  }
  animation_clock::Advance();
  Redraw();
}

void PerspecWnd1::showEvent(QShowEvent*) { UpdateTimer(); }
void PerspecWnd1::hideEvent(QHideEvent*) { UpdateTimer(); }
