// CameraControl1 is the camera of the course designer's parallel views (top, side, front);
// it also has a perspective attribute (0) that projects through its rotation. It owns the
// view's off-screen surface. Misuse is reported under "CameraControl1" at level 3.
#pragma once

#include <cstdint>

#include "foundation/surface16.h"
#include "render/rotation_matrix.h"

class CameraControl1 {
 public:
  enum Attribute : int32_t { kUnset = -1, kPerspective = 0, kTop = 1, kSide = 2, kFront = 3 };

  CameraControl1() = default;

  // Makes the view surface width x height and stores the size.
  void SetSurface(int32_t width, int32_t height);
  // Drops the surface's pixels (the size stays stored).
  void ReleaseSurface();
  Surface16& Surface() { return surface_; }
  const Surface16& Surface() const { return surface_; }
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }

  // 0..3 are stored; anything else is reported.
  void SetAttribute(int32_t attribute);
  int32_t GetAttribute() const { return attribute_; }

  void SetPosition(double x, double y, double z);
  void SetRotation(double rx, double ry, double rz);
  void GetPositionAndZoom(double* x, double* y, double* z, double* zoom) const;
  double PositionX() const { return position_x_; }
  double PositionY() const { return position_y_; }
  double PositionZ() const { return position_z_; }

  // Perspective only: clamped to [20, 1000] and stored as float. Parallel: reported.
  // Attribute unset: nothing.
  void SetScrnDst(double distance);
  double GetScrnDst() const;
  // Parallel only: clamped to [0.01, 300]. Perspective: reported. Unset: nothing.
  void SetZoom(double zoom);
  double GetZoom() const;

  // Adds the components the attribute moves in: perspective all three, top dX and dZ,
  // side dY and dZ, front dX and dY.
  void Move(double dx, double dy, double dz);
  // Perspective only: W = ViewMatrix(-Rx, -Ry, -Rz), M = CameraMatrix(Rx, Ry, Rz).
  void UpdateMatrices();
  const RotationMatrix& WorldToCameraMatrix() const { return w_; }
  const RotationMatrix& CameraToWorldMatrix() const { return m_; }

  // 0 = projected; 1 = perspective point nearer than ScrnDst (outputs untouched).
  int32_t WorldToScreen(double x, double y, double z, double* screen_x, double* screen_y,
                        double* depth) const;
  // Parallel attributes: 0 and the world point on the view's plane through the position.
  // Perspective: reported, 1.
  int32_t ScreenToWorld(int32_t screen_x, int32_t screen_y, double* x, double* y,
                        double* z) const;

 private:
  double position_x_ = 0.0;
  double position_y_ = 0.0;
  double position_z_ = 0.0;
  double rx_ = 0.0;
  double ry_ = 0.0;
  double rz_ = 0.0;
  float scrn_dst_ = 256.0f;
  double zoom_ = 0.1;
  Surface16 surface_;
  int32_t width_ = 0;
  int32_t height_ = 0;
  int32_t attribute_ = kUnset;
  RotationMatrix w_;
  RotationMatrix m_;
};
