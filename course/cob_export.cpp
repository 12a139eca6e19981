#include "course/cob_export.h"

#include <cstdio>

#include "course/course_data.h"
#include "course/partition_file.h"
#include "course/partition_line.h"
#include "foundation/file_io.h"

namespace {

constexpr const char kHeader[] =
    "Caligari V00.01ALH             \n"
    "PolH V0.02 Id 1302524 Parent 0 Size 0\n"
    "Name Course\n"
    "center 0 0 0\n"
    "x axis 1 0 0\n"
    "y axis 0 1 0\n"
    "z axis 0 0 1\n"
    "Transform\n"
    "1 0 0 0\n"
    "0 1 0 0\n"
    "0 0 1 0\n"
    "0 0 0 1\n";

constexpr const char kMaterialAndEnd[] =
    "Mat1 V0.05 Id 1303064 Parent 1302524 Size 00000109\n"
    "mat# 0\n"
    "shader: phong  facet: auto40\n"
    "rgb 0.8627451,0.5882353,0.5882353\n"
    "alpha 1  ka 0.1  ks 0.1  exp 0  ior 1\n"
    "END  V1.00 Id 0 Parent 0 Size        0\n";

void AppendVertex(std::string& out, const float end[3]) {
  // %f of a float coordinate scaled by 0.01 can be long; size the buffer for any double.
  char buffer[1100];
  const int length = std::snprintf(buffer, sizeof buffer, "%f %f %f\n", end[0] * 0.01,
                                   end[2] * 0.01, end[1] * 0.01);
  if (length > 0) out.append(buffer, static_cast<size_t>(length));
}

void AppendLine(std::string& out, const char* format, int a, int b, int c, int d, int e, int f,
                int g, int h) {
  char buffer[128];
  const int length = std::snprintf(buffer, sizeof buffer, format, a, b, c, d, e, f, g, h);
  if (length > 0) out.append(buffer, static_cast<size_t>(length));
}

}  // namespace

int32_t BuildCobText(const CourseData1& course, std::string* text) {
  text->clear();
  const int64_t line_count = PartitionLineCount(course);
  if (line_count > kMaxPartitionLines) return kCobTooManyLines;

  std::string out = kHeader;
  char buffer[64];
  if (course.PointCount() > 0) {
    std::snprintf(buffer, sizeof buffer, "World Vertices %d\n", static_cast<int>(2 * line_count));
    out += buffer;
    std::vector<PartitionRecord> lines = SamplePartitionLines(course);
    if (lines.empty()) {
      // One open point: its start line alone, at the point with its stored tangent.
      const CourseVector p = course.PointPosition(0);
      const CourseTangents tangent = course.PointTangents(0);
      const CourseWidths widths = course.PointWidths(0);
      const double position[3] = {p.x, p.y, p.z};
      const double derivative[3] = {tangent.x, tangent.y, tangent.z};
      PartitionRecord record{};
      LateralHeading heading;
      BuildPartitionLine(position, derivative, course.PointRoll(0), widths.left, widths.right,
                         &heading, record.right_end, record.left_end);
      lines.push_back(record);
    }
    for (const PartitionRecord& line : lines) {
      AppendVertex(out, line.left_end);
      AppendVertex(out, line.right_end);
    }
  }
  out += "Texture Vertices 4\n";
  out += "0.000000 0.000000\n";
  out += "1.000000 0.000000\n";
  out += "1.000000 1.000000\n";
  out += "0.000000 1.000000\n";
  const int faces = line_count > 0 ? static_cast<int>(line_count - 1) : 0;
  std::snprintf(buffer, sizeof buffer, "Faces %d\n", faces);
  out += buffer;
  for (int k = 0; k < faces; ++k) {
    out += "Face verts 4 flags 16 mat 0\n";
    AppendLine(out, "<%d,%d> <%d,%d> <%d,%d> <%d,%d>\n", 2 * k, 3, 2 * k + 1, 2, 2 * k + 3, 1,
               2 * k + 2, 0);
  }
  out += kMaterialAndEnd;
  *text = std::move(out);
  return kCobWritten;
}

int32_t WriteCobFile(const CourseData1& course, const std::string& path, std::string* error) {
  std::string text;
  const int32_t built = BuildCobText(course, &text);
  if (built != kCobWritten) return built;
  return AtomicWriteFile(path, text, error) ? kCobWritten : kCobCannotCreate;
}
