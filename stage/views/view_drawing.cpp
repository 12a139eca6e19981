#include "stage/views/view_drawing.h"

#include "stage/views/camera_modes.h"
#include "stage/views/view_tools.h"

int32_t ParallelAttribute(int32_t view_kind) {
  switch (view_kind) {
    case kSideViewKind:
      return ParallelCamera::kSide;
    case kFrontViewKind:
      return ParallelCamera::kFront;
    default:
      return ParallelCamera::kTop;
  }
}

void SetUpParallelCamera(ParallelCamera* camera, int32_t view_kind,
                         const ParallelViewRecord& record, int32_t width, int32_t height) {
  camera->SetAttribute(ParallelAttribute(view_kind));
  camera->MakeSurface(width, height);
  camera->SetUnitX(1.0f);
  camera->SetUnitY(camera->Width() > 0
                       ? static_cast<float>(camera->Height()) / static_cast<float>(camera->Width())
                       : 1.0f);
  camera->SetPositionAndZoom(record.position_x, record.position_y, record.position_z, record.zoom);
}

void SaveParallelCamera(const ParallelCamera& camera, ParallelViewRecord* record) {
  camera.GetPositionAndZoom(&record->position_x, &record->position_y, &record->position_z,
                            &record->zoom);
}

WireRequest RequestFor(const Stage& stage, int32_t view_kind, const ViewLook& look) {
  WireRequest request;
  request.edit_mode = EditMode(look.tools);
  request.markers = look.markers;
  request.current = stage.SelectedPartition();
  request.range = DisplayedRange(stage);
  request.axes = ShowsAxes(look.tools);
  // The tools that pick points show where they are: wires standing in one straight line
  // outward from the road would otherwise hide their points in the line.
  request.point_dots = PicksPoints(look.tools);
  const AxisSwitches held = HeldAxes(look.tools);
  request.held[0] = held.x;
  request.held[1] = held.y;
  request.held[2] = held.z;
  switch (view_kind) {
    case kPerspectiveViewKind:
      // Unsorted filled faces would cover each other wrongly: only the selection is filled.
      request.fill = WireRequest::Fill::kSelectedFaces;
      break;
    case kPartitionViewKind:
      request.grid = false;
      request.free_objects = false;
      request.point_dots = true;
      break;
    default:
      break;
  }
  return request;
}

void DrawParallelView(const Stage& stage, ParallelCamera& camera, int32_t view_kind,
                      const ViewLook& look, WirePicture* picture) {
  ParallelCanvas canvas(camera, *look.textures);
  camera.ClearDisplayLists();
  DrawWireLayers(stage, canvas, RequestFor(stage, view_kind, look), picture);
}

void DrawPartitionView(const Stage& stage, PartitionCamera& camera,
                       const PartitionViewRecord& toggles, const ViewLook& look,
                       WirePicture* picture) {
  WireRequest request = RequestFor(stage, kPartitionViewKind, look);
  const int32_t p = stage.SelectedPartition();
  request.range = {};
  if (camera.Place(stage, p, toggles.horizontal != 0)) {
    const bool previous = toggles.show_previous != 0 && p > 0;
    request.range = {previous ? p - 1 : p, previous ? 2 : 1};
  }
  PartitionCanvas canvas(camera, *look.textures);
  DrawWireLayers(stage, canvas, request, picture);
}

void DrawPerspectiveView(const Stage& stage, PerspectiveViewRecord* view, StageCamera& camera,
                         const ViewLook& look, PerspectivePicture* picture) {
  const int32_t index = view->current_mode >= 0 && view->current_mode < 3 ? view->current_mode : 0;
  CameraModeRecord& mode = view->modes[index];
  picture->on_road = PlaceRoadCamera(stage, &mode);
  LoadCamera(mode.camera, &camera);
  picture->wire.hits.clear();
  picture->wire.markers.clear();
  picture->rendered = mode.render_flag == 1;
  if (picture->rendered) {
    picture->counts = DrawRenderedView(stage, camera, *look.textures, view->settings,
                                       picture->on_road ? mode.partition : -1);
    return;
  }
  PerspectiveCanvas canvas(camera, *look.textures);
  DrawWireLayers(stage, canvas, RequestFor(stage, kPerspectiveViewKind, look), &picture->wire);
}
