#include "render/rotation_matrix.h"

#include <cmath>

AngleSines SinesOfAngles(double x, double y, double z) {
  const double fx = static_cast<float>(x);
  const double fy = static_cast<float>(y);
  const double fz = static_cast<float>(z);
  AngleSines s;
  s.sin_x = static_cast<float>(std::sin(fx));
  s.cos_x = static_cast<float>(std::cos(fx));
  s.sin_y = static_cast<float>(std::sin(fy));
  s.cos_y = static_cast<float>(std::cos(fy));
  s.sin_z = static_cast<float>(std::sin(fz));
  s.cos_z = static_cast<float>(std::cos(fz));
  return s;
}

AngleSines Negated(const AngleSines& s) {
  return {-s.sin_x, s.cos_x, -s.sin_y, s.cos_y, -s.sin_z, s.cos_z};
}

RotationMatrix ViewMatrix(const AngleSines& s) {
  const float sx = s.sin_x, cx = s.cos_x, sy = s.sin_y, cy = s.cos_y, sz = s.sin_z,
              cz = s.cos_z;
  RotationMatrix r;
  r.m[0] = sz * sx * sy + cz * cy;
  r.m[1] = sz * cx;
  r.m[2] = sz * sx * cy - cz * sy;
  r.m[3] = cz * sx * sy - sz * cy;
  r.m[4] = cz * cx;
  r.m[5] = cz * sx * cy + sz * sy;
  r.m[6] = cx * sy;
  r.m[7] = -sx;
  r.m[8] = cx * cy;
  return r;
}

RotationMatrix ViewMatrix(double x, double y, double z) { return ViewMatrix(SinesOfAngles(x, y, z)); }

RotationMatrix CameraMatrix(const AngleSines& s) {
  const float sx = s.sin_x, cx = s.cos_x, sy = s.sin_y, cy = s.cos_y, sz = s.sin_z,
              cz = s.cos_z;
  RotationMatrix r;
  r.m[0] = cy * cz - sy * sx * sz;
  r.m[1] = sy * sx * cz + cy * sz;
  r.m[2] = -sy * cx;
  r.m[3] = -cx * sz;
  r.m[4] = cx * cz;
  r.m[5] = sx;
  r.m[6] = cy * sx * sz + sy * cz;
  r.m[7] = sy * sz - cy * sx * cz;
  r.m[8] = cy * cx;
  return r;
}

RotationMatrix CameraMatrix(double x, double y, double z) {
  return CameraMatrix(SinesOfAngles(x, y, z));
}
