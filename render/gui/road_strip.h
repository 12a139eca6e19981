// The stretch of road the course preview shows: the frame at the course marker (position,
// tangent and bank) and up to PerspecDisp1::kMaxSections cross-sections ahead of it, each a
// pair of road edge points. Qt-free, so whoever samples a road can fill it.
#pragma once

#include <vector>

// The quadrilateral between cross-sections i and i + 1 is drawn first i, second i,
// second i + 1, first i + 1: `first` is the edge the camera sees on its right, so that the
// road seen from above runs clockwise on the screen and faces the camera.
struct RoadCrossSection {
  double first[3];   // the partition line's left end
  double second[3];  // its right end
};

struct RoadStrip {
  bool has_marker = false;
  double position[3] = {0.0, 0.0, 0.0};
  double tangent[3] = {0.0, 0.0, 0.0};
  double roll = 0.0;
  std::vector<RoadCrossSection> sections;
};
