#include <algorithm>
#include <cstdint>
#include <string>

#include "fuzz/inputs/fuzz_inputs.h"
#include "pictures/picture_bank_high_color1.h"
#include "stage/object_placement.h"
#include "stage/partition_loading.h"
#include "stage/stage.h"
#include "stage/stage_file.h"
#include "stage/terrain_editing.h"
#include "stage/tool_state_block.h"
#include "stage/view_drag.h"
#include "stage/view_records.h"

namespace {

using Bank = PictureBankHighColor1;

volatile uint32_t touched = 0;

// A textured face or shape attribute must name a picture of the bank, whole. An untextured
// one owns no picture and its value is never used.
bool PictureUsable(bool textured, int32_t picture) {
  if (!textured) return true;
  if (!Bank::IsPicture(picture)) return false;
  PictureInfo info;
  const uint8_t* pixels = Bank::Picture(picture, &info);
  uint32_t sum = 0;
  for (int32_t i = 0; pixels != nullptr && i < info.byte_count; ++i) sum += pixels[i];
  touched = touched + sum;
  return true;
}

// Everything the views and editing tools read from a stage: every partition's road quad,
// wires, faces and glue, every object and its shape.
std::string WalkStage(const Stage& stage) {
  const Terrain& terrain = stage.GetTerrain();
  for (int32_t p = 0; p < terrain.PartitionCount(); ++p) {
    Point3f corners[4];
    terrain.PartitionCorners(p, corners);
    const FaceRef road{p, kRoadFaceSide, -1};
    if (terrain.HasFace(road) &&
        !PictureUsable(terrain.Face(road).Textured(), terrain.Face(road).picture)) {
      return "a road face names a picture the bank does not hold";
    }
    for (const int32_t side : {kLeftSide, kRightSide}) {
      terrain.FaceRun(p, side);
      for (int32_t wire = 0; wire < terrain.WireCount(p, side); ++wire) {
        terrain.Wire(p, side, wire);
        WirePoint point;
        terrain.ReadWirePoint(p, wire, side, &point);
        terrain.FaceQuad(p, side, wire, corners);
        const FaceRef face{p, side, wire};
        if (terrain.HasFace(face) &&
            !PictureUsable(terrain.Face(face).Textured(), terrain.Face(face).picture)) {
          return "a terrain face names a picture the bank does not hold";
        }
      }
    }
    for (int32_t g = 0; g < terrain.GlueCount(p); ++g) {
      if (!stage.HasObject(terrain.GlueAt(p, g).object)) return "a glue entry names no object";
    }
  }
  const ShapeLibrary& shapes = stage.GetShapes();
  for (int32_t id = stage.FirstObject(); id != -1; id = stage.NextObject(id)) {
    const PlacedObject object = stage.Object(id);
    // An object without a shape (-1) is allowed; any other value must be a shape.
    if (object.shape != -1 && !shapes.Contains(object.shape)) return "an object names no shape";
    stage.ObjectOrdinal(id);
  }
  for (int32_t id = shapes.FirstId(); id != -1; id = shapes.NextId(id)) {
    const ObjectShape& shape = shapes.Shape(id);
    for (const std::vector<int32_t>& polygon : shape.polygons) {
      if (!PolygonFitsShape(polygon, shape)) return "a shape polygon leaves its shape";
    }
    for (const ShapeAttribute& attribute : shape.attributes) {
      if (!PictureUsable(attribute.Textured(), attribute.picture)) {
        return "a shape attribute names a picture the bank does not hold";
      }
    }
  }
  for (int32_t i = 0; i < stage.FreeObjectCount(); ++i) {
    if (!stage.HasObject(stage.FreeObjectAt(i))) return "a free object does not exist";
  }
  return "";
}

// What an author does first with a stage that opened: wires added, copied, dragged, glued and
// removed on the first partitions, the objects moved, turned, scaled, copied, glued and
// deleted. A stage the loader accepts must take all of it.
void EditStage(Stage& stage) {
  const AxisSwitches free_axes;
  const int32_t partitions = std::min(stage.GetTerrain().PartitionCount(), 4);
  for (int32_t p = 0; p < partitions; ++p) {
    stage.SelectPartition(p);
    AddWireOnSide(stage, kLeftSide);
    AddWireOnSide(stage, kRightSide);
    if (p >= 1) CopyWiresFromPartitionBefore(stage, p % 2 == 0 ? CopyFrame::kPartition
                                                                : CopyFrame::kWorld);
    if (stage.SelectPoint(PointRef{p, kLeftSide, 0, kEndA})) {
      DragSelectedPoint(stage, DragView::kPlan, 3, -2, 0.01, free_axes);
      DragSelectedPoint(stage, DragView::kSide, -1, 4, 0.01, free_axes);
      if (stage.SelectGlueTarget(PointRef{p, kLeftSide, 0, kEndB})) GlueSelectedPoint(stage);
      UnglueSelectedPoint(stage);
    }
    DeleteWireOnSide(stage, kRightSide);
  }
  int32_t edited = 0;
  for (int32_t id = stage.FirstObject(); id != -1 && edited < 4; ++edited) {
    const int32_t next = stage.NextObject(id);
    if (stage.SelectObject(id)) {
      DragMoveObject(stage, DragView::kFront, 5, 5, free_axes);
      DragTurnObject(stage, DragView::kPlan, 7, -3, edited % 2 == 0 ? TurnAxes::kScreen
                                                                  : TurnAxes::kObject,
                     free_axes);
      DragZoomObject(stage, -4, free_axes);
      ResetObjectMove(stage);
      const int32_t copy = CopySelectedObject(stage);
      if (partitions > 0) {
        stage.SelectPartition(0);
        GlueSelectedObject(stage);
        UnglueSelectedObject(stage);
      }
      if (copy != -1 && stage.SelectObject(copy)) DeleteSelectedObject(stage);
    }
    id = next;
  }
  if (stage.FirstObject() != -1 && stage.SelectObject(stage.FirstObject())) {
    DeleteSelectedObject(stage);
  }
}

// Saves `stage`, loads the bytes into a fresh stage and saves that again: the load must take
// what the save wrote, and the second save must write the same bytes.
std::string CheckSavedStageLoads(const Stage& stage, const ToolStateBlock& tools,
                                 const ViewSection& views) {
  const std::string saved = StageFile::Image(stage, tools, views);
  Stage again;
  ToolStateBlock tools_again;
  ViewSection views_again;
  if (StageFile::ReadImage(saved, again, &tools_again, &views_again) != StageFileResult::kOk) {
    return "a saved stage does not load again";
  }
  if (StageFile::Image(again, tools_again, views_again) != saved) {
    return "a stage changes when saved again";
  }
  return "";
}

}  // namespace

