#include "stage/stage_file.h"

#include <gtest/gtest.h>

#include <cstring>

#include "foundation/file_io.h"
#include "pictures/picture_bank_high_color1.h"
#include "stage/partition_loading.h"
#include "tests/stage/stage_fixtures.h"

namespace {

using Bank = PictureBankHighColor1;
using stage_test::StageTest;

ObjectShape Triangle(const std::string& name, int32_t picture = -1) {
  ObjectShape shape;
  shape.name = name;
  shape.points = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
  shape.map_coordinates = {{0, 0}, {1, 0}, {0, 1}};
  ShapeAttribute attribute;
  attribute.green = 0.75f;
  attribute.repeat_u = attribute.repeat_v = 1.0f;
  if (picture >= 0) {
    attribute.texture_switch = 1;
    attribute.picture = picture;
  }
  shape.attributes = {attribute, ShapeAttribute()};
  shape.polygons = {{3, 0, 1, 2, 0, 1, 2, 0}, {3, 2, 1, 0, 2, 1, 0, 1}};
  shape.use_count = 1;
  return shape;
}

class StageFileTest : public StageTest {
 protected:
  // A stage with everything a stage file carries, with gaps in the object, shape and
  // picture IDs so that ordinals differ from IDs.
  void BuildRichStage(Stage& stage) {
    const std::string pat = folder_.Write("road.pat", stage_test::StraightPat(6));
    ASSERT_EQ(LoadPartitionFile(stage, pat), kPartitionLoaded);
    const int32_t gap = Bank::Register(Picture("gap.bmp", 4), 0);
    const int32_t grass = Bank::Register(Picture("grass.bmp", 8, 10), Bank::kModePowerOfTwo);
    const int32_t rock = Bank::Register(Picture("rock.bmp", 16, 90), Bank::kModePowerOfTwo);
    Bank::Release(gap);
    for (int32_t p = 0; p < 5; ++p) {
      stage.AddWire(p, kLeftSide, {-15, 0, 10.0f * (p + 1)});
      stage.AddWire(p, kRightSide, {15, 0, 10.0f * (p + 1)});
    }
    stage.AddWire(2, kLeftSide, {-25, 0, 30});
    stage.AddWire(3, kLeftSide, {-25, 0, 40});
    stage.SetWireEnds(2, kLeftSide, 1, {-26, 1, 30}, {-24, -1, 30}, 0);
    stage.SetFacePicture({1, kLeftSide, 0}, grass);
    stage.SetFacePicture({3, kLeftSide, 1}, grass);
    stage.SetFacePicture({2, kRoadFaceSide, -1}, rock);
    const TextureCorner turned[4] = {{0, 0}, {0, 1}, {1, 1}, {1, 0}};
    stage.SetFaceLook({4, kRightSide, 0}, 0.9f, 0.1f, 0.3f, turned);
    Bank::Release(grass);
    Bank::Release(rock);

    ShapeLibrary& shapes = stage.MutableShapes();
    const int32_t doomed = shapes.Add(Triangle("doomed.po3"));
    const int32_t house = shapes.Add(Triangle("house.po3", rock));
    Bank::AddRef(rock);
    const int32_t tree = shapes.Add(Triangle("[tree]", grass));
    Bank::AddRef(grass);
    const int32_t lost = stage.CreateObject({1, 1, 1}, doomed);
    const int32_t a = stage.CreateObject({5, 0, 5}, house);
    shapes.Take(house);
    const int32_t b = stage.CreateObject({6, 0, 6}, house);
    const int32_t c = stage.CreateObject({7, 0, 7}, tree);
    stage.GlueObject(a, 1);
    stage.GlueObject(a, 4);
    stage.GlueObject(c, 2);
    PlacedObject turned_object = stage.Object(b);
    turned_object.rotation = {0.1f, 0.2f, 0.3f};
    turned_object.axes = {0.5f, 0.0f, 0.0f};
    turned_object.scale = {50.0f, 60.0f, 70.0f};
    stage.UpdateObject(b, turned_object);
    stage.CreateBackgroundObject(shapes.Add(Triangle("[sky]")));
    stage.DeleteObject(lost);

    stage.SelectPartition(3);
    stage.SelectPoint({2, kLeftSide, 1, kEndB});
    stage.SelectGlueTarget({3, kRightSide, kRoadEndWire, kEndA});
    stage.AddPicked({3, kLeftSide, 1});
    stage.AddPicked({4, kRoadFaceSide, -1});
    stage.SelectObject(a);
  }

