#include "stage/views/rendered_view.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "render/surface_registry.h"
#include "stage/views/wire_layers.h"
#include "tests/stage/views/views_fixtures.h"

namespace {

using views_test::SolidTextures;
using views_test::ViewsTest;

TEST(PerspectiveThresholdTest, TheRangeModeAndCheckBoxesChooseTheThreshold) {
  struct Case {
    DisplaySettings settings;
    RenderedKind kind;
    int32_t partition;
    float want;
  };
  const DisplaySettings by_count{1, 1, 0, 0, 2, 0.0f, 20};
  const DisplaySettings by_z{1, 0, 1, 1, 2, 250.0f, 20};
  const Case cases[] = {
      {by_count, RenderedKind::kRoad, 10, FLT_MAX},     // the camera's partition
      {by_count, RenderedKind::kMap, 11, FLT_MAX},      // the next one
      {by_count, RenderedKind::kRoad, 12, -FLT_MAX},    // farther
      {by_count, RenderedKind::kObject, 10, -FLT_MAX},  // objects' box off
      {by_z, RenderedKind::kRoad, 40, 250.0f},         {by_z, RenderedKind::kMap, 10, -FLT_MAX},
      {by_z, RenderedKind::kObject, 10, 250.0f},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PerspectiveThreshold(c.settings, c.kind, c.partition, 10), c.want) << c.partition;
  }
}

TEST(FillChoiceTest, TexturedPolygonsGoToThePerspectiveEngineOnlyBelowTheThreshold) {
  struct Case {
    bool textured;
    float threshold, depth_value, nearest;
    FillChoice want;
  };
  const Case cases[] = {
      {false, FLT_MAX, 5.0f, 0.5f, FillChoice::kFlat},
      {true, FLT_MAX, 5.0f, 0.5f, FillChoice::kPerspective},
      {true, -FLT_MAX, 5.0f, 0.5f, FillChoice::kAffine},
      {true, 250.0f, 249.0f, 0.5f, FillChoice::kPerspective},
      {true, 250.0f, 250.0f, 0.5f, FillChoice::kAffine},
      // Depths in the engine's first segment go to the affine fill.
      {true, FLT_MAX, 5.0f, 1.0f / 8192.0f, FillChoice::kAffine},
      {true, FLT_MAX, 5.0f, 1.0f / 4096.0f, FillChoice::kPerspective},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ChooseFill(c.textured, c.threshold, c.depth_value, c.nearest), c.want)
        << c.threshold << " " << c.depth_value << " " << c.nearest;
  }
}

TEST(PaintersOrderTest, SortingIsFarthestFirstAndKeepsEqualDepthsInTheirOrder) {
  RenderedItem items[5];
  const float depths[5] = {3.0f, 7.0f, 3.0f, 9.0f, 7.0f};
  for (int i = 0; i < 5; ++i) {
    items[i].depth = depths[i];
    items[i].object = i;
  }
  SortFarthestFirst(items, 5);
  const int32_t order[5] = {3, 1, 4, 0, 2};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(items[i].object, order[i]) << i;
}

// A camera high behind the start of the straight road looking down it; 6 partitions shown.
class RenderedViewTest : public ViewsTest {
 protected:
  void SetUp() override {
    ViewsTest::SetUp();
    surface_ = registry_.Make(320, 240);
    camera_.SetDisplaySurface(surface_, 320, 240);
    camera_.SetPosition(0.0f, 25.0f, -25.0f);
    camera_.SetRotation(-0.5f, 0.0f, 0.0f);
    settings_ = {1, 1, 1, 0, 2, 0.0f, 6};
  }
  // Textures every road face with a picture served in one colour.
  void TextureRoad() {
    const int32_t picture = PictureBankHighColor1::Register(Picture("road.bmp"), 3);
    ASSERT_GE(picture, 0);
    textures_.Add(picture, views_test::kBlue);
    for (int32_t p = 0; p < stage_.GetTerrain().PartitionCount(); ++p) {
      stage_.SetFacePicture({p, kRoadFaceSide, -1}, picture);
    }
    PictureBankHighColor1::Release(picture);
  }
  RenderedCounts Draw(int32_t camera_partition = 0) {
    return DrawRenderedView(stage_, camera_, textures_, settings_, camera_partition);
  }
  uint16_t At(int32_t x, int32_t y) { return camera_.Surface()->At(x, y); }

