#include "course/gui/course_drawing.h"

#include <QPolygonF>
#include <cmath>

#include "foundation/error.h"
#include "foundation/gui/named_resources.h"
#include "foundation/gui/surface_view.h"
#include "render/line_drawing.h"

// Resources of a static library are linked in only when referred to (outside any namespace).
static void InitDesignerResources() { Q_INIT_RESOURCE(merrowlindale); }

namespace {

constexpr const char* kTag = "DispControl1";
constexpr QRgb kMarkerKey = 0xFF00FF;  // magenta: transparent in the marker pictures

uint16_t Colour(int r, int g, int b) { return PackColour555(uint8_t(r), uint8_t(g), uint8_t(b)); }

int32_t Truncated(double v) {
  if (!(v > -1e6)) return -1000000;
  if (!(v < 1e6)) return 1000000;
  return static_cast<int32_t>(v);
}

void Line(Surface16& surface, double x0, double y0, double x1, double y1, uint16_t colour,
          int32_t width = 1) {
  DrawLine(surface, Truncated(x0), Truncated(y0), Truncated(x1), Truncated(y1), Pen{colour, width});
}

void Square(Surface16& surface, double cx, double cy, int32_t half, uint16_t colour) {
  const int32_t x = Truncated(cx), y = Truncated(cy);
  for (int32_t j = y - half; j <= y + half; ++j) {
    for (int32_t i = x - half; i <= x + half; ++i) surface.Set(i, j, colour);
  }
}

// An outlined square: a handle end.
void Ring(Surface16& surface, double cx, double cy, int32_t half, uint16_t colour) {
  const int32_t x = Truncated(cx), y = Truncated(cy);
  for (int32_t k = -half; k <= half; ++k) {
    surface.Set(x + k, y - half, colour);
    surface.Set(x + k, y + half, colour);
    surface.Set(x - half, y + k, colour);
    surface.Set(x + half, y + k, colour);
  }
}

void Marker(Surface16& surface, const QImage& picture, double cx, double cy, QPoint hot) {
  if (picture.isNull()) return;
  SurfacePainter painter(surface);
  painter.DrawMarker(QPoint(Truncated(cx) - hot.x(), Truncated(cy) - hot.y()), picture, kMarkerKey);
}

// Grid lines every 10^k world units, k chosen so that lines are at least 24 pixels apart.
double GridSpacing(double pixels_per_unit) {
  double spacing = 1.0;
  while (spacing * pixels_per_unit < 24.0 && spacing < 1e7) spacing *= 10.0;
  return spacing;
}

void Grid(Surface16& surface, double origin_x, double origin_y, double scale_x, double scale_y) {
  // origin_*: screen position of world 0; scale_*: pixels per unit.
  const uint16_t minor = Colour(36, 46, 62), axis = Colour(62, 78, 104);
  const int32_t w = surface.Width(), h = surface.Height();
  const double sx = GridSpacing(scale_x), sy = GridSpacing(scale_y);
  for (double k = std::floor(-origin_x / scale_x / sx); k * sx * scale_x + origin_x < w; k += 1) {
    const double x = origin_x + k * sx * scale_x;
    Line(surface, x, 0, x, h, k == 0 ? axis : minor);
  }
  for (double k = std::floor(-origin_y / scale_y / sy); k * sy * scale_y + origin_y < h; k += 1) {
    const double y = origin_y + k * sy * scale_y;
    Line(surface, 0, y, w, y, k == 0 ? axis : minor);
  }
}

// Screen positions of a list of points, through a projection.
template <typename Project>
void RoadSurface(Surface16& surface, const std::vector<PartitionRecord>& lines, Project project) {
  if (lines.size() < 2) return;
  SurfacePainter painter(surface);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(70, 72, 82));
  for (size_t k = 0; k + 1 < lines.size(); ++k) {
    QPolygonF quad;
    for (const auto* end :
         {lines[k].left_end, lines[k].right_end, lines[k + 1].right_end, lines[k + 1].left_end}) {
      double sx = 0, sy = 0;
      project(end[0], end[1], end[2], &sx, &sy);
      quad << QPointF(sx, sy);
    }
    painter.drawPolygon(quad);
  }
}

}  // namespace

