#include "exchange/stage_gltf.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <tuple>

#include "exchange/gltf_geometry.h"
#include "foundation/directory.h"
#include "pictures/picture_bank_high_color1.h"
#include "stage/stage.h"
#include "stage/stage_file.h"

namespace {

using Bank = PictureBankHighColor1;

std::array<float, 3> Array(const Point3f& p) { return {p.x, p.y, p.z}; }

// A colour a glTF file may hold: 0 to 1 (a damaged value, NaN included, as 0).
float Channel(float value) {
  if (!(value > 0.0f)) return 0.0f;
  return value > 1.0f ? 1.0f : value;
}

// Gathers textures, materials and meshes; a material is a colour or a picture, and each group
// of faces (the road, the terrain, one shape) has one mesh per material.
class SceneBuilder {
 public:
  explicit SceneBuilder(GltfScene* scene) : scene_(scene) {}

  // The material of a colour, or of a picture when `textured` and the picture exists.
  int Material(float red, float green, float blue, bool textured, int32_t picture) {
    red = Channel(red);
    green = Channel(green);
    blue = Channel(blue);
    const int texture = textured ? Texture(picture) : -1;
    const auto key = texture >= 0 ? std::make_tuple(texture, 0.0f, 0.0f, 0.0f)
                                  : std::make_tuple(-1, red, green, blue);
    const auto known = materials_.find(key);
    if (known != materials_.end()) return known->second;
    GltfMaterial material;
    if (texture >= 0) {
      material.texture = texture;
      material.name = scene_->textures[static_cast<size_t>(texture)].name;
    } else {
      material.colour = {red, green, blue};
      material.name = "Colour " + std::to_string(scene_->materials.size());
    }
    const int index = static_cast<int>(scene_->materials.size());
    scene_->materials.push_back(std::move(material));
    materials_[key] = index;
    return index;
  }

  // The triangles of `group` in `material`.
  std::vector<GltfVertex>& Triangles(const std::string& group, int material) {
    const auto key = std::make_pair(group, material);
    auto known = meshes_.find(key);
    if (known == meshes_.end()) {
      known = meshes_.emplace(key, static_cast<int>(scene_->meshes.size())).first;
      scene_->meshes.push_back({group, material, {}});
    }
    return scene_->meshes[static_cast<size_t>(known->second)].triangles;
  }

  // The meshes of a group, in the order they were made.
  std::vector<int> MeshesOf(const std::string& group) const {
    std::vector<int> meshes;
    for (const auto& [key, index] : meshes_) {
      if (key.first == group) meshes.push_back(index);
    }
    std::sort(meshes.begin(), meshes.end());
    return meshes;
  }

 private:
  // The texture of a bank picture (its first frame), or -1 when the bank has no such picture.
  int Texture(int32_t picture) {
    const auto known = textures_.find(picture);
    if (known != textures_.end()) return known->second;
    int index = -1;
    if (Bank::IsPicture(picture)) {
      const int32_t frame =
          Bank::Kind(picture) == Bank::kAnimationBase ? Bank::FrameId(picture, 0) : picture;
      PictureInfo info;
      const uint8_t* pixels = Bank::Picture(frame, &info);
      if (pixels != nullptr && info.width > 0 && info.height > 0) {
        GltfTexture texture;
        texture.name = NameAsUtf8(Directory1::FileName(Bank::Path(picture)));
        if (Bank::ColourBits() == 16) {
          texture.image =
              ImageFrom555(pixels, info.width, info.height, info.transparency_switch == 1,
                           static_cast<uint16_t>(info.transparent_colour));
        } else {
          // 24-bit surfaces hold blue, green, red.
          texture.image.width = info.width;
          texture.image.height = info.height;
          const size_t count = static_cast<size_t>(info.width) * info.height;
          for (size_t i = 0; i < count; ++i) {
            texture.image.pixels.insert(texture.image.pixels.end(),
                                        {pixels[3 * i + 2], pixels[3 * i + 1], pixels[3 * i]});
          }
        }
        index = static_cast<int>(scene_->textures.size());
        scene_->textures.push_back(std::move(texture));
      }
    }
    textures_[picture] = index;
    return index;
  }

