// Inputs for the stage view tests: a straight road stage with terrain wires and objects, the
// fill engines started, and textures of one colour each served without a picture bank.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "render/affine_span_fill.h"
#include "render/flat_span_fill.h"
#include "render/perspec_texture_engine.h"
#include "render/texture_source.h"
#include "stage/partition_loading.h"
#include "stage/stage.h"
#include "tests/stage/stage_fixtures.h"

namespace views_test {

// Picture k is a 4 x 4 texture of one colour; a transparent picture has every other texel
// in its transparent colour.
class SolidTextures : public TextureSource {
 public:
  void Add(int32_t id, uint16_t colour, bool transparent = false) {
    std::vector<uint16_t>& texels = texels_[id];
    texels.assign(16, colour);
    if (transparent) {
      for (size_t i = 0; i < texels.size(); i += 2) texels[i] = kKey;
    }
    transparent_[id] = transparent;
  }
  bool Texture(int32_t id, TextureView* view) const override {
    const auto found = texels_.find(id);
    if (found == texels_.end()) return false;
    view->texels = found->second.data();
    view->width_exponent = 2;
    view->height_exponent = 2;
    view->has_transparent_colour = transparent_.at(id);
    view->transparent_colour = kKey;
    return true;
  }
  static constexpr uint16_t kKey = 0x7C1F;

 private:
  std::map<int32_t, std::vector<uint16_t>> texels_;
  std::map<int32_t, bool> transparent_;
};

constexpr uint16_t kRed = 0x7C00;
constexpr uint16_t kGreen = 0x03E0;
constexpr uint16_t kBlue = 0x001F;

// A straight road along z: partition p between z = 10p and 10(p + 1), its ends at x = +-5
// (the left end at x = -5); `wires` wires a side, wire i at 10(i + 1) outward.
class ViewsTest : public stage_test::StageTest {
 protected:
  void SetUp() override {
    StageTest::SetUp();
    FlatSpanFill1::StartUp();
    AffineSpanFill1::StartUp();
    PerspecTextureEngine1::StartUp();
  }
  void TearDown() override {
    stage_.Reset();
    PerspecTextureEngine1::ShutDown();
    AffineSpanFill1::ShutDown();
    FlatSpanFill1::ShutDown();
    StageTest::TearDown();
  }

  void LoadRoad(int32_t lines, int32_t wires = 0, int32_t selected = 0) {
    const std::string pat = folder_.Write("road.pat", stage_test::StraightPat(lines));
    ASSERT_EQ(LoadPartitionFile(stage_, pat), 0);
    for (int32_t p = 0; p < stage_.GetTerrain().PartitionCount(); ++p) {
      const float z = 10.0f * static_cast<float>(p + 1);
      for (int32_t w = 0; w < wires; ++w) {
        const float out = 5.0f + 10.0f * static_cast<float>(w + 1);
        stage_.AddWire(p, kLeftSide, {-out, 0.0f, z});
        stage_.AddWire(p, kRightSide, {out, 0.0f, z});
      }
    }
    stage_.SelectPartition(selected);
  }

  // A two-sided square of side 10 standing across the road (model x across, y up) with one
  // flat colour, at `position`; returns the object ID.
  int32_t AddSquare(const Point3f& position, float red, float green, float blue) {
    ObjectShape shape;
    shape.points = {
        {-0.05f, 0.0f, 0.0f}, {-0.05f, 0.1f, 0.0f}, {0.05f, 0.1f, 0.0f}, {0.05f, 0.0f, 0.0f}};
    shape.map_coordinates = {{0.0f, 0.0f}};
    ShapeAttribute attribute;
    attribute.red = red;
    attribute.green = green;
    attribute.blue = blue;
    shape.attributes = {attribute};
    shape.polygons = {{4, 0, 1, 2, 3, 0, 0, 0, 0, 0}, {4, 3, 2, 1, 0, 0, 0, 0, 0, 0}};
    shape.use_count = 1;
    shape.name = "square" + std::to_string(++squares_);
    const int32_t id = stage_.MutableShapes().Add(shape);
    return stage_.CreateObject(position, id);
  }

  Stage stage_;
  int32_t squares_ = 0;
};

}  // namespace views_test
