#include "exchange/gltf_scene.h"

#include <assimp/GltfMaterial.h>
#include <assimp/material.h>
#include <assimp/scene.h>
#include <assimp/Exporter.hpp>
#include <assimp/IOStream.hpp>
#include <assimp/IOSystem.hpp>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <map>
#include <memory>
#include <set>

#include "foundation/directory.h"

namespace {

// glTF sampler filters: sharp texels up close as in the stage editor, mipmaps far away.
constexpr int kNearest = 9728;
constexpr int kLinearMipmapLinear = 9987;

// A file the exporter writes, kept in memory.
class MemoryStream : public Assimp::IOStream {
 public:
  explicit MemoryStream(std::string* bytes) : bytes_(bytes) {}
  size_t Read(void*, size_t, size_t) override { return 0; }
  size_t Write(const void* buffer, size_t size, size_t count) override {
    const size_t length = size * count;
    if (position_ + length > bytes_->size()) bytes_->resize(position_ + length);
    if (length > 0) std::memcpy(bytes_->data() + position_, buffer, length);
    position_ += length;
    return count;
  }
  aiReturn Seek(size_t offset, aiOrigin origin) override {
    const size_t base = origin == aiOrigin_SET   ? 0
                        : origin == aiOrigin_CUR ? position_
                                                 : bytes_->size();
    // The binary writer skips the header first and comes back for it: a seek past the end
    // grows the file (by no more than a header's worth).
    if (offset > bytes_->size() - base + 64) return aiReturn_FAILURE;
    if (base + offset > bytes_->size()) bytes_->resize(base + offset);
    position_ = base + offset;
    return aiReturn_SUCCESS;
  }
  size_t Tell() const override { return position_; }
  size_t FileSize() const override { return bytes_->size(); }
  void Flush() override {}

 private:
  std::string* bytes_;
  size_t position_ = 0;
};

// Gives the exporter files in memory, so that the real files can be saved atomically.
class MemoryIOSystem : public Assimp::IOSystem {
 public:
  explicit MemoryIOSystem(std::map<std::string, std::string>* files) : files_(files) {}
  bool Exists(const char* file) const override { return files_->count(file) != 0; }
  char getOsSeparator() const override { return '/'; }
  Assimp::IOStream* Open(const char* file, const char* mode) override {
    if (std::strchr(mode, 'w') == nullptr) return nullptr;
    std::string& bytes = (*files_)[file];
    bytes.clear();
    return new MemoryStream(&bytes);
  }
  void Close(Assimp::IOStream* stream) override { delete stream; }

 private:
  std::map<std::string, std::string>* files_;
};

// Letters, digits, "-" and "_" of `text`, others as "_": a name that needs no escaping in a
// URI.
std::string UriSafe(const std::string& text) {
  std::string safe;
  for (const char c : text) {
    const auto u = static_cast<unsigned char>(c);
    safe += (std::isalnum(u) != 0 && u < 128) || c == '-' || c == '_' ? c : '_';
  }
  return safe;
}

// The node tree; `new_index` gives each scene mesh's index among the written ones (-1: not
// written).
aiNode* BuildNode(const GltfNode& node, const std::vector<int>& new_index) {
  auto* out = new aiNode(node.name);
  // A placement that is no number puts the node nowhere: it is left empty.
  if (!std::all_of(node.transform.begin(), node.transform.end(),
                   [](float value) { return std::isfinite(value); })) {
    return out;
  }
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 4; ++c) out->mTransformation[r][c] = node.transform[4 * r + c];
  }
  std::vector<unsigned> meshes;
  for (const int mesh : node.meshes) {
    if (mesh >= 0 && static_cast<size_t>(mesh) < new_index.size() && new_index[mesh] >= 0) {
      meshes.push_back(static_cast<unsigned>(new_index[mesh]));
    }
  }
  if (!meshes.empty()) {
    out->mNumMeshes = static_cast<unsigned>(meshes.size());
    out->mMeshes = new unsigned[meshes.size()];
    std::copy(meshes.begin(), meshes.end(), out->mMeshes);
  }
  if (!node.children.empty()) {
    out->mNumChildren = static_cast<unsigned>(node.children.size());
    out->mChildren = new aiNode*[node.children.size()];
    for (size_t i = 0; i < node.children.size(); ++i) {
      out->mChildren[i] = BuildNode(node.children[i], new_index);
      out->mChildren[i]->mParent = out;
    }
  }
  return out;
}

// The mesh without the triangles that have a coordinate that is no number (a damaged file's).
GltfMesh WithFiniteTriangles(const GltfMesh& mesh) {
  GltfMesh out{mesh.name, mesh.material, {}};
  for (size_t t = 0; t + 3 <= mesh.triangles.size(); t += 3) {
    bool finite = true;
    for (size_t k = t; k < t + 3; ++k) {
      for (const float value : mesh.triangles[k].position) finite = finite && std::isfinite(value);
      for (const float value : mesh.triangles[k].uv) finite = finite && std::isfinite(value);
    }
    if (finite)
      out.triangles.insert(out.triangles.end(), mesh.triangles.begin() + t,
                           mesh.triangles.begin() + t + 3);
  }
  return out;
}