  SurfaceRegistry registry_;
  StageCamera camera_{&registry_};
  int32_t surface_ = -1;
  SolidTextures textures_;
  DisplaySettings settings_;
};

TEST_F(RenderedViewTest, TheNearestPartitionsOfTheRangeGetPerspectiveCorrection) {
  LoadRoad(12);
  TextureRoad();
  RenderedCounts counts = Draw();
  EXPECT_EQ(counts.partitions, 6);
  EXPECT_EQ(counts.perspective, 2);
  EXPECT_EQ(counts.affine, 4);
  // With the road's check box off every road polygon goes to the affine fill.
  settings_.perspective_road = 0;
  counts = Draw();
  EXPECT_EQ(counts.perspective, 0);
  EXPECT_EQ(counts.affine, 6);
  // By Z value: the polygons whose nearest point lies nearer than 60.
  settings_ = {1, 1, 1, 1, 0, 60.0f, 6};
  counts = Draw();
  EXPECT_GT(counts.perspective, 0);
  EXPECT_GT(counts.affine, 0);
  EXPECT_EQ(counts.perspective + counts.affine, 6);
  // The range walks from the camera's partition, cut at the last one.
  settings_ = {1, 1, 1, 0, 2, 0.0f, 20};
  counts = Draw(8);
  EXPECT_EQ(counts.partitions, 3);
}

TEST_F(RenderedViewTest, TerrainFacesShowFromEitherSideOfTheRoad) {
  LoadRoad(12, 1);
  const TextureCorner corners[4] = {{1, 0}, {0, 0}, {0, 1}, {1, 1}};
  for (int32_t p = 1; p < 11; ++p) {
    stage_.SetFaceLook({p, kLeftSide, 0}, 1.0f, 0.0f, 0.0f, corners);
    stage_.SetFaceLook({p, kRightSide, 0}, 0.0f, 1.0f, 0.0f, corners);
    stage_.SetFaceLook({p, kRoadFaceSide, -1}, 0.0f, 0.0f, 1.0f, corners);
  }
  const RenderedCounts counts = Draw(1);
  EXPECT_EQ(counts.culled, 0);
  // Left ends lie at x = -5: the left side shows on the screen's left, red, the road blue
  // in the middle, the right side green.
  const int32_t row = 120;
  std::string colours;
  for (int32_t x = 0; x < 320; ++x) {
    const uint16_t pixel = At(x, row);
    const char c = pixel == views_test::kRed     ? 'R'
                   : pixel == views_test::kGreen ? 'G'
                   : pixel == views_test::kBlue  ? 'B'
                                                 : '.';
    if (c != '.' && (colours.empty() || colours.back() != c)) colours += c;
  }
  EXPECT_EQ(colours, "RBG");
}

TEST_F(RenderedViewTest, NearerItemsCoverFartherOnesWhateverOrderTheyWereMadeIn) {
  LoadRoad(12);
  // Two squares on partition 3, the near one made first; both stand 10 high over x -5 ... 5.
  const int32_t near_square = AddSquare({0.0f, 0.0f, 32.0f}, 1, 0, 0);
  const int32_t far_square = AddSquare({0.0f, 0.0f, 38.0f}, 0, 1, 0);
  PlacedObject far = stage_.Object(far_square);
  far.zoom = {300.0f, 300.0f, 100.0f};
  stage_.UpdateObject(far_square, far);
  camera_.SetPosition(0.0f, 5.0f, 0.0f);
  camera_.SetRotation(0.0f, 0.0f, 0.0f);
  const RenderedCounts counts = Draw(0);
  EXPECT_EQ(counts.culled, 2);  // each square's back face
  ASSERT_TRUE(stage_.HasObject(near_square));
  // The near square covers the middle of the far one; the far one shows around it.
  float x = 0, y = 0;
  const Point3f centre = camera_.WorldToCamera({0.0f, 5.0f, 32.0f});
  Point3f screen;
  ASSERT_EQ(camera_.ProjectPoint(centre, &screen), 0);
  x = screen.x;
  y = screen.y;
  EXPECT_EQ(At(static_cast<int32_t>(x), static_cast<int32_t>(y)), views_test::kRed);
  EXPECT_EQ(At(static_cast<int32_t>(x), static_cast<int32_t>(y) - 40), views_test::kGreen);
}

