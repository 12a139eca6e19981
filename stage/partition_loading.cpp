#include "stage/partition_loading.h"

#include "course/partition_file.h"
#include "foundation/byte_reader.h"
#include "stage/stage_state.h"

namespace {
Point3f ToPoint(const float values[3]) { return Point3f{values[0], values[1], values[2]}; }

LineFrame ToFrame(const PartitionRecord& record) {
  LineFrame frame;
  for (int axis = 0; axis < 3; ++axis) {
    frame.sampling_position[axis] = record.position[axis];
    frame.position_derivative[axis] = record.derivative[axis];
  }
  frame.roll = record.roll;
  frame.roll_derivative = record.roll_derivative;
  return frame;
}
}  // namespace

int32_t LoadPartitionFile(Stage& stage, const std::string& path, int32_t* lines_read,
                          int32_t* line_count) {
  if (lines_read != nullptr) *lines_read = 0;
  if (line_count != nullptr) *line_count = 0;
  std::string bytes;
  const int32_t opened = ReadPartitionFileBytes(path, &bytes);
  if (opened == kPartitionCannotOpen) return kPartitionOpenFailed;
  if (opened != kPartitionRead) return kPartitionNotPartitionFile;
  const ByteReader reader(bytes);
  if (!IsPartitionFile(reader)) return kPartitionNotPartitionFile;

  Terrain& terrain = stage.state_->terrain;
  terrain.ReleaseAll();
  int32_t count = 0;
  // The course designer writes a course without points as the bare identification code.
  if (!ReadPartitionLineCount(reader, &count)) return kPartitionLoaded;
  if (line_count != nullptr) *line_count = count;
  if (count < 0) return kPartitionCountDamaged;

  int32_t read = 0;
  for (int32_t k = 0; k < count; ++k) {
    PartitionRecord record;
    if (!ReadPartitionRecord(reader, k, &record)) break;
    if (k == 0) {
      StartLine start;
      start.right_end = ToPoint(record.right_end);
      start.left_end = ToPoint(record.left_end);
      start.frame = ToFrame(record);
      terrain.SetStart(start);
    } else {
      terrain.AppendPartition(ToPoint(record.right_end), ToPoint(record.left_end), ToFrame(record));
    }
    ++read;
  }
  if (lines_read != nullptr) *lines_read = read;
  return read < count ? kPartitionEndsEarly : kPartitionLoaded;
}
