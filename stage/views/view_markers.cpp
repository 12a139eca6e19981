#include "stage/views/view_markers.h"

const char* MarkerResourceName(int32_t marker) {
  static const char* const kNames[kMarkerCount] = {"SELECTPNTUCUR_BMP",
                                                   "SELECTPNTDCUR_BMP",
                                                   "SELECTPNTGCUR_BMP",
                                                   "GLUEPNTCUR_BMP",
                                                   "X_BMP",
                                                   "Y_BMP",
                                                   "Z_BMP",
                                                   "XOFF_BMP",
                                                   "YOFF_BMP",
                                                   "ZOFF_BMP"};
  return marker >= 0 && marker < kMarkerCount ? kNames[marker] : "";
}

int32_t MarkerSide(int32_t marker) { return marker <= kMarkerGlueTarget ? 24 : 16; }

MarkerPlacement PlaceMarker(int32_t marker, int32_t x, int32_t y) {
  const int32_t side = MarkerSide(marker);
  if (marker == kMarkerGlueTarget) return {marker, x, y - side + 1};
  if (marker >= kMarkerAxisX) return {marker, x - side / 2, y - side / 2};
  return {marker, x, y};
}

void DrawMarker(Surface16& surface, const MarkerPlacement& placement, const MarkerSet& markers) {
  if (placement.marker < 0 || placement.marker >= kMarkerCount) return;
  const MarkerBitmap& bitmap = markers.bitmaps[placement.marker];
  if (!bitmap.Usable()) return;
  for (int32_t row = 0; row < bitmap.height; ++row) {
    const int32_t y = placement.y + row;
    if (y < 0 || y >= surface.Height()) continue;
    uint16_t* line = surface.ScreenRow(y);
    for (int32_t column = 0; column < bitmap.width; ++column) {
      const int32_t x = placement.x + column;
      if (x < 0 || x >= surface.Width()) continue;
      const size_t at = static_cast<size_t>(row) * static_cast<size_t>(bitmap.width) +
                        static_cast<size_t>(column);
      line[x] = static_cast<uint16_t>((line[x] | bitmap.or_picture[at]) & bitmap.and_picture[at]);
    }
  }
}
