// The frames of a direction of travel along the road: heading, pitch and roll of a tangent
// and a bank angle, as the six sines and cosines of a rotation (X = pitch, Y = heading,
// Z = roll).
#pragma once

#include "render/rotation_matrix.h"

// The course preview's frame. Fills *frame and returns true; a tangent of length 0 has no
// frame: returns false and leaves *frame unchanged (the course designer then reports, the
// stage editor keeps its old frame). A vertical tangent takes the heading sin 1, cos 0.
bool MakeRoadFrame(double dx, double dy, double dz, double roll, AngleSines* frame);

// The frame a course's partition lines are built with, and that everything following the
// road in the stage editor uses (the road camera, the wire copy): heading sin -dx/h,
// cos dz/h with h the horizontal length (sin 0, cos 1 for a vertical tangent), pitch
// sin dy/L, cos h/L with L the tangent's length, roll sin, cos of `roll`. Its camera matrix
// takes the camera's forward axis onto the tangent; its first column is the line's lateral
// direction, from the right end towards the left end. False (frame untouched) for a tangent
// of length 0.
struct AlongRoadFrame {
  double sin_x = 0.0;
  double cos_x = 1.0;
  double sin_y = 0.0;
  double cos_y = 1.0;
  double sin_z = 0.0;
  double cos_z = 1.0;
};
bool MakeAlongRoadFrame(const double tangent[3], double roll, AlongRoadFrame* frame);