std::string ExerciseStageFile(std::string_view bytes) {
  Bank::StartUp(16);
  std::string problem;
  {
    Stage stage;
    ToolStateBlock tools;
    ViewSection views;
    if (StageFile::ReadImage(std::string(bytes), stage, &tools, &views) == StageFileResult::kOk) {
      if (stage.Modified()) problem = "a loaded stage counts as modified";
      if (problem.empty()) problem = WalkStage(stage);
      if (problem.empty()) problem = CheckSavedStageLoads(stage, tools, views);
      if (problem.empty()) {
        EditStage(stage);
        problem = WalkStage(stage);
        if (problem.empty()) problem = CheckSavedStageLoads(stage, tools, views);
        if (!problem.empty()) problem = "after editing: " + problem;
      }
    }
  }
  Bank::ShutDown();
  return problem;
}

std::string ExerciseStagePartition(std::string_view bytes) {
  Bank::StartUp(16);
  std::string problem;
  {
    Stage stage;
    int32_t lines_read = 0;
    int32_t line_count = 0;
    const int32_t result =
        LoadPartitionFile(stage, ScratchFile(bytes, ".pat"), &lines_read, &line_count);
    if (result == kPartitionLoaded || result == kPartitionEndsEarly) {
      stage.SelectPartition(0);
      problem = WalkStage(stage);
      // Record 0 is the start line; every further record closes one partition.
      if (problem.empty() && lines_read > 0 &&
          stage.GetTerrain().PartitionCount() != lines_read - 1) {
        problem = "the partitions do not match the lines read";
      }
      // The first wires on a fresh road, then a save that must load again.
      if (problem.empty()) {
        EditStage(stage);
        problem = WalkStage(stage);
        if (problem.empty()) {
          problem = CheckSavedStageLoads(stage, ToolStateBlock::Initial(), ViewSection());
        }
        if (!problem.empty()) problem = "after editing: " + problem;
      }
    }
  }
  Bank::ShutDown();
  return problem;
}
