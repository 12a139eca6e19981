#include "exchange/gltf_geometry.h"

#include "exchange/course_gltf.h"
#include "foundation/shift_jis.h"
#include "render/rotation_matrix.h"

namespace {

// True when the bytes are well-formed UTF-8 (ASCII included).
bool IsUtf8(std::string_view bytes) {
  size_t i = 0;
  while (i < bytes.size()) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    size_t length = lead < 0x80         ? 1
                    : (lead >> 5) == 6  ? 2
                    : (lead >> 4) == 14 ? 3
                    : (lead >> 3) == 30 ? 4
                                        : 0;
    if (length == 0 || (length == 2 && lead < 0xC2) || i + length > bytes.size()) return false;
    for (size_t k = 1; k < length; ++k) {
      if ((static_cast<unsigned char>(bytes[i + k]) >> 6) != 2) return false;
    }
    i += length;
  }
  return true;
}

}  // namespace

std::array<float, 3> GltfPosition(const float world[3]) {
  return {world[0] * kGltfUnitsPerWorldUnit, world[1] * kGltfUnitsPerWorldUnit,
          -world[2] * kGltfUnitsPerWorldUnit};
}

std::array<float, 3> GltfModelPoint(const float point[3]) {
  return {point[0], point[1], -point[2]};
}

void AppendQuadFacingUp(const std::array<GltfVertex, 4>& quad, std::vector<GltfVertex>* out) {
  // The y part of the quad's normal (Newell's method) tells which way it faces.
  float normal_y = 0.0f;
  for (size_t i = 0; i < 4; ++i) {
    const std::array<float, 3>& a = quad[i].position;
    const std::array<float, 3>& b = quad[(i + 1) % 4].position;
    normal_y += (a[2] - b[2]) * (a[0] + b[0]);
  }
  const bool flip = normal_y < 0.0f;
  const int order[6] = {0, 1, 2, 0, 2, 3};
  const int flipped[6] = {0, 2, 1, 0, 3, 2};
  for (const int corner : flip ? flipped : order) out->push_back(quad[static_cast<size_t>(corner)]);
}

GltfMatrix GltfPlacement(const float position[3], const float rotation[3], const float zoom[3]) {
  const RotationMatrix r = CameraMatrix(rotation[0], rotation[1], rotation[2]);
  // z negated on both sides of the rotation: the third row and column change sign, their
  // shared element twice.
  const float sign[3] = {1.0f, 1.0f, -1.0f};
  const std::array<float, 3> translation = GltfPosition(position);
  GltfMatrix m = kGltfIdentity;
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) {
      m[4 * row + column] =
          sign[row] * r.m[3 * row + column] * sign[column] * zoom[column] * kGltfUnitsPerWorldUnit;
    }
    m[4 * row + 3] = translation[row];
  }
  return m;
}

std::string NameAsUtf8(std::string_view bytes) {
  if (IsUtf8(bytes)) return std::string(bytes);
  return DisplayTextFromFile(bytes);
}
