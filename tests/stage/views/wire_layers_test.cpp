#include "stage/views/wire_layers.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "stage/hit_picking.h"
#include "stage/views/view_drawing.h"
#include "stage/views/view_tools.h"
#include "tests/stage/views/views_fixtures.h"

namespace {

using views_test::SolidTextures;
using views_test::ViewsTest;

// 4 pixels per world unit, the view centred on (0, 0, 50): world (x, z) lands on
// (200 + 4x, 200 - 4(z - 50)) in the top view.
class WireLayersTest : public ViewsTest {
 protected:
  void DrawTop(int32_t view_kind = kTopViewKind) {
    SetUpParallelCamera(&camera_, view_kind, {0.0, 0.0, 50.0, 0.01}, 400, 400);
    DrawParallelView(stage_, camera_, view_kind, look_, &picture_);
  }
  std::vector<HitRecord> HitsOf(int32_t kind) const {
    std::vector<HitRecord> hits;
    for (const HitRecord& hit : picture_.hits) {
      if (hit.kind == kind) hits.push_back(hit);
    }
    return hits;
  }
  const HitRecord* Find(int32_t kind, std::initializer_list<int32_t> ids) const {
    for (const HitRecord& hit : picture_.hits) {
      if (hit.kind == kind && std::equal(ids.begin(), ids.end(), hit.ids)) return &hit;
    }
    return nullptr;
  }

