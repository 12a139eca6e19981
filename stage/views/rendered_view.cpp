#include "stage/views/rendered_view.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>
#include <vector>

#include "render/projection.h"
#include "stage/object_transform.h"
#include "stage/views/view_fill.h"
#include "stage/views/wire_layers.h"

float PerspectiveThreshold(const DisplaySettings& settings, RenderedKind kind, int32_t partition,
                           int32_t first) {
  const int32_t enabled = kind == RenderedKind::kRoad  ? settings.perspective_road
                          : kind == RenderedKind::kMap ? settings.perspective_map
                                                       : settings.perspective_objects;
  if (enabled == 0) return -FLT_MAX;
  if (settings.range_mode == 1) return settings.range_z;
  return static_cast<int64_t>(partition) - first < settings.range_partitions ? FLT_MAX : -FLT_MAX;
}

FillChoice ChooseFill(bool textured, float threshold, float depth_value, float nearest_depth) {
  if (!textured) return FillChoice::kFlat;
  if (threshold > depth_value && nearest_depth >= kPerspectiveNearDepth) {
    return FillChoice::kPerspective;
  }
  return FillChoice::kAffine;
}

void SortFarthestFirst(RenderedItem* items, int32_t n) {
  for (int32_t end = n - 1; end > 0; --end) {
    bool swapped = false;
    for (int32_t j = 0; j < end; ++j) {
      if (items[j].depth < items[j + 1].depth) {
        std::swap(items[j], items[j + 1]);
        swapped = true;
      }
    }
    if (!swapped) break;
  }
}

namespace {

Point3f Centre(const Point3f* points, int32_t n) {
  Point3f sum;
  for (int32_t i = 0; i < n; ++i) {
    sum.x += points[i].x;
    sum.y += points[i].y;
    sum.z += points[i].z;
  }
  const float k = 1.0f / static_cast<float>(std::max(n, 1));
  return {sum.x * k, sum.y * k, sum.z * k};
}

float DistanceSquared(const Point3f& a, const Point3f& b) {
  const float dx = a.x - b.x, dy = a.y - b.y, dz = a.z - b.z;
  return dx * dx + dy * dy + dz * dz;
}

Point3f PartitionCentre(const Terrain& terrain, int32_t p) {
  Point3f corners[4];
  terrain.PartitionCorners(p, corners);
  return Centre(corners, 4);
}

class RenderedDrawer {
 public:
  RenderedDrawer(const Stage& stage, StageCamera& camera, const TextureSource& textures,
                 const DisplaySettings& settings, std::vector<RenderedFill>* fills)
      : stage_(stage),
        terrain_(stage.GetTerrain()),
        camera_(camera),
        textures_(textures),
        settings_(settings),
        fills_(fills) {}

  RenderedCounts Draw(int32_t camera_partition) {
    Surface16* surface = camera_.Surface();
    if (surface == nullptr) return counts_;
    surface_ = surface;
    surface->Fill(0);
    int32_t first = 0;
    int32_t last = -1;
    RenderedRange(stage_, camera_partition, camera_.Position(), settings_.display_partitions,
                  &first, &last);
    first_ = first;
    const int32_t background = stage_.BackgroundObject();
    if (background != -1) {
      DrawObject(background, PerspectiveThreshold(settings_, RenderedKind::kObject, first, first));
    }
    if (last < first) return counts_;
    AssignObjects(first, last);
    std::vector<RenderedItem> items;
    for (int32_t p = last; p >= first; --p) {
      ++counts_.partitions;
      items.clear();
      Gather(p, &items);
      SortFarthestFirst(items.data(), static_cast<int32_t>(items.size()));
      for (const RenderedItem& item : items) DrawItem(p, item);
      counts_.items += static_cast<int32_t>(items.size());
    }
    return counts_;
  }

 private:
  float CameraDepth(const Point3f& world) { return camera_.WorldToCamera(world).z; }