void DispControl1::InitResources() {
  static const bool initialised = [] {
    InitDesignerResources();
    return true;
  }();
  (void)initialised;
}

uint16_t DispControl1::Background() { return Colour(22, 28, 40); }
uint16_t DispControl1::RoadColour() { return Colour(70, 72, 82); }
uint16_t DispControl1::EdgeColour() { return Colour(236, 236, 236); }
uint16_t DispControl1::CentreColour() { return Colour(250, 208, 56); }
uint16_t DispControl1::PointColour() { return Colour(88, 200, 255); }
uint16_t DispControl1::SelectedColour() { return Colour(255, 84, 60); }
uint16_t DispControl1::HandleColour() { return Colour(120, 255, 140); }

const QImage& DispControl1::HandPicture() {
  static const QImage picture = [] {
    InitResources();
    return NamedImage("HAND_BMP");
  }();
  return picture;
}

const QImage& DispControl1::CameraPicture() {
  static const QImage picture = [] {
    InitResources();
    return NamedImage("CAMERAPOS_BMP");
  }();
  return picture;
}

void DispControl1::CheckPointKinds(const CourseData1& course, int32_t i) {
  for (CourseData1::Quantity q : {CourseData1::kX, CourseData1::kY, CourseData1::kZ}) {
    const int32_t kind = course.Spline(q).Point(i).kind;
    if (kind != UnitSpline1::kFree && kind != UnitSpline1::kFixed) {
      Error1::Report(kTag, "ありえない点の性質フラグを検出", 3);
    }
  }
}

void DispControl1::DrawParallel(Surface16& surface, const ParallelControl1& control,
                                const CourseData1& course,
                                const std::vector<PartitionRecord>& lines) {
  surface.Fill(Background());
  if (surface.Empty()) return;
  auto project = [&control](double x, double y, double z, double* sx, double* sy) {
    control.ToScreen(x, y, z, sx, sy);
  };
  double ox = 0, oy = 0;
  project(0, 0, 0, &ox, &oy);
  const double zoom = control.Camera().GetZoom();
  Grid(surface, ox, oy, zoom, zoom);
  RoadSurface(surface, lines, project);

  // Edges and centre line.
  for (size_t k = 0; k + 1 < lines.size(); ++k) {
    const PartitionRecord& a = lines[k];
    const PartitionRecord& b = lines[k + 1];
    double x0, y0, x1, y1;
    project(a.left_end[0], a.left_end[1], a.left_end[2], &x0, &y0);
    project(b.left_end[0], b.left_end[1], b.left_end[2], &x1, &y1);
    Line(surface, x0, y0, x1, y1, EdgeColour());
    project(a.right_end[0], a.right_end[1], a.right_end[2], &x0, &y0);
    project(b.right_end[0], b.right_end[1], b.right_end[2], &x1, &y1);
    Line(surface, x0, y0, x1, y1, EdgeColour());
    project(a.position[0], a.position[1], a.position[2], &x0, &y0);
    project(b.position[0], b.position[1], b.position[2], &x1, &y1);
    Line(surface, x0, y0, x1, y1, CentreColour());
  }

  // The course marker under the points, so that a point on it can still be seen.
  if (course.HasMarker() && course.SegmentCount() > 0) {
    const CourseMarker marker = course.Marker();
    if (marker.segment < course.SegmentCount()) {
      const CourseVector m = course.PositionAt(marker.segment, marker.t);
      double sx, sy;
      project(m.x, m.y, m.z, &sx, &sy);
      const QImage& picture = CameraPicture();
      Marker(surface, picture, sx, sy, QPoint(picture.width() / 2, picture.height() / 2));
    }
  }
  // Control points, the selected one larger, joined by a faint chain in editing order.
  const int32_t n = course.PointCount();
  const int32_t selected = course.SelectedPoint();
  for (int32_t i = 0; i < n; ++i) {
    CheckPointKinds(course, i);
    const CourseVector p = course.PointPosition(i);
    double sx, sy;
    project(p.x, p.y, p.z, &sx, &sy);
    if (lines.size() < 2 && i + 1 < n) {
      const CourseVector q = course.PointPosition(i + 1);
      double tx, ty;
      project(q.x, q.y, q.z, &tx, &ty);
      Line(surface, sx, sy, tx, ty, CentreColour());
    }
    Square(surface, sx, sy, i == selected ? 3 : 2,
           i == selected ? SelectedColour() : PointColour());
  }

  // The selected point's handle: a line through the point between its two ends.
  if (selected >= 0 && selected < n) {
    double e1x, e1y, e2x, e2y, px, py;
    const CourseVector p = course.PointPosition(selected);
    const CourseVector e1 = ParallelControl1::HandleEnd(course, selected, 1);
    const CourseVector e2 = ParallelControl1::HandleEnd(course, selected, 2);
    project(p.x, p.y, p.z, &px, &py);
    project(e1.x, e1.y, e1.z, &e1x, &e1y);
    project(e2.x, e2.y, e2.z, &e2x, &e2y);
    Line(surface, e2x, e2y, e1x, e1y, HandleColour());
    const int32_t handle = course.HandleState();
    Ring(surface, e1x, e1y, 3, handle == 1 ? SelectedColour() : HandleColour());
    Ring(surface, e2x, e2y, 3, handle == 2 ? SelectedColour() : HandleColour());
    Square(surface, px, py, 3, SelectedColour());
    Marker(surface, HandPicture(), px, py, QPoint(-4, -4));
  }
}

