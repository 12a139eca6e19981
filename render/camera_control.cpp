#include "render/camera_control.h"

#include <algorithm>
#include <cmath>

#include "foundation/misuse_check.h"
#include "render/numeric_conversion.h"

namespace {
constexpr const char* kTag = "CameraControl1";
constexpr const char* kBadState = "カメラのstateにありえない設定を検出";
}  // namespace

void CameraControl1::SetSurface(int32_t width, int32_t height) {
  surface_.Resize(width, height);
  width_ = width;
  height_ = height;
}

void CameraControl1::ReleaseSurface() { surface_.Resize(0, 0); }

void CameraControl1::SetAttribute(int32_t attribute) {
  if (attribute < kPerspective || attribute > kFront) {
    SUITE_FATAL(kTag, "対応していないカメラの属性を検出");
    return;
  }
  attribute_ = attribute;
}

void CameraControl1::SetPosition(double x, double y, double z) {
  position_x_ = x;
  position_y_ = y;
  position_z_ = z;
}

void CameraControl1::SetRotation(double rx, double ry, double rz) {
  rx_ = rx;
  ry_ = ry;
  rz_ = rz;
}

void CameraControl1::GetPositionAndZoom(double* x, double* y, double* z, double* zoom) const {
  *x = position_x_;
  *y = position_y_;
  *z = position_z_;
  *zoom = zoom_;
}

void CameraControl1::SetScrnDst(double distance) {
  if (attribute_ == kPerspective) {
    scrn_dst_ = static_cast<float>(std::clamp(distance, 20.0, 1000.0));
  } else if (attribute_ >= kTop && attribute_ <= kFront) {
    SUITE_FATAL(kTag, "平行カメラなのにScrnDstを設定しようとした");
  }
}

double CameraControl1::GetScrnDst() const {
  if (attribute_ == kPerspective) return scrn_dst_;
  if (attribute_ >= kTop && attribute_ <= kFront) {
    SUITE_FATAL(kTag, "平行カメラなのにScrnDstを獲得しようとした");
  }
  return 0.0;
}

void CameraControl1::SetZoom(double zoom) {
  if (attribute_ >= kTop && attribute_ <= kFront) {
    zoom_ = std::clamp(zoom, 0.01, 300.0);
  } else if (attribute_ == kPerspective) {
    SUITE_FATAL(kTag, "パースペクティブカメラなのにズーム設定しようとした");
  }
}

double CameraControl1::GetZoom() const {
  if (attribute_ >= kTop && attribute_ <= kFront) return zoom_;
  if (attribute_ == kPerspective) {
    SUITE_FATAL(kTag, "パースペクティブカメラなのにズームを獲得しようとした");
  }
  return 0.0;
}

void CameraControl1::Move(double dx, double dy, double dz) {
  switch (attribute_) {
    case kPerspective:
      position_x_ += dx;
      position_y_ += dy;
      position_z_ += dz;
      break;
    case kTop:
      position_x_ += dx;
      position_z_ += dz;
      break;
    case kSide:
      position_y_ += dy;
      position_z_ += dz;
      break;
    case kFront:
      position_x_ += dx;
      position_y_ += dy;
      break;
    default:
      break;
  }
}

void CameraControl1::UpdateMatrices() {
  if (attribute_ != kPerspective) return;
  w_ = ViewMatrix(-rx_, -ry_, -rz_);
  m_ = CameraMatrix(rx_, ry_, rz_);
}

int32_t CameraControl1::WorldToScreen(double x, double y, double z, double* screen_x,
                                      double* screen_y, double* depth) const {
  const int32_t half_w = width_ / 2;
  const int32_t half_h = height_ / 2;
  const double dx = (x - position_x_) * zoom_;
  const double dy = (y - position_y_) * zoom_;
  const double dz = (z - position_z_) * zoom_;
  switch (attribute_) {
    case kTop:
      *screen_x = half_w + std::trunc(dx);
      *screen_y = half_h - std::trunc(dz);
      *depth = dy;
      return 0;
    case kSide:
      *screen_x = half_w + std::trunc(dz);
      *screen_y = half_h - std::trunc(dy);
      *depth = dx;
      return 0;
    case kFront:
      *screen_x = half_w + std::trunc(dx);
      *screen_y = half_h - std::trunc(dy);
      *depth = dz;
      return 0;
    case kPerspective: {
      const Point3f relative{static_cast<float>(x) - static_cast<float>(position_x_),
                             static_cast<float>(y) - static_cast<float>(position_y_),
                             static_cast<float>(z) - static_cast<float>(position_z_)};
      const Point3f p = w_.Apply(relative);
      if (scrn_dst_ > p.z || std::isnan(p.z)) return 1;
      *screen_x = half_w + std::trunc(p.x / p.z);
      *screen_y = half_h - std::trunc(p.y / p.z);
      *depth = p.z;
      return 0;
    }
    default:
      SUITE_FATAL(kTag, kBadState);
      return 0;
  }
}

int32_t CameraControl1::ScreenToWorld(int32_t screen_x, int32_t screen_y, double* x, double* y,
                                      double* z) const {
  const double across = static_cast<double>(screen_x - width_ / 2) / zoom_;
  const double up = static_cast<double>(height_ / 2 - screen_y) / zoom_;
  switch (attribute_) {
    case kTop:
      *x = position_x_ + across;
      *y = position_y_;
      *z = position_z_ + up;
      return 0;
    case kSide:
      *x = position_x_;
      *y = position_y_ + up;
      *z = position_z_ + across;
      return 0;
    case kFront:
      *x = position_x_ + across;
      *y = position_y_ + up;
      *z = position_z_;
      return 0;
    case kPerspective:
      SUITE_FATAL(kTag, "パースペクティブカメラなのにスクリーン座標をワールドに変換しようとした");
      return 1;
    default:
      SUITE_FATAL(kTag, kBadState);
      return 0;
  }
}
