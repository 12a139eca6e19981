#include "exchange/model_import.h"

#include <assimp/BaseImporter.h>
#include <assimp/config.h>
#include <assimp/material.h>
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <assimp/Importer.hpp>
#include <assimp/ProgressHandler.hpp>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <map>
#include <set>

#include "converter/cob_conversion.h"
#include "exchange/texture_image.h"
#include "foundation/byte_reader.h"
#include "foundation/directory.h"
#include "foundation/file_io.h"
#include "pictures/bmp_file2.h"

namespace {

constexpr const char* kModelExtensions[] = {"gltf", "glb", "obj", "fbx",
                                            "dae",  "3ds", "ply", "stl"};

// Asks the caller's progress callback while the library reads; a cancel stops the read.
class CancelHandler : public Assimp::ProgressHandler {
 public:
  explicit CancelHandler(const CobProgress& progress) : progress_(progress) {}
  bool Update(float) override {
    if (progress_ && progress_(kCobPhaseVertex) == 1) cancelled_ = true;
    return !cancelled_;
  }
  bool Cancelled() const { return cancelled_; }

 private:
  const CobProgress& progress_;
  bool cancelled_ = false;
};

// The axis of the file's "UpAxis"-style metadata (0, 1, 2) times its sign, as a unit row.
bool MetadataAxis(const aiScene& scene, const char* axis_key, const char* sign_key, float row[3]) {
  int32_t axis = -1;
  int32_t sign = 1;
  if (scene.mMetaData == nullptr || !scene.mMetaData->Get(axis_key, axis) || axis < 0 || axis > 2) {
    return false;
  }
  scene.mMetaData->Get(sign_key, sign);
  row[0] = row[1] = row[2] = 0.0f;
  row[axis] = sign < 0 ? -1.0f : 1.0f;
  return true;
}

float Clamped(float value) {
  if (!(value > 0.0f)) return 0.0f;  // also NaN
  return value > 1.0f ? 1.0f : value;
}

std::string WithoutExtension(const std::string& name) {
  const size_t dot = name.rfind('.');
  return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

// The library's PLY reader never comes back from a header without a line "end_header" (the
// word followed by a blank or the line end), so such a file is refused before it gets there.
// The header is text at the start of the file.
bool PlyHeaderEnds(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  std::string head(1 << 16, '\0');
  head.resize(std::fread(head.data(), 1, head.size(), file));
  std::fclose(file);
  const std::string_view end_line = "\nend_header";
  for (size_t at = head.find(end_line); at != std::string::npos; at = head.find(end_line, at + 1)) {
    const size_t next = at + end_line.size();
    if (next < head.size() && std::string_view(" \t\r\n").find(head[next]) != std::string::npos) {
      return true;
    }
  }
  return false;
}

// The JSON text of a glTF file: the whole of a ".gltf", the first chunk of a ".glb".
std::string GltfJson(const std::string& path) {
  std::string bytes;
  if (!ReadWholeFile(path, bytes)) return "";
  if (bytes.rfind("glTF", 0) != 0) return bytes;
  ByteReader reader(bytes);
  reader.Skip(12);
  const uint32_t length = reader.U32();
  reader.Skip(4);
  return std::string(reader.View(std::min<size_t>(length, reader.Remaining())));
}

// The library's glTF reader crashes on a picture whose media type has no "/" (a data URI
// "data:xyz;base64,..." or "mimeType": "xyz"), so such a file is refused before it gets
// there. Escaped characters are not decoded: a refusal, never a crash, is what matters.
bool GltfMediaTypesSafe(const std::string& path) {
  const std::string json = GltfJson(path);
  for (size_t at = json.find("\"data:"); at != std::string::npos;
       at = json.find("\"data:", at + 1)) {
    const size_t start = at + 6;
    const size_t end = json.find_first_of(";,\"", start);
    const std::string type = json.substr(start, end == std::string::npos ? 0 : end - start);
    if (!type.empty() && type.find('/') == std::string::npos) return false;
  }
  for (size_t at = json.find("\"mimeType\""); at != std::string::npos;
       at = json.find("\"mimeType\"", at + 1)) {
    const size_t open = json.find('"', json.find(':', at + 10));
    const size_t close = open == std::string::npos ? open : json.find('"', open + 1);
    if (close == std::string::npos ||
        json.substr(open + 1, close - open - 1).find('/') == std::string::npos) {
      return false;
    }
  }
  return true;
}

// The library's COLLADA reader grows without end on an index list (<p> or <v>) that holds
// anything but numbers, and crashes on an array or accessor without its count, so such a
// file is refused before it gets there.
bool ColladaIndicesSafe(const std::string& path) {
  std::string text;
  if (!ReadWholeFile(path, text)) return false;
  for (const std::string_view tag :
       {"<float_array", "<int_array", "<Name_array", "<IDREF_array", "<bool_array", "<accessor"}) {
    for (size_t at = text.find(tag); at != std::string::npos; at = text.find(tag, at + 1)) {
      const size_t end = text.find('>', at);
      if (end == std::string::npos) return false;
      const std::string element = text.substr(at, end - at);
      bool counted = false;
      for (size_t c = element.find("count="); c != std::string::npos && !counted;
           c = element.find("count=", c + 1)) {
        counted = c > 0 && std::string_view(" \t\r\n").find(element[c - 1]) != std::string::npos;
      }
      if (!counted) return false;
    }
  }
  for (const std::string_view tag : {"<p>", "<v>"}) {
    const std::string close = std::string("</") + std::string(tag.substr(1));
    for (size_t at = text.find(tag); at != std::string::npos; at = text.find(tag, at + 1)) {
      const size_t start = at + tag.size();
      const size_t end = text.find(close, start);
      if (end == std::string::npos || text.find_first_not_of("0123456789 \t\r\n", start) < end) {
        return false;
      }
    }
  }
  return true;
}

// True when the file goes to a reader of its own kind. The library takes the only reader of
// an extension as it is; where several share one (".gltf" and ".glb"), each looks at the
// file, and when none takes it the library would hand it to any reader that recognises
// something in it, with the hangs of that reader.
bool ReadByItsOwnKind(const Assimp::Importer& importer, const std::string& path,
                      const std::string& extension) {
  std::vector<Assimp::BaseImporter*> claimants;
  for (size_t i = 0; i < importer.GetImporterCount(); ++i) {
    Assimp::BaseImporter* reader = importer.GetImporter(i);
    std::set<std::string> extensions;
    reader->GetExtensionList(extensions);
    if (extensions.count(extension) != 0) claimants.push_back(reader);
  }
  if (claimants.size() == 1) return true;
  return std::any_of(claimants.begin(), claimants.end(), [&](const Assimp::BaseImporter* reader) {
    return reader->CanRead(path, importer.GetIOHandler(), true);
  });
}

// True when the stage editor's bitmap reader takes the file as it is.
bool StageEditorReadsBitmap(const std::string& path) {
  BMPFile2::StartUp();
  const int32_t id = BMPFile2::Load(path);
  if (id >= 0) BMPFile2::Unload(id);
  BMPFile2::ShutDown();
  return id >= 0;
}

int ResultOfDecode(TextureDecode decode) {
  switch (decode) {
    case TextureDecode::kDecoded:
      return kConverted;
    case TextureDecode::kNotPowerOfTwo:
      return kImageSizeNotPowerOfTwo;
    default:
      return kImageNotSupported;
  }
}

// Gathers the texture files of one model: one per picture source, under names that differ.
class TexturePlan {
 public:
  TexturePlan(const aiScene& scene, const std::string& model_path)
      : scene_(scene),
        model_folder_(Directory1::Folder(model_path)),
        model_stem_(WithoutExtension(Directory1::FileName(model_path))) {}

  // The file name a material's texture gets in the output folder, or a result code.
  int NameFor(const aiString& texture_path, std::string* name) {
    const std::string path(texture_path.C_Str(), texture_path.length);
    const std::pair<const aiTexture*, int> embedded =
        scene_.GetEmbeddedTextureAndIndex(path.c_str());
    const std::string key =
        embedded.first != nullptr ? "*" + std::to_string(embedded.second) : FindFile(path);
    if (key.empty() || (embedded.first == nullptr && path.rfind('*', 0) == 0)) {
      return kImageOpenFailed;
    }
    const auto known = names_.find(key);
    if (known != names_.end()) {
      *name = known->second;
      return kConverted;
    }
    ModelTexture texture;
    const int result = embedded.first != nullptr
                           ? FromEmbedded(*embedded.first, embedded.second, &texture)
                           : FromFile(key, &texture);
    if (result != kConverted) return result;
    texture.name = Unused(texture.name);
    names_[key] = texture.name;
    *name = texture.name;
    textures_.push_back(std::move(texture));
    return kConverted;
  }

  std::vector<ModelTexture> Take() { return std::move(textures_); }

 private:
  // Where a texture named in the model lies: the path itself, the path from the model's
  // folder (paths written on Windows too), or its file name beside the model.
  std::string FindFile(std::string path) const {
    std::replace(path.begin(), path.end(), '\\', '/');
    if (path.empty()) return "";
    if (path[0] == '/' && FileExists(path)) return path;
    for (const std::string& candidate :
         {Directory1::Join(model_folder_, path),
          Directory1::Join(model_folder_, Directory1::FileName(path))}) {
      if (FileExists(candidate)) return candidate;
    }
    return "";
  }

  int FromFile(const std::string& path, ModelTexture* texture) const {
    std::string bytes;
    if (!ReadWholeFile(path, bytes)) return kImageOpenFailed;
    const std::string file_name = Directory1::FileName(path);
    // A bitmap that passes the converter's own check and that the stage editor reads is
    // copied as it is; any other picture is written anew in 24 bits.
    const bool bitmap = bytes.rfind("BM", 0) == 0;
    const int check = bitmap ? CheckTextureImage(path) : kImageNotSupported;
    if (check == kConverted && StageEditorReadsBitmap(path)) {
      texture->name = file_name;
      texture->source_path = path;
      return kConverted;
    }
    TextureImage image;
    const int decoded = ResultOfDecode(DecodeTexture(bytes, &image));
    // A bitmap the image library cannot read either keeps the check's result.
    if (decoded == kImageNotSupported && bitmap && check != kConverted) return check;
    if (decoded != kConverted) return decoded;
    texture->name = WithoutExtension(file_name) + ".bmp";
    texture->bytes = EncodeBmp24(image);
    return kConverted;
  }

  int FromEmbedded(const aiTexture& embedded, int index, ModelTexture* texture) const {
    TextureImage image;
    if (embedded.mHeight == 0) {
      // A whole picture file of mWidth bytes.
      const int decoded = ResultOfDecode(DecodeTexture(
          std::string_view(reinterpret_cast<const char*>(embedded.pcData), embedded.mWidth),
          &image));
      if (decoded != kConverted) return decoded;
    } else {
      if (!IsPowerOfTwoSide(embedded.mWidth) || !IsPowerOfTwoSide(embedded.mHeight)) {
        return kImageSizeNotPowerOfTwo;
      }
      if (embedded.mWidth > static_cast<unsigned>(kMaxTextureSide) ||
          embedded.mHeight > static_cast<unsigned>(kMaxTextureSide)) {
        return kImageNotSupported;
      }
      image.width = static_cast<int32_t>(embedded.mWidth);
      image.height = static_cast<int32_t>(embedded.mHeight);
      image.pixels.reserve(static_cast<size_t>(image.width) * image.height * 3);
      for (size_t i = 0; i < static_cast<size_t>(image.width) * image.height; ++i) {
        const aiTexel& texel = embedded.pcData[i];
        image.pixels.insert(image.pixels.end(), {texel.r, texel.g, texel.b});
      }
    }
    std::string stem = WithoutExtension(Directory1::FileName(embedded.mFilename.C_Str()));
    if (stem.empty()) stem = model_stem_ + "_texture" + std::to_string(index);
    texture->name = stem + ".bmp";
    texture->bytes = EncodeBmp24(image);
    return kConverted;
  }

  // `name`, or the first of name_2, name_3, ... (before the extension) not yet given out.
  std::string Unused(const std::string& name) {
    std::string candidate = name;
    for (int n = 2; taken_.count(candidate) != 0; ++n) {
      const size_t dot = name.rfind('.');
      candidate = dot == std::string::npos
                      ? name + "_" + std::to_string(n)
                      : name.substr(0, dot) + "_" + std::to_string(n) + name.substr(dot);
    }
    taken_.insert(candidate);
    return candidate;
  }

  const aiScene& scene_;
  std::string model_folder_;
  std::string model_stem_;
  std::map<std::string, std::string> names_;  // picture source -> file name
  std::set<std::string> taken_;
  std::vector<ModelTexture> textures_;
};

bool MaterialTexture(const aiMaterial& material, aiString* path) {
  return material.GetTexture(aiTextureType_DIFFUSE, 0, path) == AI_SUCCESS ||
         material.GetTexture(aiTextureType_BASE_COLOR, 0, path) == AI_SUCCESS;
}

int MapMaterials(const aiScene& scene, TexturePlan* plan, Po3Object* object) {
  for (unsigned i = 0; i < scene.mNumMaterials; ++i) {
    const aiMaterial& material = *scene.mMaterials[i];
    aiColor4D colour(1.0f, 1.0f, 1.0f, 1.0f);
    if (material.Get(AI_MATKEY_COLOR_DIFFUSE, colour) != AI_SUCCESS) {
      material.Get(AI_MATKEY_BASE_COLOR, colour);
    }
    Po3Attribute attribute;
    attribute.red = Clamped(colour.r);
    attribute.green = Clamped(colour.g);
    attribute.blue = Clamped(colour.b);
    aiString texture_path;
    if (MaterialTexture(material, &texture_path)) {
      const int result = plan->NameFor(texture_path, &attribute.texture_name);
      if (result != kConverted) return result;
      attribute.textured = 1;
      attribute.repeat_u = 1.0f;
      attribute.repeat_v = 1.0f;
    }
    object->attributes.push_back(std::move(attribute));
  }
  return kConverted;
}

// The meshes, already in stage coordinates, as one object; false when a count would not fit
// the file.
bool MapMeshes(const aiScene& scene, bool invert, Po3Object* object) {
  const int64_t limit = std::numeric_limits<int32_t>::max();
  for (unsigned m = 0; m < scene.mNumMeshes; ++m) {
    const aiMesh& mesh = *scene.mMeshes[m];
    if ((mesh.mPrimitiveTypes & aiPrimitiveType_TRIANGLE) == 0 ||
        mesh.mMaterialIndex >= scene.mNumMaterials) {
      continue;
    }
    const int64_t base = static_cast<int64_t>(object->points.size());
    if (base + mesh.mNumVertices > limit ||
        static_cast<int64_t>(object->faces.size()) + mesh.mNumFaces > limit) {
      return false;
    }
    for (unsigned v = 0; v < mesh.mNumVertices; ++v) {
      const aiVector3D& p = mesh.mVertices[v];
      object->points.push_back({p.x, p.y, p.z});
      const aiVector3D uv =
          mesh.HasTextureCoords(0) ? mesh.mTextureCoords[0][v] : aiVector3D(0.0f, 0.0f, 0.0f);
      object->texture_vertices.push_back({uv.x, uv.y});
    }
    for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
      const aiFace& face = mesh.mFaces[f];
      if (face.mNumIndices != 3) continue;
      Po3Face out{};
      bool inside = true;
      for (int k = 0; k < 3; ++k) {
        const unsigned index = face.mIndices[invert ? 2 - k : k];
        inside = inside && index < mesh.mNumVertices;
        out.points[k] = out.texture_vertices[k] = static_cast<int32_t>(base + index);
      }
      out.attribute = static_cast<int32_t>(mesh.mMaterialIndex);
      if (inside) object->faces.push_back(out);
    }
  }
  return true;
}

}  // namespace

