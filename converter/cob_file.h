// Reads triangulated scenes in the ASCII COB format of the modelling tool (and of the course
// designer's export) and offers their meshes in the suite's conventions: world coordinates
// with the height as y, faces with per-corner texture vertices, materials with optional
// texture images. Loaded scenes are kept by a small scene id until released.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

// Load results below zero.
enum CobLoadCode : int32_t {
  kCobCannotOpen = -1,
  kCobNotCob = -2,
  kCobDamaged = -3,
  kCobBinary = -4,
  kCobHole = -5,
  kCobCancelled = -6,
};

// Progress phases, reported after each item read.
enum CobPhase : int {
  kCobPhaseVertex = 1,
  kCobPhaseTextureVertex = 2,
  kCobPhaseFace = 3,
  kCobPhaseMaterial = 4,
};

// Asked after every item read with its phase; answering 1 cancels the load.
using CobProgress = std::function<int(int phase)>;

struct CobMaterial {
  int32_t number = 0;  // the number after "mat#"; materials are ordered by it
  float red = 0, green = 0, blue = 0;
  int32_t textured = 0;
  std::string texture_path;  // as written in the file
  // A hand-edited texture line whose length prefix is shorter than the path after it: the
  // whole rest of the line, tried when `texture_path` names no file. Empty otherwise.
  std::string texture_line;
  // An untextured material whose shader block names a picture ("file name: string ..." of
  // its colour shader): that name, so the converter can say it was left out.
  std::string shader_texture;
  float offset_u = 0, offset_v = 0;
  float repeat_u = 0, repeat_v = 0;
};

class CobFile2 {
 public:
  // Counted start-up and shut-down of the class; the scene table lives from the first
  // start-up to the last shut-down.
  static void StartUp();
  static void ShutDown();

  // The id (>= 0) of the loaded scene, or a CobLoadCode.
  static int32_t Load(const std::string& path, const CobProgress& progress);
  // The same for a text already in memory.
  static int32_t LoadText(const std::string& text, const CobProgress& progress);
  static void ReleaseScene(int32_t scene);

  static int32_t ObjectCount(int32_t scene);
  static int32_t VertexCount(int32_t scene, int32_t object);
  static int32_t TextureVertexCount(int32_t scene, int32_t object);
  static int32_t FaceCount(int32_t scene, int32_t object);
  static int32_t MaterialCount(int32_t scene, int32_t object);

  static int32_t ObjectId(int32_t scene, int32_t object);
  static std::string ObjectName(int32_t scene, int32_t object);

  // The vertex moved by the object's transform (rotation · v + translation) and returned with
  // y and z exchanged, so that y is the height.
  static void Vertex(int32_t scene, int32_t object, int32_t index, float& x, float& y, float& z);
  static void TextureVertex(int32_t scene, int32_t object, int32_t index, float& u, float& v);
  // Fills `buffer` with n, the n vertex indices, the n texture vertex indices and the material
  // index (2n + 2 values) and returns n. The material index is the material's place in the
  // object's list (ordered by "mat#"). A buffer that is too small is a fatal misuse.
  static int32_t Face(int32_t scene, int32_t object, int32_t index, int32_t* buffer,
                      int32_t buffer_size);
  static int32_t FaceCornerCount(int32_t scene, int32_t object, int32_t index);
  // 1 when the material is textured, else 0.
  static int32_t Material(int32_t scene, int32_t object, int32_t index, CobMaterial& material);
};