aiMesh* BuildMesh(const GltfMesh& mesh) {
  auto* out = new aiMesh();
  out->mName = mesh.name;
  out->mPrimitiveTypes = aiPrimitiveType_TRIANGLE;
  out->mMaterialIndex = static_cast<unsigned>(mesh.material);
  const size_t count = mesh.triangles.size() / 3 * 3;
  out->mNumVertices = static_cast<unsigned>(count);
  out->mVertices = new aiVector3D[count];
  out->mNormals = new aiVector3D[count];
  out->mTextureCoords[0] = new aiVector3D[count];
  out->mNumUVComponents[0] = 2;
  out->mNumFaces = static_cast<unsigned>(count / 3);
  out->mFaces = new aiFace[count / 3];
  for (size_t t = 0; t < count / 3; ++t) {
    aiVector3D corners[3];
    for (size_t k = 0; k < 3; ++k) {
      const GltfVertex& vertex = mesh.triangles[3 * t + k];
      corners[k] = aiVector3D(vertex.position[0], vertex.position[1], vertex.position[2]);
      out->mVertices[3 * t + k] = corners[k];
      // The exporter counts v from the bottom, as the library does everywhere.
      out->mTextureCoords[0][3 * t + k] = aiVector3D(vertex.uv[0], 1.0f - vertex.uv[1], 0.0f);
    }
    // A flat normal; a triangle without area gets "up", as any unit vector will do.
    aiVector3D normal = (corners[1] - corners[0]) ^ (corners[2] - corners[0]);
    const float length = normal.Length();
    normal = std::isfinite(length) && length > 1e-20f ? normal / length : aiVector3D(0, 1, 0);
    aiFace& face = out->mFaces[t];
    face.mNumIndices = 3;
    face.mIndices = new unsigned[3];
    for (unsigned k = 0; k < 3; ++k) {
      out->mNormals[3 * t + k] = normal;
      face.mIndices[k] = static_cast<unsigned>(3 * t + k);
    }
  }
  return out;
}

aiMaterial* BuildMaterial(const GltfMaterial& material, const std::string& texture_path,
                          bool alpha_mask) {
  auto* out = new aiMaterial();
  const aiString name(material.name);
  out->AddProperty(&name, AI_MATKEY_NAME);
  const aiColor4D colour(material.colour[0], material.colour[1], material.colour[2], 1.0f);
  out->AddProperty(&colour, 1, AI_MATKEY_BASE_COLOR);
  out->AddProperty(&colour, 1, AI_MATKEY_COLOR_DIFFUSE);
  // The stage editor shows both sides of the road and terrain and of every object model.
  const int two_sided = 1;
  out->AddProperty(&two_sided, 1, AI_MATKEY_TWOSIDED);
  if (!texture_path.empty()) {
    const aiString path(texture_path);
    out->AddProperty(&path, AI_MATKEY_TEXTURE(aiTextureType_DIFFUSE, 0));
    out->AddProperty(&kNearest, 1, AI_MATKEY_GLTF_MAPPINGFILTER_MAG(aiTextureType_DIFFUSE, 0));
    out->AddProperty(&kLinearMipmapLinear, 1,
                     AI_MATKEY_GLTF_MAPPINGFILTER_MIN(aiTextureType_DIFFUSE, 0));
  }
  if (alpha_mask) {
    const aiString mode("MASK");
    out->AddProperty(&mode, AI_MATKEY_GLTF_ALPHAMODE);
    const float cutoff = 0.5f;
    out->AddProperty(&cutoff, 1, AI_MATKEY_GLTF_ALPHACUTOFF);
  }
  return out;
}

aiTexture* BuildEmbeddedTexture(const GltfTexture& texture, const std::string& png) {
  auto* out = new aiTexture();
  out->mWidth = static_cast<unsigned>(png.size());
  out->mHeight = 0;
  std::strncpy(out->achFormatHint, "png", sizeof(out->achFormatHint) - 1);
  out->mFilename = texture.name;
  out->pcData = new aiTexel[(png.size() + sizeof(aiTexel) - 1) / sizeof(aiTexel)];
  std::memcpy(out->pcData, png.data(), png.size());
  return out;
}

}  // namespace

bool IsGltfPath(const std::string& path) {
  return IsGlbPath(path) || Directory1::LowerExtension(path) == "gltf";
}

bool IsGlbPath(const std::string& path) { return Directory1::LowerExtension(path) == "glb"; }

