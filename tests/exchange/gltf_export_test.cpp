#include "exchange/stage_gltf.h"

#include <gtest/gtest.h>

#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <assimp/Exporter.hpp>
#include <assimp/Importer.hpp>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>

#include "course/cob_export.h"
#include "course/course_data.h"
#include "course/course_file.h"
#include "exchange/course_gltf.h"
#include "exchange/gltf_geometry.h"
#include "exchange/model_conversion.h"
#include "pictures/tsy_file_writer.h"
#include "render/rotation_matrix.h"
#include "stage/object_library.h"
#include "stage/partition_loading.h"
#include "stage/stage_file.h"
#include "tests/exchange/exchange_test_support.h"
#include "tests/stage/stage_fixtures.h"

namespace {

using exchange_test::Triangle;
using exchange_test::Vec3;

// What the import library reads back from a glTF file: the triangles in world positions (node
// transforms applied), each triangle's corners sorted, and the picture names of the
// materials' textures.
struct ReadBack {
  bool read = false;
  std::string error;
  std::vector<Triangle> triangles;
  std::vector<Triangle> upward;  // the triangles of the meshes named "Road" and "Terrain"
  std::multiset<std::string> textures;
  std::map<std::string, std::string> embedded;  // name -> file bytes of the pictures inside

  std::string Picture(const std::string& name) const {
    const auto found = embedded.find(name);
    return found == embedded.end() ? "" : found->second;
  }
};

Triangle CornersSorted(Triangle t) {
  std::sort(t.begin(), t.end());
  return t;
}

ReadBack Read(const std::string& path) {
  ReadBack back;
  Assimp::Importer importer;
  const aiScene* scene = importer.ReadFile(path, aiProcess_PreTransformVertices);
  if (scene == nullptr) {
    back.error = importer.GetErrorString();
    return back;
  }
  back.read = true;
  for (unsigned m = 0; m < scene->mNumMeshes; ++m) {
    const aiMesh& mesh = *scene->mMeshes[m];
    const std::string name = mesh.mName.C_Str();
    for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
      Triangle t;
      for (unsigned k = 0; k < 3; ++k) {
        const aiVector3D& p = mesh.mVertices[mesh.mFaces[f].mIndices[k]];
        t[k] = {p.x, p.y, p.z};
      }
      back.triangles.push_back(t);
      if (name.rfind("Road", 0) == 0 || name.rfind("Terrain", 0) == 0) back.upward.push_back(t);
    }
  }
  for (unsigned i = 0; i < scene->mNumMaterials; ++i) {
    aiString texture;
    if (scene->mMaterials[i]->GetTexture(aiTextureType_DIFFUSE, 0, &texture) == AI_SUCCESS) {
      const aiTexture* embedded = scene->GetEmbeddedTexture(texture.C_Str());
      back.textures.insert(embedded != nullptr ? embedded->mFilename.C_Str() : texture.C_Str());
    }
  }
  for (unsigned i = 0; i < scene->mNumTextures; ++i) {
    const aiTexture& texture = *scene->mTextures[i];
    if (texture.mHeight == 0) {
      back.embedded[texture.mFilename.C_Str()] =
          std::string(reinterpret_cast<const char*>(texture.pcData), texture.mWidth);
    }
  }
  return back;
}

// "" when every triangle of `expected` has its own triangle in `actual` with the same
// corners (in any order) within `tolerance`, and none is left over; else what differs.
std::string SameTriangles(const std::vector<Triangle>& actual,
                          const std::vector<Triangle>& expected, float tolerance = 1e-4f) {
  if (actual.size() != expected.size()) {
    return std::to_string(actual.size()) + " triangles instead of " +
           std::to_string(expected.size());
  }
  auto near = [tolerance](const Triangle& a, const Triangle& b) {
    for (size_t k = 0; k < 3; ++k) {
      for (size_t c = 0; c < 3; ++c) {
        if (std::fabs(a[k][c] - b[k][c]) > tolerance) return false;
      }
    }
    return true;
  };
  std::vector<Triangle> left;
  for (const Triangle& t : actual) left.push_back(CornersSorted(t));
  for (const Triangle& t : expected) {
    const Triangle want = CornersSorted(t);
    const auto found = std::find_if(left.begin(), left.end(),
                                    [&](const Triangle& have) { return near(have, want); });
    if (found == left.end()) {
      std::ostringstream why;
      why << "no triangle at (" << want[0][0] << " " << want[0][1] << " " << want[0][2] << ") ("
          << want[1][0] << " " << want[1][1] << " " << want[1][2] << ") (" << want[2][0] << " "
          << want[2][1] << " " << want[2][2] << ")";
      return why.str();
    }
    left.erase(found);
  }
  return "";
}

