// The frame of a direction of travel along the road: heading, pitch and roll of a tangent and
// a bank angle, as the six sines and cosines of a camera rotation (X = pitch, Y = heading,
// Z = roll). The course preview hands them to its camera; the stage editor builds a
// CameraMatrix from them.
#pragma once

#include "render/rotation_matrix.h"

// Fills *frame and returns true; a tangent of length 0 has no frame: returns false and
// leaves *frame unchanged (the course designer then reports, the stage editor keeps its old
// frame). A vertical tangent takes the heading sin 1, cos 0.
bool MakeRoadFrame(double dx, double dy, double dz, double roll, AngleSines* frame);
