#include "course/gui/preview_road.h"

#include "course/partition_line.h"
#include "render/gui/perspec_disp.h"

namespace {

void AddSection(const CourseData1& course, int32_t segment, double t, LateralHeading* heading,
                RoadStrip* road) {
  const CourseVector p = course.PositionAt(segment, t);
  const CourseVector d = course.DerivativeAt(segment, t);
  const CourseWidths w = course.WidthsAt(segment, t);
  const double position[3] = {p.x, p.y, p.z};
  const double derivative[3] = {d.x, d.y, d.z};
  float right[3], left[3];
  BuildPartitionLine(position, derivative, course.RollAt(segment, t), w.left, w.right, heading,
                     right, left);
  RoadCrossSection section;
  for (int i = 0; i < 3; ++i) {
    section.first[i] = left[i];
    section.second[i] = right[i];
  }
  road->sections.push_back(section);
}

}  // namespace

RoadStrip PreviewRoad(const CourseData1& course) {
  RoadStrip road;
  const int32_t segments = course.SegmentCount();
  if (!course.HasMarker() || segments <= 0) return road;
  CourseMarker marker = course.Marker();
  if (marker.segment >= segments) return road;
  road.has_marker = true;
  const CourseVector p = course.PositionAt(marker.segment, marker.t);
  const CourseVector d = course.DerivativeAt(marker.segment, marker.t);
  road.position[0] = p.x;
  road.position[1] = p.y;
  road.position[2] = p.z;
  road.tangent[0] = d.x;
  road.tangent[1] = d.y;
  road.tangent[2] = d.z;
  road.roll = course.RollAt(marker.segment, marker.t);

  LateralHeading heading;
  int32_t segment = marker.segment;
  double t = marker.t;
  AddSection(course, segment, t, &heading, &road);
  while (static_cast<int32_t>(road.sections.size()) < PerspecDisp1::kMaxSections) {
    // The next sample of the segment: t steps by 1 / (n + 1) from where the marker stands.
    const double step = 1.0 / (course.PointSampleCount(segment) + 1);
    const double previous = t;
    t += step;
    if (t > 1.0 + 1e-9) {
      if (segment + 1 >= segments && course.Loop() == 0) {
        // An open course ends at its last point.
        if (previous < 1.0 - 1e-9) AddSection(course, segment, 1.0, &heading, &road);
        break;
      }
      // Carry the rest of the step over into the next segment, in that segment's steps.
      const double rest = (t - 1.0) / step;
      segment = segment + 1 >= segments ? 0 : segment + 1;
      t = rest / (course.PointSampleCount(segment) + 1);
    }
    AddSection(course, segment, t, &heading, &road);
  }
  return road;
}
