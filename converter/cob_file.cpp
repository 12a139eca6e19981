#include "converter/cob_file.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>
#include <vector>

#include "converter/cob_scanner.h"
#include "foundation/class_startup.h"
#include "foundation/file_io.h"
#include "foundation/misuse_check.h"
#include "foundation/typed_database.h"

namespace {

constexpr const char* kTag = "CobFile2";
constexpr const char* kNotStarted = "初期化されていない";
constexpr const char* kOutOfRange = "範囲外のデータにアクセスしようとした";
constexpr const char* kBufferTooSmall = "受け取りバッファが小さすぎます";
constexpr std::string_view kAsciiMagic = "Caligari V00.01ALH";
constexpr std::string_view kBinaryMagic = "Caligari V00.01BLH";

struct CobVertex {
  float x, y, z;
};
struct CobTextureVertex {
  float u, v;
};

struct CobObject {
  int32_t id = 0;
  std::string name;
  float centre[3] = {};
  float axes[3][3] = {};
  float rotation[3][3] = {};
  float translation[3] = {};
  std::vector<CobVertex> vertices;
  std::vector<CobTextureVertex> texture_vertices;
  // Face i is face_data[face_start[i] ...]: n, n vertex indices, n texture vertex indices,
  // material index.
  std::vector<int32_t> face_data;
  std::vector<int32_t> face_start;
  std::vector<CobMaterial> materials;
};

struct CobScene {
  std::vector<CobObject> objects;
};

// Class-wide state. The scene table is guarded because the converter loads on a worker thread.
std::mutex state_mutex;
ClassStartUp startup(kTag, ClassStartUp::Form::kDecrementThenCheck);
IdTable<CobScene*>* scenes = nullptr;

class SceneReader {
 public:
  SceneReader(std::string_view text, const CobProgress& progress)
      : scanner_(text), progress_(progress) {}

  // 0 with the scene filled, or a CobLoadCode.
  int32_t Read(CobScene& scene) {
    while (scanner_.FindKeyword("PolH")) {
      CobObject object;
      const int32_t result = ReadObject(object);
      if (result != 0) return result;
      scene.objects.push_back(std::move(object));
    }
    return 0;
  }

 private:
  bool Cancelled(int phase) const { return progress_ && progress_(phase) == 1; }

  bool ReadFloats(float* values, int count) {
    for (int i = 0; i < count; ++i) {
      if (!scanner_.ReadFloat(values[i])) return false;
    }
    return true;
  }
  bool FindAndReadFloats(std::string_view keyword, float* values, int count) {
    return scanner_.FindKeyword(keyword) && ReadFloats(values, count);
  }
  // A count read from the file, refused when negative or when the rest of the text cannot
  // hold that many items of `numbers_per_item` numbers (each takes at least two characters).
  bool ReadCount(int32_t& count, size_t numbers_per_item) {
    if (!scanner_.ReadInt(count) || count < 0) return false;
    return static_cast<uint64_t>(count) * numbers_per_item <= scanner_.Remaining() / 2 + 1;
  }