// The Khronos validator's verdict: its exit status and what it printed.
struct Verdict {
  int status = -1;
  std::string output;
};

Verdict Validate(const std::string& path) {
  Verdict verdict;
  if (std::string(SUITE_NODE).empty()) {
    verdict.output = "node not found: run scripts/install-deps and configure again";
    return verdict;
  }
  const std::string command = std::string("GLTF_VALIDATOR_MODULES='") +
                              SUITE_GLTF_VALIDATOR_MODULES + "' '" + SUITE_NODE + "' '" +
                              SUITE_GLTF_VALIDATOR_SCRIPT + "' '" + path + "' 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return verdict;
  char buffer[512];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) verdict.output += buffer;
  const int status = pclose(pipe);
  verdict.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return verdict;
}

// World point as glTF writes it: (x, y, -z) in metres.
Vec3 Gltf(const Point3f& p) {
  return {p.x * kGltfUnitsPerWorldUnit, p.y * kGltfUnitsPerWorldUnit,
          -p.z * kGltfUnitsPerWorldUnit};
}

// A normal's y part: positive when the triangle faces up.
float FacingUp(const Triangle& t) {
  const float ax = t[1][0] - t[0][0], az = t[1][2] - t[0][2];
  const float bx = t[2][0] - t[0][0], bz = t[2][2] - t[0][2];
  return az * bx - ax * bz;
}

class StageExportTest : public stage_test::StageTest {
 protected:
  // Three partitions of a straight road with terrain on both sides, a road face with a
  // picture, one with an animation, one in a colour; a polygon object placed twice and the
  // background object.
  void BuildStage() {
    ASSERT_EQ(LoadPartitionFile(stage_, folder_.Write("road.pat", stage_test::StraightPat(4))), 0);
    for (int32_t p = 0; p < 3; ++p) {
      ASSERT_TRUE(stage_.AddWire(p, kLeftSide, {-20.0f, 3.0f, 10.0f * (p + 1)}));
    }
    for (int32_t p = 0; p < 2; ++p) {
      ASSERT_TRUE(stage_.AddWire(p, kRightSide, {20.0f, -2.0f, 10.0f * (p + 1)}));
    }
    ASSERT_EQ(stage_.SetFacePictureFromFile({0, kRoadFaceSide, 0}, Picture("grass.bmp")), 1);
    // An animation of a red and a blue frame: the file shows the red one.
    const int32_t red = PictureBankHighColor1::Register(
        folder_.Write("red.bmp", stage_test::BmpBytes(4, 4, 255, 0, 0)), 3);
    const int32_t blue = PictureBankHighColor1::Register(
        folder_.Write("blue.bmp", stage_test::BmpBytes(4, 4, 0, 0, 255)), 3);
    ASSERT_TRUE(TsyFileWriter::Write(folder_.File("anim.tsy"), {red, blue}, {100, 100}));
    PictureBankHighColor1::Release(red);
    PictureBankHighColor1::Release(blue);
    ASSERT_EQ(stage_.SetFacePictureFromFile({1, kLeftSide, 0}, folder_.File("anim.tsy")), 1);
    const TextureCorner corners[4] = {{1, 0}, {0, 0}, {0, 1}, {1, 1}};
    ASSERT_TRUE(stage_.SetFaceLook({1, kRoadFaceSide, 0}, 0.25f, 0.5f, 0.75f, corners));

    Po3Object po3;
    po3.points = {{0, 0, 0}, {1, 0, 0}, {0, 2, 0}, {0, 0, 3}};
    po3.texture_vertices = {{0, 0}, {1, 0}, {0, 1}};
    po3.faces = {{{0, 1, 2}, {0, 1, 2}, 0}, {{0, 3, 1}, {0, 1, 2}, 1}};
    Po3Attribute textured;
    textured.textured = 1;
    textured.texture_name = "post.bmp";
    textured.repeat_u = textured.repeat_v = 1.0f;
    Po3Attribute plain;
    plain.red = 1.0f;
    po3.attributes = {textured, plain};
    Picture("post.bmp", 8, 30);
    const std::string po3_path = folder_.Write("post.po3", Po3File::Bytes(po3));
    int32_t first = -1;
    int32_t second = -1;
    ASSERT_EQ(CreateObjectFromPolygonFile(stage_, po3_path, nullptr, &first), 0);
    ASSERT_EQ(CreateObjectFromPolygonFile(stage_, po3_path, nullptr, &second), 0);
    PlacedObject placed = stage_.Object(second);
    placed.position = {5.0f, 1.0f, 12.0f};
    placed.rotation = {0.3f, 1.2f, -0.4f};
    placed.zoom = {50.0f, 200.0f, -100.0f};
    ASSERT_TRUE(stage_.UpdateObject(second, placed));

    const int32_t backdrop = PictureBankHighColor1::Register(
        std::string(SUITE_SOURCE_DIR) + "/resources/tarnhollow/template_textures/backdrop.bmp", 3);
    ASSERT_GE(backdrop, 0);
    ASSERT_EQ(CreateBackgroundObject(
                  stage_, std::string(SUITE_SOURCE_DIR) + "/resources/tarnhollow/BackObject.bof",
                  "[Backdrop]", &backdrop, 1),
              0);
    PictureBankHighColor1::Release(backdrop);
  }

