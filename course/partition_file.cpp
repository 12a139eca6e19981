#include "course/partition_file.h"

#include <charconv>
#include <initializer_list>

#include "course/course_data.h"
#include "foundation/byte_reader.h"
#include "foundation/byte_writer.h"
#include "foundation/directory.h"
#include "foundation/file_io.h"
#include "foundation/shift_jis.h"

namespace {

// The fixed texts of the listing, converted once.
struct ListingTexts {
  std::string code;
  std::string count_title;
  std::string legend;
};

const ListingTexts& Texts() {
  static const ListingTexts texts{
      Utf8ToShiftJis("ファイル認識コード\nPATV1.0\n"),
      Utf8ToShiftJis("\nパーテーション数+1(long)\n"),
      Utf8ToShiftJis("\nパーテーションライン<float,float,float>-<float,float,float>\n"
                     "サンプリング位置<double,double,double>\n"
                     "位置の微分値<double,double,double>\n"
                     "ロール角度<double>\n"
                     "ロール角度の微分値<double>\n"
                     "コースの左右の幅<double double>\n\n")};
  return texts;
}

// One number as printf's "%f" writes it: to_chars in fixed notation with six decimals gives
// the same characters as printf in the C locale, several times faster.
void AppendFixed(std::string& out, double value) {
  char buffer[400];  // the largest double in fixed notation with six decimals fits
  const std::to_chars_result result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
  out.append(buffer, result.ptr);
}

void AppendNumbers(std::string& out, const char* open, std::initializer_list<double> values,
                   const char* close) {
  out += open;
  bool first = true;
  for (double value : values) {
    if (!first) out += ' ';
    AppendFixed(out, value);
    first = false;
  }
  out += close;
}

void WriteRecord(ByteWriter& writer, const PartitionRecord& record) {
  for (float v : record.right_end) writer.F32(v);
  for (float v : record.left_end) writer.F32(v);
  for (double v : record.position) writer.F64(v);
  for (double v : record.derivative) writer.F64(v);
  writer.F64(record.roll);
  writer.F64(record.roll_derivative);
  writer.F64(record.left_width);
  writer.F64(record.right_width);
}

// The end points are listed x, z, y; everything else x, y, z.
void ListRecord(std::string& out, const PartitionRecord& r) {
  AppendNumbers(out, "<", {r.right_end[0], r.right_end[2], r.right_end[1]}, ">-");
  AppendNumbers(out, "<", {r.left_end[0], r.left_end[2], r.left_end[1]}, ">\n");
  AppendNumbers(out, "<", {r.position[0], r.position[1], r.position[2]}, ">\n");
  AppendNumbers(out, "<", {r.derivative[0], r.derivative[1], r.derivative[2]}, ">\n");
  AppendNumbers(out, "<", {r.roll}, ">\n");
  AppendNumbers(out, "<", {r.roll_derivative}, ">\n");
  AppendNumbers(out, "<", {r.left_width, r.right_width}, ">\n\n");
}

}  // namespace

int32_t BuildPartitionFile(const CourseData1& course, PartitionFileImage* image) {
  image->binary.clear();
  image->listing.clear();
  const int64_t line_count = PartitionLineCount(course);
  if (line_count > kMaxPartitionLines) return kPartitionTooManyLines;

  const ListingTexts& texts = Texts();
  ByteWriter writer;
  writer.Text(std::string_view(kPartitionFileCode, kPartitionCodeSize));
  std::string listing = texts.code;
  if (course.PointCount() > 0) {
    writer.I32(static_cast<int32_t>(line_count));
    listing += texts.count_title;
    listing += std::to_string(line_count) + " \n";
  }
  if (course.SegmentCount() > 0) {
    listing += texts.legend;
    for (const PartitionRecord& record : SamplePartitionLines(course)) {
      WriteRecord(writer, record);
      ListRecord(listing, record);
    }
  }
  image->binary = writer.Take();
  image->listing = std::move(listing);
  return kPartitionWritten;
}

std::string PartitionListingPath(const std::string& pat_path) {
  return Directory1::WithoutExtension(pat_path) + ".txt";
}

int32_t WritePartitionFile(const CourseData1& course, const std::string& path, std::string* error) {
  PartitionFileImage image;
  const int32_t built = BuildPartitionFile(course, &image);
  if (built != kPartitionWritten) return built;
  const FileToWrite files[2] = {{path, std::move(image.binary)},
                                {PartitionListingPath(path), std::move(image.listing)}};
  return AtomicWriteFiles(files, 2, error) ? kPartitionWritten : kPartitionCannotCreate;
}

bool IsPartitionFile(const ByteReader& reader) {
  // Each read works on a copy, so the caller's position stays where it was.
  ByteReader probe = reader;
  if (!probe.Seek(0)) return false;
  const std::string_view code = probe.View(kPartitionCodeSize);
  return probe.Ok() && code == std::string_view(kPartitionFileCode, kPartitionCodeSize);
}

bool ReadPartitionLineCount(const ByteReader& reader, int32_t* line_count) {
  ByteReader probe = reader;
  if (!probe.Seek(kPartitionCodeSize) || !probe.CanRead(1, 4)) return false;
  *line_count = probe.I32();
  return probe.Ok();
}

bool ReadPartitionRecord(const ByteReader& reader, int32_t k, PartitionRecord* record) {
  if (k < 0) return false;
  const size_t offset =
      kPartitionHeaderSize + size_t{kPartitionRecordSize} * static_cast<size_t>(k);
  ByteReader probe = reader;
  if (!probe.Seek(offset) || !probe.CanRead(1, kPartitionRecordSize)) return false;
  PartitionRecord read{};
  for (float& v : read.right_end) v = probe.F32();
  for (float& v : read.left_end) v = probe.F32();
  for (double& v : read.position) v = probe.F64();
  for (double& v : read.derivative) v = probe.F64();
  read.roll = probe.F64();
  read.roll_derivative = probe.F64();
  read.left_width = probe.F64();
  read.right_width = probe.F64();
  if (!probe.Ok()) return false;
  *record = read;
  return true;
}

int32_t ReadPartitionFileBytes(const std::string& path, std::string* bytes) {
  bytes->clear();
  std::string read;
  if (!ReadWholeFile(path, read)) return kPartitionCannotOpen;
  ByteReader reader(read);
  if (!IsPartitionFile(reader)) return kPartitionWrongKind;
  *bytes = std::move(read);
  return kPartitionRead;
}

int32_t ReadPartitionRecords(std::string_view bytes, std::vector<PartitionRecord>* records) {
  records->clear();
  ByteReader reader(bytes);
  if (!IsPartitionFile(reader)) return kPartitionWrongKind;
  int32_t line_count = 0;
  // A file of the code alone is an empty course.
  if (bytes.size() == static_cast<size_t>(kPartitionCodeSize)) return kPartitionRead;
  if (!ReadPartitionLineCount(reader, &line_count)) return kPartitionDamaged;
  if (!reader.Seek(kPartitionHeaderSize)) return kPartitionDamaged;
  // A course of one open point writes a count of 1 and no record.
  if (line_count == 1 && reader.AtEnd()) return kPartitionRead;
  if (!reader.CanRead(line_count, kPartitionRecordSize)) return kPartitionDamaged;
  std::vector<PartitionRecord> read(static_cast<size_t>(line_count));
  for (int32_t k = 0; k < line_count; ++k) {
    if (!ReadPartitionRecord(reader, k, &read[static_cast<size_t>(k)])) return kPartitionDamaged;
  }
  *records = std::move(read);
  return kPartitionRead;
}
