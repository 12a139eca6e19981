#include "stage/stage_history.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "pictures/picture_bank_high_color1.h"
#include "stage/object_library.h"
#include "stage/object_placement.h"
#include "stage/stage_file.h"
#include "stage/terrain_editing.h"
#include "tests/stage/objects_fixtures.h"

namespace {

using Bank = PictureBankHighColor1;
using objects_test::ObjectsTest;

// Who holds each picture: textured faces, shape attributes, animation bases (their frames).
std::map<int32_t, int32_t> PictureHolders(const Stage& stage) {
  std::map<int32_t, int32_t> holders;
  auto hold = [&](int32_t texture_switch, int32_t picture) {
    if (texture_switch == 1) ++holders[picture];
  };
  const Terrain& terrain = stage.GetTerrain();
  for (int32_t p = 0; p < terrain.PartitionCount(); ++p) {
    const Partition& partition = terrain.PartitionAt(p);
    hold(partition.road_face.texture_switch, partition.road_face.picture);
    for (int32_t side = 0; side < 2; ++side) {
      for (int32_t w = 0; w < partition.wires[side].Count(); ++w) {
        const TerrainWire wire = partition.wires[side].At(w);
        hold(wire.face.texture_switch, wire.face.picture);
      }
    }
  }
  const ShapeLibrary& shapes = stage.GetShapes();
  for (int32_t id = shapes.FirstId(); id != -1; id = shapes.NextId(id)) {
    for (const ShapeAttribute& attribute : shapes.Shape(id).attributes) {
      hold(attribute.texture_switch, attribute.picture);
    }
  }
  for (int32_t id = Bank::FirstId(); id != -1; id = Bank::NextId(id)) {
    if (Bank::Kind(id) != Bank::kAnimationBase) continue;
    for (int32_t n = 0; n < Bank::FrameCount(id); ++n) ++holders[Bank::FrameId(id, n)];
  }
  return holders;
}

// Every picture is held exactly as often as its count says and by somebody; every shape is
// used exactly as often as its count says and by somebody.
void ExpectExactCounts(const Stage& stage, const std::string& where) {
  std::map<int32_t, int32_t> holders = PictureHolders(stage);
  for (int32_t id = Bank::FirstId(); id != -1; id = Bank::NextId(id)) {
    EXPECT_EQ(Bank::ReferenceCount(id), holders[id]) << where << ", picture " << id;
    EXPECT_GT(holders[id], 0) << where << ", picture " << id << " is kept for nobody";
    holders.erase(id);
  }
  EXPECT_TRUE(holders.empty()) << where << ": a face shows a picture the bank does not hold";
  std::map<int32_t, int32_t> users;
  for (int32_t id = stage.FirstObject(); id != -1; id = stage.NextObject(id)) {
    ++users[stage.Object(id).shape];
  }
  const ShapeLibrary& shapes = stage.GetShapes();
  for (int32_t id = shapes.FirstId(); id != -1; id = shapes.NextId(id)) {
    EXPECT_EQ(shapes.Shape(id).use_count, users[id]) << where << ", shape " << id;
    EXPECT_GT(users[id], 0) << where << ", shape " << id << " is kept for nobody";
  }
}

// Picture reference counts, then shape use counts, in save order.
std::vector<int32_t> CountsOf(const Stage& stage) {
  std::vector<int32_t> counts;
  for (int32_t id = Bank::FirstId(); id != -1; id = Bank::NextId(id)) {
    counts.push_back(Bank::ReferenceCount(id));
  }
  counts.push_back(-1);
  const ShapeLibrary& shapes = stage.GetShapes();
  for (int32_t id = shapes.FirstId(); id != -1; id = shapes.NextId(id)) {
    counts.push_back(shapes.Shape(id).use_count);
  }
  return counts;
}

// Saves the stage, opens the file as a fresh stage and compares the counts; the fresh stage
// (equal to the old one) then takes its place, since opening replaced the picture bank.
void ExpectCountsOfAFreshLoad(Stage& stage, const std::string& where) {
  const std::vector<int32_t> before = CountsOf(stage);
  const std::string model = StageModelImage(stage);
  const std::string file = StageFile::Image(stage, ToolStateBlock::Initial(), ViewSection());
  Stage fresh;
  ASSERT_EQ(StageFile::ReadImage(file, fresh, nullptr, nullptr), StageFileResult::kOk) << where;
  EXPECT_EQ(CountsOf(fresh), before) << where;
  EXPECT_EQ(StageModelImage(fresh), model) << where;
  stage.Swap(fresh);
}

class StageHistoryTest : public ObjectsTest {
 protected:
  void SetUp() override {
    ObjectsTest::SetUp();
    for (int i = 0; i < 3; ++i) {
      bitmaps_.push_back(StageTest::Picture("tex" + std::to_string(i) + ".bmp", 8,
                                            static_cast<uint8_t>(60 * i + 20)));
    }
    StageTest::Picture("wall.bmp", 8, 77);
    po3_files_ = {WritePo3("square.po3", objects_test::Square()),
                  WritePo3("wall.po3", objects_test::Square("wall.bmp"))};
  }

