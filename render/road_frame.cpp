#include "render/road_frame.h"

#include <cmath>

bool MakeRoadFrame(double dx, double dy, double dz, double roll, AngleSines* frame) {
  const double h = std::sqrt(dx * dx + dz * dz);
  const double length = std::sqrt(h * h + dy * dy);
  if (!(length > 0.0)) return false;
  AngleSines f;
  if (h == 0.0) {
    f.sin_y = 1.0f;
    f.cos_y = 0.0f;
  } else {
    f.sin_y = static_cast<float>(dz / h);
    f.cos_y = static_cast<float>(-dx / h);
  }
  f.sin_x = static_cast<float>(dy / length);
  f.cos_x = static_cast<float>(h / length);
  f.sin_z = static_cast<float>(std::sin(roll));
  f.cos_z = static_cast<float>(std::cos(roll));
  *frame = f;
  return true;
}

bool MakeAlongRoadFrame(const double tangent[3], double roll, AlongRoadFrame* frame) {
  const double dx = tangent[0];
  const double dy = tangent[1];
  const double dz = tangent[2];
  const double h = std::sqrt(dx * dx + dz * dz);
  const double length = std::sqrt(dx * dx + dy * dy + dz * dz);
  if (!(length > 0.0)) return false;
  AlongRoadFrame f;
  if (h != 0.0) {
    f.sin_y = -dx / h;
    f.cos_y = dz / h;
  }
  f.sin_x = dy / length;
  f.cos_x = h / length;
  f.sin_z = std::sin(roll);
  f.cos_z = std::cos(roll);
  *frame = f;
  return true;
}
