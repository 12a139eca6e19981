#include "stage/template_file.h"

#include <gtest/gtest.h>

#include "pictures/picture_bank_high_color1.h"
#include "tests/stage/stage_fixtures.h"

namespace {

using Bank = PictureBankHighColor1;
using stage_test::StageTest;

std::string ShippedFile(const std::string& name) {
  // Not __FILE__: a compiler cache may record it relative to the build folder.
  return std::string(SUITE_SOURCE_DIR) + "/resources/tarnhollow/" + name;
}

constexpr const char* kTwoModels =
    "; pictures for signs\n"
    "[Wide Sign]\nWorld Vertices 4\n0 0 0\n1 0 0\n1 1 0\n0 1 0\n"
    "Texture Vertices 2\n0 0\n1 1\nFaces 2\n"
    "Face verts 3 mat 1 <0,0> <1,1> <2,1>\nFace verts 3\tmat 0\n<0,0>,<2,1>,<3,0>\n"
    "Attribute 2\nViewPos\nXnum 2\nYnum 1\n1 0\n"
    "[Cross]\nWorld Vertices 3 0 0 0 1 0 0 0 1 0 Texture Vertices 1 0 0 "
    "Faces 1 Face verts 3 mat 2 <0,0> <1,0> <2,0>\n"
    "Attribute 3 ViewPos Xnum 3 Ynum 2 -1 2 -1 1 -1 0\n";

TEST(TemplateScanTest, ReadsNamesCountsAndGridsOfEveryModel) {
  TemplateScan scan;
  ASSERT_EQ(ScanTemplateText(kTwoModels, &scan), kTemplateRead);
  ASSERT_EQ(scan.models.size(), 2u);
  EXPECT_EQ(scan.models[0].name, "[Wide Sign]");
  EXPECT_EQ(scan.models[0].attribute_count, 2);
  EXPECT_EQ(scan.models[0].x_count, 2);
  EXPECT_EQ(scan.models[0].y_count, 1);
  EXPECT_EQ(scan.models[0].view_pos[0], 1);
  EXPECT_EQ(scan.models[0].view_pos[1], 0);
  EXPECT_EQ(scan.models[1].name, "[Cross]");
  EXPECT_EQ(scan.models[1].view_pos[5], 0);
  EXPECT_EQ(scan.largest_x, 3);
  EXPECT_EQ(scan.largest_y, 2);
  int32_t width = 0;
  int32_t height = 0;
  TemplateSlotArea(scan, &width, &height);
  EXPECT_EQ(width, 180);
  EXPECT_EQ(height, 120);

  // Xnum 2, Ynum 1 with ViewPos 1 0: the left slot sets attribute 1, the right one 0.
  const std::vector<TemplateSlot> slots = TemplateSlots(scan.models[0]);
  ASSERT_EQ(slots.size(), 2u);
  EXPECT_EQ(slots[0].x, 115);
  EXPECT_EQ(slots[0].y, 10);
  EXPECT_EQ(slots[0].attribute, 1);
  EXPECT_EQ(slots[1].x, 175);
  EXPECT_EQ(slots[1].attribute, 0);
  const std::vector<TemplateSlot> cross = TemplateSlots(scan.models[1]);
  ASSERT_EQ(cross.size(), 3u);
  EXPECT_EQ(cross[1].x, 115);
  EXPECT_EQ(cross[1].y, 70);

  std::vector<int32_t> pictures;
  EXPECT_FALSE(CollectSlotPictures(scan.models[0], {7, -1}, &pictures));
  ASSERT_TRUE(CollectSlotPictures(scan.models[0], {7, 9}, &pictures));
  EXPECT_EQ(pictures, (std::vector<int32_t>{9, 7}));
}

TEST(TemplateScanTest, LeavesOutModelsWhoseGridCannotBeShown) {
  TemplateScan scan;
  ASSERT_EQ(ScanTemplateText("[Big]\nAttribute 1 ViewPos Xnum 8 Ynum 7 0\n"
                             "[Outside]\nAttribute 1 ViewPos Xnum 1 Ynum 1 1\n"
                             "[Short]\nAttribute 2 ViewPos Xnum 2 Ynum 1 0\n"
                             "[Good]\nAttribute 1 ViewPos Xnum 1 Ynum 1 0\n",
                             &scan),
            kTemplateRead);
  ASSERT_EQ(scan.models.size(), 1u);
  EXPECT_EQ(scan.models[0].name, "[Good]");
  int32_t width = 0;
  int32_t height = 0;
  TemplateSlotArea(scan, &width, &height);
  EXPECT_EQ(width, 100);
  EXPECT_EQ(height, 100);
  EXPECT_EQ(ScanTemplateFile("/nonexistent/BitmapObject.bof", &scan), kTemplateCannotOpen);
}

class TemplateModelTest : public StageTest {
 protected:
  int32_t Picture(const std::string& name) {
    return Bank::Register(StageTest::Picture(name), Bank::kModePowerOfTwo);
  }
};

TEST_F(TemplateModelTest, ReadsTheNamedModelWithItsPictures) {
  const int32_t pictures[2] = {Picture("a.bmp"), Picture("b.bmp")};
  ObjectShape shape;
  ASSERT_EQ(ReadTemplateModelText(kTwoModels, "[Wide Sign]", pictures, 2, &shape), kTemplateRead);
  EXPECT_EQ(shape.name, "[Wide Sign]");
  EXPECT_EQ(shape.use_count, 1);
  ASSERT_EQ(shape.points.size(), 4u);
  EXPECT_EQ(shape.points[2], (Point3f{1, 1, 0}));
  ASSERT_EQ(shape.map_coordinates.size(), 2u);
  ASSERT_EQ(shape.polygons.size(), 2u);
  EXPECT_EQ(shape.polygons[1], (std::vector<int32_t>{3, 0, 2, 3, 0, 1, 0, 0}));
  ASSERT_EQ(shape.attributes.size(), 2u);
  EXPECT_EQ(shape.attributes[1].picture, pictures[1]);
  EXPECT_EQ(shape.attributes[1].texture_switch, 1);
  EXPECT_EQ(shape.attributes[1].repeat_v, 1.0f);
  EXPECT_EQ(shape.attributes[1].red, 0.0f);
  EXPECT_EQ(Bank::ReferenceCount(pictures[0]), 2);
  for (const ShapeAttribute& attribute : shape.attributes) Bank::Release(attribute.picture);
}

TEST_F(TemplateModelTest, BrokenModelsFailAndTakeNoPicture) {
  const int32_t picture = Picture("a.bmp");
  const int32_t three[3] = {picture, picture, picture};
  struct Case {
    const char* text;
    const char* name;
    int32_t count;
  };
  const Case cases[] = {
      {kTwoModels, "[Wide Sign]", 3},  // attribute count differs
      {kTwoModels, "[Missing]", 1},    // no such model
      // A point, a map coordinate or an attribute that does not exist.
      {"[M] World Vertices 3 0 0 0 1 0 0 0 1 0 Texture Vertices 1 0 0 Faces 1 "
       "Face verts 3 mat 0 <0,0> <1,0> <3,0> Attribute 1",
       "[M]", 1},
      {"[M] World Vertices 3 0 0 0 1 0 0 0 1 0 Texture Vertices 1 0 0 Faces 1 "
       "Face verts 3 mat 0 <0,0> <1,1> <2,0> Attribute 1",
       "[M]", 1},
      {"[M] World Vertices 3 0 0 0 1 0 0 0 1 0 Texture Vertices 1 0 0 Faces 1 "
       "Face verts 3 mat 1 <0,0> <1,0> <2,0> Attribute 1",
       "[M]", 1},
      // Fewer numbers than the counts promise.
      {"[M] World Vertices 3 0 0 0 1 0 0 0 1 Texture Vertices 1 0 0 Faces 0 Attribute 1", "[M]", 1},
      // No "Texture Vertices" in the model, though the next model has them.
      {"[M] World Vertices 3 0 0 0 1 0 0 0 1 0 Faces 1 Face verts 3 mat 0 <0,0> <1,0> <2,0> "
       "Attribute 1 [N] Texture Vertices 1 0 0 Faces 0 Attribute 1",
       "[M]", 1},
      // A polygon of two corners.
      {"[M] World Vertices 3 0 0 0 1 0 0 0 1 0 Texture Vertices 1 0 0 Faces 1 "
       "Face verts 2 mat 0 <0,0> <1,0> Attribute 1",
       "[M]", 1},
  };
  for (const Case& c : cases) {
    ObjectShape shape;
    EXPECT_EQ(ReadTemplateModelText(c.text, c.name, three, c.count, &shape), kTemplateBad)
        << c.text;
  }
  EXPECT_EQ(Bank::ReferenceCount(picture), 1);
  ObjectShape shape;
  EXPECT_EQ(ReadTemplateModel(folder_.Path() + "/none.bof", "[M]", three, 1, &shape),
            kTemplateCannotOpen);
}

// The template files shipped beside the program: every model listed by the scan can be
// made with pictures from the shipped textures.
TEST_F(TemplateModelTest, ShippedTemplateFilesMakeEveryModelTheyList) {
  struct Shipped {
    const char* file;
    std::vector<std::string> names;
  };
  const Shipped shipped[] = {
      {"BitmapObject.bof", {"[Billboard]", "[Tree]", "[Fence]"}},
      {"BackObject.bof", {"[Backdrop]", "[SkyBox]"}},
  };
  const int32_t texture =
      Bank::Register(ShippedFile("template_textures/billboard_sign.bmp"), Bank::kModePowerOfTwo);
  ASSERT_GE(texture, 0);
  for (const char* name :
       {"billboard_post.bmp", "tree.bmp", "fence.bmp", "backdrop.bmp", "sky_north.bmp",
        "sky_east.bmp", "sky_south.bmp", "sky_west.bmp", "sky_top.bmp"}) {
    const int32_t id = Bank::Register(ShippedFile(std::string("template_textures/") + name),
                                      Bank::kModePowerOfTwo);
    EXPECT_GE(id, 0) << name;
  }
  for (const Shipped& file : shipped) {
    TemplateScan scan;
    ASSERT_EQ(ScanTemplateFile(ShippedFile(file.file), &scan), kTemplateRead) << file.file;
    std::vector<std::string> names;
    for (const TemplateModelDescriptor& model : scan.models) {
      names.push_back(model.name);
      const std::vector<int32_t> pictures(static_cast<size_t>(model.attribute_count), texture);
      ObjectShape shape;
      ASSERT_EQ(ReadTemplateModel(ShippedFile(file.file), model.name, pictures.data(),
                                  model.attribute_count, &shape),
                kTemplateRead)
          << model.name;
      EXPECT_FALSE(shape.polygons.empty());
      for (const ShapeAttribute& attribute : shape.attributes) Bank::Release(attribute.picture);
      // Every attribute has a slot in the dialog.
      std::vector<int32_t> slot_pictures(TemplateSlots(model).size(), texture);
      std::vector<int32_t> collected;
      EXPECT_TRUE(CollectSlotPictures(model, slot_pictures, &collected)) << model.name;
    }
    EXPECT_EQ(names, file.names);
  }
}

}  // namespace
