// The way the suite's world goes into glTF, shared by the course and the stage exports: the
// world (y up, z turned the other way round than glTF's) scaled to metres with z negated, road
// quads split into two triangles facing up, placed objects as node transforms, and names as
// UTF-8.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/gltf_scene.h"

// A world point (x, y, z) as (x, y, -z) * kGltfUnitsPerWorldUnit.
std::array<float, 3> GltfPosition(const float world[3]);

// Appends the quad [0] [1] [2] [3] as the triangles 0-1-2 and 0-2-3, in the winding that makes
// the quad face up (+y); a vertical quad keeps its order.
void AppendQuadFacingUp(const std::array<GltfVertex, 4>& quad, std::vector<GltfVertex>* out);

// The node transform of a placed object: a model point p lies in the world at
// position + CameraMatrix(rotation) * (zoom * p). In glTF, with the model's points written
// as (x, y, -z) (GltfModelPoint), the same placement is a rotation, a scale of
// zoom * kGltfUnitsPerWorldUnit and a translation of GltfPosition(position).
GltfMatrix GltfPlacement(const float position[3], const float rotation[3], const float zoom[3]);

// A model point (x, y, -z), unscaled: the node's scale carries the units.
std::array<float, 3> GltfModelPoint(const float point[3]);

// Bytes from the suite's files as UTF-8: kept when they are UTF-8 already, else read as
// Shift-JIS.
std::string NameAsUtf8(std::string_view bytes);
