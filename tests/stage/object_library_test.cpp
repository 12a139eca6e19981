#include "stage/object_library.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "pictures/picture_bank_high_color1.h"
#include "stage/object_placement.h"
#include "stage/stage_file.h"
#include "stage/terrain_editing.h"
#include "tests/stage/objects_fixtures.h"

namespace {

using Bank = PictureBankHighColor1;
using objects_test::ObjectsTest;
using objects_test::Square;

constexpr const char* kTemplates =
    "[Sign]\r\nWorld Vertices 4\r\n0 0 0\r\n1 0 0\r\n1 1 0\r\n0 1 0\r\n"
    "Texture Vertices 4 0 0, 1 0, 1 1, 0 1\r\nFaces 1\r\nFace verts 4 mat 1\r\n"
    "<0,0> <1,1> <2,2> <3,3>\r\nAttribute 2\r\nViewPos\r\nXnum 2 Ynum 1\r\n1 0\r\n"
    "[Flat]\r\nWorld Vertices 3 0 0 0 1 0 0 0 0 1\r\nTexture Vertices 1 0.5 0.5\r\n"
    "Faces 1 Face verts 3 mat 0 <0,0> <1,0> <2,0>\r\nAttribute 1 ViewPos Xnum 1 Ynum 1 0\r\n";

class ObjectLibraryTest : public ObjectsTest {
 protected:
  std::string Templates() { return folder_.Write("BitmapObject.bof", kTemplates); }
  int32_t Picture(const std::string& name, uint8_t red) {
    return Bank::Register(StageTest::Picture(name, 8, red), Bank::kModePowerOfTwo);
  }
  int32_t ShapeOf(int32_t object) { return stage_.Object(object).shape; }
  int32_t Uses(int32_t shape) { return stage_.GetShapes().Shape(shape).use_count; }
};

TEST_F(ObjectLibraryTest, OneFileTwiceSharesOneShapeUntilBothObjectsAreGone) {
  LoadRoad();
  StageTest::Picture("wall.bmp");
  const std::string path = WritePo3("house.po3", Square("wall.bmp"));
  int32_t first = -1;
  int32_t second = -1;
  ASSERT_EQ(CreateObjectFromPolygonFile(stage_, path, {}, &first), kPolygonObjectLoaded);
  ASSERT_EQ(CreateObjectFromPolygonFile(stage_, path, {}, &second), kPolygonObjectLoaded);
  const int32_t shape = ShapeOf(first);
  EXPECT_EQ(ShapeOf(second), shape);
  EXPECT_EQ(stage_.GetShapes().Count(), 1);
  EXPECT_EQ(Uses(shape), 2);
  const ShapeAttribute textured = stage_.GetShapes().Shape(shape).attributes[0];
  ASSERT_TRUE(textured.Textured());
  EXPECT_EQ(Bank::ReferenceCount(textured.picture), 1);
  EXPECT_EQ(textured.repeat_u, 2.0f);
  EXPECT_EQ(textured.repeat_v, 3.0f);
  EXPECT_EQ(stage_.GetShapes().Shape(shape).name, "house.po3");
  EXPECT_EQ(stage_.GetShapes().Shape(shape).polygons[1],
            (std::vector<int32_t>{3, 0, 2, 3, 0, 2, 3, 1}));

  ASSERT_TRUE(stage_.DeleteObject(first));
  EXPECT_EQ(Uses(shape), 1);
  ASSERT_TRUE(stage_.DeleteObject(second));
  EXPECT_EQ(stage_.GetShapes().Count(), 0);
  EXPECT_FALSE(Bank::IsPicture(textured.picture));
}

TEST_F(ObjectLibraryTest, SameFileNameInAnotherFolderTakesTheFirstShape) {
  std::filesystem::create_directories(folder_.Path() + "/a");
  std::filesystem::create_directories(folder_.Path() + "/b");
  Po3Object other = Square();
  other.points[1].x = 7.0f;
  int32_t first = -1;
  int32_t second = -1;
  ASSERT_EQ(CreateObjectFromPolygonFile(stage_, WritePo3("a/rock.po3", Square()), {}, &first), 0);
  ASSERT_EQ(CreateObjectFromPolygonFile(stage_, WritePo3("b/rock.po3", other), {}, &second), 0);
  EXPECT_EQ(ShapeOf(first), ShapeOf(second));
  EXPECT_EQ(stage_.GetShapes().Shape(ShapeOf(first)).points[1].x, 1.0f);
}

TEST_F(ObjectLibraryTest, TexturePathsAreTakenInTheObjectsFolder) {
  EXPECT_EQ(PolygonTexturePath("/data/objects/car.po3", "body.bmp"), "/data/objects/body.bmp");
  EXPECT_EQ(PolygonTexturePath("C:\\objects\\car.po3", "body.bmp"), "C:\\objects/body.bmp");
  EXPECT_EQ(PolygonTexturePath("/data/car.po3", "C:\\maps\\body.bmp"), "C:\\maps\\body.bmp");
  EXPECT_EQ(PolygonTexturePath("/data/car.po3", "/maps/body.bmp"), "/maps/body.bmp");

  // The texture lies beside the object, not in the current folder.
  std::filesystem::create_directories(folder_.Path() + "/objects");
  folder_.Write("objects/paint.bmp", stage_test::BmpBytes(16, 8, 1, 2, 3));
  int32_t object = -1;
  ASSERT_EQ(CreateObjectFromPolygonFile(stage_, WritePo3("objects/car.po3", Square("paint.bmp")),
                                        {}, &object),
            0);
  const ShapeAttribute attribute = stage_.GetShapes().Shape(ShapeOf(object)).attributes[0];
  ASSERT_TRUE(attribute.Textured());
  EXPECT_EQ(Bank::Path(attribute.picture), folder_.Path() + "/objects/paint.bmp");
}

TEST_F(ObjectLibraryTest, RefusedTextureLeavesTheAttributeInItsColourAndLoadingGoesOn) {
  folder_.Write("odd.bmp", stage_test::BmpBytes(6, 8, 1, 2, 3));  // not a power of two
  int32_t object = -1;
  ASSERT_EQ(
      CreateObjectFromPolygonFile(stage_, WritePo3("odd.po3", Square("odd.bmp")), {}, &object), 0);
  const ShapeAttribute attribute = stage_.GetShapes().Shape(ShapeOf(object)).attributes[0];
  EXPECT_EQ(attribute.texture_switch, 0);
  EXPECT_EQ(attribute.picture, -1);
  EXPECT_EQ(attribute.red, 0.5f);
  EXPECT_EQ(Bank::Count(), 0);
}

TEST_F(ObjectLibraryTest, ObjectsArePlacedAtTheLeftEndOfTheSelectedPartitionOrTheOrigin) {
  const std::string path = WritePo3("box.po3", Square());
  int32_t object = -1;
  ASSERT_EQ(CreateObjectFromPolygonFile(stage_, path, {}, &object), 0);
  EXPECT_EQ(stage_.Object(object).position, (Point3f{0, 0, 0}));
  LoadRoad();
  stage_.SelectPartition(3);
  ASSERT_EQ(CreateObjectFromPolygonFile(stage_, path, {}, &object), 0);
  const PlacedObject placed = stage_.Object(object);
  EXPECT_EQ(placed.position, (Point3f{-5.0f, 0.0f, 40.0f}));
  EXPECT_EQ(placed.origin, placed.position);
  EXPECT_EQ(placed.zoom, (Point3f{100, 100, 100}));
  EXPECT_EQ(placed.scale, (Point3f{100, 100, 100}));
  EXPECT_TRUE(stage_.IsFreeObject(object));
  EXPECT_TRUE(stage_.Modified());
}

TEST_F(ObjectLibraryTest, ProgressIsToldAfterEveryTenthItem) {
  Po3Object object = Square();
  for (int i = 0; i < 21; ++i) object.points.push_back({1, 2, 3});  // 25 points
  std::vector<std::pair<int32_t, int32_t>> told;
  int32_t placed = -1;
  ASSERT_EQ(CreateObjectFromPolygonFile(
                stage_, WritePo3("many.po3", object),
                [&](int32_t done, int32_t total) { told.emplace_back(done, total); }, &placed),
            0);
  // 25 points, 4 map coordinates, 2 attributes: after points 10 and 20.
  EXPECT_EQ(told, (std::vector<std::pair<int32_t, int32_t>>{{10, 31}, {20, 31}}));
}

TEST_F(ObjectLibraryTest, ShortOrInconsistentFilesMakeNoObjectAndTakeNothing) {
  StageTest::Picture("wall.bmp");
  const std::string whole = Po3File::Bytes(Square("wall.bmp"));
  Po3Object bad_index = Square("wall.bmp");
  bad_index.faces[1].points[2] = 4;
  Po3Object bad_attribute = Square("wall.bmp");
  bad_attribute.faces[0].attribute = 2;
  const std::vector<std::string> files = {
      folder_.Write("short.po3", whole.substr(0, whole.size() - 3)),
      folder_.Write("cut.po3", whole.substr(0, 20)),
      WritePo3("index.po3", bad_index),
      WritePo3("attribute.po3", bad_attribute),
  };
  for (const std::string& path : files) {
    int32_t object = -1;
    EXPECT_EQ(CreateObjectFromPolygonFile(stage_, path, {}, &object), kPolygonObjectDamaged)
        << path;
  }
  int32_t object = -1;
  EXPECT_EQ(CreateObjectFromPolygonFile(stage_, folder_.Path() + "/none.po3", {}, &object),
            kPolygonObjectCannotOpen);
  EXPECT_EQ(stage_.ObjectCount(), 0);
  EXPECT_EQ(stage_.GetShapes().Count(), 0);
  EXPECT_EQ(Bank::Count(), 0);
  EXPECT_FALSE(stage_.Modified());
}

TEST_F(ObjectLibraryTest, MenuCommandAsksForTheFileAndTellsWhyItFailed) {
  LoadRoad();
  StageCommandContext context;
  context.stage = &stage_;
  context.settings_path = folder_.Path() + "/Settei.ini";
  prompter_.QueuePath(WritePo3("box.po3", Square()));
  EXPECT_EQ(OpenPolygonObjectCommand(context), 0);
  EXPECT_EQ(stage_.ObjectCount(), 1);
  ASSERT_EQ(prompter_.AskedQuestions().size(), 1u);
  EXPECT_EQ(prompter_.AskedQuestions()[0].caption, "Poly3FileOpen");
  EXPECT_EQ(prompter_.AskedQuestions()[0].text, "*.po3");

  // The new object is selected, ready to be moved.
  const int32_t first = stage_.FirstObject();
  EXPECT_EQ(stage_.SelectedObject(), first);
  prompter_.QueuePath(WritePo3("box.po3", Square()));
  EXPECT_EQ(OpenPolygonObjectCommand(context), 0);
  const int32_t second = stage_.NextObject(first);
  EXPECT_EQ(stage_.SelectedObject(), second);

  prompter_.QueuePath(folder_.Write("broken.po3", std::string("\x05\0\0\0", 4)));
  EXPECT_EQ(OpenPolygonObjectCommand(context), 1);
  EXPECT_EQ(prompter_.MessageTexts(), (std::vector<std::string>{"ファイルが破壊されている"}));
  EXPECT_EQ(OpenPolygonObjectCommand(context), 1);  // cancelled
  EXPECT_EQ(stage_.ObjectCount(), 2);
  EXPECT_EQ(stage_.SelectedObject(), second);
}

TEST_F(ObjectLibraryTest, DialogOkSelectsTheObjectItMade) {
  LoadRoad();
  stage_.SelectPartition(2);
  const int32_t red = Picture("red.bmp", 250);
  ASSERT_EQ(CreateObjectFromDialog(stage_, CreationMode::kBitmapObject, Templates(), "[Sign]",
                                   {red, red}, nullptr),
            0);
  EXPECT_EQ(stage_.SelectedObject(), stage_.FreeObjectAt(0));
  ASSERT_EQ(
      CreateObjectFromDialog(stage_, CreationMode::kBackgroundObject,
                             folder_.Write("BackObject.bof", kTemplates), "[Flat]", {red}, nullptr),
      0);
  EXPECT_EQ(stage_.SelectedObject(), stage_.BackgroundObject());
}

TEST_F(ObjectLibraryTest, TemplateShapesAreSharedByNameAndPictures) {
  LoadRoad();
  stage_.SelectPartition(2);
  const std::string path = Templates();
  const int32_t red = Picture("red.bmp", 250);
  const int32_t blue = Picture("blue.bmp", 10);
  const int32_t pictures[2] = {red, blue};
  const int32_t swapped[2] = {blue, red};
  ASSERT_EQ(CreateBitmapObject(stage_, path, "[Sign]", pictures, 2), 0);
  ASSERT_EQ(CreateBitmapObject(stage_, path, "[Sign]", pictures, 2), 0);
  ASSERT_EQ(CreateBitmapObject(stage_, path, "[Sign]", swapped, 2), 0);
  ASSERT_EQ(stage_.ObjectCount(), 3);
  const int32_t a = stage_.FirstObject();
  const int32_t b = stage_.NextObject(a);
  const int32_t c = stage_.NextObject(b);
  EXPECT_EQ(ShapeOf(a), ShapeOf(b));
  EXPECT_NE(ShapeOf(a), ShapeOf(c));
  EXPECT_EQ(Uses(ShapeOf(a)), 2);
  EXPECT_EQ(stage_.Object(a).position, (Point3f{-5.0f, 0.0f, 30.0f}));
  const ObjectShape& shape = stage_.GetShapes().Shape(ShapeOf(a));
  EXPECT_EQ(shape.name, "[Sign]");
  EXPECT_EQ(shape.attributes[0].picture, red);
  EXPECT_EQ(shape.attributes[1].repeat_u, 1.0f);
  EXPECT_EQ(shape.polygons[0], (std::vector<int32_t>{4, 0, 1, 2, 3, 0, 1, 2, 3, 1}));
  // The bank's own registration and the two shapes.
  EXPECT_EQ(Bank::ReferenceCount(red), 3);

  // A wrong picture count or a picture that does not exist makes nothing.
  EXPECT_EQ(CreateBitmapObject(stage_, path, "[Sign]", pictures, 1), 1);
  const int32_t gone[2] = {red, 99};
  EXPECT_EQ(CreateBitmapObject(stage_, path, "[Sign]", gone, 2), 1);
  EXPECT_EQ(CreateBitmapObject(stage_, folder_.Path() + "/none.bof", "[Sign]", swapped + 1, 1), 1);
  EXPECT_EQ(stage_.ObjectCount(), 3);
}

TEST_F(ObjectLibraryTest, SecondBackgroundObjectReplacesTheFirstAndReleasesItsShape) {
  LoadRoad();
  const std::string path = folder_.Write("BackObject.bof", kTemplates);
  const int32_t red = Picture("red.bmp", 250);
  const int32_t blue = Picture("blue.bmp", 10);
  ASSERT_EQ(CreateBackgroundObject(stage_, path, "[Flat]", &red, 1), 0);
  const int32_t first = stage_.BackgroundObject();
  ASSERT_NE(first, -1);
  EXPECT_EQ(stage_.Object(first).position, (Point3f{0, 0, 0}));
  EXPECT_FALSE(stage_.IsFreeObject(first));
  EXPECT_EQ(Bank::ReferenceCount(red), 2);
  ASSERT_EQ(CreateBackgroundObject(stage_, path, "[Flat]", &blue, 1), 0);
  EXPECT_EQ(stage_.ObjectCount(), 1);
  EXPECT_EQ(stage_.GetShapes().Shape(ShapeOf(stage_.BackgroundObject())).attributes[0].picture,
            blue);
  EXPECT_EQ(stage_.GetShapes().Count(), 1);
  EXPECT_EQ(Bank::ReferenceCount(red), 1);
  // The same model with the same picture again keeps one shape.
  ASSERT_EQ(CreateBackgroundObject(stage_, path, "[Flat]", &blue, 1), 0);
  EXPECT_EQ(stage_.GetShapes().Count(), 1);
  EXPECT_EQ(Uses(ShapeOf(stage_.BackgroundObject())), 1);
}

TEST_F(ObjectLibraryTest, DialogOkWithABrokenModelSaysSoAndMakesNothing) {
  LoadRoad();
  const std::string path = folder_.Write(
      "BitmapObject.bof",
      "[NoMap]\nWorld Vertices 3 0 0 0 1 0 0 0 1 0\nFaces 1 Face verts 3 mat 0 <0,0> <1,0> "
      "<2,0>\nAttribute 1 ViewPos Xnum 1 Ynum 1 0\n");
  const int32_t red = Picture("red.bmp", 250);
  EXPECT_EQ(
      CreateObjectFromDialog(stage_, CreationMode::kBitmapObject, path, "[NoMap]", {red}, nullptr),
      1);
  EXPECT_EQ(prompter_.MessageTexts(),
            (std::vector<std::string>{"オブジェクトの作成に失敗しました。"}));
  EXPECT_EQ(prompter_.AskedQuestions()[0].caption, "Message");
  EXPECT_EQ(stage_.ObjectCount(), 0);
  EXPECT_EQ(stage_.GetShapes().Count(), 0);
  EXPECT_EQ(Bank::ReferenceCount(red), 1);

  EXPECT_EQ(CreationDialogTitle(CreationMode::kBitmapObject), "ビットマップオブジェクトの作成");
  EXPECT_EQ(CreationDialogTitle(CreationMode::kBackgroundObject), "背景オブジェクトの作成");
  EXPECT_EQ(TemplateMissingMessage("/x/BackObject.bof"), "/x/BackObject.bofファイルが見当りません");
  EXPECT_EQ(SlotPictureMessage(Bank::kNotPowerOfTwo), "２のN乗のサイズでなくてはならない");
  EXPECT_EQ(SlotPictureMessage(Bank::kCannotOpen), "画像ファイルエラー");
}

// A stage with objects from polygon files, bitmap objects, a background object, a glue chain
// and textured terrain: after save and load every shape is shared as before, and new objects
// made from the same sources find the loaded shapes.
TEST_F(ObjectLibraryTest, StageWithEveryKindOfObjectSurvivesSaveAndLoad) {
  LoadRoad();
  StageTest::Picture("wall.bmp");
  const std::string house = WritePo3("house.po3", Square("wall.bmp"));
  const std::string path = Templates();
  const int32_t red = Picture("red.bmp", 250);
  const int32_t blue = Picture("blue.bmp", 10);
  const int32_t pictures[2] = {red, blue};
  int32_t object = -1;
  ASSERT_EQ(CreateObjectFromPolygonFile(stage_, house, {}, &object), 0);
  ASSERT_EQ(CreateObjectFromPolygonFile(stage_, house, {}, &object), 0);
  stage_.SelectPartition(4);
  ASSERT_EQ(CreateBitmapObject(stage_, path, "[Sign]", pictures, 2), 0);
  ASSERT_EQ(CreateBitmapObject(stage_, path, "[Sign]", pictures, 2), 0);
  ASSERT_EQ(CreateBackgroundObject(stage_, path, "[Flat]", &blue, 1), 0);
  stage_.SelectObject(object);
  stage_.SelectPartition(3);
  ASSERT_TRUE(GlueSelectedObject(stage_));
  stage_.SelectPartition(7);
  ASSERT_TRUE(GlueSelectedObject(stage_));
  stage_.SelectPartition(5);
  ASSERT_TRUE(GlueSelectedObject(stage_));
  ASSERT_TRUE(AddWireOnSide(stage_, kLeftSide));
  stage_.SelectPartition(6);
  ASSERT_TRUE(AddWireOnSide(stage_, kLeftSide));
  ASSERT_TRUE(ClickFace(stage_, {{6, kLeftSide, 0}}));
  ASSERT_TRUE(UsedTextureForSelection(stage_, red));
  ASSERT_TRUE(ShiftClickFace(stage_, {{6, kRoadFaceSide, -1}}));
  ASSERT_TRUE(UsedTextureForSelection(stage_, blue));

  const std::string file = folder_.Path() + "/stage.ste";
  ASSERT_TRUE(StageFile::Save(file, stage_, ToolStateBlock::Initial(), ViewSection()));
  Stage loaded;
  ASSERT_EQ(StageFile::Load(file, loaded, nullptr, nullptr), StageFileResult::kOk);
  stage_test::ExpectSameStage(stage_, loaded);
  stage_.Swap(loaded);
  // `loaded` now holds the old stage, whose pictures went with the old bank.

  // Two shared shapes with two uses each, and the background's own.
  std::vector<int32_t> uses;
  for (int32_t id = stage_.GetShapes().FirstId(); id != -1; id = stage_.GetShapes().NextId(id)) {
    uses.push_back(Uses(id));
  }
  EXPECT_EQ(uses, (std::vector<int32_t>{2, 2, 1}));
  EXPECT_EQ(stage_.GetTerrain().GlueAt(5, 0), (GlueEntry{object, 3, 7}));

  // New objects from the same sources share the loaded shapes.
  const int32_t house_shape = stage_.GetShapes().FirstId();
  ASSERT_EQ(CreateObjectFromPolygonFile(stage_, house, {}, &object), 0);
  EXPECT_EQ(ShapeOf(object), house_shape);
  const ObjectShape& sign = stage_.GetShapes().Shape(stage_.GetShapes().NextId(house_shape));
  const int32_t loaded_pictures[2] = {sign.attributes[0].picture, sign.attributes[1].picture};
  ASSERT_EQ(CreateBitmapObject(stage_, path, "[Sign]", loaded_pictures, 2), 0);
  EXPECT_EQ(stage_.GetShapes().Count(), 3);
  EXPECT_EQ(Uses(stage_.GetShapes().NextId(house_shape)), 3);
}

}  // namespace
