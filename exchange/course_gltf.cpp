#include "exchange/course_gltf.h"

#include "course/course_data.h"
#include "course/course_file.h"
#include "course/partition_file.h"
#include "course/partition_line.h"
#include "exchange/gltf_geometry.h"
#include "foundation/file_io.h"
#include "pictures/bmp_file2.h"

namespace {

// The material of the COB export, for a road without its texture.
constexpr std::array<float, 3> kRoadColour = {0.8627451f, 0.5882353f, 0.5882353f};

}  // namespace

int32_t CourseGltfScene(const CourseData1& course, const TextureImage& texture, GltfScene* scene) {
  *scene = GltfScene();
  if (PartitionLineCount(course) > kMaxPartitionLines) return kCourseGltfTooManyLines;
  const std::vector<PartitionRecord> lines = SamplePartitionLines(course);
  if (lines.size() < 2) return kCourseGltfEmpty;

  GltfMaterial material;
  material.name = "Road";
  if (!texture.pixels.empty()) {
    scene->textures.push_back({"Texture", texture});
    material.texture = 0;
  } else {
    material.colour = kRoadColour;
  }
  scene->materials.push_back(material);

  GltfMesh road;
  road.name = "Road";
  // The COB export's texture vertices, counted from the top: the picture's top edge lies on
  // the earlier line of each partition.
  constexpr std::array<std::array<float, 2>, 4> kCorners = {{{0, 0}, {1, 0}, {1, 1}, {0, 1}}};
  for (size_t k = 0; k + 1 < lines.size(); ++k) {
    const std::array<GltfVertex, 4> quad = {
        GltfVertex{GltfPosition(lines[k].left_end), kCorners[0]},
        GltfVertex{GltfPosition(lines[k].right_end), kCorners[1]},
        GltfVertex{GltfPosition(lines[k + 1].right_end), kCorners[2]},
        GltfVertex{GltfPosition(lines[k + 1].left_end), kCorners[3]}};
    AppendQuadFacingUp(quad, &road.triangles);
  }
  scene->meshes.push_back(std::move(road));
  scene->root.name = "Course";
  scene->root.meshes = {0};
  return kCourseGltfWritten;
}

bool LoadRoadTexture(const std::string& path, TextureImage* texture) {
  BMPFile2::StartUp();
  const int32_t id = BMPFile2::Load(path);
  if (id >= 0) {
    int32_t width = 0;
    int32_t height = 0;
    BMPFile2::PictureSize(id, &width, &height);
    texture->width = width;
    texture->height = height;
    texture->channels = 3;
    texture->pixels.assign(static_cast<size_t>(width) * height * 3, 0);
    BMPFile2::PixelColours(id, 0, width * height, texture->pixels.data());
    BMPFile2::Unload(id);
  }
  BMPFile2::ShutDown();
  return id >= 0;
}

int32_t WriteCourseGltf(const CourseData1& course, const std::string& texture_path,
                        const std::string& path, std::string* error, bool* untextured) {
  TextureImage texture;
  const bool textured = LoadRoadTexture(texture_path, &texture);
  if (untextured != nullptr) *untextured = !textured;
  GltfScene scene;
  const int32_t built = CourseGltfScene(course, texture, &scene);
  if (built != kCourseGltfWritten) return built;
  return WriteGltf(scene, path, error) == GltfWriteResult::kWritten ? kCourseGltfWritten
                                                                    : kCourseGltfCannotWrite;
}

int32_t ExportGltfFromCourseFile(const std::string& course_path, const std::string& texture_path,
                                 const std::string& gltf_path, bool* untextured,
                                 std::string* reason) {
  CourseData1 course;
  course.Initialise();
  switch (LoadCourseFile(course, course_path)) {
    case kCourseFileOk:
      break;
    case kCourseFileDamaged:
      return kCourseGltfDamagedCourse;
    default:
      if (reason != nullptr) *reason = OpenFailureReason(course_path);
      return kCourseGltfCannotOpenCourse;
  }
  std::string error;
  const int32_t result = WriteCourseGltf(course, texture_path, gltf_path, &error, untextured);
  if (result == kCourseGltfCannotWrite && reason != nullptr) *reason = SystemReasonOf(error);
  return result;
}

const char* CourseGltfMessage(int32_t result) {
  switch (result) {
    case kCourseGltfWritten:
      return "出力しました";
    case kCourseGltfCannotOpenCourse:
      return "ファイルのオープンに失敗";
    case kCourseGltfDamagedCourse:
      return "コースファイルが壊れています";
    case kCourseGltfCannotWrite:
      return "ファイルの書き込みに失敗しました";
    case kCourseGltfTooManyLines:
      return "パーテーションラインが多すぎます";
    case kCourseGltfEmpty:
      return "コースに路面がありません（制御点が２つ以上必要です）";
    default:
      return "不明なエラー";
  }
}
