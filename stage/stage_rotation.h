// Rotations of the editing operations: the camera-matrix form of three angles (the form the
// views place objects with), the road frame of a tangent and roll, and the way back from a
// matrix to three angles. Computed in double precision; the model stores floats.
#pragma once

#include "stage/stage_records.h"

struct Rotation3 {
  double m[9] = {1.0, 0.0, 0.0, 0.0, 1.0, 0.0, 0.0, 0.0, 1.0};

  Point3f Apply(const Point3f& p) const;
  Rotation3 Times(const Rotation3& right) const;
  Rotation3 Transposed() const;
};

// The sines and cosines of angles X (pitch), Y (heading), Z (roll).
struct RotationSines {
  double sin_x = 0.0;
  double cos_x = 1.0;
  double sin_y = 0.0;
  double cos_y = 1.0;
  double sin_z = 0.0;
  double cos_z = 1.0;
};

RotationSines SinesOfAngles(const Point3f& angles);
// The camera form: camera space (or model space) to world.
Rotation3 CameraRotation(const RotationSines& s);
Rotation3 CameraRotation(const Point3f& angles);
// Angles (X, Y, Z) whose CameraRotation is `r`; X within [-pi/2, pi/2]. With cos X near 0
// the roll is taken as 0.
Point3f AnglesOfCameraRotation(const Rotation3& r);
// The frame the partition lines of a course are built with, for tangent (dx, dy, dz) and
// roll: heading sin -dx/h, cos dz/h (sin 0, cos 1 for a vertical tangent), pitch sin dy/L,
// cos h/L, roll sin, cos of `roll`. Its CameraRotation takes the camera's forward axis onto
// the tangent and its first column is the line's lateral direction (right end towards left
// end). False (frame untouched) for a tangent of length 0.
bool LineFrameSines(const double tangent[3], double roll, RotationSines* frame);
