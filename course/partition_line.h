// The partition lines of a course: the cross-sections of the road at every sample, walked in
// course order (the start line at control point 0, then the samples of every segment at
// t = step, 2*step, ... by repeated addition, step = 1 / (sample count + 1)). The partition
// file and the COB export are both written from these.
#pragma once

#include <cstdint>
#include <vector>

class CourseData1;

// One sampled cross-section, the fields of a partition file record in file order.
struct PartitionRecord {
  float right_end[3];
  float left_end[3];
  double position[3];
  double derivative[3];  // per sample step: the parameter derivative times the step
  double roll;
  double roll_derivative;  // per sample step
  double left_width;       // width factor applied
  double right_width;      // width factor applied
};

// The horizontal heading used for the lateral direction: c = -dx / h, d = dz / h. A purely
// vertical derivative has none of its own and keeps the one of the sample before it; before
// any sample the heading is (c, d) = (0, 1), whose lateral direction at zero roll is the
// x axis.
struct LateralHeading {
  float c = 0.0f;
  float d = 1.0f;
};

// Fills the two ends of the partition line at `position` for the derivative (only its
// direction matters), roll and widths: left end = position + left_width * lateral, right
// end = position - right_width * lateral, in single precision, where lateral is the
// horizontal normal of the direction of travel turned by the roll. A zero derivative puts
// both ends at the position. `heading` supplies the heading for a vertical derivative and is
// updated by every derivative with a horizontal part.
void BuildPartitionLine(const double position[3], const double derivative[3], double roll,
                        double left_width, double right_width, LateralHeading* heading,
                        float right_end[3], float left_end[3]);

// The number of partition lines: 1 + sum over segments of (sample count + 1); 0 for a course
// without points. 64-bit so that huge sample counts cannot wrap.
int64_t PartitionLineCount(const CourseData1& course);

// Every partition line of the course in order (none when the course has no segment).
std::vector<PartitionRecord> SamplePartitionLines(const CourseData1& course);
