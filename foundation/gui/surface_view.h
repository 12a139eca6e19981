// Surface16 on screen: the bottom-up 5-5-5 surface shown in a widget, and a QPainter over the
// surface's own pixels for what plain pixel code does not draw (text, ellipses, bitmap
// markers), in screen coordinates (y down).
#pragma once

#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRect>

#include "foundation/surface16.h"

// A top-down copy of the surface as an RGB555 image.
QImage SurfaceImage(const Surface16& surface);

// Copies the surface's `source` rectangle (screen coordinates of the surface) to `target`
// in the painter's device, unscaled. An empty `source` copies the whole surface.
void PaintSurface(QPainter& painter, const Surface16& surface, QPoint target = QPoint(0, 0),
                  QRect source = QRect());

// The 5-5-5 word of a Qt colour, and back.
uint16_t Pack555(const QColor& colour);
QColor Unpack555(uint16_t word);

// Paints on the surface's pixels in screen coordinates while it lives. The surface must not
// be resized meanwhile.
class SurfacePainter : public QPainter {
 public:
  explicit SurfacePainter(Surface16& surface);
  ~SurfacePainter();
  SurfacePainter(const SurfacePainter&) = delete;
  SurfacePainter& operator=(const SurfacePainter&) = delete;

  // Draws `image` with its top-left at `at`; pixels equal to `transparent` are left out.
  void DrawMarker(QPoint at, const QImage& image, QRgb transparent);

 private:
  // The image shares the surface's memory; the flip of the transform makes screen row y land
  // in memory row height-1-y.
  QImage image_;
};
