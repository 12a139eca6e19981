// Draws the icons a desktop shows for the suite: one application icon per program and one
// document icon per file type, at the sizes of the hicolor theme, as
//   <folder>/hicolor/<n>x<n>/apps/<program>.png
//   <folder>/hicolor/<n>x<n>/mimetypes/application-x-courseloom-<type>.png
// The outputs are committed (packaging/icons); run
//   build/bin/make_app_icons packaging/icons
// (with QT_QPA_PLATFORM=offscreen on a machine without a display) after changing a drawing.
//
// Everything is drawn on a 48-unit grid scaled to the icon; below 32 pixels the pictograms
// leave out their fine parts so that they stay legible.
#include <QDir>
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "foundation/gui/icon_painter.h"
#include "foundation/gui/resource_generator.h"

namespace {

constexpr qreal kGrid = 48.0;
constexpr int kSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

using icon_style::kRoad;
using icon_style::kRoadEdge;
const QColor kCentreLine(250, 210, 60);
const QColor kGrass(104, 168, 84);
const QColor kGrassDark(70, 128, 62);
const QColor kSky(120, 176, 232);
const QColor kPaper(252, 252, 248);

// One icon being drawn: the painter works in grid units; `pixels` is the icon's real size.
struct Canvas {
  QPainter& p;
  int pixels;
  bool Small() const { return pixels < 32; }
  // A pen `units` wide, never thinner than `min_pixels` real pixels.
  QPen Pen(const QColor& colour, qreal units, qreal min_pixels = 1.0) const {
    QPen pen(colour, std::max(units, min_pixels * kGrid / pixels));
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
  }
};

using Pictogram = std::function<void(Canvas&, const QRectF& area)>;

// The application tile: a rounded face in the program's colour, lit from the top left and
// bevelled like the tool buttons, with a dark rim.
void Tile(Canvas& c, const QColor& colour) {
  const qreal inset = c.Small() ? 0.5 * kGrid / c.pixels : 2.0;
  const QRectF face(inset, inset, kGrid - 2 * inset, kGrid - 2 * inset);
  const qreal radius = c.Small() ? 6.0 : 8.0;
  QLinearGradient light(face.topLeft(), face.bottomRight());
  light.setColorAt(0, colour.lighter(125));
  light.setColorAt(1, colour.darker(112));
  c.p.setPen(Qt::NoPen);
  c.p.setBrush(light);
  c.p.drawRoundedRect(face, radius, radius);
  if (!c.Small()) {
    // The bevel: light along the top and left edges, shadow along the bottom and right,
    // fading into each other at the other two corners.
    const qreal w = 1.5;
    QLinearGradient bevel(face.topLeft(), face.bottomRight());
    bevel.setColorAt(0.0, QColor(255, 255, 255, 190));
    bevel.setColorAt(0.45, QColor(255, 255, 255, 0));
    bevel.setColorAt(0.55, QColor(0, 0, 0, 0));
    bevel.setColorAt(1.0, QColor(0, 0, 0, 90));
    c.p.setBrush(Qt::NoBrush);
    c.p.setPen(QPen(QBrush(bevel), w));
    c.p.drawRoundedRect(face.adjusted(w / 2, w / 2, -w / 2, -w / 2), radius - 1, radius - 1);
  }
  c.p.setBrush(Qt::NoBrush);
  c.p.setPen(c.Pen(colour.darker(220), c.Small() ? 1.0 * kGrid / c.pixels : 1.0));
  c.p.drawRoundedRect(face, radius, radius);
}

// The document page: white paper with its top right corner folded, a dark outline, and the
// file's extension on a band in the type's colour at the foot (from 32 pixels up).
void Page(Canvas& c, const QColor& colour, const QString& extension, const Pictogram& pictogram) {
  const qreal left = 7, right = 41, top = 2, bottom = 46, fold = 10;
  QPainterPath sheet;
  sheet.moveTo(left, top);
  sheet.lineTo(right - fold, top);
  sheet.lineTo(right, top + fold);
  sheet.lineTo(right, bottom);
  sheet.lineTo(left, bottom);
  sheet.closeSubpath();
  if (!c.Small()) {
    c.p.fillPath(sheet.translated(1.2, 1.2), QColor(0, 0, 0, 50));
  }
  QLinearGradient paper(QPointF(left, top), QPointF(right, bottom));
  paper.setColorAt(0, kPaper);
  paper.setColorAt(1, QColor(226, 228, 232));
  c.p.fillPath(sheet, paper);
  QPainterPath corner;
  corner.moveTo(right - fold, top);
  corner.lineTo(right - fold, top + fold);
  corner.lineTo(right, top + fold);
  corner.closeSubpath();
  c.p.fillPath(corner, QColor(206, 208, 214));
  c.p.setPen(c.Pen(icon_style::kInk, 1.0));
  c.p.setBrush(Qt::NoBrush);
  c.p.drawPath(sheet);
  c.p.drawPath(corner);

  // The pictogram sits below the fold, above the band when there is one.
  const bool banded = c.pixels >= 32;
  const qreal band_top = bottom - 11;
  const QRectF area(left + 3, top + fold + 1, right - left - 6,
                    (banded ? band_top - 1 : bottom - 2) - (top + fold + 1));
  c.p.save();
  pictogram(c, area);
  c.p.restore();
  if (banded) {
    const QRectF band(left + 0.5, band_top, right - left - 1, 10.5);
    c.p.fillRect(band, colour);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(8);
    c.p.setFont(font);
    c.p.setPen(Qt::white);
    c.p.drawText(band, Qt::AlignCenter, extension);
  }
}

// A closed course: the road as a loop with its centre line, and the spline's control points;
// the selected one (in the accent colour) shows its handle.
void CoursePictogram(Canvas& c, const QRectF& area, bool with_handle) {
  const qreal x = area.left(), y = area.top(), w = area.width(), h = area.height();
  auto at = [&](qreal u, qreal v) { return QPointF(x + u * w, y + v * h); };
  // Four segments through four control points, with a bend inwards along the top.
  const QPointF points[4] = {at(0.14, 0.78), at(0.28, 0.1), at(0.66, 0.38), at(0.86, 0.8)};
  QPainterPath road;
  road.moveTo(points[0]);
  road.cubicTo(at(0.0, 0.52), at(0.04, 0.12), points[1]);
  road.cubicTo(at(0.48, 0.08), at(0.46, 0.4), points[2]);
  road.cubicTo(at(0.9, 0.36), at(1.0, 0.6), points[3]);
  road.cubicTo(at(0.74, 1.0), at(0.3, 1.0), points[0]);
  const qreal road_width = std::min(w, h) * (c.Small() ? 0.2 : 0.17);
  c.p.strokePath(road, c.Pen(kRoadEdge, road_width + (c.Small() ? 0 : 2.0)));
  c.p.strokePath(road, c.Pen(kRoad, road_width));
  if (!c.Small()) {
    QPen dash = c.Pen(kCentreLine, 1.0);
    dash.setCapStyle(Qt::FlatCap);
    dash.setDashPattern({2.0, 2.0});
    c.p.strokePath(road, dash);
  }
  const qreal side = c.Small() ? 5.0 : std::max(4.0, std::min(w, h) * 0.13);
  c.p.setBrush(Qt::NoBrush);
  auto marker = [&](QPointF centre, const QColor& fill) {
    const QRectF square(centre.x() - side / 2, centre.y() - side / 2, side, side);
    c.p.fillRect(square, fill);
    if (!c.Small()) {
      c.p.setPen(c.Pen(icon_style::kInk, 0.8));
      c.p.drawRect(square);
    }
  };
  for (int i : {0, 1, 3}) marker(points[i], QColor(30, 120, 220));
  const QPointF selected = points[2];
  if (with_handle && !c.Small()) {
    // The handle lies along the road's tangent at the point, which runs from the previous
    // segment's last control to the next segment's first.
    const QPointF direction = at(0.9, 0.36) - at(0.46, 0.4);
    const QPointF reach = direction / std::hypot(direction.x(), direction.y()) * (w * 0.24);
    c.p.setPen(c.Pen(icon_style::kInk, 1.2));
    c.p.drawLine(selected - reach, selected + reach);
    c.p.setBrush(Qt::white);
    c.p.drawEllipse(selected - reach, side * 0.32, side * 0.32);
    c.p.drawEllipse(selected + reach, side * 0.32, side * 0.32);
    c.p.setBrush(Qt::NoBrush);
  }
  marker(selected, icon_style::kAccent);
}

// A strip of road sampled into partitions: both edges and the cross-section lines between
// them, the last partition picked out in the accent colour.
void PartitionPictogram(Canvas& c, const QRectF& area) {
  const int lines = c.Small() ? 4 : 6;
  std::vector<QPointF> right, left;
  for (int i = 0; i < lines; ++i) {
    const qreal t = qreal(i) / (lines - 1);
    // The road bends to the right as it goes up; it narrows with distance.
    const qreal cx = area.left() + area.width() * (0.36 + 0.28 * t * t);
    const qreal cy = area.bottom() - area.height() * t;
    const qreal half = area.width() * (0.36 - 0.16 * t);
    left.emplace_back(cx - half, cy);
    right.emplace_back(cx + half, cy);
  }
  QPainterPath quads;
  quads.moveTo(left.front());
  for (const QPointF& point : left) quads.lineTo(point);
  for (auto it = right.rbegin(); it != right.rend(); ++it) quads.lineTo(*it);
  quads.closeSubpath();
  c.p.fillPath(quads, kRoad.lighter(150));
  QPainterPath last;
  last.moveTo(left[lines - 2]);
  last.lineTo(left[lines - 1]);
  last.lineTo(right[lines - 1]);
  last.lineTo(right[lines - 2]);
  last.closeSubpath();
  c.p.fillPath(last, QColor(icon_style::kAccent.red(), icon_style::kAccent.green(),
                            icon_style::kAccent.blue(), 150));
  c.p.setPen(c.Pen(icon_style::kInk, c.Small() ? 1.2 : 1.1));
  for (int i = 0; i < lines; ++i) c.p.drawLine(left[i], right[i]);
  for (int i = 1; i < lines; ++i) {
    c.p.drawLine(left[i - 1], left[i]);
    c.p.drawLine(right[i - 1], right[i]);
  }
}

// The stage: sky, rolling green ground crossed by terrain wires, the road running to the
// horizon, and a tree placed beside it.
void StagePictogram(Canvas& c, const QRectF& area, bool rounded) {
  QPainterPath clip;
  if (rounded) {
    clip.addRoundedRect(area, 6, 6);
  } else {
    clip.addRect(area);
  }
  c.p.setClipPath(clip, Qt::IntersectClip);
  const qreal x = area.left(), y = area.top(), w = area.width(), h = area.height();
  auto at = [&](qreal u, qreal v) { return QPointF(x + u * w, y + v * h); };
  QLinearGradient sky(at(0, 0), at(0, 0.5));
  sky.setColorAt(0, kSky.darker(115));
  sky.setColorAt(1, QColor(206, 230, 250));
  c.p.fillRect(area, sky);
  if (!c.Small()) {
    QRadialGradient sun(at(0.78, 0.2), w * 0.16);
    sun.setColorAt(0, QColor(255, 250, 210));
    sun.setColorAt(0.45, QColor(255, 236, 150));
    sun.setColorAt(1, QColor(255, 236, 150, 0));
    c.p.fillRect(area, sun);
  }
  QPainterPath hills;
  hills.moveTo(at(0, 0.5));
  hills.cubicTo(at(0.25, 0.36), at(0.5, 0.52), at(0.7, 0.44));
  hills.cubicTo(at(0.85, 0.38), at(0.95, 0.42), at(1, 0.44));
  hills.lineTo(at(1, 1));
  hills.lineTo(at(0, 1));
  hills.closeSubpath();
  QLinearGradient ground(at(0, 0.4), at(0, 1));
  ground.setColorAt(0, kGrassDark);
  ground.setColorAt(1, kGrass.lighter(115));
  c.p.fillPath(hills, ground);
  if (!c.Small()) {
    // Terrain wires: lines across the ground that bunch up towards the horizon.
    c.p.save();
    c.p.setClipPath(hills, Qt::IntersectClip);
    c.p.setPen(c.Pen(QColor(40, 90, 40, 150), 0.7));
    for (qreal v : {0.56, 0.64, 0.76, 0.92}) c.p.drawLine(at(0, v), at(1, v));
    for (qreal u : {-0.6, -0.2, 0.2, 1.2, 1.6, 2.0}) c.p.drawLine(at(0.5, 0.46), at(u, 1));
    c.p.restore();
  }
  QPainterPath road;
  road.moveTo(at(0.08, 1.0));
  road.cubicTo(at(0.3, 0.8), at(0.5, 0.6), at(0.52, 0.47));
  road.lineTo(at(0.56, 0.47));
  road.cubicTo(at(0.6, 0.6), at(0.72, 0.8), at(0.86, 1.0));
  road.closeSubpath();
  c.p.fillPath(road, kRoad);
  c.p.setPen(c.Pen(kRoadEdge, c.Small() ? 0.8 : 0.9, c.Small() ? 0.7 : 1.0));
  c.p.setBrush(Qt::NoBrush);
  c.p.drawPath(road);
  if (!c.Small()) {
    QPainterPath centre;
    centre.moveTo(at(0.47, 1.0));
    centre.cubicTo(at(0.52, 0.8), at(0.54, 0.6), at(0.54, 0.48));
    QPen dash = c.Pen(kCentreLine, 1.0);
    dash.setCapStyle(Qt::FlatCap);
    dash.setDashPattern({2.5, 2.0});
    c.p.strokePath(centre, dash);
    // A tree beside the road: an object placed in mode 1, selected (accent outline).
    const QPointF base = at(0.86, 0.66);
    c.p.setPen(c.Pen(QColor(96, 64, 40), 1.4));
    c.p.drawLine(base, base - QPointF(0, h * 0.12));
    c.p.setPen(c.Pen(icon_style::kAccent, 1.0));
    c.p.setBrush(QColor(40, 110, 50));
    c.p.drawEllipse(base - QPointF(0, h * 0.2), w * 0.08, h * 0.1);
  }
}

// A stack of equally sized pictures fanned out, the front one showing a small scene with a
// checkered corner (the transparent colour); frame numbers on the edge from 32 pixels up.
void PicturesPictogram(Canvas& c, const QRectF& area) {
  const int frames = 3;
  const qreal step = std::min(area.width(), area.height()) * 0.14;
  const qreal side = std::min(area.width(), area.height()) - step * (frames - 1);
  for (int i = 0; i < frames; ++i) {
    const QRectF frame(area.left() + step * (frames - 1 - i), area.top() + step * i, side, side);
    const bool front = i == frames - 1;
    if (front) {
      QLinearGradient sky(frame.topLeft(), frame.bottomLeft());
      sky.setColorAt(0, kSky);
      sky.setColorAt(1, QColor(210, 232, 250));
      c.p.fillRect(frame, sky);
      QPainterPath hill;
      hill.moveTo(frame.left(), frame.bottom() - side * 0.3);
      hill.quadTo(frame.left() + side * 0.45, frame.bottom() - side * 0.62, frame.right(),
                  frame.bottom() - side * 0.34);
      hill.lineTo(frame.bottomRight());
      hill.lineTo(frame.bottomLeft());
      hill.closeSubpath();
      c.p.fillPath(hill, kGrass);
      c.p.setPen(Qt::NoPen);
      c.p.setBrush(QColor(255, 214, 80));
      c.p.drawEllipse(QPointF(frame.left() + side * 0.7, frame.top() + side * 0.3), side * 0.12,
                      side * 0.12);
      if (!c.Small()) {
        // The transparent colour: a checkerboard in the top left corner.
        const int cells = 3;
        const qreal cell = side * 0.1;
        for (int row = 0; row < cells; ++row) {
          for (int col = 0; col < cells - row; ++col) {
            c.p.fillRect(QRectF(frame.left() + col * cell, frame.top() + row * cell, cell, cell),
                         (row + col) % 2 ? QColor(255, 255, 255) : QColor(200, 60, 200));
          }
        }
      }
    } else {
      c.p.fillRect(frame, i == 0 ? QColor(200, 204, 212) : QColor(224, 228, 236));
    }
    c.p.setBrush(Qt::NoBrush);
    c.p.setPen(c.Pen(front ? icon_style::kAccent : icon_style::kInk, front ? 1.4 : 1.0));
    c.p.drawRect(frame);
  }
}

// A polygon object: a box made of triangles, lit from the top left, with its edges and the
// diagonal that splits each face into two triangles drawn. `bare_left` leaves the left face
// as wire only: an object on its way from a mesh to a solid.
void ObjectPictogram(Canvas& c, const QRectF& area, bool bare_left = false) {
  const qreal s = std::min(area.width(), area.height());
  const qreal half = s * 0.46, rise = s * 0.24, height = s * 0.5;
  // The nearest top corner; the top face is a rhombus behind it, the sides hang below.
  const QPointF front(area.center().x(), area.center().y() - s * 0.02);
  const QPointF right = front + QPointF(half, -rise), back = front + QPointF(0, -2 * rise);
  const QPointF left = front + QPointF(-half, -rise);
  const QPointF down(0, height);
  auto face = [&](std::initializer_list<QPointF> corners, const QColor& colour) {
    c.p.setPen(Qt::NoPen);
    c.p.setBrush(colour);
    c.p.drawPolygon(QPolygonF(QList<QPointF>(corners)));
  };
  const QColor base(214, 148, 92);
  face({front, right, back, left}, base.lighter(130));
  face({left, front, front + down, left + down}, bare_left ? QColor(255, 255, 255, 110) : base);
  face({front, right, right + down, front + down}, base.darker(135));
  c.p.setBrush(Qt::NoBrush);
  c.p.setPen(c.Pen(icon_style::kInk, c.Small() ? 0.8 : 0.7, c.Small() ? 0.7 : 1.0));
  c.p.drawLine(left, right);
  c.p.drawLine(front, left + down);
  c.p.drawLine(right, front + down);
  c.p.setPen(c.Pen(icon_style::kInk, 1.1));
  c.p.drawPolygon(QPolygonF({left, back, right, right + down, front + down, left + down}));
  c.p.drawLine(left, front);
  c.p.drawLine(front, right);
  c.p.drawLine(front, front + down);
}

// The converter: a wire triangle mesh (the COB object) turned into a shaded object (the PO3)
// by the arrow between them.
void ConverterPictogram(Canvas& c, const QRectF& area) {
  if (c.Small()) {
    ObjectPictogram(c, area.adjusted(1, 2, -1, 0), true);
    return;
  }
  const qreal x = area.left(), y = area.top(), w = area.width(), h = area.height();
  auto at = [&](qreal u, qreal v) { return QPointF(x + u * w, y + v * h); };
  // The source mesh at the left: a wire pyramid of triangles, its hidden edge dashed.
  const QPointF apex = at(0.2, 0.14), a = at(0.0, 0.6), b = at(0.24, 0.72), d = at(0.4, 0.56);
  c.p.setPen(c.Pen(icon_style::kInk, 1.1));
  c.p.setBrush(QColor(255, 255, 255, 90));
  c.p.drawPolygon(QPolygonF({apex, a, b}));
  c.p.drawPolygon(QPolygonF({apex, b, d}));
  QPen hidden = c.Pen(icon_style::kInk, 0.7);
  hidden.setDashPattern({1.5, 1.5});
  c.p.setPen(hidden);
  c.p.drawLine(a, d);
  // The converted object at the bottom right, the arrow between them.
  ObjectPictogram(c, QRectF(at(0.5, 0.38), at(1.0, 0.98)));
  c.p.setPen(c.Pen(icon_style::kAccent, 2.4));
  icon_style::Arrow(c.p, at(0.3, 0.06), at(0.74, 0.22), 5.0);
}

struct Icon {
  const char* folder;  // "apps" or "mimetypes"
  const char* name;
  std::function<void(Canvas&)> draw;
};

std::vector<Icon> Icons() {
  const QRectF tile_area(8, 8, 32, 32);
  const QRectF small_tile_area(5, 5, 38, 38);
  auto inner = [=](const Canvas& c) { return c.Small() ? small_tile_area : tile_area; };
  return {
      {"apps", "merrowlindale",
       [=](Canvas& c) {
         Tile(c, QColor(92, 160, 78));
         CoursePictogram(c, inner(c).adjusted(-3, -2, 3, 2), true);
       }},
      {"apps", "tarnhollow",
       [=](Canvas& c) {
         Tile(c, QColor(70, 120, 190));
         StagePictogram(c, c.Small() ? QRectF(4, 4, 40, 40) : QRectF(6, 6, 36, 36), true);
       }},
      {"apps", "tessaly",
       [=](Canvas& c) {
         Tile(c, QColor(196, 138, 54));
         PicturesPictogram(c, inner(c).adjusted(1, 1, -1, -1));
       }},
      {"apps", "polyconv",
       [=](Canvas& c) {
         Tile(c, QColor(120, 128, 150));
         ConverterPictogram(c, inner(c).adjusted(-1, -1, 1, 1));
       }},
      {"mimetypes", "application-x-courseloom-course",
       [](Canvas& c) {
         Page(c, QColor(60, 130, 60), QStringLiteral("CUS"),
              [](Canvas& cc, const QRectF& a) { CoursePictogram(cc, a, false); });
       }},
      {"mimetypes", "application-x-courseloom-partition",
       [](Canvas& c) {
         Page(c, QColor(96, 98, 110), QStringLiteral("PAT"),
              [](Canvas& cc, const QRectF& a) { PartitionPictogram(cc, a); });
       }},
      {"mimetypes", "application-x-courseloom-stage",
       [](Canvas& c) {
         Page(c, QColor(60, 104, 172), QStringLiteral("STE"),
              [](Canvas& cc, const QRectF& a) { StagePictogram(cc, a, false); });
       }},
      {"mimetypes", "application-x-courseloom-pictures",
       [](Canvas& c) {
         Page(c, QColor(180, 120, 40), QStringLiteral("TSY"),
              [](Canvas& cc, const QRectF& a) { PicturesPictogram(cc, a); });
       }},
      {"mimetypes", "application-x-courseloom-object",
       [](Canvas& c) {
         Page(c, QColor(150, 90, 60), QStringLiteral("PO3"),
              [](Canvas& cc, const QRectF& a) { ObjectPictogram(cc, a); });
       }},
  };
}

QImage Draw(const Icon& icon, int pixels) {
  QImage image(pixels, pixels, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  painter.scale(pixels / kGrid, pixels / kGrid);
  Canvas canvas{painter, pixels};
  icon.draw(canvas);
  painter.end();
  return image;
}

constexpr char kUsage[] =
    "usage: make_app_icons <folder>\n"
    "Draws the application and document icons of the suite into\n"
    "<folder>/hicolor/<size>x<size>/{apps,mimetypes}/.\n";

// Draws every picture into `root`; false when one could not be written.
bool DrawAll(const std::string& root) {
  bool ok = true;
  for (const Icon& icon : Icons()) {
    for (int pixels : kSizes) {
      const std::string folder = root + "/hicolor/" + std::to_string(pixels) + "x" +
                                 std::to_string(pixels) + "/" + icon.folder;
      if (!QDir().mkpath(QString::fromStdString(folder))) {
        std::fprintf(stderr, "make_app_icons: cannot make %s\n", folder.c_str());
        ok = false;
        continue;
      }
      ok = SavePng(Draw(icon, pixels), folder, std::string(icon.name) + ".png") && ok;
    }
  }
  return ok;
}

}  // namespace

int main(int argc, char** argv) { return RunResourceGenerator(argc, argv, kUsage, DrawAll); }