bool IsModelPath(const std::string& path) {
  const std::string extension = Directory1::LowerExtension(path);
  return std::find(std::begin(kModelExtensions), std::end(kModelExtensions), extension) !=
         std::end(kModelExtensions);
}

AxisMatrix ModelAxes(const aiScene& scene, const std::string& path) {
  // Rows: the model's right, up and front directions in its own coordinates.
  float rows[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  const std::string extension = Directory1::LowerExtension(path);
  if (extension == "stl" || extension == "ply") {
    // Z up, and the front (+z of a y-up scene) is -y.
    const float z_up[3][3] = {{1, 0, 0}, {0, 0, 1}, {0, -1, 0}};
    std::copy(&z_up[0][0], &z_up[0][0] + 9, &rows[0][0]);
  } else {
    float right[3], up[3], front[3];
    if (MetadataAxis(scene, "CoordAxis", "CoordAxisSign", right) &&
        MetadataAxis(scene, "UpAxis", "UpAxisSign", up) &&
        MetadataAxis(scene, "FrontAxis", "FrontAxisSign", front)) {
      std::copy(right, right + 3, rows[0]);
      std::copy(up, up + 3, rows[1]);
      std::copy(front, front + 3, rows[2]);
    }
  }
  // From y up (right-handed) to the stage's world: z turned round.
  return {rows[0][0], rows[0][1],  rows[0][2],  rows[1][0], rows[1][1],
          rows[1][2], -rows[2][0], -rows[2][1], -rows[2][2]};
}

int ImportModel(const std::string& path, bool invert, float scale, const CobProgress& progress,
                ImportedModel* model) {
  if (!FileExists(path) || !OpenFailureReason(path).empty()) return kModelOpenFailed;

  // Inputs on which the library's readers would hang or crash.
  const std::string extension = Directory1::LowerExtension(path);
  if (extension == "ply" && !PlyHeaderEnds(path)) return kModelUnreadable;
  if ((extension == "gltf" || extension == "glb") && !GltfMediaTypesSafe(path)) {
    return kModelUnreadable;
  }
  if (extension == "dae" && !ColladaIndicesSafe(path)) return kModelUnreadable;

  Assimp::Importer importer;
  auto* handler = new CancelHandler(progress);  // the importer owns it
  importer.SetProgressHandler(handler);
  importer.SetPropertyInteger(AI_CONFIG_PP_SBP_REMOVE,
                              aiPrimitiveType_POINT | aiPrimitiveType_LINE);
  const aiScene* scene = nullptr;
  bool has_faces = false;
  // The library reports failures by result, but a broken file may still throw inside it.
  try {
    if (!ReadByItsOwnKind(importer, path, extension)) return kModelUnreadable;
    scene = importer.ReadFile(path, 0);
    // A scene without meshes comes back marked incomplete: a file read, but nothing in it.
    has_faces =
        scene != nullptr &&
        std::any_of(scene->mMeshes, scene->mMeshes + scene->mNumMeshes, [](const aiMesh* mesh) {
          return mesh != nullptr && (mesh->mPrimitiveTypes &
                                     (aiPrimitiveType_TRIANGLE | aiPrimitiveType_POLYGON)) != 0;
        });
    if (has_faces) {
      const AxisMatrix axes = ModelAxes(*scene, path);
      aiMatrix4x4 root;
      for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) root[r][c] = axes[static_cast<size_t>(3 * r + c)] * scale;
      }
      importer.SetPropertyBool(AI_CONFIG_PP_PTV_ADD_ROOT_TRANSFORMATION, true);
      importer.SetPropertyMatrix(AI_CONFIG_PP_PTV_ROOT_TRANSFORMATION, root);
      scene = importer.ApplyPostProcessing(
          aiProcess_ValidateDataStructure | aiProcess_Triangulate | aiProcess_SortByPType |
          aiProcess_PreTransformVertices | aiProcess_JoinIdenticalVertices |
          aiProcess_TransformUVCoords | aiProcess_FlipUVs | aiProcess_RemoveRedundantMaterials);
    }
  } catch (...) {
    scene = nullptr;
  }
  if (handler->Cancelled()) return kConversionCancelled;
  if (scene == nullptr) return kModelUnreadable;
  if (!has_faces) return kModelNoTriangles;
  if ((scene->mFlags & AI_SCENE_FLAGS_INCOMPLETE) != 0) return kModelUnreadable;

  ImportedModel read;
  TexturePlan plan(*scene, path);
  if (!MapMeshes(*scene, invert, &read.object)) return kModelUnreadable;
  if (read.object.faces.empty()) return kModelNoTriangles;
  const int materials = MapMaterials(*scene, &plan, &read.object);
  if (materials != kConverted) return materials;
  read.textures = plan.Take();
  *model = std::move(read);
  return kConverted;
}
