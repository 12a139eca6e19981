#include "stage/views/wire_layers.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

#include "render/numeric_conversion.h"
#include "stage/object_transform.h"

uint16_t FloatColour555(float red, float green, float blue) {
  auto level = [](float value) {
    if (!(value > 0.0f)) return 0;  // also NaN
    return static_cast<int>(std::lround(std::min(value, 1.0f) * 31.0f));
  };
  return static_cast<uint16_t>((level(red) << 10) | (level(green) << 5) | level(blue));
}

void GridOrigin(float cx, float cz, float* x0, float* z0) {
  *x0 = static_cast<float>(std::trunc((static_cast<double>(cx) - 2100.0) * 0.005) * 200.0);
  *z0 = static_cast<float>(std::trunc((static_cast<double>(cz) + 2100.0) * 0.005) * 200.0);
}

namespace {

constexpr int32_t kGridPen = 0;
constexpr int32_t kRoadPen = 1;
constexpr int32_t kCurrentPen = 2;
constexpr int32_t kWireAPen = 3;
constexpr int32_t kWireBPen = 4;
constexpr int32_t kFacePen = 5;
constexpr int32_t kFreeObjectPen = 6;
constexpr int32_t kGluedObjectPen = 7;
constexpr int32_t kSelectedObjectPen = 8;
constexpr int32_t kCurrentGluePen = 9;
constexpr int32_t kMarkPen = 10;
constexpr int32_t kAxisPens[3] = {2, 1, 6};

class WireDrawer {
 public:
  WireDrawer(const Stage& stage, ViewCanvas& canvas, const WireRequest& request,
             WirePicture* picture)
      : stage_(stage),
        terrain_(stage.GetTerrain()),
        canvas_(canvas),
        request_(request),
        picture_(picture) {}

  void Draw() {
    canvas_.Target().Fill(0);
    picture_->hits.clear();
    picture_->markers.clear();
    if (request_.range.Empty()) return;
    if (request_.grid) Grid();
    if (request_.fill != WireRequest::Fill::kNone) FaceLayer();
    for (int32_t p = request_.range.first; p <= request_.range.Last(); ++p) Partition(p);
    Objects();
    if (request_.selection_marks) SelectionMarks();
    PointMarkers();
    if (terrain_.HasPartition(request_.current)) {
      Point3f corners[4];
      terrain_.PartitionCorners(request_.current, corners);
      canvas_.Polyline(corners, 4, true, StagePen(kCurrentPen));
    }
  }

 private:
  bool Terrain0() const { return request_.edit_mode == 0; }

  void Record(const HitRecord& hit) {
    const Surface16& surface = canvas_.Target();
    if (hit.x1 >= hit.x0 && hit.y1 >= hit.y0 && hit.x1 >= 0 && hit.y1 >= 0 &&
        hit.x0 <= surface.Width() && hit.y0 <= surface.Height()) {
      picture_->hits.push_back(hit);
    }
  }

  void Grid() {
    const int32_t p =
        terrain_.HasPartition(request_.current) ? request_.current : request_.range.first;
    Point3f corners[4];
    if (!terrain_.PartitionCorners(p, corners)) return;
    float cx = 0.0f, cz = 0.0f;
    for (const Point3f& c : corners) {
      cx += c.x;
      cz += c.z;
    }
    float x0 = 0.0f, z0 = 0.0f;
    GridOrigin(cx / 4.0f, cz / 4.0f, &x0, &z0);
    const float span = kGridStep * static_cast<float>(kGridLines - 1);
    const Pen pen = StagePen(kGridPen);
    for (int32_t k = 0; k < kGridLines; ++k) {
      const float x = x0 + kGridStep * static_cast<float>(k);
      const Point3f line[2] = {{x, 0.0f, z0}, {x, 0.0f, z0 - span}};
      canvas_.Polyline(line, 2, false, pen);
    }
    for (int32_t k = 0; k < kGridLines; ++k) {
      const float z = z0 - kGridStep * static_cast<float>(k);
      const Point3f line[2] = {{x0, 0.0f, z}, {x0 + span, 0.0f, z}};
      canvas_.Polyline(line, 2, false, pen);
    }
  }

