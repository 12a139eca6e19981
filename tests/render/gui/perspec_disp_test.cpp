#include "render/gui/perspec_disp.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "render/perspec_texture_engine.h"

namespace {

// One 4 x 4 texture of a single colour.
class PlainTexture : public TextureSource {
 public:
  bool Texture(int32_t picture_id, TextureView* view) const override {
    if (picture_id != 7) return false;
    view->texels = texels_.data();
    view->width_exponent = 2;
    view->height_exponent = 2;
    return true;
  }
  static constexpr uint16_t kColour = 0x03E0;  // green

 private:
  std::vector<uint16_t> texels_ = std::vector<uint16_t>(16, kColour);
};

// A straight flat road along +z from the origin, 20 wide, cross-sections every 10 units;
// the camera looking along +z has +x on its right.
RoadStrip StraightRoad(int32_t sections, bool swapped = false) {
  RoadStrip road;
  road.has_marker = true;
  road.tangent[2] = 1.0;
  for (int32_t i = 0; i < sections; ++i) {
    RoadCrossSection s{{10.0, 0.0, 10.0 * i}, {-10.0, 0.0, 10.0 * i}};
    if (swapped) std::swap(s.first, s.second);
    road.sections.push_back(s);
  }
  return road;
}

struct Preview {
  Preview() {
    PerspecTextureEngine1::StartUp();
    camera.SetSurface(160, 120);
    camera.SetLens(2, 2, 4, 4, 500);
    camera.SetTextureSource(&texture);
  }
  ~Preview() { PerspecTextureEngine1::ShutDown(); }
  int32_t Count(uint16_t colour) const {
    int32_t n = 0;
    const Surface16& s = camera.Surface();
    for (int32_t i = 0; i < s.Width() * s.Height(); ++i) n += s.Bits()[i] == colour;
    return n;
  }
  PlainTexture texture;
  PerspecCamera1 camera;
};

TEST(PerspecDispTest, CameraStandsTenUnitsAboveTheRoadAndLooksAlongIt) {
  Preview p;
  const RoadStrip road = StraightRoad(5);
  ASSERT_TRUE(PerspecDisp1::PlaceCamera(p.camera, road));
  EXPECT_EQ(p.camera.State(), 2);
  EXPECT_NEAR(p.camera.Position().y, 10.0f, 1e-5);
  EXPECT_NEAR(p.camera.Position().x, 0.0f, 1e-5);
  // Straight ahead: 40 units away plus the pivot distance, 10 below the eye, centred.
  const Point3f ahead = p.camera.WorldToCamera({0.0f, 0.0f, 40.0f});
  EXPECT_NEAR(ahead.z, 44.0f, 1e-4);
  EXPECT_NEAR(ahead.y, -10.0f, 1e-4);
  EXPECT_NEAR(ahead.x, 0.0f, 1e-4);
}

TEST(PerspecDispTest, CameraLooksAlongTheRoadWhicheverWayItRuns) {
  const double headings[][3] = {{1, 0, 0}, {0, 0, -1}, {-3, 0, 4}, {2, 1, 2}};
  for (const auto& t : headings) {
    Preview p;
    RoadStrip road = StraightRoad(2);
    for (int i = 0; i < 3; ++i) road.tangent[i] = t[i];
    ASSERT_TRUE(PerspecDisp1::PlaceCamera(p.camera, road));
    const double length = std::sqrt(t[0] * t[0] + t[1] * t[1] + t[2] * t[2]);
    const Point3f eye = p.camera.Position();
    const Point3f ahead = p.camera.WorldToCamera({eye.x + float(50 * t[0] / length),
                                                  eye.y + float(50 * t[1] / length),
                                                  eye.z + float(50 * t[2] / length)});
    EXPECT_NEAR(ahead.x, 0.0f, 1e-3) << t[0] << " " << t[2];
    EXPECT_NEAR(ahead.y, 0.0f, 1e-3) << t[0] << " " << t[2];
    EXPECT_NEAR(ahead.z, 54.0f, 1e-3) << t[0] << " " << t[2];
  }
}

TEST(PerspecDispTest, BankedRoadTiltsTheCameraUp) {
  Preview p;
  RoadStrip road = StraightRoad(5);
  road.roll = 0.5;
  ASSERT_TRUE(PerspecDisp1::PlaceCamera(p.camera, road));
  EXPECT_NEAR(p.camera.Position().y, 10.0f * std::cos(0.5f), 1e-4);
  EXPECT_NEAR(std::fabs(p.camera.Position().x), 10.0f * std::sin(0.5f), 1e-4);
}

TEST(PerspecDispTest, TexturedRoadIsDrawnFromFarToNear) {
  Preview p;
  EXPECT_EQ(PerspecDisp1::Draw(p.camera, StraightRoad(20), 7, PerspecDisp1::kTextureMode), 19);
  EXPECT_GT(p.Count(PlainTexture::kColour), 1000);
}

TEST(PerspecDispTest, TextureModeCullsQuadsSeenFromBehindAndWireModeDoesNot) {
  Preview p;
  PerspecDisp1::Draw(p.camera, StraightRoad(20, /*swapped=*/true), 7, PerspecDisp1::kTextureMode);
  EXPECT_EQ(p.Count(PlainTexture::kColour), 0);
  PerspecDisp1::Draw(p.camera, StraightRoad(20, /*swapped=*/true), 7, PerspecDisp1::kWireMode);
  EXPECT_GT(p.Count(0x7FFF), 100);
  // The road the right way round in wire mode: white outlines, no texture.
  PerspecDisp1::Draw(p.camera, StraightRoad(20), 7, PerspecDisp1::kWireMode);
  EXPECT_GT(p.Count(0x7FFF), 100);
  EXPECT_EQ(p.Count(PlainTexture::kColour), 0);
}

TEST(PerspecDispTest, FewerThanTwoCrossSectionsDrawNothing) {
  Preview p;
  EXPECT_EQ(PerspecDisp1::Draw(p.camera, StraightRoad(1), 7, PerspecDisp1::kWireMode), 0);
  EXPECT_EQ(p.Count(0), 160 * 120);
  EXPECT_EQ(PerspecDisp1::Draw(p.camera, StraightRoad(25), 7, PerspecDisp1::kWireMode), 19);
}

TEST(PerspecDispTest, AZeroTangentOrNoMarkerLeavesTheSurfaceClear) {
  Preview p;
  RoadStrip road = StraightRoad(5);
  road.tangent[2] = 0.0;
  EXPECT_FALSE(PerspecDisp1::PlaceCamera(p.camera, road));
  EXPECT_EQ(PerspecDisp1::Draw(p.camera, road, 7, PerspecDisp1::kTextureMode), 0);
  road = StraightRoad(5);
  road.has_marker = false;
  EXPECT_EQ(PerspecDisp1::Draw(p.camera, road, 7, PerspecDisp1::kWireMode), 0);
  EXPECT_EQ(p.Count(0), 160 * 120);
}

}  // namespace
