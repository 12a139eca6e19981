#include "stage/stage_rotation.h"

#include <cmath>

#include "render/road_frame.h"

Point3f Rotation3::Apply(const Point3f& p) const {
  const double x = p.x;
  const double y = p.y;
  const double z = p.z;
  return {static_cast<float>(m[0] * x + m[1] * y + m[2] * z),
          static_cast<float>(m[3] * x + m[4] * y + m[5] * z),
          static_cast<float>(m[6] * x + m[7] * y + m[8] * z)};
}

Rotation3 Rotation3::Times(const Rotation3& right) const {
  Rotation3 out;
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) {
      double sum = 0.0;
      for (int k = 0; k < 3; ++k) sum += m[row * 3 + k] * right.m[k * 3 + column];
      out.m[row * 3 + column] = sum;
    }
  }
  return out;
}

Rotation3 Rotation3::Transposed() const {
  Rotation3 out;
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) out.m[row * 3 + column] = m[column * 3 + row];
  }
  return out;
}

RotationSines SinesOfAngles(const Point3f& angles) {
  return {std::sin(static_cast<double>(angles.x)), std::cos(static_cast<double>(angles.x)),
          std::sin(static_cast<double>(angles.y)), std::cos(static_cast<double>(angles.y)),
          std::sin(static_cast<double>(angles.z)), std::cos(static_cast<double>(angles.z))};
}

Rotation3 CameraRotation(const RotationSines& s) {
  Rotation3 r;
  r.m[0] = s.cos_y * s.cos_z - s.sin_y * s.sin_x * s.sin_z;
  r.m[1] = s.sin_y * s.sin_x * s.cos_z + s.cos_y * s.sin_z;
  r.m[2] = -s.sin_y * s.cos_x;
  r.m[3] = -s.cos_x * s.sin_z;
  r.m[4] = s.cos_x * s.cos_z;
  r.m[5] = s.sin_x;
  r.m[6] = s.cos_y * s.sin_x * s.sin_z + s.sin_y * s.cos_z;
  r.m[7] = s.sin_y * s.sin_z - s.cos_y * s.sin_x * s.cos_z;
  r.m[8] = s.cos_y * s.cos_x;
  return r;
}

Rotation3 CameraRotation(const Point3f& angles) { return CameraRotation(SinesOfAngles(angles)); }

Point3f AnglesOfCameraRotation(const Rotation3& r) {
  const double sin_x = std::fmax(-1.0, std::fmin(1.0, r.m[5]));
  const double x = std::asin(sin_x);
  const double cos_x = std::sqrt(r.m[2] * r.m[2] + r.m[8] * r.m[8]);
  double y = 0.0;
  double z = 0.0;
  if (cos_x > 1e-9) {
    y = std::atan2(-r.m[2], r.m[8]);
    z = std::atan2(-r.m[3], r.m[4]);
  } else {
    // Looking straight up or down: heading and roll turn about the same axis.
    y = std::atan2(r.m[6], r.m[0]);
  }
  return {static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)};
}

bool LineFrameSines(const double tangent[3], double roll, RotationSines* frame) {
  AlongRoadFrame along;
  if (!MakeAlongRoadFrame(tangent, roll, &along)) return false;
  *frame = {along.sin_x, along.cos_x, along.sin_y, along.cos_y, along.sin_z, along.cos_z};
  return true;
}