  // The four corners of a face; false when it does not exist.
  bool FaceCorners(const FaceRef& face, Point3f corners[4]) const {
    if (face.side == kRoadFaceSide) return terrain_.PartitionCorners(face.partition, corners);
    return terrain_.FaceQuad(face.partition, face.side, face.wire, corners) == 0;
  }

  void FillFace(const FaceRef& face) {
    Point3f corners[4];
    if (!FaceCorners(face, corners)) return;
    const FaceAttribute look = terrain_.Face(face);
    TextureView texture;
    if (look.Textured() && canvas_.Textures().Texture(look.picture, &texture)) {
      TexCoord2f coords[4];
      for (int k = 0; k < 4; ++k) coords[k] = {look.corners[k].u, look.corners[k].v};
      canvas_.FillTextured(corners, coords, 4, look.picture);
    } else {
      canvas_.FillFlat(corners, 4, FloatColour555(look.red, look.green, look.blue));
    }
  }

  void FaceLayer() {
    if (request_.fill == WireRequest::Fill::kSelectedFaces) {
      for (int32_t i = 0; i < stage_.PickedCount(); ++i) {
        const FaceRef face = stage_.PickedAt(i);
        if (request_.range.Contains(face.partition)) FillFace(face);
      }
      return;
    }
    for (int32_t p = request_.range.first; p <= request_.range.Last(); ++p) {
      FillFace({p, kRoadFaceSide, -1});
      for (int32_t side = 0; side < 2; ++side) {
        for (int32_t w = 0; w < terrain_.FaceRun(p, side); ++w) FillFace({p, side, w});
      }
    }
  }

  void RecordPoint(const Point3f& at, const PointRef& point) {
    float x = 0.0f, y = 0.0f;
    if (!canvas_.ScreenPoint(at, &x, &y)) return;
    const int32_t px = TruncToInt32(x);
    const int32_t py = TruncToInt32(y);
    if (request_.point_dots) {
      const Point3f square[4] = {{x - 2.0f, y - 2.0f, 0.0f},
                                 {x + 2.0f, y - 2.0f, 0.0f},
                                 {x + 2.0f, y + 2.0f, 0.0f},
                                 {x - 2.0f, y + 2.0f, 0.0f}};
      DrawPolyline(canvas_.Target(), square, 4, true, StagePen(kSelectedObjectPen));
    }
    Record(PointHit(px - kPointPickReach, py - kPointPickReach, px + kPointPickReach,
                    py + kPointPickReach, point));
  }

  void Wires(int32_t p, int32_t side) {
    const int32_t count = terrain_.WireCount(p, side);
    WirePoint road_end;
    terrain_.ReadWirePoint(p, kRoadEndWire, side, &road_end);
    // Both lines run from the road end outward; B first so joined wires show their A line.
    for (int32_t end : {kEndB, kEndA}) {
      Point3f line[2] = {road_end.end_a, road_end.end_a};
      for (int32_t w = 0; w < count; ++w) {
        const TerrainWire wire = terrain_.Wire(p, side, w);
        line[1] = end == kEndA ? wire.end_a : wire.end_b;
        canvas_.Polyline(line, 2, false, StagePen(end == kEndA ? kWireAPen : kWireBPen));
        line[0] = line[1];
      }
    }
    for (int32_t w = 0; w < terrain_.FaceRun(p, side); ++w) {
      Point3f quad[4];
      if (terrain_.FaceQuad(p, side, w, quad) != 0) continue;
      canvas_.Polyline(quad, 4, true, StagePen(kFacePen));
      ScreenBox box;
      if (Terrain0() && canvas_.Bounds(quad, 4, &box)) {
        Record(FaceHit(box.x0, box.y0, box.x1, box.y1, {p, side, w}));
      }
    }
    if (!Terrain0()) return;
    for (int32_t w = 0; w < count; ++w) {
      const TerrainWire wire = terrain_.Wire(p, side, w);
      RecordPoint(wire.end_a, {p, side, w, kEndA});
      if (wire.joined != 1) RecordPoint(wire.end_b, {p, side, w, kEndB});
    }
    RecordPoint(road_end.end_a, {p, side, kRoadEndWire, kEndA});
  }