  // The stage's triangles as the views draw them, in glTF's axes: road and terrain quads,
  // and every object's polygons placed by position + CameraMatrix(rotation) * (zoom * p).
  std::vector<Triangle> ExpectedTriangles() const {
    std::vector<Triangle> triangles;
    auto quad = [&triangles](const Point3f c[4]) {
      triangles.push_back({Gltf(c[0]), Gltf(c[1]), Gltf(c[2])});
      triangles.push_back({Gltf(c[0]), Gltf(c[2]), Gltf(c[3])});
    };
    const Terrain& terrain = stage_.GetTerrain();
    for (int32_t p = 0; p < terrain.PartitionCount(); ++p) {
      Point3f c[4];
      terrain.PartitionCorners(p, c);
      quad(c);
      for (int32_t side = 0; side < 2; ++side) {
        for (int32_t wire = 0; wire < terrain.FaceRun(p, side); ++wire) {
          if (terrain.FaceQuad(p, side, wire, c) == 0) quad(c);
        }
      }
    }
    for (int32_t id = stage_.FirstObject(); id >= 0; id = stage_.NextObject(id)) {
      const PlacedObject object = stage_.Object(id);
      const ObjectShape& shape = stage_.GetShapes().Shape(object.shape);
      const RotationMatrix m =
          CameraMatrix(object.rotation.x, object.rotation.y, object.rotation.z);
      auto world = [&](int32_t index) {
        const Point3f& p = shape.points[static_cast<size_t>(index)];
        const Point3f r = m.Apply({object.zoom.x * p.x, object.zoom.y * p.y, object.zoom.z * p.z});
        return Gltf({object.position.x + r.x, object.position.y + r.y, object.position.z + r.z});
      };
      for (const std::vector<int32_t>& polygon : shape.polygons) {
        for (int32_t k = 1; k + 1 < polygon[0]; ++k) {
          triangles.push_back({world(polygon[1]), world(polygon[1 + k]), world(polygon[2 + k])});
        }
      }
    }
    return triangles;
  }

  Stage stage_;
};

