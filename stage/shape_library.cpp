#include "stage/shape_library.h"

#include "foundation/misuse_check.h"
#include "pictures/picture_bank_high_color1.h"

namespace {
constexpr const char* kTag = "ShapeLibrary";

void ReleasePictures(const ObjectShape& shape) {
  for (const ShapeAttribute& attribute : shape.attributes) {
    if (attribute.Textured()) PictureBankHighColor1::Release(attribute.picture);
  }
}
}  // namespace

bool PolygonFitsShape(const std::vector<int32_t>& polygon, const ObjectShape& shape) {
  if (polygon.empty()) return false;
  const int64_t n = polygon[0];
  if (n < 0 || static_cast<int64_t>(polygon.size()) != 2 * n + 2) return false;
  for (int64_t i = 0; i < n; ++i) {
    const int32_t point = polygon[static_cast<size_t>(1 + i)];
    const int32_t map = polygon[static_cast<size_t>(1 + n + i)];
    if (point < 0 || static_cast<size_t>(point) >= shape.points.size()) return false;
    if (map < 0 || static_cast<size_t>(map) >= shape.map_coordinates.size()) return false;
  }
  const int32_t attribute = polygon.back();
  return attribute >= 0 && static_cast<size_t>(attribute) < shape.attributes.size();
}

ShapeLibrary::~ShapeLibrary() { FreeAll(); }

int32_t ShapeLibrary::Add(const ObjectShape& shape) { return table_.Add(new ObjectShape(shape)); }

void ShapeLibrary::Take(int32_t id) {
  SUITE_CHECK(Contains(id), kTag, "存在しない形状を使用しようとした");
  ++table_.Fetch(id)->use_count;
}

void ShapeLibrary::Release(int32_t id) {
  SUITE_CHECK(Contains(id), kTag, "存在しない形状を解放しようとした");
  ObjectShape* shape = table_.Fetch(id);
  if (--shape->use_count > 0) return;
  ReleasePictures(*shape);
  delete shape;
  table_.Delete(id);
}

int32_t ShapeLibrary::TakeByName(const std::string& name) {
  for (int32_t id = FirstId(); id != -1; id = NextId(id)) {
    ObjectShape* shape = table_.Fetch(id);
    if (shape->name == name) {
      ++shape->use_count;
      return id;
    }
  }
  return -1;
}

int32_t ShapeLibrary::TakeTemplate(const std::string& name, const int32_t* pictures,
                                   int32_t count) {
  for (int32_t id = FirstId(); id != -1; id = NextId(id)) {
    ObjectShape* shape = table_.Fetch(id);
    if (shape->name != name || static_cast<int64_t>(shape->attributes.size()) != count) continue;
    bool same = true;
    for (int32_t i = 0; i < count && same; ++i) {
      same = shape->attributes[static_cast<size_t>(i)].picture == pictures[i];
    }
    if (same) {
      ++shape->use_count;
      return id;
    }
  }
  return -1;
}

const ObjectShape& ShapeLibrary::Shape(int32_t id) const { return *table_.Fetch(id); }

int32_t ShapeLibrary::Ordinal(int32_t id) const {
  int32_t ordinal = 0;
  for (int32_t i = FirstId(); i != -1; i = NextId(i), ++ordinal) {
    if (i == id) return ordinal;
  }
  return -1;
}

void ShapeLibrary::ReleaseAll() {
  for (int32_t id = FirstId(); id != -1; id = NextId(id)) ReleasePictures(*table_.Fetch(id));
  FreeAll();
}

void ShapeLibrary::FreeAll() {
  for (int32_t id = FirstId(); id != -1; id = NextId(id)) delete table_.Fetch(id);
  table_.Clear();
}
