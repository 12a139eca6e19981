#include "render/gui/perspec_disp.h"

#include <algorithm>

#include "render/road_frame.h"
#include "render/rotation_matrix.h"

bool PerspecDisp1::PlaceCamera(PerspecCamera1& camera, const RoadStrip& road) {
  if (!road.has_marker || camera.State() == 0) return false;
  // The road frame's heading, taken of the tangent as it stands, turns the camera's view
  // direction into the tangent mirrored about the line x = -z: a camera given it looks across
  // the road wherever the road does not run along that line. Handing the frame the tangent
  // mirrored the same way makes the camera look along the road; pitch and bank are unchanged.
  AngleSines frame;
  if (!MakeRoadFrame(-road.tangent[2], road.tangent[1], -road.tangent[0], road.roll, &frame)) {
    return false;
  }
  camera.SetRotation(frame);
  // Straight up in the road's own frame: banked with the road.
  const Point3f up = CameraMatrix(frame).Apply({0.0f, kCameraHeight, 0.0f});
  camera.SetPosition(static_cast<float>(road.position[0]) + up.x,
                     static_cast<float>(road.position[1]) + up.y,
                     static_cast<float>(road.position[2]) + up.z);
  camera.Update();
  return true;
}

int32_t PerspecDisp1::Draw(PerspecCamera1& camera, const RoadStrip& road, int32_t texture_id,
                           int32_t mode) {
  if (camera.State() == 0) return 0;
  camera.Surface().Fill(0);
  if (!PlaceCamera(camera, road)) return 0;
  const int32_t count = std::min<int32_t>(static_cast<int32_t>(road.sections.size()), kMaxSections);
  if (count < 2) return 0;

  Point3f first[kMaxSections];
  Point3f second[kMaxSections];
  for (int32_t i = 0; i < count; ++i) {
    const RoadCrossSection& s = road.sections[static_cast<size_t>(i)];
    first[i] = camera.WorldToCamera({static_cast<float>(s.first[0]), static_cast<float>(s.first[1]),
                                     static_cast<float>(s.first[2])});
    second[i] =
        camera.WorldToCamera({static_cast<float>(s.second[0]), static_cast<float>(s.second[1]),
                              static_cast<float>(s.second[2])});
  }
  int32_t drawn = 0;
  // Painter's order: the road ahead runs away from the camera, so the last quad is farthest.
  for (int32_t i = count - 2; i >= 0; --i) {
    Point3f points[kPolygonCapacity] = {first[i], second[i], second[i + 1], first[i + 1]};
    TexCoord2f coords[kPolygonCapacity] = {{0.0f, 0.0f}, {1.0f, 0.0f}, {1.0f, 1.0f}, {0.0f, 1.0f}};
    camera.DrawPolygon(points, coords, 4, texture_id, mode);
    ++drawn;
  }
  return drawn;
}