TEST_F(RenderedViewTest, TheBackgroundObjectIsDrawnFirstBehindEverything) {
  LoadRoad(12);
  const TextureCorner corners[4] = {{1, 0}, {0, 0}, {0, 1}, {1, 1}};
  for (int32_t p = 0; p < 11; ++p) stage_.SetFaceLook({p, kRoadFaceSide, -1}, 0, 0, 1, corners);
  const int32_t square = AddSquare({0.0f, -500.0f, 2000.0f}, 0, 1, 0);
  const int32_t shape = stage_.Object(square).shape;
  stage_.MutableShapes().Take(shape);
  const int32_t background = stage_.CreateBackgroundObject(shape);
  ASSERT_NE(background, -1);
  PlacedObject sky = stage_.Object(background);
  sky.position = {0.0f, -500.0f, 2000.0f};
  sky.zoom = {100000.0f, 100000.0f, 100.0f};
  stage_.UpdateObject(background, sky);
  stage_.DeleteObject(square);
  Draw(0);
  EXPECT_EQ(At(160, 10), views_test::kGreen);  // above the road: the background
  EXPECT_EQ(At(160, 120), views_test::kBlue);  // the road over it
}

}  // namespace

namespace {

// The fills kept apart for measuring draw exactly what the picture draws.
TEST_F(RenderedViewTest, RecordedFillsReplayToTheSamePicture) {
  LoadRoad(12, 1);
  TextureRoad();
  AddSquare({0.0f, 0.0f, 32.0f}, 1, 0, 0);
  Draw(0);
  const Surface16 drawn = *camera_.Surface();
  std::vector<RenderedFill> fills;
  const RenderedCounts counts = DrawRenderedView(stage_, camera_, textures_, settings_, 0, &fills);
  EXPECT_EQ(static_cast<int32_t>(fills.size()), counts.perspective + counts.affine + counts.flat);
  Surface16& surface = *camera_.Surface();
  surface.Fill(0);
  ReplayFills(surface, textures_, fills);
  EXPECT_TRUE(std::equal(drawn.Bits(), drawn.Bits() + 320 * 240, surface.Bits()));
}

}  // namespace

namespace {

// Clipping adds vertices: polygons are filled up to kFilledPolygonMax corners, which still
// fit the clipping buffers when every plane cuts them; larger ones are left out.
TEST_F(RenderedViewTest, PolygonsWithMoreCornersThanTheClipperHoldsAreLeftOut) {
  LoadRoad(3);
  for (int32_t corners : {kFilledPolygonMax, kFilledPolygonMax + 2}) {
    ObjectShape shape;
    std::vector<int32_t> polygon = {corners};
    for (int32_t k = 0; k < corners; ++k) {
      // A flat disc, clockwise as the camera sees it, leaning back through the near plane
      // and larger than the picture: the near plane and all four edges cut it.
      const float angle = -6.2831853f * static_cast<float>(k) / static_cast<float>(corners);
      const float y = 0.05f * std::sin(angle);
      shape.points.push_back({0.05f * std::cos(angle), y, 0.5f * y});
      polygon.push_back(k);
    }
    for (int32_t k = 0; k < corners; ++k) polygon.push_back(0);
    polygon.push_back(0);
    shape.map_coordinates = {{0.0f, 0.0f}};
    shape.attributes = {ShapeAttribute{1.0f, 0.0f, 0.0f, 0, -1, 0.0f, 0.0f}};
    shape.polygons = {polygon};
    shape.use_count = 1;
    shape.name = "disc" + std::to_string(corners);
    // Zoomed by 100 to a radius of 5, its centre 2 ahead of the eye (which stands 10 behind
    // the camera's position).
    const int32_t object =
        stage_.CreateObject({0.0f, 5.0f, -8.0f}, stage_.MutableShapes().Add(shape));
    camera_.SetPosition(0.0f, 5.0f, 0.0f);
    camera_.SetRotation(0.0f, 0.0f, 0.0f);
    const RenderedCounts counts = Draw(0);
    // Two road faces, and the disc when it is not too large.
    EXPECT_EQ(counts.flat, corners == kFilledPolygonMax ? 3 : 2) << corners;
    stage_.DeleteObject(object);
  }
}

}  // namespace