TEST_F(StageExportTest, GlbAndGltfReadBackWithTheStagesTrianglesAndPictures) {
  BuildStage();
  const std::vector<Triangle> expected = ExpectedTriangles();
  ASSERT_EQ(expected.size(), 6u + 6u + 4u + 16u);
  for (const char* name : {"stage.glb", "stage.gltf"}) {
    const std::string path = folder_.File(std::string("out/") + name);
    std::filesystem::create_directories(folder_.File("out"));
    std::string error;
    ASSERT_EQ(WriteStageGltf(stage_, path, &error), GltfWriteResult::kWritten) << error;
    const ReadBack back = Read(path);
    ASSERT_TRUE(back.read) << name << ": " << back.error;
    EXPECT_EQ(SameTriangles(back.triangles, expected), "") << name;
    ASSERT_EQ(back.upward.size(), 12u) << name;
    for (const Triangle& t : back.upward) EXPECT_GT(FacingUp(t), 0.0f) << name;
    // Inside a binary file the pictures keep their names; beside a text file they are PNG
    // files named after it and them.
    const bool binary = name == std::string("stage.glb");
    const std::multiset<std::string> inside = {"anim.tsy", "backdrop.bmp", "grass.bmp", "post.bmp"};
    const std::multiset<std::string> beside = {"stage_anim.png", "stage_backdrop.png",
                                               "stage_grass.png", "stage_post.png"};
    EXPECT_EQ(back.textures, binary ? inside : beside) << name;
    // The animation shows its first frame, red.
    const std::string animation =
        binary ? back.Picture("anim.tsy") : TempFolder::Read(folder_.File("out/stage_anim.png"));
    TextureImage image;
    ASSERT_EQ(DecodeTexture(animation, &image), TextureDecode::kDecoded) << name;
    EXPECT_EQ(std::vector<uint8_t>(image.pixels.begin(), image.pixels.begin() + 3),
              (std::vector<uint8_t>{255, 0, 0}));
    const Verdict verdict = Validate(path);
    EXPECT_EQ(verdict.status, 0) << verdict.output;
  }
}

// The stage's glTF file, written by the import library's FBX writer, makes that library's
// FBX reader free memory twice (version 5.2): the converter reads models in a child process,
// so the crash ends the child, not the converter.
TEST_F(StageExportTest, ConverterSurvivesTheLibraryCrashingOnTheStagesFbx) {
  BuildStage();
  ASSERT_EQ(WriteStageGltf(stage_, folder_.File("stage.glb")), GltfWriteResult::kWritten);
  Assimp::Importer importer;
  const aiScene* scene = importer.ReadFile(folder_.File("stage.glb"), 0);
  ASSERT_NE(scene, nullptr);
  Assimp::Exporter exporter;
  ASSERT_EQ(exporter.Export(scene, "fbxa", folder_.File("stage.fbx")), aiReturn_SUCCESS);
  ConversionRequest request;
  request.input_path = folder_.File("stage.fbx");
  request.output_path = folder_.File("out/stage.po3");
  ASSERT_TRUE(PrepareOutputDirectory(request.output_path, request.output_directory));
  const int result = ConvertToPo3(request, nullptr, nullptr);
  EXPECT_TRUE(result == kModelUnreadable || result == kConverted) << result;
  EXPECT_EQ(std::filesystem::exists(request.output_path), result == kConverted);
}

}  // namespace