  std::string ImageOf(const Stage& stage) { return StageFile::Image(stage, tools_, views_); }

  ToolStateBlock tools_ = ToolStateBlock::Initial();
  ViewSection views_;
};

TEST_F(StageFileTest, AnEmptyStageHasItsExactLayout) {
  Stage stage;
  ByteWriter expected;
  expected.Bytes("Tarnhollow", 11);
  expected.Bytes("Version1.1", 11);
  tools_.Write(expected);
  views_.Write(expected);
  for (int i = 0; i < 1 + 4 + 4 + 1 + 1; ++i) expected.I32(-1);  // selection fields 1 to 5
  expected.I32(0);                                               // picked points
  expected.I32(0);                                               // free objects
  expected.Zeros(104);                                           // start line and its reserves
  expected.I32(0);                                               // partitions
  expected.I32(0);                                               // objects
  expected.I32(0);                                               // shapes
  expected.I32(16);                                              // bank: colour bits
  expected.I32(0);                                               // bank: no pictures
  const std::string image = ImageOf(stage);
  EXPECT_EQ(image, expected.Data());
  EXPECT_EQ(image.size(), 630u + 44 + 4 + 4 + 104 + 12 + 8);

  Stage back;
  ToolStateBlock tools;
  ViewSection views;
  ASSERT_EQ(StageFile::ReadImage(image, back, &tools, &views), StageFileResult::kOk);
  EXPECT_EQ(tools, tools_);
  EXPECT_EQ(views, views_);
  EXPECT_EQ(ImageOf(back), image);
}

TEST_F(StageFileTest, ARichStageComesBackWithTheSameModelAndTheSameBytes) {
  Stage original;
  BuildRichStage(original);
  tools_.words[1] = 1;
  views_.parallel[0].position_x = 123.5;
  const std::string path = folder_.File("course.ste");
  ASSERT_TRUE(StageFile::Save(path, original, tools_, views_));
  EXPECT_FALSE(original.Modified());
  const std::string first = TempFolder::Read(path);

  Stage loaded;
  ToolStateBlock tools;
  ViewSection views;
  ASSERT_EQ(StageFile::Load(path, loaded, &tools, &views), StageFileResult::kOk);
  EXPECT_EQ(tools, tools_);
  EXPECT_EQ(views, views_);
  EXPECT_FALSE(loaded.Modified());
  EXPECT_EQ(ImageOf(loaded), first);

  // Ordinals became the IDs: everything refers to what it referred to before.
  const Terrain& terrain = loaded.GetTerrain();
  ASSERT_EQ(terrain.PartitionCount(), 5);
  EXPECT_EQ(terrain.WireCount(2, kLeftSide), 2);
  EXPECT_EQ(terrain.Wire(2, kLeftSide, 1).end_a, (Point3f{-26, 1, 30}));
  EXPECT_EQ(terrain.Wire(2, kLeftSide, 1).joined, 0);
  const FaceAttribute grass_face = terrain.Face({1, kLeftSide, 0});
  const FaceAttribute rock_face = terrain.Face({2, kRoadFaceSide, -1});
  EXPECT_EQ(Bank::Path(grass_face.picture), folder_.File("grass.bmp"));
  EXPECT_EQ(Bank::Path(rock_face.picture), folder_.File("rock.bmp"));
  EXPECT_EQ(terrain.Face({3, kLeftSide, 1}).picture, grass_face.picture);
  EXPECT_EQ(Bank::ReferenceCount(grass_face.picture), 3);  // two faces and a shape
  EXPECT_EQ(terrain.Face({4, kRightSide, 0}).picture, -1);
  EXPECT_EQ(terrain.Face({4, kRightSide, 0}).corners[1], (TextureCorner{0, 1}));
  EXPECT_EQ(loaded.ObjectCount(), 4);
  EXPECT_EQ(loaded.FirstObject(), 0);
  EXPECT_EQ(loaded.SelectedObject(), 0);
  EXPECT_EQ(terrain.GlueAt(1, 0), (GlueEntry{0, -1, 4}));
  EXPECT_EQ(terrain.GlueAt(4, 0), (GlueEntry{0, 1, -1}));
  EXPECT_EQ(loaded.GetShapes().Shape(loaded.Object(0).shape).name, "house.po3");
  EXPECT_EQ(loaded.GetShapes().Shape(loaded.Object(0).shape).use_count, 2);
  EXPECT_EQ(loaded.BackgroundObject(), 3);
  EXPECT_EQ(loaded.SelectedPoint(), (PointRef{2, kLeftSide, 1, kEndB}));
  EXPECT_EQ(loaded.PickedCount(), 2);

  // Loaded once more, the model is the same.
  Stage again;
  ASSERT_EQ(StageFile::ReadImage(first, again, nullptr, nullptr), StageFileResult::kOk);
  stage_test::ExpectSameStage(loaded, again);

  // The references of the file are the stage's: releasing the stage empties the bank.
  loaded.Swap(again);  // `again` now holds memory only; its pictures went with the old bank
  loaded.Reset();
  EXPECT_EQ(Bank::Count(), 0);
}

TEST_F(StageFileTest, AFaceWithoutTextureKeepsItsPictureValue) {
  Stage stage;
  ASSERT_EQ(LoadPartitionFile(stage, folder_.Write("r.pat", stage_test::StraightPat(2))),
            kPartitionLoaded);
  const std::string image = ImageOf(stage);
  Stage back;
  ASSERT_EQ(StageFile::ReadImage(image, back, nullptr, nullptr), StageFileResult::kOk);
  EXPECT_EQ(back.GetTerrain().Face({0, kRoadFaceSide, -1}).picture, -1);
  EXPECT_EQ(back.GetTerrain().Face({0, kRoadFaceSide, -1}).texture_switch, 0);
}

TEST_F(StageFileTest, WrongMagicOrVersionIsRefusedAndTheStageStaysAsItWas) {
  Stage live;
  BuildRichStage(live);
  live.SetModified();
  const std::string before = ImageOf(live);
  const int32_t pictures = Bank::Count();

  std::string old_version = before;
  std::memcpy(old_version.data() + 11, "Version1.0", 10);
  EXPECT_EQ(StageFile::ReadImage(old_version, live, nullptr, nullptr),
            StageFileResult::kOtherVersion);
  EXPECT_EQ(std::string(StageFile::Message(StageFileResult::kOtherVersion)),
            "このファイルはバージョンが異なります");

  std::string other = before;
  other[0] = 't';
  EXPECT_EQ(StageFile::ReadImage(other, live, nullptr, nullptr), StageFileResult::kNotStageFile);
  other = before;
  other[10] = ' ';  // the zero byte belongs to the magic
  EXPECT_EQ(StageFile::ReadImage(other, live, nullptr, nullptr), StageFileResult::kNotStageFile);
  EXPECT_EQ(StageFile::ReadImage(before.substr(0, 10), live, nullptr, nullptr),
            StageFileResult::kNotStageFile);
  EXPECT_EQ(StageFile::ReadImage(before.substr(0, 15), live, nullptr, nullptr),
            StageFileResult::kOtherVersion);
  EXPECT_EQ(StageFile::Load(folder_.File("none.ste"), live, nullptr, nullptr),
            StageFileResult::kCannotOpen);

  EXPECT_EQ(ImageOf(live), before);
  EXPECT_EQ(Bank::Count(), pictures);
  EXPECT_TRUE(live.Modified());
  live.Reset();
}

TEST_F(StageFileTest, AFileCutAnywhereIsRefusedAndTheStageStaysAsItWas) {
  Stage saved;
  BuildRichStage(saved);
  const std::string image = ImageOf(saved);
  // The live stage is the same one: its pictures are the bank's.
  const std::string before = ImageOf(saved);
  ToolStateBlock tools = ToolStateBlock::Initial();
  tools.words[5] = 7;
  ViewSection views;
  views.first_pane_kind = 3;
  for (size_t size = 0; size < image.size(); ++size) {
    ASSERT_NE(StageFile::ReadImage(image.substr(0, size), saved, &tools, &views),
              StageFileResult::kOk)
        << size;
  }
  EXPECT_EQ(ImageOf(saved), before);
  EXPECT_EQ(tools.words[5], 7);
  EXPECT_EQ(views.first_pane_kind, 3);
  saved.Reset();
}

// A small stage written field by field, with one knob per field the reader checks.
struct HandMade {
  int32_t selected_partition = 1;
  PointRef selected_point{1, kLeftSide, 0, kEndA};
  int32_t selected_object = 0;
  int32_t background = -1;
  FaceRef picked{1, kLeftSide, 0};
  int32_t free_ordinal = 1;
  int32_t partition_count = 2;
  int32_t second_wire_count = 1;
  int32_t face_flag = 1;
  int32_t face_run = 1;
  int32_t joined = 1;
  int32_t road_switch = 1;
  int32_t road_picture = 0;
  GlueEntry glue{0, -1, -1};
  int32_t object_count = 2;
  int32_t shape_ordinal = 0;
  int32_t use_count = 2;
  int32_t polygon_point = 2;
  int32_t attribute_switch = 0;
  int32_t attribute_picture = -1;
};

class HandMadeFileTest : public StageFileTest {
 protected:
  // The bank image of one 8 x 8 picture with reference count `references`.
  std::string BankImage(int32_t references) {
    const int32_t id = Bank::Register(Picture("p.bmp"), Bank::kModePowerOfTwo);
    Bank::SetReferenceCount(id, references);
    ByteWriter out;
    Bank::SaveBank(out);
    Bank::SetReferenceCount(id, 1);
    Bank::Release(id);
    return out.Take();
  }

