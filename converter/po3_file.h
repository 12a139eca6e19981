// The polygon object file ".po3" of the suite: one triangle mesh with per-corner texture
// vertices and a table of surface attributes, little-endian with no header. Built from a
// loaded COB scene (all its objects merged into one), written together with its listing
// "PolFile.txt" and the texture images it uses, and read back for the stage editor.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct Po3Point {
  float x, y, z;
};
struct Po3TextureVertex {
  float u, v;
};
struct Po3Face {
  int32_t points[3];
  int32_t texture_vertices[3];
  int32_t attribute;
};
struct Po3Attribute {
  float red = 0, green = 0, blue = 0;
  int32_t textured = 0;
  std::string texture_name;  // file name without folder, as stored
  float repeat_u = 0, repeat_v = 0;
  std::string texture_source;  // where the image is copied from; not stored in the file
};

struct Po3Object {
  std::vector<Po3Point> points;
  std::vector<Po3TextureVertex> texture_vertices;
  std::vector<Po3Face> faces;
  std::vector<Po3Attribute> attributes;
};

enum Po3ReadResult : int { kPo3Read = 0, kPo3CannotOpen = 1, kPo3Damaged = 2 };

class Po3File {
 public:
  // Merges every object of a loaded COB scene whose faces are all triangles: indices shifted by
  // the earlier objects' totals, texture v turned into 1 - v, and with `invert` every face's
  // corners in reverse order. Texture sources are the materials' paths as read.
  static Po3Object FromCobScene(int32_t scene, bool invert);

  // The file's bytes.
  static std::string Bytes(const Po3Object& object);
  // The listing "PolFile.txt" (Shift-JIS).
  static std::string Listing(const Po3Object& object);

  // Writes the object file, the listing `listing_name` in `output_directory`, and a copy of
  // every texture image there, all as one atomic save: on failure nothing is replaced or left
  // behind and `error` says why.
  static bool Write(const std::string& output_directory, const std::string& po3_path,
                    const std::string& listing_name, const Po3Object& object,
                    std::string* error = nullptr);

  // Reads a file: every count is checked against the bytes, faces must be triangles and
  // every index must lie inside its table.
  static int Read(const std::string& path, Po3Object& object);
  static int Parse(std::string_view bytes, Po3Object& object);
};