  GltfScene* scene_;
  std::map<int32_t, int> textures_;  // picture ID -> texture
  std::map<std::tuple<int, float, float, float>, int> materials_;
  std::map<std::pair<std::string, int>, int> meshes_;
};

void AddFace(SceneBuilder& builder, const std::string& group, const Point3f corners[4],
             const FaceAttribute& face) {
  const int material =
      builder.Material(face.red, face.green, face.blue, face.Textured(), face.picture);
  std::array<GltfVertex, 4> quad;
  for (size_t i = 0; i < 4; ++i) {
    const std::array<float, 3> world = Array(corners[i]);
    quad[i].position = GltfPosition(world.data());
    quad[i].uv = {face.corners[i].u, face.corners[i].v};
  }
  std::vector<GltfVertex>& triangles = builder.Triangles(group, material);
  AppendQuadFacingUp(quad, &triangles);
}

void AddTerrain(const Stage& stage, SceneBuilder& builder) {
  const Terrain& terrain = stage.GetTerrain();
  for (int32_t p = 0; p < terrain.PartitionCount(); ++p) {
    Point3f corners[4];
    if (terrain.PartitionCorners(p, corners)) {
      AddFace(builder, "Road", corners, terrain.PartitionAt(p).road_face);
    }
    for (const int32_t side : {kLeftSide, kRightSide}) {
      for (int32_t wire = 0; wire < terrain.FaceRun(p, side); ++wire) {
        if (terrain.FaceQuad(p, side, wire, corners) != 0) continue;
        AddFace(builder, "Terrain", corners, terrain.Wire(p, side, wire).face);
      }
    }
  }
}

// The meshes of a shape, named "Shape <ID>", its polygons fanned into triangles in their own
// corner order.
std::vector<int> AddShape(const ObjectShape& shape, int32_t id, SceneBuilder& builder) {
  const std::string group = "Shape " + std::to_string(id);
  for (const std::vector<int32_t>& polygon : shape.polygons) {
    if (!PolygonFitsShape(polygon, shape)) continue;
    const int32_t n = polygon[0];
    const ShapeAttribute& attribute = shape.attributes[static_cast<size_t>(polygon[1 + 2 * n])];
    const int material = builder.Material(attribute.red, attribute.green, attribute.blue,
                                          attribute.Textured(), attribute.picture);
    auto corner = [&](int32_t k) {
      const Point3f& point = shape.points[static_cast<size_t>(polygon[1 + k])];
      const TextureCorner& uv = shape.map_coordinates[static_cast<size_t>(polygon[1 + n + k])];
      const float model[3] = {point.x, point.y, point.z};
      return GltfVertex{GltfModelPoint(model), {uv.u, uv.v}};
    };
    std::vector<GltfVertex>& triangles = builder.Triangles(group, material);
    for (int32_t k = 1; k + 1 < n; ++k) {
      triangles.insert(triangles.end(), {corner(0), corner(k), corner(k + 1)});
    }
  }
  return builder.MeshesOf(group);
}

void AddObjects(const Stage& stage, SceneBuilder& builder, GltfNode* root) {
  const ShapeLibrary& shapes = stage.GetShapes();
  std::map<int32_t, std::vector<int>> shape_meshes;
  for (int32_t id = stage.FirstObject(); id >= 0; id = stage.NextObject(id)) {
    const PlacedObject object = stage.Object(id);
    if (!shapes.Contains(object.shape)) continue;
    const ObjectShape& shape = shapes.Shape(object.shape);
    auto meshes = shape_meshes.find(object.shape);
    if (meshes == shape_meshes.end()) {
      meshes = shape_meshes.emplace(object.shape, AddShape(shape, object.shape, builder)).first;
    }
    GltfNode node;
    node.name = (id == stage.BackgroundObject() ? "Background " : "Object ") +
                std::to_string(stage.ObjectOrdinal(id)) + " " + NameAsUtf8(shape.name);
    const float position[3] = {object.position.x, object.position.y, object.position.z};
    const float rotation[3] = {object.rotation.x, object.rotation.y, object.rotation.z};
    const float zoom[3] = {object.zoom.x, object.zoom.y, object.zoom.z};
    node.transform = GltfPlacement(position, rotation, zoom);
    node.meshes = meshes->second;
    root->children.push_back(std::move(node));
  }
}

void PrintUsage(std::ostream& err) {
  err << "usage: tarnhollow --export-gltf OUTPUT.glb|OUTPUT.gltf STAGE.ste\n";
}

}  // namespace

GltfScene StageGltfScene(const Stage& stage) {
  GltfScene scene;
  SceneBuilder builder(&scene);
  scene.root.name = "Stage";
  AddTerrain(stage, builder);
  for (const char* group : {"Road", "Terrain"}) {
    const std::vector<int> meshes = builder.MeshesOf(group);
    if (!meshes.empty()) scene.root.children.push_back({group, kGltfIdentity, meshes, {}});
  }
  AddObjects(stage, builder, &scene.root);
  return scene;
}

const char* StageGltfMessage(GltfWriteResult result) {
  switch (result) {
    case GltfWriteResult::kWritten:
      return "";
    case GltfWriteResult::kNothingToWrite:
      return "出力する面がありません";
    default:
      return "ファイルの書き込みに失敗しました";
  }
}

GltfWriteResult WriteStageGltf(const Stage& stage, const std::string& path, std::string* error) {
  return WriteGltf(StageGltfScene(stage), path, error);
}

int RunStageGltfExport(const std::vector<std::string>& arguments, std::ostream& err) {
  std::vector<std::string> paths = arguments;
  if (!paths.empty() && paths.front() == "--export-gltf") paths.erase(paths.begin());
  if (paths.size() != 2) {
    PrintUsage(err);
    return kStageGltfUsage;
  }
  const std::string& output = paths[0];
  const std::string& input = paths[1];
  if (!IsGltfPath(output)) {
    err << "tarnhollow: " << output << ": 出力ファイルの拡張子は.glbか.gltfにしてください\n";
    PrintUsage(err);
    return kStageGltfUsage;
  }

  Bank::StartUp(16);
  int status = kStageGltfDone;
  {
    Stage stage;
    ToolStateBlock tools;
    ViewSection views;
    const StageFileResult loaded = StageFile::Load(input, stage, &tools, &views);
    if (loaded != StageFileResult::kOk) {
      err << "tarnhollow: " << input << ": " << StageFile::Message(loaded) << "\n";
      status = loaded == StageFileResult::kCannotOpen ? kStageGltfCannotOpen : kStageGltfDamaged;
    } else {
      std::string error;
      const GltfWriteResult written = WriteStageGltf(stage, output, &error);
      if (written == GltfWriteResult::kNothingToWrite) {
        err << "tarnhollow: " << input << ": " << StageGltfMessage(written) << "\n";
        status = kStageGltfCannotWrite;
      } else if (written != GltfWriteResult::kWritten) {
        err << "tarnhollow: " << output << ": " << StageGltfMessage(written)
            << (error.empty() ? "" : " (" + error + ")") << "\n";
        status = kStageGltfCannotWrite;
      }
    }
    stage.Reset();
  }
  Bank::ShutDown();
  return status;
}
