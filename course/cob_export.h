// Export of the road surface as one ASCII COB mesh for the modelling tool: two vertices per
// partition line (left end, then right end), one four-cornered face per partition with a
// fixed texture mapping, one material. Course (x, y, z) with y up is written as
// (x, z, y) * 0.01 so that the COB's z axis is the height.
#pragma once

#include <cstdint>
#include <string>

class CourseData1;

enum CobExportResult : int32_t {
  kCobWritten = 0,
  kCobCannotCreate = 1,
  kCobTooManyLines = 2,  // more partition lines than the partition file allows
};

// The text of the COB file. A course without points has no vertex section and no faces.
// Returns kCobWritten or kCobTooManyLines (then `text` is left empty).
int32_t BuildCobText(const CourseData1& course, std::string* text);

// Writes the COB file atomically.
int32_t WriteCobFile(const CourseData1& course, const std::string& path,
                     std::string* error = nullptr);