  int32_t ReadObject(CobObject& object) {
    std::string token;
    if (!scanner_.FindKeyword("Id") || !scanner_.ReadInt(object.id)) return kCobDamaged;
    if (!scanner_.FindKeyword("Name") || !scanner_.ReadToken(object.name)) return kCobDamaged;
    if (!FindAndReadFloats("center", object.centre, 3) ||
        !FindAndReadFloats("x axis", object.axes[0], 3) ||
        !FindAndReadFloats("y axis", object.axes[1], 3) ||
        !FindAndReadFloats("z axis", object.axes[2], 3)) {
      return kCobDamaged;
    }
    if (!scanner_.FindKeyword("Transform")) return kCobDamaged;
    for (int row = 0; row < 3; ++row) {
      if (!ReadFloats(object.rotation[row], 3) || !scanner_.ReadFloat(object.translation[row])) {
        return kCobDamaged;
      }
    }

    int32_t count = 0;
    if (!scanner_.FindKeyword("World Vertices") || !ReadCount(count, 3)) return kCobDamaged;
    for (int32_t i = 0; i < count; ++i) {
      CobVertex vertex;
      if (!scanner_.ReadFloat(vertex.x) || !scanner_.ReadFloat(vertex.y) ||
          !scanner_.ReadFloat(vertex.z)) {
        return kCobDamaged;
      }
      object.vertices.push_back(vertex);
      if (Cancelled(kCobPhaseVertex)) return kCobCancelled;
    }

    if (!scanner_.FindKeyword("Texture Vertices") || !ReadCount(count, 2)) return kCobDamaged;
    for (int32_t i = 0; i < count; ++i) {
      CobTextureVertex vertex;
      if (!scanner_.ReadFloat(vertex.u) || !scanner_.ReadFloat(vertex.v)) return kCobDamaged;
      object.texture_vertices.push_back(vertex);
      if (Cancelled(kCobPhaseTextureVertex)) return kCobCancelled;
    }

    if (!scanner_.FindKeyword("Faces") || !ReadCount(count, 2)) return kCobDamaged;
    for (int32_t i = 0; i < count; ++i) {
      const int32_t result = ReadFace(object);
      if (result != 0) return result;
      if (Cancelled(kCobPhaseFace)) return kCobCancelled;
    }

    const int32_t result = ReadMaterials(object);
    if (result != 0) return result;
    return ResolveFaceIndices(object) ? 0 : kCobDamaged;
  }

  int32_t ReadFace(CobObject& object) {
    const int which = scanner_.FindFirstOf({"Face verts", "Hole verts"});
    if (which < 0) return kCobDamaged;
    if (which == 1) return kCobHole;
    int32_t corners = 0;
    int32_t material = 0;
    // Each corner "<v,t>" takes at least five characters.
    if (!scanner_.ReadInt(corners) || corners < 0 ||
        static_cast<uint64_t>(corners) * 5 > scanner_.Remaining()) {
      return kCobDamaged;
    }
    if (!scanner_.FindKeyword("mat") || !scanner_.ReadInt(material)) return kCobDamaged;
    std::vector<int32_t> vertex_indices(static_cast<size_t>(corners));
    std::vector<int32_t> texture_indices(static_cast<size_t>(corners));
    std::string text;
    for (int32_t k = 0; k < corners; ++k) {
      if (!scanner_.FindKeyword("<") || !scanner_.ReadInt(vertex_indices[k]) ||
          !scanner_.ReadUpTo(">", text) || !CobScanner::ParseInt(text, texture_indices[k])) {
        return kCobDamaged;
      }
    }
    object.face_start.push_back(static_cast<int32_t>(object.face_data.size()));
    object.face_data.push_back(corners);
    object.face_data.insert(object.face_data.end(), vertex_indices.begin(), vertex_indices.end());
    object.face_data.insert(object.face_data.end(), texture_indices.begin(), texture_indices.end());
    object.face_data.push_back(material);
    return 0;
  }

  int32_t ReadMaterials(CobObject& object) {
    for (;;) {
      const size_t before = scanner_.Position();
      const int which = scanner_.FindFirstOf({"mat#", "PolH"});
      if (which != 0) {
        scanner_.SetPosition(before);
        return 0;
      }
      CobMaterial material;
      if (!scanner_.ReadInt(material.number)) return kCobDamaged;
      float rgb[3];
      if (!FindAndReadFloats("rgb", rgb, 3)) return kCobDamaged;
      material.red = rgb[0];
      material.green = rgb[1];
      material.blue = rgb[2];
      const size_t after_colour = scanner_.Position();
      // "mat" also stops at the next material's "mat#", so a texture further on is not
      // taken for this material's.
      if (scanner_.FindFirstOf({"mat", "PolH", "texture:", "mat#"}) == 2) {
        material.textured = 1;
        float offset[2];
        float repeats[2];
        // No file name holds a zero byte; the object file would end the name there.
        if (!scanner_.ReadPath(material.texture_path, &material.texture_line) ||
            material.texture_path.find('\0') != std::string::npos ||
            !FindAndReadFloats("offset", offset, 2) || !FindAndReadFloats("repeats", repeats, 2)) {
          return kCobDamaged;
        }
        material.offset_u = offset[0];
        material.offset_v = offset[1];
        material.repeat_u = repeats[0];
        material.repeat_v = repeats[1];
        if (material.texture_line.find('\0') != std::string::npos) material.texture_line.clear();
      } else {
        material.shader_texture = ShaderTexture(after_colour);
        scanner_.SetPosition(after_colour);
      }
      // Faces refer to materials by their "mat#" number, and exports list them in any order.
      const auto place = std::upper_bound(
          object.materials.begin(), object.materials.end(), material.number,
          [](int32_t number, const CobMaterial& other) { return number < other.number; });
      object.materials.insert(place, std::move(material));
      if (Cancelled(kCobPhaseMaterial)) return kCobCancelled;
    }
  }

