// Inputs and checks shared by the exchange tests: pictures, PO3 triangles in world order,
// glTF files written as text, and scenes read back through the import library.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "converter/po3_file.h"
#include "exchange/texture_image.h"

namespace exchange_test {

using Vec3 = std::array<float, 3>;
using Triangle = std::array<Vec3, 3>;

// A PNG (or, with `bmp`, a 24-bit bitmap) of one colour.
inline std::string Picture(int32_t width, int32_t height, uint8_t red, uint8_t green, uint8_t blue,
                           bool bmp = false) {
  TextureImage image;
  image.width = width;
  image.height = height;
  for (int32_t i = 0; i < width * height; ++i)
    image.pixels.insert(image.pixels.end(), {red, green, blue});
  return bmp ? EncodeBmp24(image) : EncodePng(image);
}

// The corners of every face, by position, in the face's own order.
inline std::vector<Triangle> Triangles(const Po3Object& object) {
  std::vector<Triangle> triangles;
  for (const Po3Face& face : object.faces) {
    Triangle triangle;
    for (int k = 0; k < 3; ++k) {
      const Po3Point& p = object.points[static_cast<size_t>(face.points[k])];
      triangle[static_cast<size_t>(k)] = {p.x, p.y, p.z};
    }
    triangles.push_back(triangle);
  }
  return triangles;
}

// The triangle turned so that its smallest corner comes first (the winding kept), for
// comparing triangle sets whose faces may start at any corner.
inline Triangle Canonical(Triangle t) {
  const auto first = std::min_element(t.begin(), t.end());
  std::rotate(t.begin(), first, t.end());
  return t;
}

inline std::vector<Triangle> Sorted(std::vector<Triangle> triangles, float grid = 1e-4f) {
  for (Triangle& t : triangles) {
    for (Vec3& p : t) {
      for (float& v : p) v = std::round(v / grid) * grid + 0.0f;  // -0 as 0
    }
    t = Canonical(t);
  }
  std::sort(triangles.begin(), triangles.end());
  return triangles;
}

// Base64 of bytes, for data URIs.
inline std::string Base64(const std::string& bytes) {
  static const char kDigits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  for (size_t i = 0; i < bytes.size(); i += 3) {
    uint32_t word = static_cast<uint8_t>(bytes[i]) << 16;
    if (i + 1 < bytes.size()) word |= static_cast<uint8_t>(bytes[i + 1]) << 8;
    if (i + 2 < bytes.size()) word |= static_cast<uint8_t>(bytes[i + 2]);
    for (size_t k = 0; k < 4; ++k) {
      out += i + k <= bytes.size() ? kDigits[(word >> (18 - 6 * k)) & 63] : '=';
    }
  }
  return out;
}

}  // namespace exchange_test
