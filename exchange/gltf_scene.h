// A scene to be written as glTF 2.0 through the Open Asset Import Library: triangle meshes in
// glTF's own axes (y up, right-handed, texture v counted from the top), each with one
// material of a colour or a picture, and a tree of nodes placing them. The course and stage
// exports build one; WriteGltf turns it into a binary ".glb" (pictures inside) or a ".gltf"
// with its ".bin" and one PNG file per picture beside it, all saved at once.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "exchange/texture_image.h"
#include "foundation/file_io.h"

struct GltfVertex {
  std::array<float, 3> position{};
  std::array<float, 2> uv{};
};

struct GltfTexture {
  std::string name;    // UTF-8, for people reading the file
  TextureImage image;  // 3 channels, or 4 with the transparent pixels at alpha 0
};

struct GltfMaterial {
  std::string name;
  std::array<float, 3> colour{1.0f, 1.0f, 1.0f};
  int texture = -1;  // index into GltfScene::textures, -1 for a plain colour
};

struct GltfMesh {
  std::string name;
  int material = 0;
  std::vector<GltfVertex> triangles;  // three vertices per triangle
};

// Row-major 4 × 4 transform (translation in the last column).
using GltfMatrix = std::array<float, 16>;
inline constexpr GltfMatrix kGltfIdentity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

struct GltfNode {
  std::string name;
  GltfMatrix transform = kGltfIdentity;
  std::vector<int> meshes;  // indices into GltfScene::meshes; several nodes may share one
  std::vector<GltfNode> children;
};

struct GltfScene {
  std::vector<GltfTexture> textures;
  std::vector<GltfMaterial> materials;
  std::vector<GltfMesh> meshes;
  GltfNode root;
};

// True when the path ends in ".glb" or ".gltf" (any letter case).
bool IsGltfPath(const std::string& path);
// True when it ends in ".glb": a binary file with the pictures inside.
bool IsGlbPath(const std::string& path);

enum class GltfWriteResult { kWritten = 0, kNothingToWrite, kCannotWrite };

// The files of the scene as they would be saved at `path` (".glb": one file; otherwise the
// ".gltf", its ".bin" and the pictures). kNothingToWrite when no mesh has a triangle (a glTF
// file needs at least one buffer).
GltfWriteResult GltfFiles(const GltfScene& scene, const std::string& path,
                          std::vector<FileToWrite>* files, std::string* error = nullptr);

// Saves the files of GltfFiles atomically: all of them or, on failure, none.
GltfWriteResult WriteGltf(const GltfScene& scene, const std::string& path,
                          std::string* error = nullptr);
