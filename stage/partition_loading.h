// Building a stage from a partition file: record 0 becomes the start line, every further
// record closes one new partition (no wires, untextured road face, no glue).
#pragma once

#include <cstdint>
#include <string>

#include "stage/stage.h"

enum PartitionLoadResult : int32_t {
  kPartitionLoaded = 0,
  kPartitionNotPartitionFile = 1,  // "ファイルの種類が違います"
  kPartitionOpenFailed = 2,        // "ファイルのオープンに失敗"
  // The file ends before its line count is reached: the lines up to the last whole record
  // were loaded (LoadPartitionFile's `lines_read` tells how many).
  kPartitionEndsEarly = 3,
  // The line count is negative: nothing was loaded.
  kPartitionCountDamaged = 4,
};

// Loads the partition file at `path` into the stage's terrain, replacing its partitions (the
// caller resets the stage first). A file that ends after its identification code holds no
// line. `lines_read` (optional) receives the number of records loaded, the start line
// included. The caller selects partition 0 afterwards.
int32_t LoadPartitionFile(Stage& stage, const std::string& path, int32_t* lines_read = nullptr,
                          int32_t* line_count = nullptr);
