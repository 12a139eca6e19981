// The course file (".cus"): a designed course with everything needed to go on editing it.
// Little-endian, no magic: a 40-byte header (selected point, handle state, side, loop, width
// factor, marker segment, marker t, point count N), then N records of 124 bytes (value,
// tangent and kind of the x, y, z, roll, left width and right width splines, then the
// sample count).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class CourseData1;

inline constexpr int32_t kCourseHeaderSize = 40;
inline constexpr int32_t kCoursePointRecordSize = 124;

enum CourseFileResult : int32_t {
  kCourseFileOk = 0,
  kCourseFileCannotOpen = 1,  // cannot be opened (load) or written (save)
  kCourseFileDamaged = 2,     // shorter than it promises, or values no course can hold
};

// The bytes of the course as saved.
std::string CourseFileBytes(const CourseData1& course);

// Saves atomically; on success clears the changed flag. On failure the old file stays and
// the course still counts as changed.
int32_t SaveCourseFile(CourseData1& course, const std::string& path, std::string* error = nullptr);

// Builds a course from file bytes into `fresh`, which must not be initialised yet. Checks
// every count against the bytes, the kinds (2 or 3), the point count (at most 256), and that
// the selection, handle, side, loop flag, width factor, marker and sample counts are ones
// the course can hold.
int32_t CourseFromBytes(std::string_view bytes, CourseData1* fresh);

// Loads the file into `course`. The file is read into a fresh course which replaces the
// current one only when the whole file was good; otherwise the current course is untouched
// and kCourseFileCannotOpen or kCourseFileDamaged is returned. After a load the loop button
// shows the loaded loop flag and the changed flag is clear.
int32_t LoadCourseFile(CourseData1& course, const std::string& path);
