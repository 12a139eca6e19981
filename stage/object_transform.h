// Where a placed object's shape lies in the world: a model point p of the shape goes to
// position + CameraMatrix(RX, RY, RZ) * (ZoomX * px, ZoomY * py, ZoomZ * pz), the zoom
// multiplying the model coordinates as they stand (100 draws a model a hundred times the
// size of its coordinates). The views draw and pick objects through it.
#pragma once

#include "render/rotation_matrix.h"
#include "stage/stage_records.h"

class ObjectTransform {
 public:
  explicit ObjectTransform(const PlacedObject& object);

  Point3f Apply(const Point3f& model) const {
    return {position_.x + m_[0] * model.x + m_[1] * model.y + m_[2] * model.z,
            position_.y + m_[3] * model.x + m_[4] * model.y + m_[5] * model.z,
            position_.z + m_[6] * model.x + m_[7] * model.y + m_[8] * model.z};
  }

 private:
  Point3f position_;
  float m_[9];  // the rotation with each column scaled by the zoom of its model axis
};