  SolidTextures textures_;
  ViewLook look_{ToolStateBlock::Initial(), &textures_, nullptr};
  ParallelCamera camera_;
  WirePicture picture_;
};

TEST_F(WireLayersTest, EveryDrawnItemIsRecordedWithItsScreenRectangle) {
  LoadRoad(12, 1, 5);
  DrawTop();
  // Partition 5: x -5 ... 5, z 50 ... 60.
  const HitRecord* partition = Find(kHitPartition, {5});
  ASSERT_NE(partition, nullptr);
  EXPECT_EQ(partition->x0, 180);
  EXPECT_EQ(partition->x1, 220);
  EXPECT_EQ(partition->y0, 160);
  EXPECT_EQ(partition->y1, 200);
  // Wire 0 on the left of partition 5 at (-15, 0, 60), joined: one point, end A.
  const HitRecord* point = Find(kHitPoint, {5, kLeftSide, 0, kEndA});
  ASSERT_NE(point, nullptr);
  EXPECT_EQ(point->x0, 140 - kPointPickReach);
  EXPECT_EQ(point->y1, 160 + kPointPickReach);
  EXPECT_EQ(Find(kHitPoint, {5, kLeftSide, 0, kEndB}), nullptr);
  // Its face runs from x -15 to -5 between z 50 and 60; partition 0 has none.
  const HitRecord* face = Find(kHitFace, {5, kLeftSide, 0});
  ASSERT_NE(face, nullptr);
  EXPECT_EQ(face->x0, 140);
  EXPECT_EQ(face->x1, 180);
  EXPECT_EQ(Find(kHitFace, {0, kLeftSide, 0}), nullptr);
  EXPECT_NE(Find(kHitFace, {0, kRoadFaceSide, -1}), nullptr);
  // The displayed range is 0 ... 10: every partition there, none beyond.
  EXPECT_EQ(HitsOf(kHitPartition).size(), 11u);
}

TEST_F(WireLayersTest, ItemsOffTheSurfaceAreNotRecorded) {
  LoadRoad(60, 0, 30);
  DrawTop();
  // 400 pixels show z from 0 to 100; of the displayed partitions 10 ... 50 only 10, from
  // z = 100 to 110, touches the surface's top edge.
  ASSERT_EQ(HitsOf(kHitPartition).size(), 1u);
  EXPECT_EQ(HitsOf(kHitPartition)[0].ids[0], 10);
}

TEST_F(WireLayersTest, WithoutASelectedPartitionNothingIsDrawn) {
  LoadRoad(12, 1, -1);
  DrawTop();
  EXPECT_TRUE(picture_.hits.empty());
  const Surface16& surface = camera_.Surface();
  EXPECT_TRUE(std::all_of(surface.Bits(), surface.Bits() + surface.Width() * surface.Height(),
                          [](uint16_t pixel) { return pixel == 0; }));
}

TEST_F(WireLayersTest, TheCurrentPartitionIsOutlinedLastInRed) {
  LoadRoad(12, 1, 5);
  stage_.AddPicked({5, kRoadFaceSide, -1});  // the selection mark would cover it otherwise
  DrawTop();
  // The closing line of partition 5 is also the opening line of 6, drawn in green before.
  EXPECT_EQ(camera_.Surface().At(200, 160), StagePen(2).colour);
  EXPECT_EQ(camera_.Surface().At(200, 120), StagePen(1).colour);  // closing line of 6
}

TEST_F(WireLayersTest, FacesAreFilledWithTheirColourOrTexture) {
  LoadRoad(12, 1, 5);
  textures_.Add(3, views_test::kBlue);
  const TextureCorner corners[4] = {{1, 0}, {0, 0}, {0, 1}, {1, 1}};
  stage_.SetFaceLook({5, kLeftSide, 0}, 1.0f, 0.0f, 0.0f, corners);
  stage_.SetFaceLook({6, kLeftSide, 0}, 1.0f, 0.0f, 0.0f, corners);
  // A textured face needs a picture of the bank; the texture source serves it by ID.
  const int32_t picture = PictureBankHighColor1::Register(Picture("p.bmp"), 3);
  ASSERT_GE(picture, 0);
  textures_.Add(picture, views_test::kBlue);
  stage_.SetFacePicture({6, kLeftSide, 0}, picture);
  PictureBankHighColor1::Release(picture);
  DrawTop();
  EXPECT_EQ(camera_.Surface().At(160, 180), views_test::kRed);   // face of 5
  EXPECT_EQ(camera_.Surface().At(160, 140), views_test::kBlue);  // face of 6
}

TEST_F(WireLayersTest, ThePointToolsShowEveryWirePoint) {
  LoadRoad(12, 2, 5);
  using T = ToolStateBlock;
  // Wires 0 and 1 on the left of partition 5 stand in one line at (-15, 0, 60) and
  // (-25, 0, 60): (140, 160) and (100, 160); each point shows as a 5 x 5 square, whose top
  // edge is looked at beside the face outlines of partition 6 running up from the points.
  const std::pair<std::vector<int32_t>, bool> cases[] = {
      {{T::kMode0, T::kMode0CameraMove}, false},
      {{T::kMode0, T::kFaceAttributeTool}, false},
      {{T::kMode0, T::kSelectPointTool}, true},
      {{T::kMode0, T::kPointMoveTool}, true},
      {{T::kMode0, T::kPointGlueTool, T::kSelectGluePoint}, true},
      {{T::kMode1, T::kSelectObjectTool}, false},
  };
  for (const auto& [words, dots] : cases) {
    look_.tools = ToolStateBlock();
    for (int32_t word : words) look_.tools.words[word] = 1;
    DrawTop();
    for (int32_t x : {141, 101}) {
      EXPECT_EQ(camera_.Surface().At(x, 158) == StagePen(8).colour, dots) << words[1] << " " << x;
    }
  }
}

// Points drawn on the same place: clicks step through them in drawing order.
TEST_F(WireLayersTest, ClicksStepThroughPointsDrawnOnTheSamePlace) {
  LoadRoad(12, 1, 5);
  // The side view shows x in depth: both sides' wire and road-end points at z = 60 coincide.
  DrawTop(kSideViewKind);
  ToolStateBlock tools = ToolStateBlock::Initial();
  tools.words[ToolStateBlock::kMode0CameraMove] = 0;
  tools.words[ToolStateBlock::kSelectPointTool] = 1;
  const std::vector<PointRef> expected = {{5, kLeftSide, 0, kEndA},
                                          {5, kLeftSide, kRoadEndWire, kEndA},
                                          {5, kRightSide, 0, kEndA},
                                          {5, kRightSide, kRoadEndWire, kEndA},
                                          {5, kLeftSide, 0, kEndA}};
  // z = 60 is 40 pixels right of the centre; y = 0 at the centre.
  for (const PointRef& want : expected) {
    ASSERT_TRUE(ApplyClick(stage_, tools, picture_.hits, 240, 200, kLeftButtonBit, false));
    EXPECT_EQ(stage_.SelectedPoint(), want);
  }
}

TEST_F(WireLayersTest, TheSelectedPointAndTheGlueTargetCarryTheirMarkers) {
  LoadRoad(12, 2, 5);
  stage_.SetJoined(5, kLeftSide, 1, 0);
  struct Case {
    PointRef point;
    int32_t marker;
  };
  const Case cases[] = {{{5, kLeftSide, 0, kEndA}, kMarkerPointJoined},
                        {{5, kLeftSide, 1, kEndA}, kMarkerPointA},
                        {{5, kLeftSide, 1, kEndB}, kMarkerPointB}};
  for (const Case& c : cases) {
    stage_.SelectPoint(c.point);
    stage_.SelectGlueTarget({5, kRightSide, 0, kEndA});
    DrawTop();
    ASSERT_EQ(picture_.markers.size(), 2u);
    EXPECT_EQ(picture_.markers[0].marker, c.marker);
    // Top-left on the point (-5 - 10(w + 1), 60).
    EXPECT_EQ(picture_.markers[0].x, 200 - 4 * (15 + 10 * c.point.wire));
    EXPECT_EQ(picture_.markers[0].y, 160);
    // The glue target's bottom-left corner on (15, 60).
    EXPECT_EQ(picture_.markers[1].marker, kMarkerGlueTarget);
    EXPECT_EQ(picture_.markers[1].x, 260);
    EXPECT_EQ(picture_.markers[1].y + 23, 160);
  }
}

TEST_F(WireLayersTest, ObjectsAreRecordedByKindAndTheSelectedOneDrawnLastInWhite) {
  LoadRoad(12, 0, 5);
  const int32_t free_object = AddSquare({0.0f, 0.0f, 55.0f}, 1, 0, 0);
  const int32_t glued = AddSquare({0.0f, 0.0f, 75.0f}, 1, 0, 0);
  ASSERT_TRUE(stage_.GlueObject(glued, 7));
  stage_.SelectObject(free_object);
  DrawTop();
  ASSERT_NE(Find(kHitGluedObject, {glued}), nullptr);
  const HitRecord* selected = Find(kHitFreeObject, {free_object});
  ASSERT_NE(selected, nullptr);
  EXPECT_EQ(&picture_.hits.back(), selected);
  // The square lies across the road at z = 55, from x -5 to 5.
  EXPECT_EQ(selected->x0, 180);
  EXPECT_EQ(selected->x1, 220);
  EXPECT_EQ(camera_.Surface().At(200, 180), StagePen(8).colour);
}

TEST(WireLayerValuesTest, FloatColoursAreClampedAndRoundedToFiveBits) {
  struct Case {
    float r, g, b;
    uint16_t want;
  };
  for (const Case& c : {Case{0.0f, 0.4f, 0.2f, (12 << 5) | 6}, Case{1.0f, 1.0f, 1.0f, 0x7FFF},
                        Case{2.0f, -1.0f, NAN, 31 << 10}, Case{0.5f, 0.0f, 0.0f, 16 << 10}}) {
    EXPECT_EQ(FloatColour555(c.r, c.g, c.b), c.want) << c.r << " " << c.g << " " << c.b;
  }
}

TEST(WireLayerValuesTest, TheGridSitsOnWholeStepsAroundThePartition) {
  struct Case {
    float cx, cz, x0, z0;
  };
  for (const Case& c : {Case{0, 0, -2000, 2000}, Case{150, -450, -1800, 1600},
                        Case{5000, 5000, 2800, 7000}, Case{-350, 100, -2400, 2200}}) {
    float x0 = 0, z0 = 0;
    GridOrigin(c.cx, c.cz, &x0, &z0);
    EXPECT_EQ(x0, c.x0) << c.cx;
    EXPECT_EQ(z0, c.z0) << c.cz;
  }
}

TEST(ViewMarkerTest, MarkersArePlacedByTheirCornerAndCombinedByOrThenAnd) {
  EXPECT_EQ(PlaceMarker(kMarkerPointA, 50, 60).x, 50);
  EXPECT_EQ(PlaceMarker(kMarkerPointA, 50, 60).y, 60);
  EXPECT_EQ(PlaceMarker(kMarkerGlueTarget, 50, 60).y, 37);
  EXPECT_EQ(PlaceMarker(kMarkerAxisZOff, 50, 60).x, 42);
  EXPECT_EQ(PlaceMarker(kMarkerAxisZOff, 50, 60).y, 52);

  MarkerSet markers;
  MarkerBitmap& bitmap = markers.bitmaps[kMarkerPointA];
  bitmap.width = 2;
  bitmap.height = 1;
  bitmap.or_picture = {0x0000, 0x001F};  // clear, then blue
  bitmap.and_picture = {0x7FFF, 0x001F};
  Surface16 surface(3, 1);
  surface.Fill(0x7C00);
  DrawMarker(surface, {kMarkerPointA, 1, 0}, markers);
  EXPECT_EQ(surface.At(0, 0), 0x7C00);
  EXPECT_EQ(surface.At(1, 0), 0x7C00);  // kept
  EXPECT_EQ(surface.At(2, 0), 0x001F);  // (red | blue) & blue
  // Off the surface nothing is written; an unusable bitmap draws nothing.
  DrawMarker(surface, {kMarkerPointA, 2, 0}, markers);
  DrawMarker(surface, {kMarkerPointB, 0, 0}, markers);
  EXPECT_EQ(surface.At(0, 0), 0x7C00);
}

}  // namespace
