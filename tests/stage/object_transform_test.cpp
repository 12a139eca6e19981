#include "stage/object_transform.h"

#include <gtest/gtest.h>

#include <cmath>

#include "render/rotation_matrix.h"

namespace {

// A model point goes to position + CameraMatrix(rotation) * (zoom * point).
TEST(ObjectTransformTest, ZoomThenRotationThenPosition) {
  struct Case {
    Point3f position, rotation, zoom, model, want;
  };
  const float quarter = 1.5707964f;
  const Case cases[] = {
      {{0, 0, 0}, {0, 0, 0}, {100, 100, 100}, {0.1f, 0.2f, 0.3f}, {10, 20, 30}},
      {{5, 6, 7}, {0, 0, 0}, {100, 50, 10}, {1, 1, 1}, {105, 56, 17}},
      // A quarter turn of heading takes the model's x axis onto world z.
      {{0, 0, 0}, {0, quarter, 0}, {100, 100, 100}, {1, 0, 0}, {0, 0, 100}},
      {{0, 0, 0}, {0, quarter, 0}, {200, 100, 100}, {0, 0, 1}, {-100, 0, 0}},
      // Pitch lifts the model's z axis.
      {{0, 0, 0}, {quarter, 0, 0}, {100, 100, 100}, {0, 0, 1}, {0, 100, 0}},
  };
  for (const Case& c : cases) {
    PlacedObject object;
    object.position = c.position;
    object.rotation = c.rotation;
    object.zoom = c.zoom;
    const Point3f got = ObjectTransform(object).Apply(c.model);
    EXPECT_NEAR(got.x, c.want.x, 1e-3) << c.rotation.x << " " << c.rotation.y;
    EXPECT_NEAR(got.y, c.want.y, 1e-3) << c.rotation.x << " " << c.rotation.y;
    EXPECT_NEAR(got.z, c.want.z, 1e-3) << c.rotation.x << " " << c.rotation.y;
  }
  // Any rotation agrees with the camera matrix the views project with.
  PlacedObject object;
  object.rotation = {0.3f, -1.1f, 0.7f};
  object.zoom = {30, 40, 50};
  const RotationMatrix m = CameraMatrix(0.3, -1.1, 0.7);
  const Point3f got = ObjectTransform(object).Apply({1, 2, 3});
  EXPECT_NEAR(got.x, m.m[0] * 30 + m.m[1] * 80 + m.m[2] * 150, 1e-3);
  EXPECT_NEAR(got.y, m.m[3] * 30 + m.m[4] * 80 + m.m[5] * 150, 1e-3);
  EXPECT_NEAR(got.z, m.m[6] * 30 + m.m[7] * 80 + m.m[8] * 150, 1e-3);
}

}  // namespace