  // A random existing wire point, or an unselected one.
  PointRef AnyWirePoint() {
    const Terrain& terrain = stage_.GetTerrain();
    for (int tries = 0; tries < 20; ++tries) {
      const int32_t p = static_cast<int32_t>(random_() % terrain.PartitionCount());
      const int32_t side = static_cast<int32_t>(random_() % 2);
      const int32_t count = terrain.WireCount(p, side);
      if (count == 0) continue;
      return PointRef{p, side, static_cast<int32_t>(random_() % count),
                      static_cast<int32_t>(random_() % 2)};
    }
    return PointRef();
  }
  // Selects a partition and up to three faces around it.
  bool PickFaces() {
    const Terrain& terrain = stage_.GetTerrain();
    const int32_t p = static_cast<int32_t>(random_() % terrain.PartitionCount());
    stage_.SelectPartition(p);
    stage_.ClearPicked();
    for (int tries = 0; tries < 8 && stage_.PickedCount() < 3; ++tries) {
      const int32_t q = std::max(0, p - 2 + static_cast<int32_t>(random_() % 5));
      const int32_t side = static_cast<int32_t>(random_() % 3) - 1;
      const int32_t run = side == kRoadFaceSide ? 1 : terrain.FaceRun(q, side);
      if (run == 0) continue;
      const int32_t wire = side == kRoadFaceSide ? -1 : static_cast<int32_t>(random_() % run);
      stage_.AddPicked(FaceRef{q, side, wire});
    }
    return stage_.PickedCount() > 0;
  }
  // Selects a random object (and its partition when it is glued somewhere).
  int32_t PickObject() {
    std::vector<int32_t> objects;
    for (int32_t id = stage_.FirstObject(); id != -1; id = stage_.NextObject(id)) {
      objects.push_back(id);
    }
    if (objects.empty()) return -1;
    const int32_t object = objects[random_() % objects.size()];
    const Terrain& terrain = stage_.GetTerrain();
    for (int32_t p = 0; p < terrain.PartitionCount(); ++p) {
      if (terrain.FindGlue(p, object) != -1) stage_.SelectPartition(p);
    }
    stage_.SelectObject(object);
    return object;
  }
  // A picture of the bank, registered for this use and given back afterwards as the
  // creation dialog's slots do.
  template <typename Use>
  bool WithPictures(int32_t count, Use use) {
    std::vector<int32_t> pictures;
    for (int32_t i = 0; i < count; ++i) {
      pictures.push_back(
          Bank::Register(bitmaps_[random_() % bitmaps_.size()], Bank::kModePowerOfTwo));
    }
    const bool done = use(pictures.data());
    for (int32_t picture : pictures) Bank::Release(picture);
    return done;
  }
  std::string Template(const char* name) {
    return std::string(SUITE_SOURCE_DIR) + "/resources/tarnhollow/" + name;
  }
  DragView AnyView() { return static_cast<DragView>(1 + random_() % 3); }
  int32_t AnyDelta() { return static_cast<int32_t>(random_() % 41) - 20; }
  AxisSwitches AnyHeld() { return AxisSwitches{random_() % 4 == 0, random_() % 4 == 0, false}; }