  void Partition(int32_t p) {
    if (request_.terrain) {
      Wires(p, kLeftSide);
      Wires(p, kRightSide);
    }
    Point3f corners[4];
    terrain_.PartitionCorners(p, corners);
    canvas_.Polyline(corners, 4, true, StagePen(kRoadPen));
    ScreenBox box;
    if (canvas_.Bounds(corners, 4, &box)) {
      Record(PartitionHit(box.x0, box.y0, box.x1, box.y1, p));
      if (Terrain0()) Record(FaceHit(box.x0, box.y0, box.x1, box.y1, {p, kRoadFaceSide, -1}));
    }
    if (!request_.glued_objects) return;
    for (int32_t i = 0; i < terrain_.GlueCount(p); ++i) {
      const int32_t object = terrain_.GlueAt(p, i).object;
      if (object == stage_.SelectedObject() || terrain_.FindGlue(request_.current, object) != -1) {
        continue;
      }
      DrawObjectOnce(object, StagePen(kGluedObjectPen), kHitGluedObject);
    }
  }

  // Objects are drawn once each, however many partitions of the range hold them.
  bool TakeDrawn(int32_t object) { return drawn_.insert(object).second; }

  void DrawObjectOnce(int32_t object, const Pen& pen, int32_t kind) {
    if (TakeDrawn(object)) DrawObject(object, pen, kind);
  }

  void DrawObject(int32_t id, const Pen& pen, int32_t kind) {
    if (!stage_.HasObject(id)) return;
    const PlacedObject object = stage_.Object(id);
    const ShapeLibrary& shapes = stage_.GetShapes();
    if (!shapes.Contains(object.shape)) return;
    const ObjectShape& shape = shapes.Shape(object.shape);
    const ObjectTransform transform(object);
    ScreenBox all;
    bool any = false;
    Point3f world[kPolygonCapacity];
    for (const std::vector<int32_t>& polygon : shape.polygons) {
      if (!PolygonFitsShape(polygon, shape)) continue;
      const int32_t n = std::min(polygon[0], kPolygonCapacity);
      for (int32_t k = 0; k < n; ++k) {
        world[k] = transform.Apply(shape.points[static_cast<size_t>(polygon[1 + k])]);
      }
      canvas_.Polyline(world, n, true, pen);
      ScreenBox box;
      if (!canvas_.Bounds(world, n, &box)) continue;
      if (!any) {
        all = box;
        any = true;
      } else {
        all = {std::min(all.x0, box.x0), std::min(all.y0, box.y0), std::max(all.x1, box.x1),
               std::max(all.y1, box.y1)};
      }
    }
    if (any) Record(ObjectHit(all.x0, all.y0, all.x1, all.y1, kind, id));
  }

  // The kind of hit the selected object is recorded as, or 0 when the view does not show it.
  int32_t SelectedKind(int32_t id) const {
    if (id == -1 || !stage_.HasObject(id)) return 0;
    if (id == stage_.BackgroundObject()) return request_.free_objects ? kHitBackground : 0;
    if (stage_.IsFreeObject(id)) return request_.free_objects ? kHitFreeObject : 0;
    if (request_.glued_objects &&
        stage_.IsGluedWithin(id, request_.range.first, request_.range.Last())) {
      return kHitGluedObject;
    }
    return 0;
  }

  void Objects() {
    const int32_t selected = stage_.SelectedObject();
    if (request_.glued_objects) {
      for (int32_t i = 0; i < terrain_.GlueCount(request_.current); ++i) {
        const int32_t object = terrain_.GlueAt(request_.current, i).object;
        if (object != selected) DrawObjectOnce(object, StagePen(kCurrentGluePen), kHitGluedObject);
      }
    }
    if (request_.free_objects) {
      for (int32_t i = 0; i < stage_.FreeObjectCount(); ++i) {
        const int32_t object = stage_.FreeObjectAt(i);
        if (object != selected) DrawObjectOnce(object, StagePen(kFreeObjectPen), kHitFreeObject);
      }
      const int32_t background = stage_.BackgroundObject();
      if (background != -1 && background != selected) {
        DrawObjectOnce(background, StagePen(kGridPen), kHitBackground);
      }
    }
    const int32_t kind = SelectedKind(selected);
    if (kind != 0) DrawObjectOnce(selected, StagePen(kSelectedObjectPen), kind);
  }