namespace {

struct ExportRun {
  int status;
  std::string err;
};

ExportRun RunExport(const std::vector<std::string>& arguments) {
  std::ostringstream err;
  const int status = RunStageGltfExport(arguments, err);
  return {status, err.str()};
}

// The batch export: statuses, one-line messages naming the file, and nothing written on any
// failure. The bank is started and shut down by the export itself.
TEST(StageGltfBatchTest, StatusesAndMessages) {
  TempFolder folder;
  PictureBankHighColor1::StartUp(16);
  {
    Stage stage;
    ASSERT_EQ(LoadPartitionFile(stage, folder.Write("road.pat", stage_test::StraightPat(3))), 0);
    ASSERT_TRUE(StageFile::Save(folder.File("road.ste"), stage, ToolStateBlock(), ViewSection()));
    stage.Reset();
    ASSERT_TRUE(StageFile::Save(folder.File("empty.ste"), stage, ToolStateBlock(), ViewSection()));
  }
  PictureBankHighColor1::ShutDown();
  const std::string damaged = TempFolder::Read(folder.File("road.ste"));
  folder.Write("short.ste", damaged.substr(0, damaged.size() - 7));
  folder.Write("other.ste",
               "Tarnhollow" + std::string(1, '\0') + "Version1.0" + damaged.substr(22));

  struct Case {
    std::vector<std::string> arguments;
    int status;
    std::string message;  // a part of the message
  };
  const std::string out = folder.File("out.glb");
  const Case cases[] = {
      {{}, kStageGltfUsage, "usage: tarnhollow --export-gltf"},
      {{"--export-gltf", out}, kStageGltfUsage, "usage:"},
      {{out, folder.File("road.ste"), "more"}, kStageGltfUsage, "usage:"},
      {{folder.File("out.obj"), folder.File("road.ste")}, kStageGltfUsage, ".glbか.gltf"},
      {{out, folder.File("none.ste")},
       kStageGltfCannotOpen,
       folder.File("none.ste") + ": ファイルのオープンに失敗"},
      {{out, folder.File("road.pat")},
       kStageGltfDamaged,
       folder.File("road.pat") + ": このファイルはTarnhollowのファイルでない"},
      {{out, folder.File("other.ste")}, kStageGltfDamaged, "このファイルはバージョンが異なります"},
      {{out, folder.File("short.ste")}, kStageGltfDamaged, "ファイルが破壊されている"},
      {{out, folder.File("empty.ste")}, kStageGltfCannotWrite, "出力する面がありません"},
      {{folder.File("no/such/folder/out.glb"), folder.File("road.ste")},
       kStageGltfCannotWrite,
       folder.File("no/such/folder/out.glb") + ": ファイルの書き込みに失敗しました"},
  };
  for (const Case& c : cases) {
    const ExportRun run = RunExport(c.arguments);
    EXPECT_EQ(run.status, c.status) << c.message;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'),
              c.status == kStageGltfUsage && c.message != "usage:" &&
                      c.message != "usage: tarnhollow --export-gltf"
                  ? 2
                  : 1)
        << run.err;
    EXPECT_FALSE(std::filesystem::exists(out));
  }

  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"--export-gltf", out, folder.File("road.ste")},
        std::vector<std::string>{folder.File("road.GLTF"), folder.File("road.ste")}}) {
    const ExportRun run = RunExport(arguments);
    EXPECT_EQ(run.status, kStageGltfDone) << run.err;
    EXPECT_EQ(run.err, "");
  }
  EXPECT_EQ(Read(out).triangles.size(), 4u);
  EXPECT_EQ(Read(folder.File("road.GLTF")).triangles.size(), 4u);
  EXPECT_TRUE(std::filesystem::exists(folder.File("road.bin")));
}

// The writer leaves out what no glTF file may hold: triangles with coordinates that are no
// number, meshes without triangles, and needs one mesh at least.
TEST(GltfSceneTest, DamagedValuesAreLeftOut) {
  TempFolder folder;
  GltfScene scene;
  scene.materials.push_back({"plain", {0.5f, 0.5f, 0.5f}, -1});
  const float nan = std::nanf("");
  GltfMesh mesh{"m", 0, {}};
  mesh.triangles = {{{0, 0, 0}, {0, 0}},   {{1, 0, 0}, {1, 0}}, {{0, 1, 0}, {0, 1}},
                    {{nan, 0, 0}, {0, 0}}, {{1, 0, 0}, {1, 0}}, {{0, 1, 0}, {0, 1}},
                    {{0, 0, 0}, {0, nan}}, {{1, 0, 0}, {1, 0}}, {{0, 1, 0}, {0, 1}}};
  scene.meshes = {mesh, {"no material", 3, mesh.triangles}, {"empty", 0, {}}};
  scene.root.meshes = {0, 1, 2, 7};
  scene.root.children.push_back(
      {"lost", {nan, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}, {0}, {}});
  const std::string path = folder.File("scene.glb");
  ASSERT_EQ(WriteGltf(scene, path), GltfWriteResult::kWritten);
  const ReadBack back = Read(path);
  EXPECT_EQ(back.triangles.size(), 1u);
  const Verdict verdict = Validate(path);
  EXPECT_EQ(verdict.status, 0) << verdict.output;

  scene.meshes = {{"only damaged", 0, {mesh.triangles.begin() + 3, mesh.triangles.end()}}};
  std::vector<FileToWrite> files;
  EXPECT_EQ(GltfFiles(scene, folder.File("nothing.glb"), &files), GltfWriteResult::kNothingToWrite);
  EXPECT_TRUE(files.empty());
}

