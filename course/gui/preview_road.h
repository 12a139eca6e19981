// The stretch of road ahead of the course marker that the course preview shows: the frame at
// the marker and up to PerspecDisp1::kMaxSections cross-sections, one per sample step,
// starting at the marker. A loop wraps from its last segment to its first; an open course
// stops at its end. Qt-free.
#pragma once

#include "course/course_data.h"
#include "render/gui/road_strip.h"

RoadStrip PreviewRoad(const CourseData1& course);
