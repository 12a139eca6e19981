#include "stage/work_window_values.h"

#include "stage/value_dialog_fields.h"

namespace {

CoordinateTexts Texts(const Point3f& value) {
  return {ValueFieldText(value.x), ValueFieldText(value.y), ValueFieldText(value.z)};
}

CoordinateTexts NoTexts() {
  return {kCoordinateTextNone, kCoordinateTextNone, kCoordinateTextNone};
}

// The position of the selected wire end (a road end for wire -1).
bool SelectedPointPosition(const Stage& stage, Point3f* position) {
  const PointRef point = stage.SelectedPoint();
  if (!point.Selected()) return false;
  WirePoint wire;
  if (!stage.GetTerrain().ReadWirePoint(point.partition, point.wire, point.side, &wire)) {
    return false;
  }
  *position = point.end == kEndB ? wire.end_b : wire.end_a;
  return true;
}

}  // namespace

bool ShowsCoordinates(ToolPanel panel) {
  return panel == ToolPanel::kMode0Work2 || panel == ToolPanel::kMode1Work0 ||
         panel == ToolPanel::kMode1Work1 || panel == ToolPanel::kMode1Work2;
}

CoordinateTexts WorkWindowTexts(const Stage& stage, ToolPanel panel) {
  if (panel == ToolPanel::kMode0Work2) {
    Point3f position;
    return SelectedPointPosition(stage, &position) ? Texts(position) : NoTexts();
  }
  const int32_t id = stage.SelectedObject();
  if (!ShowsCoordinates(panel) || id == -1 || !stage.HasObject(id)) return NoTexts();
  const PlacedObject object = stage.Object(id);
  switch (panel) {
    case ToolPanel::kMode1Work0:
      return Texts(object.origin);
    case ToolPanel::kMode1Work1:
      return {ValueFieldText(DegreesForField(object.axes.x)),
              ValueFieldText(DegreesForField(object.axes.y)),
              ValueFieldText(DegreesForField(object.axes.z))};
    default:
      return Texts(object.scale);
  }
}