// The course designer's road: the mesh of its COB export, in glTF's axes, with the road
// texture.
TEST(CourseGltfTest, RoadIsTheCobExportsMeshWithTheTexture) {
  TempFolder folder;
  CourseData1 course;
  course.Initialise();
  ASSERT_EQ(LoadCourseFile(course, std::string(SUITE_SOURCE_DIR) + "/samples/circuit.cus"),
            kCourseFileOk);
  const std::string texture =
      std::string(SUITE_SOURCE_DIR) + "/resources/merrowlindale/Texture.bmp";

  // The COB text's vertices: (x, z, y) * 0.01 of the course; glTF wants (x, y, -z) * 0.01.
  std::string cob;
  ASSERT_EQ(BuildCobText(course, &cob), kCobWritten);
  std::istringstream lines(cob.substr(cob.find("World Vertices")));
  std::string word;
  size_t count = 0;
  lines >> word >> word >> count;
  std::vector<Vec3> vertices(count);
  for (Vec3& v : vertices) {
    float x, z, y;
    lines >> x >> z >> y;
    v = {x, y, -z};
  }
  std::vector<Triangle> expected;
  for (size_t k = 0; k + 3 < vertices.size(); k += 2) {
    expected.push_back({vertices[k], vertices[k + 1], vertices[k + 3]});
    expected.push_back({vertices[k], vertices[k + 3], vertices[k + 2]});
  }

  for (const char* name : {"course.glb", "course.gltf"}) {
    bool untextured = true;
    ASSERT_EQ(WriteCourseGltf(course, texture, folder.File(name), nullptr, &untextured),
              kCourseGltfWritten);
    EXPECT_FALSE(untextured);
    const ReadBack back = Read(folder.File(name));
    // The COB text holds six decimals.
    EXPECT_EQ(SameTriangles(back.triangles, expected, 2e-6f), "") << name;
    for (const Triangle& t : back.triangles) EXPECT_GT(FacingUp(t), 0.0f);
    EXPECT_EQ(back.textures.size(), 1u);
    const Verdict verdict = Validate(folder.File(name));
    EXPECT_EQ(verdict.status, 0) << verdict.output;
  }
  // The picture is the road texture's.
  TextureImage road;
  ASSERT_TRUE(LoadRoadTexture(texture, &road));
  TextureImage written;
  ASSERT_EQ(DecodeTexture(TempFolder::Read(folder.File("course_Texture.png")), &written),
            TextureDecode::kDecoded);
  EXPECT_EQ(written.pixels, road.pixels);
  course.Destroy();
}

TEST(CourseGltfTest, BatchResults) {
  TempFolder folder;
  const std::string texture =
      std::string(SUITE_SOURCE_DIR) + "/resources/merrowlindale/Texture.bmp";
  const std::string circuit = std::string(SUITE_SOURCE_DIR) + "/samples/circuit.cus";
  CourseData1 course;
  course.Initialise();
  course.AddPoint(0.0, 0.0, 0.0);
  ASSERT_EQ(SaveCourseFile(course, folder.File("one.cus")), kCourseFileOk);
  course.Destroy();
  const std::string whole = TempFolder::Read(circuit);
  folder.Write("short.cus", whole.substr(0, whole.size() / 2));

  struct Case {
    std::string course;
    std::string output;
    std::string texture;
    int32_t result;
    bool untextured;
  };
  const Case cases[] = {
      {circuit, "a.glb", texture, kCourseGltfWritten, false},
      {circuit, "b.gltf", folder.File("none.bmp"), kCourseGltfWritten, true},
      {folder.File("none.cus"), "c.glb", texture, kCourseGltfCannotOpenCourse, false},
      {folder.File("short.cus"), "d.glb", texture, kCourseGltfDamagedCourse, false},
      {folder.File("one.cus"), "e.glb", texture, kCourseGltfEmpty, false},
      {circuit, "no/folder/f.glb", texture, kCourseGltfCannotWrite, false},
  };
  for (const Case& c : cases) {
    bool untextured = false;
    EXPECT_EQ(ExportGltfFromCourseFile(c.course, c.texture, folder.File(c.output), &untextured),
              c.result)
        << c.output;
    EXPECT_EQ(untextured, c.untextured) << c.output;
    EXPECT_EQ(std::filesystem::exists(folder.File(c.output)), c.result == kCourseGltfWritten);
  }
  EXPECT_STREQ(CourseGltfMessage(kCourseGltfEmpty),
               "コースに路面がありません（制御点が２つ以上必要です）");
  EXPECT_STREQ(CourseGltfMessage(kCourseGltfCannotWrite), "ファイルの書き込みに失敗しました");
}

}  // namespace