  // The picture a material's colour shader names ("file name: string "dwarf.jpg"" in its
  // shader block), searched from `from` up to the next material or object; "" when none.
  std::string ShaderTexture(size_t from) {
    scanner_.SetPosition(from);
    std::string name;
    if (scanner_.FindFirstOf({"Shader class: color", "mat#", "PolH"}) == 0 &&
        scanner_.FindFirstOf({"file name: string \"", "Shader class:", "mat#", "PolH"}) == 0 &&
        scanner_.ReadUpTo("\"", name) &&
        name.find_first_of(std::string_view("\r\n\0", 3)) != std::string::npos) {
      name.clear();
    }
    return name;
  }

  // Faces name their material by its "mat#" number; they get the material's place in the
  // ordered list instead (the same value when the numbers run 0, 1, 2, ...). Every index must
  // lie inside its object's tables: the object file indexes with them.
  static bool ResolveFaceIndices(CobObject& object) {
    const auto vertices = static_cast<int32_t>(object.vertices.size());
    const auto texture_vertices = static_cast<int32_t>(object.texture_vertices.size());
    for (const int32_t start : object.face_start) {
      int32_t* face = object.face_data.data() + start;
      const int32_t n = face[0];
      for (int32_t k = 0; k < n; ++k) {
        if (face[1 + k] < 0 || face[1 + k] >= vertices) return false;
        if (face[1 + n + k] < 0 || face[1 + n + k] >= texture_vertices) return false;
      }
      int32_t& material = face[1 + 2 * n];
      const auto found = std::find_if(
          object.materials.begin(), object.materials.end(),
          [material](const CobMaterial& candidate) { return candidate.number == material; });
      if (found == object.materials.end()) return false;
      material = static_cast<int32_t>(found - object.materials.begin());
    }
    return true;
  }

  CobScanner scanner_;
  const CobProgress& progress_;
};

const CobScene& SceneAt(int32_t scene) {
  std::lock_guard<std::mutex> lock(state_mutex);
  startup.Require(kNotStarted);
  SUITE_CHECK(scenes->IsLive(scene), kTag, kOutOfRange);
  return *scenes->Fetch(scene);
}

const CobObject& ObjectAt(int32_t scene, int32_t object) {
  const CobScene& loaded = SceneAt(scene);
  SUITE_CHECK(object >= 0 && static_cast<size_t>(object) < loaded.objects.size(), kTag,
              kOutOfRange);
  return loaded.objects[static_cast<size_t>(object)];
}

void CheckIndex(int32_t index, size_t count) {
  SUITE_CHECK(index >= 0 && static_cast<size_t>(index) < count, kTag, kOutOfRange);
  (void)index;
  (void)count;
}

}  // namespace

void CobFile2::StartUp() {
  std::lock_guard<std::mutex> lock(state_mutex);
  if (startup.StartUp()) scenes = new IdTable<CobScene*>();
}

void CobFile2::ShutDown() {
  std::lock_guard<std::mutex> lock(state_mutex);
  if (startup.ShutDown() && scenes != nullptr) {
    scenes->ForEach([](int32_t, CobScene* scene) { delete scene; });
    delete scenes;
    scenes = nullptr;
  }
}

int32_t CobFile2::Load(const std::string& path, const CobProgress& progress) {
  {
    std::lock_guard<std::mutex> lock(state_mutex);
    startup.Require(kNotStarted);
  }
  std::string text;
  if (!ReadWholeFile(path, text)) return kCobCannotOpen;
  return LoadText(text, progress);
}

