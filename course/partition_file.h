// The partition file (".pat"), the hand-over from the course designer to the stage editor:
// "PATV1.0", an int32 line count, then one 104-byte little-endian record per partition line
// (PartitionRecord, fields in order, no padding). The writer also produces a companion
// Shift-JIS text listing of the same numbers beside it, for people to read.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "course/partition_line.h"

class ByteReader;
class CourseData1;

inline constexpr char kPartitionFileCode[] = "PATV1.0";
inline constexpr int32_t kPartitionCodeSize = 7;
inline constexpr int32_t kPartitionHeaderSize = 11;
inline constexpr int32_t kPartitionRecordSize = 104;
// More lines than this are refused by the writer: the file and its listing would run to
// hundreds of megabytes, far beyond any course the stage editor can use.
inline constexpr int64_t kMaxPartitionLines = 1000000;

// Results of WritePartitionFile.
enum PartitionWriteResult : int32_t {
  kPartitionWritten = 0,
  kPartitionCannotCreate = 1,  // either file could not be written; neither was replaced
  kPartitionTooManyLines = 2,  // more than kMaxPartitionLines lines
};

// Results of the reader.
enum PartitionReadResult : int32_t {
  kPartitionRead = 0,
  kPartitionWrongKind = 1,   // "ファイルの種類が違います"
  kPartitionCannotOpen = 2,  // "ファイルのオープンに失敗"
  kPartitionDamaged = 3,     // shorter than its line count promises, or a negative count
};

// The binary file and the listing of a course, as they are written.
struct PartitionFileImage {
  std::string binary;
  std::string listing;
};

// Builds both files from the current course (which is not changed). Returns
// kPartitionWritten or kPartitionTooManyLines (then `image` is left empty).
int32_t BuildPartitionFile(const CourseData1& course, PartitionFileImage* image);

// The listing's path: the .pat path without its extension (only a "." after the last path
// separator starts one), plus ".txt".
std::string PartitionListingPath(const std::string& pat_path);

// Writes the binary file at `path` and the listing beside it as one atomic save.
int32_t WritePartitionFile(const CourseData1& course, const std::string& path,
                           std::string* error = nullptr);

// --- Reading. These three work on a copy of the reader, so its position stays.
// True exactly when the first seven bytes are "PATV1.0".
bool IsPartitionFile(const ByteReader& reader);
// The int32 at offset 7; false when the bytes end before it.
bool ReadPartitionLineCount(const ByteReader& reader, int32_t* line_count);
// Record k from offset 11 + 104 * k; false (and `record` untouched) when it is not wholly
// inside the bytes or k is negative.
bool ReadPartitionRecord(const ByteReader& reader, int32_t k, PartitionRecord* record);

// Reads the whole file at `path` into `bytes`: kPartitionCannotOpen, kPartitionWrongKind or
// kPartitionRead.
int32_t ReadPartitionFileBytes(const std::string& path, std::string* bytes);
// Every record of a partition file image: kPartitionRead, kPartitionWrongKind or
// kPartitionDamaged (then `records` is left empty).
int32_t ReadPartitionRecords(std::string_view bytes, std::vector<PartitionRecord>* records);