  // Glued objects go to the nearest partition of the range that holds them, free objects to
  // the partition nearest to them.
  void AssignObjects(int32_t first, int32_t last) {
    objects_.assign(static_cast<size_t>(last - first + 1), {});
    std::unordered_set<int32_t> placed;
    for (int32_t p = first; p <= last; ++p) {
      for (int32_t i = 0; i < terrain_.GlueCount(p); ++i) {
        const int32_t object = terrain_.GlueAt(p, i).object;
        if (placed.insert(object).second)
          objects_[static_cast<size_t>(p - first)].push_back(object);
      }
    }
    std::vector<Point3f> centres;
    for (int32_t p = first; p <= last; ++p) centres.push_back(PartitionCentre(terrain_, p));
    for (int32_t i = 0; i < stage_.FreeObjectCount(); ++i) {
      const int32_t object = stage_.FreeObjectAt(i);
      if (!stage_.HasObject(object)) continue;
      const Point3f at = stage_.Object(object).position;
      size_t nearest = 0;
      for (size_t k = 1; k < centres.size(); ++k) {
        if (DistanceSquared(at, centres[k]) < DistanceSquared(at, centres[nearest])) nearest = k;
      }
      objects_[nearest].push_back(object);
    }
  }

  void Gather(int32_t p, std::vector<RenderedItem>* items) {
    Point3f corners[4];
    terrain_.PartitionCorners(p, corners);
    items->push_back({RenderedKind::kRoad, kRoadFaceSide, -1, -1, CameraDepth(Centre(corners, 4))});
    for (int32_t side = 0; side < 2; ++side) {
      for (int32_t w = 0; w < terrain_.FaceRun(p, side); ++w) {
        Point3f quad[4];
        if (terrain_.FaceQuad(p, side, w, quad) != 0) continue;
        items->push_back({RenderedKind::kMap, side, w, -1, CameraDepth(Centre(quad, 4))});
      }
    }
    for (int32_t object : objects_[static_cast<size_t>(p - first_)]) {
      if (!stage_.HasObject(object)) continue;
      items->push_back(
          {RenderedKind::kObject, -1, -1, object, CameraDepth(stage_.Object(object).position)});
    }
  }

  void DrawItem(int32_t p, const RenderedItem& item) {
    const float threshold = PerspectiveThreshold(settings_, item.kind, p, first_);
    if (item.kind == RenderedKind::kObject) {
      DrawObject(item.object, threshold);
      return;
    }
    const FaceRef face{p, item.side, item.wire};
    Point3f corners[4];
    if (item.kind == RenderedKind::kRoad) {
      terrain_.PartitionCorners(p, corners);
    } else if (terrain_.FaceQuad(p, item.side, item.wire, corners) != 0) {
      return;
    }
    const FaceAttribute look = terrain_.Face(face);
    TexCoord2f coords[4];
    for (int k = 0; k < 4; ++k) coords[k] = {look.corners[k].u, look.corners[k].v};
    // The quads of the two sides of the road run opposite ways round: faces show both sides.
    DrawPolygon(corners, coords, 4, true, look.Textured() ? look.picture : -1,
                FloatColour555(look.red, look.green, look.blue), threshold);
  }

  void DrawObject(int32_t id, float threshold) {
    if (!stage_.HasObject(id)) return;
    const PlacedObject object = stage_.Object(id);
    const ShapeLibrary& shapes = stage_.GetShapes();
    if (!shapes.Contains(object.shape)) return;
    const ObjectShape& shape = shapes.Shape(object.shape);
    const ObjectTransform transform(object);
    Point3f world[kPolygonCapacity];
    TexCoord2f coords[kPolygonCapacity];
    for (const std::vector<int32_t>& polygon : shape.polygons) {
      if (!PolygonFitsShape(polygon, shape)) continue;
      const int32_t n = polygon[0];
      if (n > kFilledPolygonMax) continue;
      for (int32_t k = 0; k < n; ++k) {
        world[k] = transform.Apply(shape.points[static_cast<size_t>(polygon[1 + k])]);
        const TextureCorner& uv = shape.map_coordinates[static_cast<size_t>(polygon[1 + n + k])];
        coords[k] = {uv.u, uv.v};
      }
      const ShapeAttribute& attribute = shape.attributes[static_cast<size_t>(polygon[1 + 2 * n])];
      DrawPolygon(world, coords, n, false, attribute.Textured() ? attribute.picture : -1,
                  FloatColour555(attribute.red, attribute.green, attribute.blue), threshold);
    }
  }