  // One random edit of the given kind through the stage's own editing operations, as the
  // tools make it; false when it found nothing to work on.
  bool Edit(StageEdit edit) {
    const int32_t partitions = stage_.GetTerrain().PartitionCount();
    switch (edit) {
      case StageEdit::kWireAdded:
        stage_.SelectPartition(static_cast<int32_t>(random_() % partitions));
        return AddWireOnSide(stage_, static_cast<int32_t>(random_() % 2));
      case StageEdit::kWireDeleted:
        stage_.SelectPartition(static_cast<int32_t>(random_() % partitions));
        return DeleteWireOnSide(stage_, static_cast<int32_t>(random_() % 2));
      case StageEdit::kWiresCopied:
        stage_.SelectPartition(1 + static_cast<int32_t>(random_() % (partitions - 1)));
        return CopyWiresFromPartitionBefore(
            stage_, random_() % 2 ? CopyFrame::kWorld : CopyFrame::kPartition);
      case StageEdit::kPointMoved: {
        const PointRef point = AnyWirePoint();
        stage_.SelectPartition(point.partition);
        stage_.SelectPoint(point);
        return DragSelectedPoint(stage_, AnyView(), AnyDelta(), AnyDelta(), 0.01, AnyHeld());
      }
      case StageEdit::kPointsGlued: {
        const PointRef point = AnyWirePoint();
        PointRef target = AnyWirePoint();
        if (random_() % 2 && point.Selected())
          target = {point.partition, point.side, point.wire, 1 - point.end};
        stage_.SelectPartition(point.partition);
        stage_.SelectPoint(point);
        stage_.SelectGlueTarget(target);
        return GlueSelectedPoint(stage_);
      }
      case StageEdit::kPointUnglued: {
        const PointRef point = AnyWirePoint();
        stage_.SelectPartition(point.partition);
        stage_.SelectPoint(point);
        return UnglueSelectedPoint(stage_);
      }
      case StageEdit::kFaceTextureSet:
        if (!PickFaces()) return false;
        if (random_() % 2) {  // "NEWTEX": a picture file for every selected face
          const std::string& bitmap = bitmaps_[random_() % bitmaps_.size()];
          for (int32_t i = 0; i < stage_.PickedCount(); ++i) {
            if (stage_.SetFacePictureFromFile(stage_.PickedAt(i), bitmap) != 1) return false;
          }
          return true;
        }
        return WithPictures(1, [&](const int32_t* pictures) {  // "USEDTEX"
          return UsedTextureForSelection(stage_, pictures[0]);
        });
      case StageEdit::kTextureInverted:
        return PickFaces() && InvertSelectedTextures(stage_);
      case StageEdit::kTextureTurned:
        return PickFaces() && RotateSelectedTextures(stage_);
      case StageEdit::kObjectCreated: {
        stage_.SelectPartition(static_cast<int32_t>(random_() % partitions));
        int32_t object = -1;
        return CreateObjectFromPolygonFile(stage_, po3_files_[random_() % po3_files_.size()], {},
                                           &object) == kPolygonObjectLoaded;
      }
      case StageEdit::kBitmapObjectCreated:
        stage_.SelectPartition(static_cast<int32_t>(random_() % partitions));
        if (random_() % 2) {
          return WithPictures(1, [&](const int32_t* pictures) {
            return CreateBitmapObject(stage_, Template("BitmapObject.bof"), "[Tree]", pictures,
                                      1) == 0;
          });
        }
        return WithPictures(2, [&](const int32_t* pictures) {
          return CreateBitmapObject(stage_, Template("BitmapObject.bof"), "[Billboard]", pictures,
                                    2) == 0;
        });
      case StageEdit::kBackgroundObjectCreated:
        return WithPictures(1, [&](const int32_t* pictures) {
          return CreateBackgroundObject(stage_, Template("BackObject.bof"), "[Backdrop]", pictures,
                                        1) == 0;
        });
      case StageEdit::kObjectMoved:
        return PickObject() != -1 &&
               DragMoveObject(stage_, AnyView(), AnyDelta(), AnyDelta(), AnyHeld());
      case StageEdit::kObjectTurned:
        return PickObject() != -1 &&
               DragTurnObject(stage_, AnyView(), AnyDelta(), AnyDelta(),
                              random_() % 2 ? TurnAxes::kScreen : TurnAxes::kObject, AnyHeld());
      case StageEdit::kObjectScaled:
        return PickObject() != -1 && DragZoomObject(stage_, AnyDelta(), AnyHeld());
      case StageEdit::kObjectValuesSet: {
        const int32_t object = PickObject();
        if (object == -1) return false;
        const float v = static_cast<float>(AnyDelta());
        return SetObjectOrigin(stage_, object, {v, 2 * v, -v}) &&
               SetObjectAxes(stage_, object, {0.01f * v, 0.5f, 0.0f}) &&
               SetObjectScale(stage_, object, {100 + v, 100, 100 - v});
      }
      case StageEdit::kObjectCopied:
        return PickObject() != -1 && CopySelectedObject(stage_) != -1;
      case StageEdit::kObjectDeleted:
        return PickObject() != -1 && DeleteSelectedObject(stage_);
      case StageEdit::kObjectGlued: {
        const int32_t object = PickObject();
        stage_.SelectPartition(static_cast<int32_t>(random_() % partitions));
        stage_.SelectObject(object);
        return object != -1 && GlueSelectedObject(stage_);
      }
      case StageEdit::kObjectUnglued:
        return PickObject() != -1 && UnglueSelectedObject(stage_);
      case StageEdit::kObjectOriginMoved:
        return PickObject() != -1 &&
               DragObjectOrigin(stage_, AnyView(), AnyDelta(), AnyDelta(), 0.01);
      case StageEdit::kObjectCoordinatesReset:
        return PickObject() != -1 && ResetObjectMove(stage_);
      case StageEdit::kOtherChange:
        break;
    }
    return false;
  }

