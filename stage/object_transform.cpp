#include "stage/object_transform.h"

ObjectTransform::ObjectTransform(const PlacedObject& object) : position_(object.position) {
  const RotationMatrix rotation =
      CameraMatrix(object.rotation.x, object.rotation.y, object.rotation.z);
  const float zoom[3] = {object.zoom.x, object.zoom.y, object.zoom.z};
  for (int i = 0; i < 9; ++i) m_[i] = rotation.m[i] * zoom[i % 3];
}