  void DrawPolygon(const Point3f* world, const TexCoord2f* world_coords, int32_t n, bool two_sided,
                   int32_t picture, uint16_t colour, float threshold) {
    Point3f points[kPolygonCapacity];
    TexCoord2f coords[kPolygonCapacity];
    float depth_value = FLT_MAX;
    for (int32_t i = 0; i < n; ++i) {
      points[i] = camera_.WorldToCamera(world[i]);
      coords[i] = world_coords[i];
      depth_value = std::min(depth_value, points[i].z);
    }
    const int32_t count = camera_.ClipAndProject(points, coords, n);
    if (count == 0) return;
    if (FacesAway(points, count)) {
      if (!two_sided) {
        ++counts_.culled;
        return;
      }
      std::reverse(points, points + count);
      std::reverse(coords, coords + count);
    }
    float nearest = FLT_MAX;
    for (int32_t i = 0; i < count; ++i) nearest = std::min(nearest, points[i].z);
    TextureView texture;
    const bool textured = picture >= 0 && textures_.Texture(picture, &texture);
    const FillChoice choice = ChooseFill(textured, threshold, depth_value, nearest);
    ++(choice == FillChoice::kPerspective ? counts_.perspective
       : choice == FillChoice::kAffine    ? counts_.affine
                                          : counts_.flat);
    if (fills_ != nullptr) {
      RenderedFill& fill = fills_->emplace_back();
      fill.choice = choice;
      fill.n = count;
      std::copy(points, points + count, fill.points);
      std::copy(coords, coords + count, fill.coords);
      fill.picture = picture;
      fill.colour = colour;
      return;
    }
    switch (choice) {
      case FillChoice::kPerspective:
        view_fill::Perspective(*surface_, points, coords, count, textures_, picture);
        break;
      case FillChoice::kAffine:
        view_fill::Affine(*surface_, points, coords, count, textures_, picture);
        break;
      case FillChoice::kFlat:
        view_fill::Flat(*surface_, points, count, colour);
        break;
    }
  }

  const Stage& stage_;
  const Terrain& terrain_;
  StageCamera& camera_;
  const TextureSource& textures_;
  const DisplaySettings& settings_;
  std::vector<RenderedFill>* fills_;
  Surface16* surface_ = nullptr;
  int32_t first_ = 0;
  std::vector<std::vector<int32_t>> objects_;  // per partition of the range
  RenderedCounts counts_;
};

}  // namespace

void RenderedRange(const Stage& stage, int32_t camera_partition, const Point3f& camera_position,
                   int32_t display_partitions, int32_t* first, int32_t* last) {
  const Terrain& terrain = stage.GetTerrain();
  *first = 0;
  *last = -1;
  if (terrain.PartitionCount() == 0) return;
  int32_t d = camera_partition;
  if (!terrain.HasPartition(d)) {
    d = 0;
    for (int32_t p = 1; p < terrain.PartitionCount(); ++p) {
      if (DistanceSquared(camera_position, PartitionCentre(terrain, p)) <
          DistanceSquared(camera_position, PartitionCentre(terrain, d))) {
        d = p;
      }
    }
  }
  *first = d;
  const int64_t end = static_cast<int64_t>(d) + std::max(display_partitions, 1) - 1;
  *last = static_cast<int32_t>(std::min<int64_t>(end, terrain.PartitionCount() - 1));
}

RenderedCounts DrawRenderedView(const Stage& stage, StageCamera& camera,
                                const TextureSource& textures, const DisplaySettings& settings,
                                int32_t camera_partition, std::vector<RenderedFill>* fills) {
  return RenderedDrawer(stage, camera, textures, settings, fills).Draw(camera_partition);
}

void ReplayFills(Surface16& surface, const TextureSource& textures,
                 const std::vector<RenderedFill>& fills) {
  for (const RenderedFill& fill : fills) {
    switch (fill.choice) {
      case FillChoice::kPerspective:
        view_fill::Perspective(surface, fill.points, fill.coords, fill.n, textures, fill.picture);
        break;
      case FillChoice::kAffine:
        view_fill::Affine(surface, fill.points, fill.coords, fill.n, textures, fill.picture);
        break;
      case FillChoice::kFlat:
        view_fill::Flat(surface, fill.points, fill.n, fill.colour);
        break;
    }
  }
}
