#include "stage/views/camera_modes.h"

#include <algorithm>
#include <cmath>

#include "render/road_frame.h"
#include "stage/road_pose.h"
#include "stage/stage_rotation.h"

PartitionRange DisplayedRange(const Stage& stage) {
  int32_t first = 0;
  int32_t last = 0;
  if (!stage.ActiveRange(&first, &last)) return {};
  return {first, last - first + 1};
}

PartitionRange RoadCameraRange(const Stage& stage, int32_t road_mode) {
  switch (road_mode) {
    case kRoadModeRoad:
      return DisplayedRange(stage);
    case kRoadModeLap:
      return {0, stage.GetTerrain().PartitionCount()};
    default:
      return {};
  }
}

bool PlaceRoadCamera(const Stage& stage, CameraModeRecord* mode) {
  if (mode->road_mode != kRoadModeRoad && mode->road_mode != kRoadModeLap) return false;
  const PartitionRange range = RoadCameraRange(stage, mode->road_mode);
  if (range.Empty()) {
    mode->partition = -1;
    mode->fraction = 0.0f;
    return false;
  }
  if (mode->partition == -1 || !std::isfinite(mode->fraction)) {
    mode->partition = range.first;
    mode->fraction = 0.0f;
  } else {
    // Whole partitions of the fraction move the index; a carry beyond any stage clamps.
    const double carry = std::floor(static_cast<double>(mode->fraction));
    const double index =
        std::clamp(static_cast<double>(mode->partition) + carry,
                   static_cast<double>(range.first) - 1.0, static_cast<double>(range.Last()) + 1.0);
    mode->partition = static_cast<int32_t>(index);
    mode->fraction = static_cast<float>(static_cast<double>(mode->fraction) - carry);
  }
  if (mode->partition < range.first) {
    mode->partition = range.first;
    mode->fraction = 0.0f;
  } else if (mode->partition > range.Last()) {
    mode->partition = range.Last();
    mode->fraction = 1.0f;
  }

  RoadPose pose;
  ComputeRoadPose(stage.GetTerrain(), mode->partition, mode->fraction, &pose);
  AlongRoadFrame frame;
  StageCameraRecord& camera = mode->camera;
  Rotation3 road;
  if (MakeAlongRoadFrame(pose.tangent, pose.roll, &frame)) {
    road = CameraRotation(RotationSines{frame.sin_x, frame.cos_x, frame.sin_y, frame.cos_y,
                                        frame.sin_z, frame.cos_z});
  } else {
    // A road without direction here: the camera keeps the frame it had.
    road = CameraRotation(Point3f{camera.rx, camera.ry, camera.rz})
               .Times(CameraRotation(Point3f{mode->pitch, mode->yaw, 0.0f}).Transposed());
  }
  const Point3f up = road.Apply({0.0f, mode->height, 0.0f});
  camera.position_x = static_cast<float>(pose.centre[0] + up.x);
  camera.position_y = static_cast<float>(pose.centre[1] + up.y);
  camera.position_z = static_cast<float>(pose.centre[2] + up.z);
  const Point3f angles =
      AnglesOfCameraRotation(road.Times(CameraRotation(Point3f{mode->pitch, mode->yaw, 0.0f})));
  camera.rx = angles.x;
  camera.ry = angles.y;
  camera.rz = angles.z;
  return true;
}

namespace {
float ClampAngle(float angle) {
  if (!(angle >= -kAngleLimit)) return -kAngleLimit;  // also NaN
  return std::min(angle, kAngleLimit);
}
}  // namespace

void DragAlongRoad(CameraModeRecord* mode, int32_t dy) {
  mode->fraction -= kAlongRoadPerPixel * static_cast<float>(dy);
}

void DragHeight(CameraModeRecord* mode, int32_t dy) {
  const float height = mode->height - kHeightPerPixel * static_cast<float>(dy);
  mode->height = std::clamp(std::isfinite(height) ? height : 0.0f, 0.0f, kHeightMax);
}

void DragPitchYaw(CameraModeRecord* mode, int32_t dx, int32_t dy) {
  mode->yaw = ClampAngle(mode->yaw - kTurnPerPixel * static_cast<float>(dx));
  mode->pitch = ClampAngle(mode->pitch - kTurnPerPixel * static_cast<float>(dy));
}

void DragTurn(CameraModeRecord* mode, int32_t dx, int32_t dy, bool roll) {
  StageCameraRecord& camera = mode->camera;
  if (roll) {
    camera.rz += kTurnPerPixel * static_cast<float>(dx);
    return;
  }
  camera.ry -= kTurnPerPixel * static_cast<float>(dx);
  camera.rx -= kTurnPerPixel * static_cast<float>(dy);
}

void DragLensZoom(CameraModeRecord* mode, int32_t dy) {
  StageCameraRecord& camera = mode->camera;
  const float wanted = camera.lenz_dst - kLensPerPixel * static_cast<float>(dy);
  const float lens = std::clamp(std::isfinite(wanted) ? wanted : camera.lenz_dst, kLensDistanceMin,
                                kLensDistanceMax);
  camera.pivot_dst += lens - camera.lenz_dst;
  camera.lenz_dst = lens;
}

void DragFreeMove(CameraModeRecord* mode, int32_t dx, int32_t dy, bool vertical) {
  StageCameraRecord& camera = mode->camera;
  if (vertical) {
    camera.position_y -= kFreeMovePerPixel * static_cast<float>(dy);
    return;
  }
  // The heading's forward direction on the ground is (-sin Ry, 0, cos Ry), its right-hand
  // side (cos Ry, 0, sin Ry).
  const float s = std::sin(camera.ry);
  const float c = std::cos(camera.ry);
  const float ahead = -kFreeMovePerPixel * static_cast<float>(dy);
  const float across = kFreeMovePerPixel * static_cast<float>(dx);
  camera.position_x += -s * ahead + c * across;
  camera.position_z += c * ahead + s * across;
}

int32_t ModeOfButton(int32_t command_id) {
  switch (command_id) {
    case kFreeButton:
      return 0;
    case kRoadButton:
    case kRenderButton:
      return 1;
    case kRenderAroundButton:
      return 2;
    default:
      return -1;
  }
}

int32_t RenderFlagOfButton(int32_t command_id) {
  switch (command_id) {
    case kFreeButton:
    case kRoadButton:
      return 0;
    case kRenderButton:
    case kRenderAroundButton:
      return 1;
    default:
      return -1;
  }
}

bool PressModeButton(PerspectiveViewRecord* view, int32_t command_id) {
  const int32_t mode = ModeOfButton(command_id);
  if (mode < 0) return false;
  view->pressed_button = command_id;
  view->current_mode = mode;
  view->modes[mode].render_flag = RenderFlagOfButton(command_id);
  return true;
}

void LoadCamera(const StageCameraRecord& record, StageCamera* camera) {
  camera->SetPosition(record.position_x, record.position_y, record.position_z);
  camera->SetRotation(record.rx, record.ry, record.rz);
  camera->SetLens(record.lenz_width, record.lenz_height, record.lenz_dst, record.pivot_dst,
                  record.far_dst);
}