  std::string Image(const HandMade& h, int32_t references = 1) {
    ByteWriter out;
    out.Bytes("Tarnhollow", 11);
    out.Bytes("Version1.1", 11);
    tools_.Write(out);
    views_.Write(out);
    out.I32(h.selected_partition);
    for (int32_t v : {h.selected_point.partition, h.selected_point.side, h.selected_point.wire,
                      h.selected_point.end}) {
      out.I32(v);
    }
    for (int i = 0; i < 4; ++i) out.I32(-1);  // glue target
    out.I32(h.selected_object);
    out.I32(h.background);
    out.I32(1);
    out.I32(h.picked.partition);
    out.I32(h.picked.side);
    out.I32(h.picked.wire);
    out.I32(1);
    out.I32(h.free_ordinal);
    out.Zeros(24);
    out.F64(1.5);  // start reserves
    out.F64(-2.5);
    out.Zeros(64);
    out.I32(h.partition_count);
    for (int32_t p = 0; p < 2; ++p) {
      const int32_t wires = p == 0 ? 1 : h.second_wire_count;
      out.I32(wires);
      for (int32_t w = 0; w < (wires < 2 ? wires : 2); ++w) {
        for (int i = 0; i < 6; ++i) out.F32(-15.0f);
        out.I32(h.joined);
        out.I32(p == 0 ? 0 : h.face_flag);
        out.F32(0.0f);
        out.F32(0.4f);
        out.F32(0.2f);
        out.I32(0);
        out.I32(-1);
        out.Zeros(32);
      }
      out.I32(0);  // right wires
      out.I32(p == 0 ? 0 : h.face_run);
      out.I32(0);
      for (float v : {5.0f, 0.0f, 10.0f * (p + 1), -5.0f, 0.0f, 10.0f * (p + 1)}) out.F32(v);
      out.Zeros(64);
      out.F32(0.0f);
      out.F32(0.4f);
      out.F32(0.2f);
      out.I32(p == 0 ? h.road_switch : 0);
      out.I32(p == 0 ? h.road_picture : -1);
      out.Zeros(32);
      if (p == 1) {
        out.I32(1);
        out.I32(h.glue.object);
        out.I32(h.glue.previous);
        out.I32(h.glue.next);
      } else {
        out.I32(0);
      }
    }
    out.I32(h.object_count);
    for (int32_t i = 0; i < 2; ++i) {
      out.Zeros(24);
      for (int k = 0; k < 3; ++k) out.F32(100.0f);
      out.I32(h.shape_ordinal);
      out.Zeros(24);
      for (int k = 0; k < 3; ++k) out.F32(100.0f);
    }
    out.I32(1);  // one shape
    out.I32(3);
    for (int i = 0; i < 9; ++i) out.F32(static_cast<float>(i));
    out.I32(3);
    for (int i = 0; i < 6; ++i) out.F32(0.5f);
    out.I32(1);
    out.F32(1.0f);
    out.F32(1.0f);
    out.F32(1.0f);
    out.I32(h.attribute_switch);
    out.I32(h.attribute_picture);
    out.F32(1.0f);
    out.F32(1.0f);
    out.I32(h.use_count);
    out.Text("box.po3");
    out.U8(0);
    out.I32(1);
    for (int32_t v : {3, 0, 1, h.polygon_point, 0, 1, 2, 0}) out.I32(v);
    const std::string bank = BankImage(references);
    out.Bytes(bank.data(), bank.size());
    return out.Take();
  }