void DispControl1::DrawDeveloped(Surface16& surface, const ExpandControl1& control,
                                 const CourseData1& course, const CourseDevelopment& development,
                                 int32_t flag) {
  if (flag != kDrawWidths && flag != kDrawHeights) {
    Error1::Report(kTag, "ありえないフラグを検出", 3);
    return;
  }
  surface.Fill(Background());
  if (surface.Empty()) return;
  const bool widths = flag == kDrawWidths;
  auto project = [&control](double distance, double across, double* sx, double* sy) {
    control.ToScreen(distance, across, sx, sy);
  };
  double ox, oy;
  project(0, 0, &ox, &oy);
  const double along_scale = control.Zoom();
  if (widths) {
    Grid(surface, ox, oy, ExpandControl1::kWidthScale, along_scale);
  } else {
    Grid(surface, ox, oy, along_scale, ExpandControl1::kHeightScale);
  }

  const std::vector<DevelopedSample>& samples = development.samples;
  for (size_t k = 0; k + 1 < samples.size(); ++k) {
    const DevelopedSample& a = samples[k];
    const DevelopedSample& b = samples[k + 1];
    double x0, y0, x1, y1;
    if (widths) {
      double l0x, l0y, l1x, l1y, r0x, r0y, r1x, r1y;
      project(a.distance, -a.line.left_width, &l0x, &l0y);
      project(b.distance, -b.line.left_width, &l1x, &l1y);
      project(a.distance, a.line.right_width, &r0x, &r0y);
      project(b.distance, b.line.right_width, &r1x, &r1y);
      {
        SurfacePainter painter(surface);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(70, 72, 82));
        painter.drawPolygon(QPolygonF(
            {QPointF(l0x, l0y), QPointF(r0x, r0y), QPointF(r1x, r1y), QPointF(l1x, l1y)}));
      }
      Line(surface, l0x, l0y, l1x, l1y, EdgeColour());
      Line(surface, r0x, r0y, r1x, r1y, EdgeColour());
      project(a.distance, 0, &x0, &y0);
      project(b.distance, 0, &x1, &y1);
      Line(surface, x0, y0, x1, y1, CentreColour());
    } else {
      project(a.distance, a.line.position[1], &x0, &y0);
      project(b.distance, b.line.position[1], &x1, &y1);
      Line(surface, x0, y0, x1, y1, CentreColour(), 2);
    }
  }

  if (course.HasMarker() && course.SegmentCount() > 0) {
    const double distance = development.MarkerDistance(course);
    double sx, sy;
    if (widths) {
      project(distance, 0, &sx, &sy);
    } else {
      const CourseMarker marker = course.Marker();
      project(distance, course.PositionAt(marker.segment, marker.t).y, &sx, &sy);
    }
    const QImage& picture = CameraPicture();
    Marker(surface, picture, sx, sy, QPoint(picture.width() / 2, picture.height() / 2));
  }
  const int32_t n = course.PointCount();
  if (static_cast<int32_t>(development.point_distance.size()) != n) return;
  const int32_t selected = course.SelectedPoint();
  const int32_t sides = widths ? 2 : 1;
  for (int32_t i = 0; i < n; ++i) {
    CheckPointKinds(course, i);
    for (int32_t side = 0; side < sides; ++side) {
      double distance, across, sx, sy;
      control.PointMark(course, development, i, side, &distance, &across);
      project(distance, across, &sx, &sy);
      const bool chosen = i == selected && (!widths || side == course.Side());
      Square(surface, sx, sy, chosen ? 3 : 2, chosen ? SelectedColour() : PointColour());
    }
  }
  if (selected >= 0 && selected < n) {
    const int32_t side = widths ? course.Side() : 0;
    double d, a, px, py, e1x, e1y, e2x, e2y;
    control.PointMark(course, development, selected, side, &d, &a);
    project(d, a, &px, &py);
    control.HandleEnd(course, development, selected, side, 1, &d, &a);
    project(d, a, &e1x, &e1y);
    control.HandleEnd(course, development, selected, side, 2, &d, &a);
    project(d, a, &e2x, &e2y);
    Line(surface, e2x, e2y, e1x, e1y, HandleColour());
    const int32_t handle = course.HandleState();
    Ring(surface, e1x, e1y, 3, handle == 1 ? SelectedColour() : HandleColour());
    Ring(surface, e2x, e2y, 3, handle == 2 ? SelectedColour() : HandleColour());
    Square(surface, px, py, 3, SelectedColour());
    Marker(surface, HandPicture(), px, py, QPoint(-4, -4));
  }
}

