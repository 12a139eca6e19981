// The bitmap markers of the views: the selected point ("SELECTPNTUCUR_BMP" for end A of a
// wire whose ends are apart, "SELECTPNTDCUR_BMP" for end B, "SELECTPNTGCUR_BMP" for a joined
// wire), the glue target ("GLUEPNTCUR_BMP") and the axis letters ("X_BMP" ... "ZOFF_BMP").
// Each bitmap holds two pictures of the marker's size side by side: the left one is combined
// with the surface by OR, then the right one by AND.
#pragma once

#include <cstdint>
#include <vector>

#include "foundation/surface16.h"

enum MarkerId : int32_t {
  kMarkerPointA = 0,
  kMarkerPointB,
  kMarkerPointJoined,
  kMarkerGlueTarget,
  kMarkerAxisX,
  kMarkerAxisY,
  kMarkerAxisZ,
  kMarkerAxisXOff,
  kMarkerAxisYOff,
  kMarkerAxisZOff,
  kMarkerCount,
};

// The resource name of a marker's bitmap.
const char* MarkerResourceName(int32_t marker);
// 24 for the point markers, 16 for the axis letters.
int32_t MarkerSide(int32_t marker);

// One marker's two pictures as 5-5-5 words, rows top first, `width` x `height` each.
struct MarkerBitmap {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint16_t> or_picture;
  std::vector<uint16_t> and_picture;

  bool Usable() const {
    return width > 0 && height > 0 &&
           or_picture.size() == static_cast<size_t>(width) * static_cast<size_t>(height) &&
           and_picture.size() == or_picture.size();
  }
};

// The markers a view draws with (an unusable bitmap draws nothing).
struct MarkerSet {
  MarkerBitmap bitmaps[kMarkerCount];
};

// Where a marker goes: its top-left pixel on the surface.
struct MarkerPlacement {
  int32_t marker = 0;
  int32_t x = 0;
  int32_t y = 0;
};

// The placement of a marker on screen point (x, y): the point markers with their top-left
// corner there, the glue target with its bottom-left corner there, the axis letters centred.
MarkerPlacement PlaceMarker(int32_t marker, int32_t x, int32_t y);

// OR the left picture into the surface, then AND the right one; pixels outside the surface
// are left out.
void DrawMarker(Surface16& surface, const MarkerPlacement& placement, const MarkerSet& markers);
