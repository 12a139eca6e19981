// DispControl1 draws the course into the editing views' 16-bit surfaces: the road surface,
// its edges and centre line from the course's samples, the control points, the selected
// point's handle, and the markers ("HAND_BMP" beside the selected point, "CAMERAPOS_BMP" at
// the course marker, where the preview's camera stands).
#pragma once

#include <QImage>
#include <cstdint>
#include <vector>

#include "course/course_data.h"
#include "course/gui/course_development.h"
#include "course/gui/expand_control.h"
#include "course/gui/parallel_control.h"
#include "course/gui/point_control.h"
#include "course/partition_line.h"
#include "foundation/surface16.h"

class DispControl1 {
 public:
  // What a developed view draws.
  enum DrawFlag : int32_t { kDrawWidths = 1, kDrawHeights = 2 };

  // Colours of the views (5-5-5).
  static uint16_t Background();
  static uint16_t RoadColour();
  static uint16_t EdgeColour();
  static uint16_t CentreColour();
  static uint16_t PointColour();
  static uint16_t SelectedColour();
  static uint16_t HandleColour();

  static void DrawParallel(Surface16& surface, const ParallelControl1& control,
                           const CourseData1& course, const std::vector<PartitionRecord>& lines);
  static void DrawDeveloped(Surface16& surface, const ExpandControl1& control,
                            const CourseData1& course, const CourseDevelopment& development,
                            int32_t flag);
  static void DrawPointParameters(Surface16& surface, const PointControl1& control,
                                  const CourseData1& course);

  // Links in the designer's pictures (tool strips, markers, icon) for NamedImage.
  static void InitResources();
  // The marker pictures (loaded once).
  static const QImage& HandPicture();
  static const QImage& CameraPicture();

  // Checks the tangent kinds of point i (free or fixed); anything else is a fatal misuse.
  static void CheckPointKinds(const CourseData1& course, int32_t i);
};
