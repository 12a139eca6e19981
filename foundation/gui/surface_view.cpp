#include "foundation/gui/surface_view.h"

namespace {

// A view on the surface's memory; memory row 0 is the lowest screen row.
QImage MemoryImage(const Surface16& surface) {
  if (surface.Empty()) return QImage();
  return QImage(reinterpret_cast<const uchar*>(surface.Bits()), surface.Width(),
                surface.Height(), qsizetype(surface.Width()) * 2, QImage::Format_RGB555);
}

}  // namespace

QImage SurfaceImage(const Surface16& surface) {
  return MemoryImage(surface).mirrored(false, true);
}

void PaintSurface(QPainter& painter, const Surface16& surface, QPoint target, QRect source) {
  if (surface.Empty()) return;
  const QRect whole(0, 0, surface.Width(), surface.Height());
  source = source.isNull() ? whole : source.intersected(whole);
  if (source.isEmpty()) return;
  // Only the rows asked for are flipped: the screen rows source.top()..bottom() are the
  // memory rows height-1-bottom .. height-1-top.
  const int memory_top = surface.Height() - 1 - source.bottom();
  const QImage rows = MemoryImage(surface)
                          .copy(source.left(), memory_top, source.width(), source.height())
                          .mirrored(false, true);
  painter.drawImage(target, rows);
}

uint16_t Pack555(const QColor& colour) {
  return PackColour555(uint8_t(colour.red()), uint8_t(colour.green()), uint8_t(colour.blue()));
}

QColor Unpack555(uint16_t word) {
  const int red = (word >> 10) & 31, green = (word >> 5) & 31, blue = word & 31;
  return QColor(red << 3, green << 3, blue << 3);
}

SurfacePainter::SurfacePainter(Surface16& surface) {
  if (surface.Empty()) return;
  image_ = QImage(reinterpret_cast<uchar*>(surface.Bits()), surface.Width(), surface.Height(),
                  qsizetype(surface.Width()) * 2, QImage::Format_RGB555);
  begin(&image_);
  translate(0, surface.Height());
  scale(1, -1);
}

SurfacePainter::~SurfacePainter() {
  if (isActive()) end();
}

void SurfacePainter::DrawMarker(QPoint at, const QImage& image, QRgb transparent) {
  if (!isActive() || image.isNull()) return;
  QImage marker = image.convertToFormat(QImage::Format_ARGB32);
  const QRgb key = transparent | 0xFF000000u;
  for (int y = 0; y < marker.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(marker.scanLine(y));
    for (int x = 0; x < marker.width(); ++x) {
      if ((row[x] | 0xFF000000u) == key) row[x] = 0;
    }
  }
  drawImage(at, marker);
}
