// PerspecDisp1 builds the course preview's picture: it puts the preview camera 10 units above
// the road at the course marker, looking along the road and banked with it, and draws the
// quadrilaterals between consecutive cross-sections, farthest first, as white outlines
// (mode 0) or textured with back faces culled (mode 1). Qt-free.
#pragma once

#include <cstdint>

#include "render/gui/road_strip.h"
#include "render/perspec_camera.h"

class PerspecDisp1 {
 public:
  static constexpr int32_t kMaxSections = 20;
  static constexpr float kCameraHeight = 10.0f;
  static constexpr int32_t kWireMode = 0;
  static constexpr int32_t kTextureMode = 1;

  // Sets the camera's rotation to the road frame at the marker and its position above the
  // road, then updates it. False (camera untouched) without a marker or when the tangent
  // has no length: the road has no direction there to look along.
  static bool PlaceCamera(PerspecCamera1& camera, const RoadStrip& road);

  // Clears the camera's surface and draws the strip. Returns the number of quadrilaterals
  // handed to the camera (0 when fewer than two cross-sections or no frame).
  static int32_t Draw(PerspecCamera1& camera, const RoadStrip& road, int32_t texture_id,
                      int32_t mode);
};
