#include "stage/object_placement.h"

#include <algorithm>
#include <cmath>

#include "stage/stage_rotation.h"

namespace {
Point3f Minus(const Point3f& a, const Point3f& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }

float ClampScale(float value) {
  if (!(value >= kObjectScaleMin)) return kObjectScaleMin;  // also NaN
  return std::min(value, kObjectScaleMax);
}

// Scale ratio of one axis; an old scale of 0 (only a damaged or hand-made object has one)
// cannot be scaled from and keeps the object as it is.
double Ratio(float now, float before) {
  return before > 0.0f ? static_cast<double>(now) / static_cast<double>(before) : 1.0;
}

void Message(PromptOwner owner, const char* text) {
  Prompter::Current().Message(owner, "Error", text, PromptIcon::kInformation, PromptButtons::kOk);
}
}  // namespace

bool SetObjectOrigin(Stage& stage, int32_t object, const Point3f& origin) {
  return stage.MoveObjectOrigin(object, origin);
}

bool SetObjectAxes(Stage& stage, int32_t object, const Point3f& axes) {
  if (!stage.HasObject(object)) return false;
  PlacedObject o = stage.Object(object);
  const Rotation3 change = CameraRotation(axes).Times(CameraRotation(o.axes).Transposed());
  o.position = Offset(change.Apply(Minus(o.position, o.origin)), o.origin);
  o.rotation = AnglesOfCameraRotation(change.Times(CameraRotation(o.rotation)));
  o.axes = axes;
  return stage.UpdateObject(object, o);
}

bool SetObjectScale(Stage& stage, int32_t object, const Point3f& scale) {
  if (!stage.HasObject(object)) return false;
  PlacedObject o = stage.Object(object);
  const Point3f clamped{ClampScale(scale.x), ClampScale(scale.y), ClampScale(scale.z)};
  const double k[3] = {Ratio(clamped.x, o.scale.x), Ratio(clamped.y, o.scale.y),
                       Ratio(clamped.z, o.scale.z)};
  // S = A * diag(k) * A^T scales along the object axes A.
  const Rotation3 axes = CameraRotation(o.axes);
  Rotation3 stretch;
  for (int i = 0; i < 9; ++i) stretch.m[i] = axes.m[i] * k[i % 3];
  const Rotation3 scaling = stretch.Times(axes.Transposed());
  o.position = Offset(scaling.Apply(Minus(o.position, o.origin)), o.origin);
  // Each model axis of the shape, seen in object axes, stretches by the length its
  // direction gets; exact when the object's rotation lies along the object axes (as it
  // does after RESETMOVE and every turn through the axes).
  const Rotation3 relative = axes.Transposed().Times(CameraRotation(o.rotation));
  float* zoom[3] = {&o.zoom.x, &o.zoom.y, &o.zoom.z};
  for (int j = 0; j < 3; ++j) {
    double length2 = 0.0;
    for (int i = 0; i < 3; ++i) {
      const double c = relative.m[i * 3 + j] * k[i];
      length2 += c * c;
    }
    *zoom[j] = static_cast<float>(static_cast<double>(*zoom[j]) * std::sqrt(length2));
  }
  o.scale = clamped;
  return stage.UpdateObject(object, o);
}

bool ResetObjectMove(Stage& stage) { return stage.ResetObjectCoordinates(stage.SelectedObject()); }

bool DragMoveObject(Stage& stage, DragView view, int32_t dx, int32_t dy, const AxisSwitches& held) {
  const int32_t id = stage.SelectedObject();
  if (!stage.HasObject(id)) return false;
  const Point3f origin = stage.Object(id).origin;
  return SetObjectOrigin(stage, id, Offset(origin, ViewDisplacement(view, dx, dy, 1.0, held)));
}

bool DragTurnObject(Stage& stage, DragView view, int32_t dx, int32_t dy, TurnAxes axes,
                    const AxisSwitches& held) {
  const int32_t id = stage.SelectedObject();
  if (!stage.HasObject(id)) return false;
  const double horizontal = 0.003 * static_cast<double>(dx);
  const double vertical = 0.003 * static_cast<double>(dy);
  double turn[3] = {0.0, 0.0, 0.0};  // about x, y, z
  switch (view) {
    case DragView::kPlan:
      turn[1] = horizontal;
      turn[0] = vertical;
      break;
    case DragView::kSide:
      turn[0] = horizontal;
      turn[2] = vertical;
      break;
    case DragView::kFront:
      turn[2] = horizontal;
      turn[0] = vertical;
      break;
  }
  if (held.x) turn[0] = 0.0;
  if (held.y) turn[1] = 0.0;
  if (held.z) turn[2] = 0.0;
  const Rotation3 step =
      CameraRotation(Point3f{static_cast<float>(turn[0]), 0.0f, 0.0f})
          .Times(CameraRotation(Point3f{0.0f, static_cast<float>(turn[1]), 0.0f}))
          .Times(CameraRotation(Point3f{0.0f, 0.0f, static_cast<float>(turn[2])}));
  const Rotation3 current = CameraRotation(stage.Object(id).axes);
  const Rotation3 turned = axes == TurnAxes::kScreen ? step.Times(current) : current.Times(step);
  return SetObjectAxes(stage, id, AnglesOfCameraRotation(turned));
}

bool DragZoomObject(Stage& stage, int32_t dy, const AxisSwitches& held) {
  const int32_t id = stage.SelectedObject();
  if (!stage.HasObject(id)) return false;
  const float step = -static_cast<float>(dy) * 0.5f;
  Point3f scale = stage.Object(id).scale;
  if (!held.x) scale.x += step;
  if (!held.y) scale.y += step;
  if (!held.z) scale.z += step;
  return SetObjectScale(stage, id, scale);
}

bool DragObjectOrigin(Stage& stage, DragView view, int32_t dx, int32_t dy, double zoom) {
  const int32_t id = stage.SelectedObject();
  if (!stage.HasObject(id) || !(zoom > 0.0)) return false;
  PlacedObject o = stage.Object(id);
  o.origin = Offset(o.origin, ViewDisplacement(view, dx, dy, 0.001 / zoom, AxisSwitches()));
  return stage.UpdateObject(id, o);
}

int32_t CopySelectedObject(Stage& stage) { return stage.CopyObject(stage.SelectedObject()); }

bool DeleteSelectedObject(Stage& stage) {
  const bool deleted = stage.DeleteObject(stage.SelectedObject());
  if (deleted) stage.SelectObject(-1);
  return deleted;
}

bool GlueSelectedObject(Stage& stage) {
  return stage.GlueObject(stage.SelectedObject(), stage.SelectedPartition());
}

bool UnglueSelectedObject(Stage& stage) {
  return stage.UnglueObject(stage.SelectedObject(), stage.SelectedPartition());
}

bool CanCreateBitmapObject(const Stage& stage, PromptOwner owner) {
  if (stage.GetTerrain().HasPartition(stage.SelectedPartition())) return true;
  Message(owner, "パーテーションを選択してください");
  return false;
}

bool CanCreateBackgroundObject(const Stage& stage, PromptOwner owner) {
  if (stage.GetTerrain().PartitionCount() > 0) return true;
  Message(owner, "路面データがありません。(.pat)または(.ste)ファイルをロードしてください");
  return false;
}