  // Loads `image` over a live stage of one textured partition and expects a refusal that
  // changes nothing.
  void ExpectRefused(const HandMade& h, const char* what) {
    const std::string image = Image(h);  // made while the bank is empty
    Stage live;
    ASSERT_EQ(LoadPartitionFile(live, folder_.Write("live.pat", stage_test::StraightPat(3))),
              kPartitionLoaded);
    live.SetFacePictureFromFile({0, kRoadFaceSide, -1}, Picture("live.bmp"));
    const std::string before = ImageOf(live);
    EXPECT_EQ(StageFile::ReadImage(image, live, nullptr, nullptr), StageFileResult::kDamaged)
        << what;
    EXPECT_EQ(ImageOf(live), before) << what;
    live.Reset();
  }
};

TEST_F(HandMadeFileTest, AWellMadeFileLoads) {
  const std::string image = Image(HandMade());
  Stage stage;
  ASSERT_EQ(StageFile::ReadImage(image, stage, nullptr, nullptr), StageFileResult::kOk);
  EXPECT_EQ(stage.GetTerrain().PartitionCount(), 2);
  EXPECT_EQ(stage.GetTerrain().StartReserve(0), 1.5);
  EXPECT_EQ(stage.GetTerrain().StartReserve(1), -2.5);
  EXPECT_EQ(stage.SelectedObject(), 0);
  EXPECT_EQ(stage.FreeObjectAt(0), 1);
  EXPECT_EQ(stage.GetShapes().Shape(0).name, "box.po3");
  EXPECT_EQ(Bank::ReferenceCount(0), 1);
  // The reserves are written back unchanged.
  EXPECT_EQ(ImageOf(stage), image);
  stage.Reset();
}

TEST_F(HandMadeFileTest, ReferencesToNothingAreRefused) {
  HandMade h;
  h.selected_object = 2;
  ExpectRefused(h, "selected object");
  h = HandMade();
  h.background = 5;
  ExpectRefused(h, "background object");
  h = HandMade();
  h.free_ordinal = 2;
  ExpectRefused(h, "free object");
  h = HandMade();
  h.glue.object = 9;
  ExpectRefused(h, "glued object");
  h = HandMade();
  h.glue.next = 2;
  ExpectRefused(h, "glue link to a missing partition");
  h = HandMade();
  h.glue.previous = -3;
  ExpectRefused(h, "glue link below -1");
  h = HandMade();
  h.shape_ordinal = 1;
  ExpectRefused(h, "shape");
  h = HandMade();
  h.road_picture = 1;
  ExpectRefused(h, "picture");
  h = HandMade();
  h.attribute_switch = 1;
  h.attribute_picture = -1;
  ExpectRefused(h, "attribute picture");
  h = HandMade();
  h.road_switch = 2;
  ExpectRefused(h, "texture switch");
  h = HandMade();
  h.polygon_point = 3;
  ExpectRefused(h, "polygon point index");
  h = HandMade();
  h.use_count = 1;
  ExpectRefused(h, "shape used by more objects than it counts");
}

TEST_F(HandMadeFileTest, IndicesOutOfRangeAndBrokenRulesAreRefused) {
  HandMade h;
  h.selected_point = {1, kLeftSide, 1, kEndA};
  ExpectRefused(h, "selected point wire");
  h = HandMade();
  h.selected_point = {2, kLeftSide, 0, kEndA};
  ExpectRefused(h, "selected point partition");
  h = HandMade();
  h.picked = {1, kLeftSide, 3};
  ExpectRefused(h, "picked face wire");
  h = HandMade();
  h.picked = {4, kRoadFaceSide, -1};
  ExpectRefused(h, "picked face partition");
  h = HandMade();
  h.face_flag = 0;
  ExpectRefused(h, "face flag against the rule");
  h = HandMade();
  h.face_run = 2;
  ExpectRefused(h, "face run beyond the wires");
  h = HandMade();
  h.joined = 7;
  ExpectRefused(h, "joined flag");
}

TEST_F(HandMadeFileTest, CountsBeyondTheDataAreRefused) {
  HandMade h;
  h.partition_count = 3;
  ExpectRefused(h, "partition count");
  h = HandMade();
  h.partition_count = -1;
  ExpectRefused(h, "negative partition count");
  h = HandMade();
  h.second_wire_count = 100000000;
  ExpectRefused(h, "wire count");
  h = HandMade();
  h.object_count = 0x7fffffff;
  ExpectRefused(h, "object count");
}

TEST_F(HandMadeFileTest, ASelectedPartitionThatDoesNotExistReadsAsNone) {
  HandMade h;
  h.selected_partition = 7;
  Stage stage;
  ASSERT_EQ(StageFile::ReadImage(Image(h), stage, nullptr, nullptr), StageFileResult::kOk);
  EXPECT_EQ(stage.SelectedPartition(), -1);
  stage.Reset();
}

TEST_F(HandMadeFileTest, CountsAreSetToTheStagesOwnUses) {
  HandMade h;
  h.attribute_switch = 1;
  h.attribute_picture = 0;  // the road face and the shape share picture 0
  // A stored count below the uses would free the picture while it is shown; one at the end
  // of its range would overflow on the next reference.
  for (const int32_t stored : {1, INT32_MAX}) {
    const std::string image = Image(h, stored);
    Stage stage;
    ASSERT_EQ(StageFile::ReadImage(image, stage, nullptr, nullptr), StageFileResult::kOk);
    EXPECT_EQ(Bank::ReferenceCount(0), 2) << stored;
    stage.ClearFaceTexture({0, kRoadFaceSide, -1});
    EXPECT_TRUE(Bank::IsPicture(0));
    stage.Reset();
    EXPECT_EQ(Bank::Count(), 0) << stored;
  }
  // A shape counting more users than the objects that use it.
  h = HandMade();
  h.use_count = INT32_MAX;
  Stage stage;
  ASSERT_EQ(StageFile::ReadImage(Image(h), stage, nullptr, nullptr), StageFileResult::kOk);
  EXPECT_EQ(stage.GetShapes().Shape(0).use_count, 2);
  stage.Reset();
}

TEST_F(StageFileTest, AFailedSaveKeepsTheOldFileAndTheModifiedFlag) {
  Stage stage;
  BuildRichStage(stage);
  const std::string path = folder_.Write("kept.ste", "old bytes");
  SetFileFaultHookForTesting(
      [](FileOperation operation) { return operation == FileOperation::kRename; });
  std::string error;
  EXPECT_FALSE(StageFile::Save(path, stage, tools_, views_, &error));
  SetFileFaultHookForTesting(nullptr);
  EXPECT_TRUE(stage.Modified());
  EXPECT_EQ(TempFolder::Read(path), "old bytes");
  EXPECT_FALSE(error.empty());
  stage.Reset();
}

}  // namespace
