#include "stage/views/sample_stage.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "course/course_data.h"
#include "course/course_file.h"
#include "course/partition_line.h"
#include "pictures/picture_bank_high_color1.h"
#include "pictures/picture_textures.h"
#include "render/bank_texture_source.h"
#include "render/surface_registry.h"
#include "stage/stage_file.h"
#include "stage/views/view_drawing.h"
#include "tests/stage/views/views_fixtures.h"
#include "tests/support/temp_folder.h"

namespace {

using Bank = PictureBankHighColor1;
namespace fs = std::filesystem;

std::string Source(const std::string& path) { return std::string(SUITE_SOURCE_DIR) + "/" + path; }

class SampleStageTest : public views_test::ViewsTest {
 protected:
  void SetUp() override {
    ViewsTest::SetUp();
    ASSERT_EQ(StageFile::Load(Source("samples/sample.ste"), stage_, &tools_, &views_),
              StageFileResult::kOk);
  }
  bool Animated(const FaceAttribute& look) const {
    return look.Textured() && Bank::FrameCount(look.picture) > 1;
  }

  ToolStateBlock tools_;
  ViewSection views_;
};

TEST_F(SampleStageTest, TheRoadOfTheSampleCourseWithTexturedTerrainOnBothSides) {
  CourseData1 course;
  course.Initialise();
  ASSERT_EQ(LoadCourseFile(course, Source("samples/circuit.cus")), kCourseFileOk);
  const Terrain& terrain = stage_.GetTerrain();
  ASSERT_EQ(terrain.PartitionCount(), PartitionLineCount(course) - 1);
  for (int32_t p = 0; p < terrain.PartitionCount(); ++p) {
    EXPECT_TRUE(terrain.Face({p, kRoadFaceSide, -1}).Textured()) << p;
    for (int32_t side = 0; side < 2; ++side) {
      ASSERT_EQ(terrain.WireCount(p, side), 4) << p;
      EXPECT_EQ(terrain.FaceRun(p, side), p == 0 ? 0 : 4) << p;
      for (int32_t w = 0; w < terrain.FaceRun(p, side); ++w) {
        EXPECT_TRUE(terrain.Face({p, side, w}).Textured()) << p << " " << side << " " << w;
      }
    }
  }
  // Kerb, gravel and grass are three different pictures.
  EXPECT_NE(terrain.Face({5, kLeftSide, 0}).picture, terrain.Face({5, kLeftSide, 1}).picture);
  EXPECT_NE(terrain.Face({5, kLeftSide, 1}).picture, terrain.Face({5, kLeftSide, 2}).picture);
}

TEST_F(SampleStageTest, ObjectsOfEveryKind) {
  const ShapeLibrary& shapes = stage_.GetShapes();
  int32_t gate = -1, trees = 0, fences = 0, animated = 0;
  for (int32_t id = stage_.FirstObject(); id != -1; id = stage_.NextObject(id)) {
    const ObjectShape& shape = shapes.Shape(stage_.Object(id).shape);
    if (shape.name == "start_gate.po3") gate = id;
    if (shape.name == "[Tree]") ++trees;
    if (shape.name == "[Fence]") {
      ++fences;
      EXPECT_FALSE(stage_.IsFreeObject(id));
    }
    for (const ShapeAttribute& attribute : shape.attributes) {
      if (attribute.Textured() && Bank::FrameCount(attribute.picture) > 1) ++animated;
    }
  }
  // The converted start gate, glued to the road, its banner textured.
  ASSERT_NE(gate, -1);
  EXPECT_FALSE(stage_.IsFreeObject(gate));
  EXPECT_TRUE(stage_.IsGluedWithin(gate, 0, 10));
  const ObjectShape& gate_shape = shapes.Shape(stage_.Object(gate).shape);
  EXPECT_EQ(gate_shape.polygons.size(), 36u);  // three boxes of triangles
  EXPECT_TRUE(gate_shape.attributes.at(1).Textured());
  EXPECT_GT(trees, 40);
  EXPECT_GT(fences, 5);
  EXPECT_EQ(animated, 1);  // the flashing sign
  ASSERT_NE(stage_.BackgroundObject(), -1);
  EXPECT_EQ(shapes.Shape(stage_.Object(stage_.BackgroundObject()).shape).attributes.size(), 5u);
}

TEST_F(SampleStageTest, ItOpensOnTheRenderedRoadAndDrawsIt) {
  EXPECT_EQ(views_.perspective.pressed_button, kRenderButton);
  EXPECT_EQ(tools_.words[ToolStateBlock::kMode0SplitView], 1);
  HighColorBankTextures bank;
  BankTextureSource textures(bank);
  SurfaceRegistry registry;
  StageCamera camera(&registry);
  camera.SetDisplaySurface(registry.Make(320, 240), 320, 240);
  const ViewLook look{tools_, &textures, nullptr};
  PerspectivePicture picture;
  DrawPerspectiveView(stage_, &views_.perspective, camera, look, &picture);
  EXPECT_TRUE(picture.rendered);
  EXPECT_TRUE(picture.on_road);
  EXPECT_GT(picture.counts.perspective, 0);
  EXPECT_GT(picture.counts.affine, 0);
  const Surface16& surface = *camera.Surface();
  int32_t black = 0;
  for (int32_t i = 0; i < 320 * 240; ++i) black += surface.Bits()[i] == 0;
  EXPECT_LT(black, 320 * 240 / 100);
}

// The committed sample is what its generator makes, byte for byte.
TEST(SampleStageGeneratorTest, TheGeneratorMakesTheCommittedSample) {
  TempFolder folder;
  const fs::path samples = fs::path(folder.Path()) / "samples";
  const fs::path templates = fs::path(folder.Path()) / "resources" / "tarnhollow";
  fs::create_directories(samples);
  fs::create_directories(templates);
  fs::copy_file(Source("samples/circuit.cus"), samples / "circuit.cus");
  for (const char* name : {"BitmapObject.bof", "BackObject.bof"}) {
    fs::copy_file(Source(std::string("resources/tarnhollow/") + name), templates / name);
  }
  fs::copy(Source("resources/tarnhollow/template_textures"), templates / "template_textures");
  ASSERT_EQ(MakeSampleStage(samples.string(), templates.string()), "");
  for (const char* name : {"sample.ste", "start_gate.po3", "sign.tsy", "circuit.pat"}) {
    EXPECT_EQ(TempFolder::Read((samples / name).string()),
              TempFolder::Read(Source(std::string("samples/") + name)))
        << name;
  }
}

}  // namespace
