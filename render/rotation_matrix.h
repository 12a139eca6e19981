// Rotation matrices of the cameras: nine floats in row order, applied as m * (x, y, z).
// ViewMatrix turns world directions into camera space (use it with the negated camera
// angles); CameraMatrix is its inverse form (camera space back to world).
#pragma once

#include "render/polygon.h"

// Sines and cosines of the three rotation angles (X = pitch, Y = heading, Z = roll).
struct AngleSines {
  float sin_x = 0.0f;
  float cos_x = 1.0f;
  float sin_y = 0.0f;
  float cos_y = 1.0f;
  float sin_z = 0.0f;
  float cos_z = 1.0f;
};

struct RotationMatrix {
  float m[9] = {1.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 1.0f};

  Point3f Apply(const Point3f& p) const {
    return {m[0] * p.x + m[1] * p.y + m[2] * p.z, m[3] * p.x + m[4] * p.y + m[5] * p.z,
            m[6] * p.x + m[7] * p.y + m[8] * p.z};
  }
};

// Each angle is rounded to a float before its sine and cosine are taken.
AngleSines SinesOfAngles(double x, double y, double z);
// The six values of the negated angles: (-sin, cos) of each.
AngleSines Negated(const AngleSines& sines);

RotationMatrix ViewMatrix(const AngleSines& s);
RotationMatrix ViewMatrix(double x, double y, double z);
RotationMatrix CameraMatrix(const AngleSines& s);
RotationMatrix CameraMatrix(double x, double y, double z);
