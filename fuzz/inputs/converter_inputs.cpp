#include <cstdint>
#include <vector>

#include "converter/cob_file.h"
#include "converter/po3_file.h"
#include "fuzz/inputs/fuzz_inputs.h"

namespace {

// The object's file must read back to the same object, and so must its bytes.
std::string CheckPo3RoundTrip(const Po3Object& object) {
  const std::string bytes = Po3File::Bytes(object);
  Po3Object read;
  if (Po3File::Parse(bytes, read) != kPo3Read) return "a written PO3 file does not read back";
  if (Po3File::Bytes(read) != bytes) return "a PO3 file changes when written again";
  Po3File::Listing(read);
  return "";
}

}  // namespace

std::string ExerciseCobScene(std::string_view bytes) {
  CobFile2::StartUp();
  const int32_t scene = CobFile2::LoadText(std::string(bytes), [](int) { return 0; });
  std::string problem;
  if (scene >= 0) {
    bool triangles_only = true;
    std::vector<int32_t> buffer;
    const int32_t objects = CobFile2::ObjectCount(scene);
    for (int32_t object = 0; object < objects; ++object) {
      CobFile2::ObjectId(scene, object);
      CobFile2::ObjectName(scene, object);
      float x, y, z;
      for (int32_t i = 0; i < CobFile2::VertexCount(scene, object); ++i) {
        CobFile2::Vertex(scene, object, i, x, y, z);
      }
      for (int32_t i = 0; i < CobFile2::TextureVertexCount(scene, object); ++i) {
        CobFile2::TextureVertex(scene, object, i, x, y);
      }
      for (int32_t i = 0; i < CobFile2::FaceCount(scene, object); ++i) {
        const int32_t corners = CobFile2::FaceCornerCount(scene, object, i);
        if (corners != 3) triangles_only = false;
        buffer.resize(static_cast<size_t>(2 * corners + 2));
        CobFile2::Face(scene, object, i, buffer.data(), static_cast<int32_t>(buffer.size()));
      }
      for (int32_t i = 0; i < CobFile2::MaterialCount(scene, object); ++i) {
        CobMaterial material;
        CobFile2::Material(scene, object, i, material);
      }
    }
    // The converter writes only scenes of triangles; what it writes must be a good file.
    if (triangles_only) {
      for (const bool invert : {false, true}) {
        problem = CheckPo3RoundTrip(Po3File::FromCobScene(scene, invert));
        if (!problem.empty()) break;
      }
    }
    CobFile2::ReleaseScene(scene);
  }
  CobFile2::ShutDown();
  return problem;
}

std::string ExercisePo3File(std::string_view bytes) {
  Po3Object object;
  if (Po3File::Read(ScratchFile(bytes, ".po3"), object) != kPo3Read) return "";
  return CheckPo3RoundTrip(object);
}
