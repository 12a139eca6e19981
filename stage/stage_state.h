// The contents of a Stage, shared by the stage and its file reader and writer only.
#pragma once

#include <cstdint>

#include "foundation/typed_database.h"
#include "stage/shape_library.h"
#include "stage/stage.h"
#include "stage/stage_records.h"
#include "stage/terrain.h"

struct Stage::State {
  Terrain terrain;
  ShapeLibrary shapes;
  IdTable<PlacedObject> objects;
  IdList free_objects;
  int32_t background_object = -1;

  int32_t selected_partition = -1;
  PointRef selected_point;
  PointRef glue_target;
  FaceRef last_taken;  // not saved
  RecordList<FaceRef> picked;
  int32_t selected_object = -1;

  bool modified = false;
};