  void SelectionMarks() {
    if (!Terrain0()) return;
    for (int32_t i = 0; i < stage_.PickedCount(); ++i) {
      const FaceRef face = stage_.PickedAt(i);
      Point3f corners[4];
      if (request_.range.Contains(face.partition) && FaceCorners(face, corners)) {
        canvas_.Polyline(corners, 4, true, StagePen(kMarkPen));
      }
    }
  }

  bool PointPosition(const PointRef& point, Point3f* at, int32_t* joined) const {
    WirePoint read;
    if (!point.Selected() || !request_.range.Contains(point.partition) ||
        !terrain_.ReadWirePoint(point.partition, point.wire, point.side, &read)) {
      return false;
    }
    *at = point.end == kEndB ? read.end_b : read.end_a;
    *joined = read.joined;
    return true;
  }

  void Marker(int32_t marker, const Point3f& at) {
    float x = 0.0f, y = 0.0f;
    if (!canvas_.ScreenPoint(at, &x, &y)) return;
    const MarkerPlacement placement = PlaceMarker(marker, TruncToInt32(x), TruncToInt32(y));
    picture_->markers.push_back(placement);
    if (request_.markers != nullptr) DrawMarker(canvas_.Target(), placement, *request_.markers);
  }

  void Axes(const Point3f& origin, const Point3f& angles) {
    const RotationMatrix axes = CameraMatrix(angles.x, angles.y, angles.z);
    const float length = canvas_.WorldPerPixel(origin) * kAxisMarkPixels;
    float ox = 0.0f, oy = 0.0f;
    if (!canvas_.ScreenPoint(origin, &ox, &oy)) return;
    for (int k = 0; k < 3; ++k) {
      const Point3f end{origin.x + axes.m[k] * length, origin.y + axes.m[3 + k] * length,
                        origin.z + axes.m[6 + k] * length};
      const Point3f line[2] = {origin, end};
      canvas_.Polyline(line, 2, false, StagePen(kAxisPens[k]));
      float ex = 0.0f, ey = 0.0f;
      // An axis pointing at the viewer has no letter of its own.
      if (canvas_.ScreenPoint(end, &ex, &ey) && std::hypot(ex - ox, ey - oy) >= 6.0f) {
        Marker((request_.held[k] ? kMarkerAxisXOff : kMarkerAxisX) + k, end);
      }
    }
  }

  void PointMarkers() {
    Point3f at;
    int32_t joined = 0;
    if (Terrain0()) {
      const PointRef selected = stage_.SelectedPoint();
      if (PointPosition(selected, &at, &joined)) {
        if (request_.axes) Axes(at, {});
        Marker(joined == 1             ? kMarkerPointJoined
               : selected.end == kEndB ? kMarkerPointB
                                       : kMarkerPointA,
               at);
      }
      if (PointPosition(stage_.GlueTarget(), &at, &joined)) Marker(kMarkerGlueTarget, at);
      return;
    }
    const int32_t selected = stage_.SelectedObject();
    if (request_.axes && SelectedKind(selected) != 0) {
      const PlacedObject object = stage_.Object(selected);
      Axes(object.origin, object.axes);
    }
  }

  const Stage& stage_;
  const Terrain& terrain_;
  ViewCanvas& canvas_;
  const WireRequest& request_;
  WirePicture* picture_;
  std::unordered_set<int32_t> drawn_;
};

}  // namespace

void DrawWireLayers(const Stage& stage, ViewCanvas& canvas, const WireRequest& request,
                    WirePicture* picture) {
  WireDrawer(stage, canvas, request, picture).Draw();
}