GltfWriteResult GltfFiles(const GltfScene& scene, const std::string& path,
                          std::vector<FileToWrite>* files, std::string* error) {
  files->clear();
  const bool binary = IsGlbPath(path);
  auto out = std::make_unique<aiScene>();

  // Meshes without a triangle or a material are left out.
  std::vector<int> new_index(scene.meshes.size(), -1);
  std::vector<aiMesh*> meshes;
  for (size_t i = 0; i < scene.meshes.size(); ++i) {
    const GltfMesh mesh = WithFiniteTriangles(scene.meshes[i]);
    if (mesh.triangles.size() < 3 || mesh.material < 0 ||
        static_cast<size_t>(mesh.material) >= scene.materials.size()) {
      continue;
    }
    new_index[i] = static_cast<int>(meshes.size());
    meshes.push_back(BuildMesh(mesh));
  }
  if (meshes.empty()) return GltfWriteResult::kNothingToWrite;
  out->mNumMeshes = static_cast<unsigned>(meshes.size());
  out->mMeshes = new aiMesh*[meshes.size()];
  std::copy(meshes.begin(), meshes.end(), out->mMeshes);

  // Pictures: inside a binary file, or PNG files named after the glTF file beside it.
  const std::string stem = UriSafe(Directory1::WithoutExtension(Directory1::FileName(path)));
  std::vector<std::string> texture_paths(scene.textures.size());
  std::vector<FileToWrite> pictures;
  std::vector<aiTexture*> embedded;
  std::set<std::string> picture_names;
  for (size_t i = 0; i < scene.textures.size(); ++i) {
    const std::string png = EncodePng(scene.textures[i].image);
    if (png.empty()) continue;
    if (binary) {
      texture_paths[i] = "*" + std::to_string(embedded.size());
      embedded.push_back(BuildEmbeddedTexture(scene.textures[i], png));
    } else {
      // Named after the glTF file and the picture: "stage_grass.png".
      const std::string base =
          stem + "_" + UriSafe(Directory1::WithoutExtension(scene.textures[i].name));
      texture_paths[i] = base + ".png";
      for (int n = 2; !picture_names.insert(texture_paths[i]).second; ++n) {
        texture_paths[i] = base + "_" + std::to_string(n) + ".png";
      }
      pictures.push_back({Directory1::Join(Directory1::Folder(path), texture_paths[i]), png});
    }
  }
  if (!embedded.empty()) {
    out->mNumTextures = static_cast<unsigned>(embedded.size());
    out->mTextures = new aiTexture*[embedded.size()];
    std::copy(embedded.begin(), embedded.end(), out->mTextures);
  }

  out->mNumMaterials = static_cast<unsigned>(scene.materials.size());
  out->mMaterials = new aiMaterial*[scene.materials.size()];
  for (size_t i = 0; i < scene.materials.size(); ++i) {
    const GltfMaterial& material = scene.materials[i];
    const bool textured =
        material.texture >= 0 && static_cast<size_t>(material.texture) < scene.textures.size();
    out->mMaterials[i] =
        BuildMaterial(material, textured ? texture_paths[material.texture] : "",
                      textured && scene.textures[material.texture].image.channels == 4);
  }

  out->mRootNode = BuildNode(scene.root, new_index);

  // The exporter names the buffer after the file only when the extension is in lower case
  // ("Road.GLTF" would get "Road.GLTF.bin").
  const std::string exported_path = Directory1::Join(
      Directory1::Folder(path),
      Directory1::WithoutExtension(Directory1::FileName(path)) + (binary ? ".glb" : ".gltf"));
  std::map<std::string, std::string> written;
  Assimp::Exporter exporter;
  exporter.SetIOHandler(new MemoryIOSystem(&written));  // the exporter owns it
  aiReturn exported = aiReturn_FAILURE;
  try {
    exported = exporter.Export(out.get(), binary ? "glb2" : "gltf2", exported_path);
  } catch (...) {
    exported = aiReturn_FAILURE;
  }
  if (exported != aiReturn_SUCCESS || written.count(exported_path) == 0) {
    if (error != nullptr) *error = exporter.GetErrorString();
    return GltfWriteResult::kCannotWrite;
  }
  // The glTF file first, then its buffer and the pictures.
  files->push_back({path, std::move(written[exported_path])});
  written.erase(exported_path);
  for (auto& [name, bytes] : written) files->push_back({name, std::move(bytes)});
  for (FileToWrite& picture : pictures) files->push_back(std::move(picture));
  return GltfWriteResult::kWritten;
}

GltfWriteResult WriteGltf(const GltfScene& scene, const std::string& path, std::string* error) {
  std::vector<FileToWrite> files;
  const GltfWriteResult result = GltfFiles(scene, path, &files, error);
  if (result != GltfWriteResult::kWritten) return result;
  return AtomicWriteFiles(files.data(), files.size(), error) ? GltfWriteResult::kWritten
                                                             : GltfWriteResult::kCannotWrite;
}