  // A road of 30 lines with a wire on each side of every partition, saved and opened again,
  // so that the history starts from a stage as a file holds it.
  void OpenStartStage() {
    LoadRoad(30);
    for (int32_t p = 0; p < stage_.GetTerrain().PartitionCount(); ++p) {
      stage_.SelectPartition(p);
      AddWireOnSide(stage_, kLeftSide);
      AddWireOnSide(stage_, kRightSide);
    }
    stage_.SetFacePictureFromFile({3, kLeftSide, 0}, bitmaps_[0]);
    Stage opened;
    ASSERT_EQ(
        StageFile::ReadImage(StageFile::Image(stage_, ToolStateBlock::Initial(), ViewSection()),
                             opened, nullptr, nullptr),
        StageFileResult::kOk);
    stage_.Swap(opened);  // the old contents go with `opened`; the bank is the file's
  }

  std::mt19937 random_{2024};
  std::vector<std::string> bitmaps_;
  std::vector<std::string> po3_files_;
};

// Random edits of every kind mixed with undos, redos and saves, checked against a plain
// list of the stage's states after every action; then undo to the start and redo to the end.
TEST_F(StageHistoryTest, RandomEditsUndoAndRedoToExactlyTheStatesAndCounts) {
  OpenStartStage();
  StageHistory history(stage_);
  EXPECT_FALSE(history.IsModified());
  std::vector<std::string> states = {StageModelImage(stage_)};
  size_t position = 0;
  long saved = 0;
  std::vector<int> done(kStageEditCount - 1, 0);

  for (int round = 0; round < 600; ++round) {
    const std::string where = "round " + std::to_string(round);
    const int action = static_cast<int>(random_() % 20);
    if (action < 14) {
      const auto edit = static_cast<StageEdit>(round % (kStageEditCount - 1));
      const bool edited = Edit(edit);
      const std::string image = StageModelImage(stage_);
      const bool changed = image != states[position];
      ASSERT_EQ(history.Record(edit), changed) << where;
      if (changed) {
        ++done[static_cast<size_t>(edit)];
        states.resize(position + 1);
        states.push_back(image);
        ++position;
        if (saved > static_cast<long>(position) - 1) saved = -1;
        EXPECT_EQ(history.UndoLabel(), StageEditLabel(edit)) << where;
      } else {
        EXPECT_FALSE(edited && edit == StageEdit::kWireAdded) << where;
      }
    } else if (action < 18) {
      ASSERT_EQ(history.Undo(), position > 0) << where;
      if (position > 0) --position;
    } else if (action < 19) {
      ASSERT_EQ(history.Redo(), position + 1 < states.size()) << where;
      if (position + 1 < states.size()) ++position;
    } else {
      history.MarkSaved();  // after a save of the stage
      saved = static_cast<long>(position);
    }
    ASSERT_EQ(StageModelImage(stage_), states[position]) << where;
    EXPECT_EQ(history.IsModified(), saved != static_cast<long>(position)) << where;
    ExpectExactCounts(stage_, where);
  }
  for (size_t kind = 0; kind < done.size(); ++kind) {
    EXPECT_GT(done[kind], 0) << StageEditLabel(static_cast<StageEdit>(kind)) << " never changed";
  }

  const size_t end = states.size() - 1;
  while (history.Redo()) ++position;
  ASSERT_EQ(position, end);
  while (position > 0) {
    ASSERT_TRUE(history.Undo());
    --position;
    ASSERT_EQ(StageModelImage(stage_), states[position]) << "undo to " << position;
  }
  EXPECT_FALSE(history.Undo());
  ExpectCountsOfAFreshLoad(stage_, "start");
  while (position < end) {
    ASSERT_TRUE(history.Redo());
    ++position;
    ASSERT_EQ(StageModelImage(stage_), states[position]) << "redo to " << position;
  }
  EXPECT_FALSE(history.Redo());
  ExpectCountsOfAFreshLoad(stage_, "end");
  ExpectExactCounts(stage_, "end");
}

// A picture that only a step before the current one shows is not in the bank, yet comes
// back with that step; clearing the history leaves the bank holding exactly what is shown.
TEST_F(StageHistoryTest, PictureShownOnlyInAnUndoStepComesBack) {
  LoadRoad(6);
  StageHistory history(stage_);
  const FaceRef road{2, kRoadFaceSide, -1};
  ASSERT_EQ(stage_.SetFacePictureFromFile(road, bitmaps_[0]), 1);
  history.Record(StageEdit::kFaceTextureSet);
  const std::string first_path = Bank::Path(stage_.GetTerrain().Face(road).picture);
  ASSERT_EQ(stage_.SetFacePictureFromFile(road, bitmaps_[1]), 1);
  history.Record(StageEdit::kFaceTextureSet);
  EXPECT_EQ(Bank::Count(), 1);  // the first picture is gone from the bank

  ASSERT_TRUE(history.Undo());
  ASSERT_EQ(Bank::Count(), 1);
  const int32_t back = stage_.GetTerrain().Face(road).picture;
  EXPECT_EQ(Bank::Path(back), first_path);
  EXPECT_EQ(Bank::ReferenceCount(back), 1);
  ASSERT_TRUE(history.Undo());
  EXPECT_EQ(Bank::Count(), 0);
  EXPECT_FALSE(stage_.GetTerrain().Face(road).Textured());
  ASSERT_TRUE(history.Redo());
  ASSERT_TRUE(history.Redo());
  EXPECT_EQ(Bank::Path(stage_.GetTerrain().Face(road).picture), bitmaps_[1]);
  history.Clear();
  ExpectExactCounts(stage_, "cleared");
  EXPECT_EQ(Bank::Count(), 1);
}

// Undo shows what changed: the selection the step left where it still names something,
// otherwise the last selection made before the step.
TEST_F(StageHistoryTest, UndoSelectsTheChangedThing) {
  LoadRoad(8);
  for (int32_t p = 0; p < 7; ++p) {
    stage_.SelectPartition(p);
    AddWireOnSide(stage_, kLeftSide);
  }
  StageHistory history(stage_);
  const PointRef moved{4, kLeftSide, 0, kEndA};
  stage_.SelectPartition(4);
  stage_.SelectPoint(moved);
  ASSERT_TRUE(DragSelectedPoint(stage_, DragView::kPlan, 30, 0, 0.01, {}));
  history.Record(StageEdit::kPointMoved);
  stage_.SelectPoint({1, kLeftSide, 0, kEndB});  // a click after the move
  history.Record(StageEdit::kPointMoved);        // nothing changed: no step
  EXPECT_EQ(history.UndoCount(), 1u);
  ASSERT_TRUE(history.Undo());
  EXPECT_EQ(stage_.SelectedPoint(), moved);
  EXPECT_EQ(stage_.SelectedPartition(), 4);

  // A deleted object is selected again when its deletion is undone.
  int32_t object = -1;
  ASSERT_EQ(CreateObjectFromPolygonFile(stage_, po3_files_[0], {}, &object), 0);
  history.Record(StageEdit::kObjectCreated);
  stage_.SelectObject(object);
  history.Record(StageEdit::kObjectDeleted);  // the click: no step
  ASSERT_TRUE(DeleteSelectedObject(stage_));
  history.Record(StageEdit::kObjectDeleted);
  EXPECT_EQ(stage_.SelectedObject(), -1);
  ASSERT_TRUE(history.Undo());
  EXPECT_EQ(stage_.SelectedObject(), stage_.FirstObject());
  // Undoing the creation leaves no object to select.
  ASSERT_TRUE(history.Undo());
  EXPECT_EQ(stage_.SelectedObject(), -1);
  ASSERT_TRUE(history.Redo());
  ASSERT_TRUE(history.Redo());
  EXPECT_EQ(stage_.ObjectCount(), 0);
  EXPECT_EQ(stage_.SelectedPartition(), 4);
}

TEST_F(StageHistoryTest, UnrecordedEditsAndRecoveredStages) {
  LoadRoad(6);
  stage_.SelectPartition(2);
  StageHistory history(stage_);
  EXPECT_EQ(history.UndoMenuText(), "元に戻す");
  AddWireOnSide(stage_, kRightSide);
  EXPECT_TRUE(history.IsModified());  // before the action was recorded too
  history.Record(StageEdit::kWireAdded);
  EXPECT_EQ(history.UndoMenuText(), "元に戻す: ワイヤーの追加");

  // An edit nobody recorded is taken in before an undo, so it can be redone.
  DeleteWireOnSide(stage_, kRightSide);
  ASSERT_TRUE(history.Undo());
  EXPECT_EQ(stage_.GetTerrain().WireCount(2, kRightSide), 1);
  EXPECT_EQ(history.RedoMenuText(), "やり直し: 変更");
  ASSERT_TRUE(history.Redo());
  EXPECT_EQ(stage_.GetTerrain().WireCount(2, kRightSide), 0);

  // A recovered stage is modified and stays so until it is saved.
  stage_.SetModified();
  history.Clear();
  EXPECT_FALSE(history.CanUndo());
  EXPECT_TRUE(history.IsModified());
  AddWireOnSide(stage_, kLeftSide);
  history.Record(StageEdit::kWireAdded);
  ASSERT_TRUE(history.Undo());
  EXPECT_TRUE(history.IsModified());
}

}  // namespace