void DispControl1::DrawPointParameters(Surface16& surface, const PointControl1& control,
                                       const CourseData1& course) {
  surface.Fill(Background());
  if (surface.Empty()) return;
  const double cx = control.CentreX(), cy = control.CentreY(), r = control.BarRadius();
  // Level line and a circle of the full turn for reference.
  Line(surface, cx - r * 1.15, cy, cx + r * 1.15, cy, Colour(62, 78, 104));
  Line(surface, cx, cy - r * 1.15, cx, cy + r * 1.15, Colour(62, 78, 104));
  double mx, my, hx, hy;
  if (!control.RollMarker(course, &mx, &my) || !control.RollHandle(course, &hx, &hy)) return;
  CheckPointKinds(course, course.SelectedPoint());
  const double roll = course.PointRoll(course.SelectedPoint());
  // The road's cross-section: a thick bar with a sign post of the up direction.
  const double ux = std::sin(roll), uy = -std::cos(roll);
  {
    SurfacePainter painter(surface);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(QColor(236, 236, 236), 2));
    painter.setBrush(QColor(70, 72, 82));
    const double t = std::max(4.0, r * 0.06);
    painter.drawPolygon(
        QPolygonF({QPointF(cx - r * std::cos(roll), cy - r * std::sin(roll)), QPointF(mx, my),
                   QPointF(mx + ux * t, my + uy * t),
                   QPointF(cx - r * std::cos(roll) + ux * t, cy - r * std::sin(roll) + uy * t)}));
  }
  Line(surface, cx, cy, cx + ux * r * 0.4, cy + uy * r * 0.4, CentreColour());
  // The bank a little further on, dashed, ending in the tangent handle.
  const double ex = cx + (cx - hx), ey = cy + (cy - hy);
  for (int k = 0; k < 20; k += 2) {
    Line(surface, hx + (ex - hx) * k / 20.0, hy + (ey - hy) * k / 20.0,
         hx + (ex - hx) * (k + 1) / 20.0, hy + (ey - hy) * (k + 1) / 20.0, HandleColour());
  }
  const int32_t pick = control.Pick();
  Square(surface, mx, my, 4, pick == PointControl1::kRollMarker ? SelectedColour() : PointColour());
  Ring(surface, hx, hy, 4, pick == PointControl1::kRollHandle ? SelectedColour() : HandleColour());
}