int32_t CobFile2::LoadText(const std::string& text, const CobProgress& progress) {
  {
    std::lock_guard<std::mutex> lock(state_mutex);
    startup.Require(kNotStarted);
  }
  const std::string_view head = std::string_view(text).substr(0, kAsciiMagic.size());
  if (head == kBinaryMagic) return kCobBinary;
  if (head != kAsciiMagic) return kCobNotCob;

  auto scene = std::make_unique<CobScene>();
  SceneReader reader(text, progress);
  const int32_t result = reader.Read(*scene);
  if (result != 0) return result;
  std::lock_guard<std::mutex> lock(state_mutex);
  return scenes->Add(scene.release());
}

void CobFile2::ReleaseScene(int32_t scene) {
  std::lock_guard<std::mutex> lock(state_mutex);
  startup.Require(kNotStarted);
  SUITE_CHECK(scenes->IsLive(scene), kTag, kOutOfRange);
  delete scenes->Fetch(scene);
  scenes->Delete(scene);
}

int32_t CobFile2::ObjectCount(int32_t scene) {
  return static_cast<int32_t>(SceneAt(scene).objects.size());
}

int32_t CobFile2::VertexCount(int32_t scene, int32_t object) {
  return static_cast<int32_t>(ObjectAt(scene, object).vertices.size());
}

int32_t CobFile2::TextureVertexCount(int32_t scene, int32_t object) {
  return static_cast<int32_t>(ObjectAt(scene, object).texture_vertices.size());
}

int32_t CobFile2::FaceCount(int32_t scene, int32_t object) {
  return static_cast<int32_t>(ObjectAt(scene, object).face_start.size());
}

int32_t CobFile2::MaterialCount(int32_t scene, int32_t object) {
  return static_cast<int32_t>(ObjectAt(scene, object).materials.size());
}

int32_t CobFile2::ObjectId(int32_t scene, int32_t object) { return ObjectAt(scene, object).id; }

std::string CobFile2::ObjectName(int32_t scene, int32_t object) {
  return ObjectAt(scene, object).name;
}

void CobFile2::Vertex(int32_t scene, int32_t object, int32_t index, float& x, float& y, float& z) {
  const CobObject& source = ObjectAt(scene, object);
  CheckIndex(index, source.vertices.size());
  const CobVertex& v = source.vertices[static_cast<size_t>(index)];
  float w[3];
  for (int r = 0; r < 3; ++r) {
    w[r] = source.rotation[r][0] * v.x + source.rotation[r][1] * v.y + source.rotation[r][2] * v.z +
           source.translation[r];
  }
  x = w[0];
  y = w[2];
  z = w[1];
}

void CobFile2::TextureVertex(int32_t scene, int32_t object, int32_t index, float& u, float& v) {
  const CobObject& source = ObjectAt(scene, object);
  CheckIndex(index, source.texture_vertices.size());
  u = source.texture_vertices[static_cast<size_t>(index)].u;
  v = source.texture_vertices[static_cast<size_t>(index)].v;
}

int32_t CobFile2::Face(int32_t scene, int32_t object, int32_t index, int32_t* buffer,
                       int32_t buffer_size) {
  const CobObject& source = ObjectAt(scene, object);
  CheckIndex(index, source.face_start.size());
  const int32_t* face = source.face_data.data() + source.face_start[static_cast<size_t>(index)];
  const int32_t n = face[0];
  SUITE_CHECK(buffer_size >= 2 * n + 2, kTag, kBufferTooSmall);
  std::memcpy(buffer, face, static_cast<size_t>(2 * n + 2) * sizeof(int32_t));
  return n;
}

int32_t CobFile2::FaceCornerCount(int32_t scene, int32_t object, int32_t index) {
  const CobObject& source = ObjectAt(scene, object);
  CheckIndex(index, source.face_start.size());
  return source.face_data[static_cast<size_t>(source.face_start[static_cast<size_t>(index)])];
}

int32_t CobFile2::Material(int32_t scene, int32_t object, int32_t index, CobMaterial& material) {
  const CobObject& source = ObjectAt(scene, object);
  CheckIndex(index, source.materials.size());
  material = source.materials[static_cast<size_t>(index)];
  return material.textured;
}
