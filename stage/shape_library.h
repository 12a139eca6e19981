// The shape library: the polygon models that placed objects show, shared by every object
// made from the same source and counted by use. A shape is freed (and the picture references
// of its attributes given back) when its last user releases it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/typed_database.h"
#include "stage/stage_records.h"

// One material of a shape. While texture_switch is 1 the attribute holds a reference on
// `picture` in the picture bank.
struct ShapeAttribute {
  float red = 0.0f;
  float green = 0.0f;
  float blue = 0.0f;
  int32_t texture_switch = 0;
  int32_t picture = -1;
  float repeat_u = 0.0f;
  float repeat_v = 0.0f;

  bool Textured() const { return texture_switch == 1; }
  friend bool operator==(const ShapeAttribute&, const ShapeAttribute&) = default;
};

// A polygon model: points, texture coordinates, attributes and polygons. Each polygon is
// its run of words: vertex count n, n point indices, n map indices, attribute index.
struct ObjectShape {
  std::vector<Point3f> points;
  std::vector<TextureCorner> map_coordinates;
  std::vector<ShapeAttribute> attributes;
  std::vector<std::vector<int32_t>> polygons;
  int32_t use_count = 0;
  std::string name;  // bytes as in the files, without the terminating zero

  friend bool operator==(const ObjectShape&, const ObjectShape&) = default;
};

// True when `polygon` is a well-formed run whose indices lie within the shape's arrays.
bool PolygonFitsShape(const std::vector<int32_t>& polygon, const ObjectShape& shape);

class ShapeLibrary {
 public:
  ShapeLibrary() = default;
  // Frees the shapes' memory only: picture references are given back by ReleaseAll (a
  // library read from a file owns none until its bank image is loaded).
  ~ShapeLibrary();
  ShapeLibrary(const ShapeLibrary&) = delete;
  ShapeLibrary& operator=(const ShapeLibrary&) = delete;

  // Adds a shape as it stands (its use count included) and returns its ID.
  int32_t Add(const ObjectShape& shape);
  // Use count + 1.
  void Take(int32_t id);
  // Use count - 1; at 0 the attributes' pictures are released and the shape removed.
  void Release(int32_t id);

  // The shape named `name` with its use count raised, or -1.
  int32_t TakeByName(const std::string& name);
  // The shape named `name` whose attributes are exactly `count` attributes holding
  // pictures[0 .. count-1], with its use count raised, or -1.
  int32_t TakeTemplate(const std::string& name, const int32_t* pictures, int32_t count);

  bool Contains(int32_t id) const { return table_.IsLive(id); }
  // The shape of a live ID (misuse otherwise).
  const ObjectShape& Shape(int32_t id) const;
  int32_t Count() const { return table_.Count(); }
  int32_t FirstId() const { return table_.FirstId(); }
  int32_t NextId(int32_t id) const { return table_.NextId(id); }
  // The shape's position in iteration order (the ordinal the stage file stores), or -1.
  int32_t Ordinal(int32_t id) const;

  // Releases the pictures of every shape and empties the library.
  void ReleaseAll();
  // Empties the library without touching the picture bank.
  void FreeAll();

 private:
  IdTable<ObjectShape*> table_;
};
