// The course designer's road surface as glTF 2.0: the mesh of the COB export (one quad of two
// triangles per partition, the road texture stretched over each) with the road texture.
// Course (x, y, z), y up, is written as (x, y, -z) * 0.01: the COB export's scale, in glTF's
// right-handed axes, so that the course and a stage made from it lie on top of each other.
#pragma once

#include <cstdint>
#include <string>

#include "exchange/gltf_scene.h"

class CourseData1;

enum CourseGltfResult : int32_t {
  kCourseGltfWritten = 0,
  kCourseGltfCannotOpenCourse = 1,  // batch: the course file cannot be read
  kCourseGltfDamagedCourse = 2,     // batch: the course file is damaged
  kCourseGltfCannotWrite = 3,       // nothing was replaced
  kCourseGltfTooManyLines = 4,      // more partition lines than a partition file may hold
  kCourseGltfEmpty = 5,             // fewer than two partition lines: no road to write
};

// The world scale of the exports: course and stage units to glTF metres.
inline constexpr float kGltfUnitsPerWorldUnit = 0.01f;

// The road as a scene; `texture` (empty pixels for none) goes on every quad. Returns
// kCourseGltfWritten, kCourseGltfTooManyLines or kCourseGltfEmpty.
int32_t CourseGltfScene(const CourseData1& course, const TextureImage& texture, GltfScene* scene);

// The road texture file ("Texture.bmp") as pixels; false when it cannot be read.
bool LoadRoadTexture(const std::string& path, TextureImage* texture);

// Writes the road of `course` at `path` (".glb", or ".gltf" with its files beside it) with the
// texture file at `texture_path`; an unreadable texture leaves the road in its colour and
// sets `*untextured`.
int32_t WriteCourseGltf(const CourseData1& course, const std::string& texture_path,
                        const std::string& path, std::string* error = nullptr,
                        bool* untextured = nullptr);

// The batch export: loads `course_path` and writes its road at `gltf_path`. When the system
// refused to read or write a file, `reason` (optional) receives its reason.
int32_t ExportGltfFromCourseFile(const std::string& course_path, const std::string& texture_path,
                                 const std::string& gltf_path, bool* untextured = nullptr,
                                 std::string* reason = nullptr);

// Said when the road texture could not be read and the road went out in its colour.
inline constexpr const char* kGltfUntexturedNote =
    "道路テクスチャー(Texture.bmp)を読めないため、路面を色だけで出力しました";

// A one-line UTF-8 message for a result.
const char* CourseGltfMessage(int32_t result);
