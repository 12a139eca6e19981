#include "stage/gui/view_marker_images.h"

#include "foundation/gui/named_resources.h"
#include "foundation/gui/surface_view.h"

// Resources of a static library are linked in only when referred to (outside any namespace).
static void InitMarkerResources() { Q_INIT_RESOURCE(views); }

MarkerBitmap MarkerFromImage(const QImage& image) {
  MarkerBitmap bitmap;
  if (image.isNull() || image.width() % 2 != 0) return bitmap;
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  bitmap.width = rgb.width() / 2;
  bitmap.height = rgb.height();
  for (int y = 0; y < bitmap.height; ++y) {
    for (int x = 0; x < bitmap.width; ++x) {
      bitmap.or_picture.push_back(Pack555(rgb.pixelColor(x, y)));
      bitmap.and_picture.push_back(Pack555(rgb.pixelColor(bitmap.width + x, y)));
    }
  }
  return bitmap;
}

MarkerSet LoadViewMarkers() {
  InitMarkerResources();
  MarkerSet markers;
  for (int32_t i = 0; i < kMarkerCount; ++i) {
    markers.bitmaps[i] = MarkerFromImage(NamedImage(MarkerResourceName(i)));
  }
  return markers;
}
