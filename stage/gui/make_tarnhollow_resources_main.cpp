// Draws the stage editor's button strips (raised, pointer over it, pressed) for every button
// of the mode, tool and work windows, the background of the coordinate text windows and the
// window icon into resources/tarnhollow/buttons, and writes resources/tarnhollow/
// tarnhollow.qrc naming them. The outputs are committed; run
//   build/bin/make_tarnhollow_resources resources/tarnhollow
// (with QT_QPA_PLATFORM=offscreen on a machine without a display) after changing a drawing.
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "foundation/gui/icon_painter.h"
#include "foundation/gui/named_resources.h"
#include "foundation/gui/resource_generator.h"
#include "stage/tool_buttons.h"

namespace {

using icon_style::AccentColour;
using icon_style::Glyph;
using icon_style::kRoad;
using icon_style::kRoadEdge;
using icon_style::Look;
using icon_style::ViewFrame;

const QColor kWire(150, 96, 60);
const QColor kGrass(96, 168, 72);
const QColor kPointBlue(30, 120, 220);
const QColor kSky(150, 200, 245);
const QColor kAxisX(210, 40, 40);
const QColor kAxisY(30, 150, 40);
const QColor kAxisZ(40, 80, 220);
const QColor kStop(220, 30, 30);

QPointF At(const QRectF& r, qreal fx, qreal fy) {
  return QPointF(r.left() + fx * r.width(), r.top() + fy * r.height());
}

// --- Pieces the pictograms are made of ---------------------------------------------------

// A small arrow pointer with its tip at `tip`.
void Pointer(QPainter& p, QPointF tip, qreal size = 8.0) {
  QPainterPath arrow;
  arrow.moveTo(tip);
  arrow.lineTo(tip + QPointF(0, size));
  arrow.lineTo(tip + QPointF(size * 0.28, size * 0.72));
  arrow.lineTo(tip + QPointF(size * 0.5, size * 1.05));
  arrow.lineTo(tip + QPointF(size * 0.66, size * 0.95));
  arrow.lineTo(tip + QPointF(size * 0.45, size * 0.64));
  arrow.lineTo(tip + QPointF(size * 0.78, size * 0.64));
  arrow.closeSubpath();
  p.setPen(QPen(QColor(20, 20, 20), 1.0));
  p.setBrush(Qt::white);
  p.drawPath(arrow);
}

// A selected point: the blue square the views mark points with.
void PointMark(QPainter& p, QPointF c, qreal half = 2.2, QColor colour = kPointBlue) {
  p.setPen(QPen(QColor(10, 30, 70), 0.8));
  p.setBrush(colour);
  p.drawRect(QRectF(c.x() - half, c.y() - half, 2 * half, 2 * half));
}

void PlusSign(QPainter& p, QPointF c, qreal half, Look look) {
  p.setPen(QPen(AccentColour(look), 2.0, Qt::SolidLine, Qt::FlatCap));
  p.drawLine(c - QPointF(half, 0), c + QPointF(half, 0));
  p.drawLine(c - QPointF(0, half), c + QPointF(0, half));
}

void Cross(QPainter& p, QPointF c, qreal half) {
  p.setPen(QPen(kStop, 2.0, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(c + QPointF(-half, -half), c + QPointF(half, half));
  p.drawLine(c + QPointF(-half, half), c + QPointF(half, -half));
}

// A road quad seen at a slant: a grey trapezoid with white edges.
void RoadQuad(QPainter& p, const QRectF& r, QColor outline = QColor()) {
  QPolygonF quad({At(r, 0.0, 1.0), At(r, 1.0, 1.0), At(r, 0.78, 0.0), At(r, 0.22, 0.0)});
  p.setPen(Qt::NoPen);
  p.setBrush(kRoad);
  p.drawPolygon(quad);
  p.setPen(QPen(kRoadEdge, 1.0));
  p.drawLine(quad[0] + QPointF(1.2, -0.5), quad[3] + QPointF(0.6, 0.5));
  p.drawLine(quad[1] + QPointF(-1.2, -0.5), quad[2] + QPointF(-0.6, 0.5));
  if (outline.isValid()) {
    p.setPen(QPen(outline, 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(quad);
  }
}

// A road seen from above running up the picture, between x0 and x1.
void RoadStrip(QPainter& p, const QRectF& r, qreal x0, qreal x1) {
  const QRectF road(At(r, x0, 0).x(), r.top(), (x1 - x0) * r.width(), r.height());
  p.fillRect(road, kRoad);
  p.setPen(QPen(QColor(246, 200, 52), 1.0, Qt::DashLine));
  p.drawLine(QPointF(road.center().x(), r.top()), QPointF(road.center().x(), r.bottom()));
}

// A terrain wire seen from above: a brown line beside the road with its point.
void WireLine(QPainter& p, const QRectF& r, qreal x, QColor colour = kWire) {
  p.setPen(QPen(colour, 1.6));
  p.drawLine(At(r, x, 0.05), At(r, x, 0.95));
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawEllipse(At(r, x, 0.5), 1.6, 1.6);
}

// A cube in a three-quarter view.
void Cube(QPainter& p, const QRectF& r, QColor colour = QColor(120, 160, 215)) {
  const qreal d = std::min(r.width(), r.height());
  const QPointF o(r.center().x() - d / 2, r.center().y() - d / 2);
  const qreal k = d * 0.32;
  const QPointF a = o + QPointF(0, k), b = o + QPointF(d - k, k), c = o + QPointF(d - k, d),
                e = o + QPointF(0, d), f = o + QPointF(k, 0), g = o + QPointF(d, 0),
                h = o + QPointF(d, d - k);
  p.setPen(QPen(icon_style::kInk, 1.0));
  p.setBrush(colour);
  p.drawPolygon(QPolygonF({a, b, c, e}));
  p.setBrush(colour.lighter(130));
  p.drawPolygon(QPolygonF({a, f, g, b}));
  p.setBrush(colour.darker(125));
  p.drawPolygon(QPolygonF({b, g, h, c}));
}

// The axes of the object coordinates: X red, Y green (up), Z blue, from `origin`.
void Tripod(QPainter& p, QPointF origin, qreal length) {
  p.setPen(QPen(kAxisX, 1.6));
  icon_style::Arrow(p, origin, origin + QPointF(length, 0), 3.5);
  p.setPen(QPen(kAxisY, 1.6));
  icon_style::Arrow(p, origin, origin + QPointF(0, -length), 3.5);
  p.setPen(QPen(kAxisZ, 1.6));
  icon_style::Arrow(p, origin, origin + QPointF(-length * 0.6, length * 0.6), 3.5);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(30, 30, 30));
  p.drawEllipse(origin, 1.6, 1.6);
}

// A small landscape picture: what a texture is.
void Picture(QPainter& p, const QRectF& r) {
  p.setPen(Qt::NoPen);
  p.fillRect(r, kSky);
  QPainterPath hill;
  hill.moveTo(r.bottomLeft());
  hill.lineTo(At(r, 0.0, 0.7));
  hill.cubicTo(At(r, 0.3, 0.35), At(r, 0.5, 0.45), At(r, 0.7, 0.6));
  hill.cubicTo(At(r, 0.85, 0.5), At(r, 0.95, 0.55), At(r, 1.0, 0.6));
  hill.lineTo(r.bottomRight());
  hill.closeSubpath();
  p.fillPath(hill, kGrass);
  p.setBrush(QColor(255, 210, 60));
  p.drawEllipse(At(r, 0.75, 0.25), r.width() * 0.1, r.width() * 0.1);
  p.setPen(QPen(icon_style::kInk, 1.0));
  p.setBrush(Qt::NoBrush);
  p.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
}

// A film camera seen from the side, its lens to the right: two reels on a body.
void Camera(QPainter& p, const QRectF& r) {
  const qreal h = std::min(r.height(), 10.0);
  const QRectF body(r.left(), r.center().y() - h * 0.15, r.width() * 0.68, h * 0.55);
  p.setPen(QPen(icon_style::kInk, 0.9));
  p.setBrush(QColor(226, 226, 230));
  p.drawEllipse(QPointF(body.left() + body.width() * 0.3, body.top() - h * 0.2), h * 0.2, h * 0.2);
  p.drawEllipse(QPointF(body.left() + body.width() * 0.75, body.top() - h * 0.2), h * 0.2, h * 0.2);
  p.setBrush(QColor(64, 68, 80));
  p.drawRect(body);
  QPolygonF lens({QPointF(body.right(), body.center().y() - 1.0),
                  QPointF(r.right(), body.top() - 1.0), QPointF(r.right(), body.bottom() + 1.0),
                  QPointF(body.right(), body.center().y() + 1.0)});
  p.drawPolygon(lens);
}

// The split view: four panes, the perspective one darker.
void Panes(QPainter& p, const QRectF& r, Look look) {
  icon_style::Panes(p, r, look, icon_style::kFourPanes, 1);
}

// --- Pictograms ------------------------------------------------------------------------------

void TerrainMode(QPainter& p, const QRectF& r, Look) {
  QPainterPath hills;
  hills.moveTo(r.bottomLeft());
  hills.lineTo(At(r, 0.0, 0.45));
  hills.lineTo(At(r, 0.28, 0.15));
  hills.lineTo(At(r, 0.5, 0.55));
  hills.lineTo(At(r, 0.72, 0.2));
  hills.lineTo(At(r, 1.0, 0.5));
  hills.lineTo(r.bottomRight());
  hills.closeSubpath();
  p.fillPath(hills, kGrass);
  p.setPen(QPen(kWire, 1.3));
  p.setBrush(Qt::NoBrush);
  p.drawPath(hills);
  QPolygonF road({At(r, 0.3, 1.0), At(r, 0.7, 1.0), At(r, 0.56, 0.55), At(r, 0.44, 0.55)});
  p.setPen(Qt::NoPen);
  p.setBrush(kRoad);
  p.drawPolygon(road);
}

void ObjectMode(QPainter& p, const QRectF& r, Look) {
  Cube(p, QRectF(r.left(), r.top() + r.height() * 0.3, r.width() * 0.6, r.height() * 0.7));
  // A tree beside the box.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(120, 80, 40));
  p.drawRect(QRectF(At(r, 0.78, 0.6), QSizeF(2, r.height() * 0.4)));
  p.setBrush(QColor(50, 140, 60));
  p.drawEllipse(At(r, 0.82, 0.4), r.width() * 0.17, r.height() * 0.26);
}

Glyph CameraTool(const Glyph& motion) {
  return [motion](QPainter& p, const QRectF& r, Look look) {
    const qreal side = std::min<qreal>(r.height(), 16.0);
    const QRectF icon(r.right() - side, r.center().y() - side / 2, side, side);
    Camera(p, QRectF(r.left(), r.center().y() - 5, icon.left() - r.left() - 1, 10));
    motion(p, icon, look);
  };
}

void SelectPartition(QPainter& p, const QRectF& r, Look) {
  RoadQuad(p, r.adjusted(0, 1, -2, -2), QColor(230, 30, 30));
  Pointer(p, At(r, 0.55, 0.4));
}

void SelectPoint(QPainter& p, const QRectF& r, Look) {
  p.setPen(QPen(kWire, 1.5));
  p.drawPolyline(
      QPolygonF({At(r, 0.0, 0.8), At(r, 0.35, 0.45), At(r, 0.7, 0.55), At(r, 1.0, 0.1)}));
  PointMark(p, At(r, 0.35, 0.45));
  Pointer(p, At(r, 0.42, 0.5));
}

void WireEdit(QPainter& p, const QRectF& r, Look look) {
  RoadStrip(p, r, 0.36, 0.64);
  WireLine(p, r, 0.2);
  WireLine(p, r, 0.8);
  WireLine(p, r, 0.04, AccentColour(look));
  WireLine(p, r, 0.96, AccentColour(look));
}

void PointMove(QPainter& p, const QRectF& r, Look look) {
  p.setPen(QPen(AccentColour(look), 1.5));
  const QPointF c = r.center();
  const qreal d = r.width() / 2 - 0.5;
  for (QPointF to : {QPointF(d, 0), QPointF(-d, 0), QPointF(0, d), QPointF(0, -d)}) {
    icon_style::Arrow(p, c, c + to, 3.5);
  }
  PointMark(p, c, 2.6);
}

void PointGlue(QPainter& p, const QRectF& r, Look look) {
  p.setPen(QPen(kWire, 1.4));
  p.drawLine(At(r, 0.0, 0.95), At(r, 0.25, 0.7));
  p.drawLine(At(r, 1.0, 0.95), At(r, 0.78, 0.3));
  PointMark(p, At(r, 0.25, 0.7));
  p.setPen(QPen(AccentColour(look), 1.4, Qt::DashLine));
  p.drawEllipse(At(r, 0.78, 0.3), 3.5, 3.5);
  p.setPen(QPen(AccentColour(look), 1.5));
  icon_style::Arrow(p, At(r, 0.3, 0.6), At(r, 0.66, 0.36), 3.5);
}

void FaceAttribute(QPainter& p, const QRectF& r, Look) {
  QPolygonF face({At(r, 0.05, 0.9), At(r, 0.75, 0.95), At(r, 0.95, 0.15), At(r, 0.28, 0.05)});
  p.save();
  QPainterPath clip;
  clip.addPolygon(face);
  p.setClipPath(clip, Qt::IntersectClip);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) {
      p.fillRect(QRectF(r.left() + x * r.width() / 4, r.top() + y * r.height() / 4, r.width() / 4,
                        r.height() / 4),
                 (x + y) % 2 ? QColor(200, 150, 90) : QColor(110, 170, 80));
    }
  }
  p.restore();
  p.setPen(QPen(icon_style::kInk, 1.2));
  p.setBrush(Qt::NoBrush);
  p.drawPolygon(face);
}

void TopView(QPainter& p, const QRectF& r, Look look) {
  ViewFrame(p, r, look);
  p.setPen(QPen(kRoad, 2.6));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(r.adjusted(3, 4, -3, -4));
}

void SideView(QPainter& p, const QRectF& r, Look look) {
  ViewFrame(p, r, look);
  QPainterPath hill;
  hill.moveTo(r.left() + 2, r.bottom() - 3);
  hill.cubicTo(r.left() + 6, r.bottom() - 3, r.center().x() - 2, r.top() + 3, r.right() - 2,
               r.top() + 5);
  p.setPen(QPen(kRoad, 2.4));
  p.drawPath(hill);
}

void FrontView(QPainter& p, const QRectF& r, Look look) {
  ViewFrame(p, r, look);
  p.setPen(QPen(kWire, 1.2));
  p.drawLine(At(r, 0.05, 0.35), At(r, 0.28, 0.62));
  p.drawLine(At(r, 0.95, 0.3), At(r, 0.72, 0.62));
  p.setPen(QPen(kRoad, 2.6));
  p.drawLine(At(r, 0.28, 0.62), At(r, 0.72, 0.62));
}

void PerspectiveView(QPainter& p, const QRectF& r, Look look) {
  ViewFrame(p, r, look, kSky);
  p.fillRect(QRectF(At(r, 0, 0.45), r.bottomRight()).adjusted(1, 0, -1, -1), kGrass);
  QPolygonF road({At(r, 0.1, 1.0), At(r, 0.9, 1.0), At(r, 0.54, 0.45), At(r, 0.46, 0.45)});
  p.setPen(Qt::NoPen);
  p.setBrush(kRoad);
  p.drawPolygon(road);
  p.setPen(icon_style::InkPen(look, 1.0));
  p.setBrush(Qt::NoBrush);
  p.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
}

void PartitionView(QPainter& p, const QRectF& r, Look look) {
  ViewFrame(p, r, look);
  // One cross-section: the road with terrain wires rising on both sides.
  p.setPen(QPen(kWire, 1.2));
  p.drawPolyline(QPolygonF({At(r, 0.05, 0.2), At(r, 0.15, 0.45), At(r, 0.3, 0.65)}));
  p.drawPolyline(QPolygonF({At(r, 0.95, 0.25), At(r, 0.85, 0.4), At(r, 0.7, 0.65)}));
  p.setPen(QPen(kRoad, 2.6));
  p.drawLine(At(r, 0.3, 0.65), At(r, 0.7, 0.65));
  p.setPen(QPen(QColor(0, 170, 0), 1.0));
  p.drawLine(At(r, 0.3, 0.8), At(r, 0.7, 0.8));
}

void SplitView(QPainter& p, const QRectF& r, Look look) { Panes(p, r, look); }

void SplitSetting(QPainter& p, const QRectF& r, Look look) {
  Panes(p, r, look);
  // The pane being chosen.
  p.setPen(QPen(kStop, 1.6));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(r.left() + 0.8, r.top() + 0.8, r.width() / 2 - 0.6, r.height() / 2 - 0.6));
}

// Adding and deleting a wire on one side: the road with a wire beside it and the new (or
// going) outermost wire in the accent colour.
Glyph SideWire(bool left, bool add) {
  return [left, add](QPainter& p, const QRectF& r, Look look) {
    auto x = [left](qreal f) { return left ? f : 1.0 - f; };
    RoadStrip(p, r, std::min(x(0.6), x(0.9)), std::max(x(0.6), x(0.9)));
    WireLine(p, r, x(0.45));
    if (add) {
      WireLine(p, r, x(0.2), AccentColour(look));
      PlusSign(p, At(r, x(0.2), 0.5) + QPointF(0, -0.5), 3.2, look);
    } else {
      WireLine(p, r, x(0.2), QColor(160, 160, 160));
      Cross(p, At(r, x(0.2), 0.5), 3.0);
    }
  };
}

// Copying the wires of the partition before: the lower cross-section copied onto the upper
// one, turned with the road's bank (partition) or kept level (world).
Glyph CopyBefore(bool banked) {
  return [banked](QPainter& p, const QRectF& r, Look look) {
    auto section = [&](QPointF centre, qreal angle, QColor wire) {
      p.save();
      p.translate(centre);
      p.rotate(angle);
      p.setPen(QPen(wire, 1.3));
      p.drawPolyline(QPolygonF({QPointF(-7, -3), QPointF(-4.5, -1), QPointF(-2.5, 0)}));
      p.drawPolyline(QPolygonF({QPointF(7, -3), QPointF(4.5, -1), QPointF(2.5, 0)}));
      p.setPen(QPen(kRoad, 2.0));
      p.drawLine(QPointF(-2.5, 0), QPointF(2.5, 0));
      p.restore();
    };
    section(At(r, 0.38, 0.92), 0, kWire);
    section(At(r, 0.62, 0.35), banked ? -18 : 0, AccentColour(look));
    p.setPen(QPen(icon_style::kInk, 1.2));
    icon_style::Arrow(p, At(r, 0.42, 0.75), At(r, 0.56, 0.5), 3.0);
  };
}

// The axis switches: the axis letter in its colour; pressed, struck through: the axis holds.
Glyph AxisSwitch(const QString& letter, QColor colour) {
  return [letter, colour](QPainter& p, const QRectF& r, Look look) {
    QFont font = GothicFont(15);
    font.setBold(true);
    p.setFont(font);
    p.setPen(colour);
    p.drawText(r, Qt::AlignCenter, letter);
    if (look == Look::kPressed) {
      p.setPen(QPen(kStop, 2.0, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(At(r, 0.05, 0.95), At(r, 0.95, 0.05));
    }
  };
}

void ChoosePoint(QPainter& p, const QRectF& r, Look) {
  p.setPen(QPen(kWire, 1.4));
  p.drawLine(At(r, 0.0, 0.9), At(r, 0.4, 0.4));
  PointMark(p, At(r, 0.4, 0.4), 2.6);
  Pointer(p, At(r, 0.5, 0.45));
}

void ChooseGluePoint(QPainter& p, const QRectF& r, Look look) {
  p.setPen(QPen(kWire, 1.4));
  p.drawLine(At(r, 1.0, 0.9), At(r, 0.4, 0.4));
  p.setPen(QPen(AccentColour(look), 1.4));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(At(r, 0.4, 0.4), 4.0, 4.0);
  p.drawLine(At(r, 0.4, 0.4) - QPointF(6, 0), At(r, 0.4, 0.4) + QPointF(6, 0));
  p.drawLine(At(r, 0.4, 0.4) - QPointF(0, 6), At(r, 0.4, 0.4) + QPointF(0, 6));
  Pointer(p, At(r, 0.5, 0.45));
}

void GluePoints(QPainter& p, const QRectF& r, Look look) {
  p.setPen(QPen(AccentColour(look), 1.5));
  icon_style::Arrow(p, At(r, 0.05, 0.85), At(r, 0.38, 0.55), 3.5);
  icon_style::Arrow(p, At(r, 0.95, 0.85), At(r, 0.62, 0.55), 3.5);
  PointMark(p, At(r, 0.5, 0.4), 3.0);
}

void UngluePoints(QPainter& p, const QRectF& r, Look look) {
  p.setPen(QPen(AccentColour(look), 1.5));
  icon_style::Arrow(p, At(r, 0.42, 0.5), At(r, 0.08, 0.85), 3.5);
  icon_style::Arrow(p, At(r, 0.58, 0.5), At(r, 0.92, 0.85), 3.5);
  PointMark(p, At(r, 0.3, 0.3), 2.2);
  PointMark(p, At(r, 0.7, 0.3), 2.2);
}

void NewTexture(QPainter& p, const QRectF& r, Look look) {
  Picture(p, r.adjusted(0, 2, -3, -1));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 220));
  p.drawEllipse(At(r, 0.82, 0.22), 4.2, 4.2);
  PlusSign(p, At(r, 0.82, 0.22), 3.0, look);
}

void UsedTexture(QPainter& p, const QRectF& r, Look) {
  p.setPen(QPen(icon_style::kInk, 1.0));
  p.setBrush(QColor(230, 230, 230));
  p.drawRect(r.adjusted(5, 0.5, -0.5, -6));
  p.drawRect(r.adjusted(2.5, 3, -3, -3.5));
  Picture(p, r.adjusted(0, 5.5, -5.5, -0.5));
}

void InvertTexture(QPainter& p, const QRectF& r, Look look) {
  Picture(p, r.adjusted(0, 3, 0, -4));
  p.setPen(QPen(AccentColour(look), 1.4));
  icon_style::Arrow(p, At(r, 0.5, 0.9), At(r, 0.05, 0.9), 3.0);
  icon_style::Arrow(p, At(r, 0.5, 0.9), At(r, 0.95, 0.9), 3.0);
  p.setPen(QPen(icon_style::kInk, 1.0, Qt::DashLine));
  p.drawLine(At(r, 0.5, 0.05), At(r, 0.5, 0.8));
}

void RotateTexture(QPainter& p, const QRectF& r, Look look) {
  Picture(p, r.adjusted(3, 3, -3, -3));
  p.setPen(QPen(AccentColour(look), 1.5));
  p.setBrush(Qt::NoBrush);
  p.drawArc(r.adjusted(0.5, 0.5, -0.5, -0.5), 100 * 16, 90 * 16);
  icon_style::Arrow(p, At(r, 0.12, 0.42), At(r, 0.08, 0.58), 3.5);
}

void SelectObject(QPainter& p, const QRectF& r, Look) {
  Cube(p, r.adjusted(0, 0, -4, -4));
  Pointer(p, At(r, 0.5, 0.45));
}

void MoveObject(QPainter& p, const QRectF& r, Look look) {
  Cube(p, r.adjusted(4, 4, -4, -4));
  p.setPen(QPen(AccentColour(look), 1.4));
  const QPointF c = r.center();
  const qreal d = r.width() / 2;
  for (QPointF to : {QPointF(d, 0), QPointF(-d, 0), QPointF(0, d), QPointF(0, -d)}) {
    icon_style::Arrow(p, c + to * 0.55, c + to, 3.0);
  }
}

void RotateObject(QPainter& p, const QRectF& r, Look look) {
  Cube(p, r.adjusted(4, 4, -4, -4));
  p.setPen(QPen(AccentColour(look), 1.5));
  p.setBrush(Qt::NoBrush);
  p.drawArc(r.adjusted(0.5, 0.5, -0.5, -0.5), 30 * 16, 250 * 16);
  icon_style::Arrow(p, At(r, 0.98, 0.4), At(r, 0.92, 0.24), 3.5);
}

void ZoomObject(QPainter& p, const QRectF& r, Look look) {
  p.setPen(QPen(QColor(120, 120, 120), 1.0, Qt::DashLine));
  p.setBrush(Qt::NoBrush);
  p.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
  Cube(p, QRectF(r.left(), r.center().y(), r.width() / 2, r.height() / 2));
  p.setPen(QPen(AccentColour(look), 1.5));
  icon_style::Arrow(p, At(r, 0.5, 0.5), At(r, 0.95, 0.05), 3.5);
}

void ObjectValue(QPainter& p, const QRectF& r, Look) {
  p.setPen(QPen(icon_style::kInk, 1.0));
  p.setBrush(Qt::white);
  p.drawRect(r.adjusted(0.5, 2.5, -0.5, -2.5));
  QFont font = GothicFont(10);
  font.setBold(true);
  p.setFont(font);
  p.setPen(icon_style::kInk);
  p.drawText(r, Qt::AlignCenter, QStringLiteral("123"));
}

void CopyObject(QPainter& p, const QRectF& r, Look look) {
  Cube(p, QRectF(r.left(), r.top() + 5, 11, 11), QColor(170, 190, 215));
  Cube(p, QRectF(r.left() + 5, r.top(), 11, 11));
  PlusSign(p, At(r, 0.2, 0.2), 2.5, look);
}

void DeleteObject(QPainter& p, const QRectF& r, Look) {
  Cube(p, r.adjusted(1, 1, -1, -1));
  Cross(p, r.center(), 5.0);
}

void GlueObject(QPainter& p, const QRectF& r, Look look) {
  RoadQuad(p, QRectF(r.left(), r.top() + r.height() * 0.55, r.width(), r.height() * 0.45));
  Cube(p, QRectF(r.left() + 3, r.top(), 9, 9));
  p.setPen(QPen(AccentColour(look), 1.6));
  p.drawLine(At(r, 0.47, 0.55), At(r, 0.47, 0.8));
  p.setBrush(AccentColour(look));
  p.drawEllipse(At(r, 0.47, 0.8), 1.5, 1.5);
}

void ObjectCoordinates(QPainter& p, const QRectF& r, Look) {
  Tripod(p, At(r, 0.4, 0.62), r.width() * 0.55);
}

void CreateBitmapObject(QPainter& p, const QRectF& r, Look look) {
  // A picture on a post: a billboard.
  p.setPen(QPen(QColor(90, 90, 90), 1.6));
  p.drawLine(At(r, 0.4, 0.6), At(r, 0.4, 1.0));
  Picture(p, QRectF(r.left(), r.top() + 2, r.width() * 0.8, r.height() * 0.55));
  PlusSign(p, At(r, 0.85, 0.8), 3.0, look);
}

void CreateBackgroundObject(QPainter& p, const QRectF& r, Look look) {
  // The sky and mountains round the whole course.
  p.setPen(Qt::NoPen);
  p.setBrush(kSky);
  p.drawEllipse(r.adjusted(0, 1, 0, 5));
  QPainterPath mountains;
  mountains.moveTo(At(r, 0.02, 0.75));
  mountains.lineTo(At(r, 0.25, 0.35));
  mountains.lineTo(At(r, 0.45, 0.6));
  mountains.lineTo(At(r, 0.65, 0.3));
  mountains.lineTo(At(r, 0.98, 0.75));
  mountains.closeSubpath();
  p.fillPath(mountains, QColor(110, 120, 140));
  p.setPen(QPen(icon_style::kInk, 1.0));
  p.setBrush(Qt::NoBrush);
  p.drawArc(r.adjusted(0, 1, 0, 5), 0, 180 * 16);
  PlusSign(p, At(r, 0.85, 0.85), 3.0, look);
}

void ScreenAxes(QPainter& p, const QRectF& r, Look look) {
  p.setPen(QPen(icon_style::kInk, 1.0));
  p.setBrush(QColor(40, 60, 90));
  p.drawRect(QRectF(r.left() + 1, r.top() + 1, r.width() - 2, r.height() * 0.7));
  p.drawLine(At(r, 0.5, 0.75), At(r, 0.5, 0.92));
  p.drawLine(At(r, 0.3, 0.95), At(r, 0.7, 0.95));
  p.setPen(QPen(AccentColour(look), 1.5));
  p.setBrush(Qt::NoBrush);
  const QRectF arc(r.left() + 4, r.top() + 3, r.width() - 8, r.height() * 0.55);
  p.drawArc(arc, 40 * 16, 280 * 16);
  icon_style::Arrow(p, At(arc, 0.82, 0.1), At(arc, 0.95, 0.3), 3.0);
}

void ObjectAxes(QPainter& p, const QRectF& r, Look look) {
  Tripod(p, At(r, 0.45, 0.6), r.width() * 0.45);
  p.setPen(QPen(AccentColour(look), 1.4));
  p.setBrush(Qt::NoBrush);
  p.drawArc(r.adjusted(0.5, 0.5, -0.5, -0.5), 200 * 16, 200 * 16);
}

void ChooseGluePartition(QPainter& p, const QRectF& r, Look) {
  RoadQuad(p, r.adjusted(0, 3, -2, -1), QColor(230, 30, 30));
  Pointer(p, At(r, 0.5, 0.35));
}

void ChooseGlueObject(QPainter& p, const QRectF& r, Look) {
  Cube(p, r.adjusted(0, 0, -5, -5));
  Pointer(p, At(r, 0.5, 0.45));
}

// Two chain links: joined for glue, apart for unglue.
void Links(QPainter& p, const QRectF& r, Look look, bool joined) {
  p.setBrush(Qt::NoBrush);
  const qreal gap = joined ? 0.0 : 3.0;
  p.setPen(QPen(icon_style::kInk, 1.8));
  p.save();
  p.translate(r.center());
  p.rotate(-40);
  p.drawRoundedRect(QRectF(-8.5 - gap, -3, 10, 6), 3, 3);
  p.setPen(QPen(AccentColour(look), 1.8));
  p.drawRoundedRect(QRectF(-1.5 + gap, -3, 10, 6), 3, 3);
  p.restore();
  if (!joined) Cross(p, r.center(), 2.5);
}

void GlueLink(QPainter& p, const QRectF& r, Look look) { Links(p, r, look, true); }
void UnglueLink(QPainter& p, const QRectF& r, Look look) { Links(p, r, look, false); }

void MoveOrigin(QPainter& p, const QRectF& r, Look look) {
  Tripod(p, At(r, 0.45, 0.55), r.width() * 0.4);
  p.setPen(QPen(AccentColour(look), 1.4));
  icon_style::Arrow(p, At(r, 0.45, 0.55), At(r, 0.95, 0.95), 3.0);
}

void ResetMove(QPainter& p, const QRectF& r, Look look) {
  Cube(p, r.adjusted(3, 3, -3, -3));
  p.setPen(QPen(AccentColour(look), 1.5));
  p.setBrush(Qt::NoBrush);
  p.drawArc(r.adjusted(0.5, 0.5, -0.5, -0.5), 90 * 16, 270 * 16);
  icon_style::Arrow(p, At(r, 0.38, 0.03), At(r, 0.55, 0.03), 3.5);
}

// --- Strips --------------------------------------------------------------------------------

// A button without a label: the pictogram centred, as large as the cell allows.
Glyph Centred(const Glyph& glyph) {
  return [glyph](QPainter& p, const QRectF& area, Look look) {
    if (area.width() > area.height() + 6) {
      glyph(p, area, look);  // the camera tools lay out their own width
      return;
    }
    const qreal side = std::min(area.width(), area.height());
    glyph(p, QRectF(area.center().x() - side / 2, area.center().y() - side / 2, side, side), look);
  };
}

struct Drawing {
  Glyph glyph;
  const char* label;  // "" for a pictogram alone
};

std::map<std::string, Drawing> Drawings() {
  using icon_style::MoveGlyph;
  using icon_style::RotateGlyph;
  using icon_style::ZoomGlyph;
  return {
      {"MODE0_BMP", {TerrainMode, "地形モード"}},
      {"MODE1_BMP", {ObjectMode, "オブジェクトモード"}},
      {"CMRAMOVE_BMP", {CameraTool(MoveGlyph), ""}},
      {"CMRAROTATE_BMP", {CameraTool(RotateGlyph), ""}},
      {"CMRAZOOM_BMP", {CameraTool(ZoomGlyph), ""}},
      {"SELECTPAT_BMP", {SelectPartition, "パーテ選択"}},
      {"SELECTPNT_BMP", {SelectPoint, "点選択"}},
      {"FACEADD_BMP", {WireEdit, "ワイヤー"}},
      {"PNTMOVE_BMP", {PointMove, "点移動"}},
      {"PNTGLUE_BMP", {PointGlue, "点接着"}},
      {"ATTRIBUTE_BMP", {FaceAttribute, "面の属性"}},
      {"TOPVIEW_BMP", {TopView, "上"}},
      {"SIDEVIEW_BMP", {SideView, "横"}},
      {"FRONTVIEW_BMP", {FrontView, "前"}},
      {"PERSVIEW_BMP", {PerspectiveView, "透視"}},
      {"PATVIEW_BMP", {PartitionView, "断面"}},
      {"DIVVIEW_BMP", {SplitView, "分割"}},
      {"DIVSET_BMP", {SplitSetting, "分割設定"}},
      {"LEFTADD_BMP", {SideWire(true, true), "左に追加"}},
      {"RIGHTADD_BMP", {SideWire(false, true), "右に追加"}},
      {"LEFTDEL_BMP", {SideWire(true, false), "左を削除"}},
      {"RIGHTDEL_BMP", {SideWire(false, false), "右を削除"}},
      {"COPYBEFOREPAT_BMP", {CopyBefore(true), "パーテ座標でコピー"}},
      {"COPYBEFOREWLD_BMP", {CopyBefore(false), "ワールド座標でコピー"}},
      {"XSWITCH_BMP", {AxisSwitch("X", kAxisX), ""}},
      {"YSWITCH_BMP", {AxisSwitch("Y", kAxisY), ""}},
      {"ZSWITCH_BMP", {AxisSwitch("Z", kAxisZ), ""}},
      {"SELECTPOINT_BMP", {ChoosePoint, "選択点"}},
      {"SELECTGLUEPOINT_BMP", {ChooseGluePoint, "接着先"}},
      {"GLUEEXE_BMP", {GluePoints, "接着"}},
      {"UNGLUEEXE_BMP", {UngluePoints, "接着解除"}},
      {"NEWTEX_BMP", {NewTexture, "新しい画像"}},
      {"USEDTEX_BMP", {UsedTexture, "使用済み画像"}},
      {"INVERTTEX_BMP", {InvertTexture, "反転"}},
      {"ROTATETEX_BMP", {RotateTexture, "90度回転"}},
      {"OBJSELECT_BMP", {SelectObject, "選択"}},
      {"OBJMOVE_BMP", {MoveObject, "移動"}},
      {"OBJROTATE_BMP", {RotateObject, "回転"}},
      {"OBJZOOM_BMP", {ZoomObject, "拡大縮小"}},
      {"OBJVALUE_BMP", {ObjectValue, ""}},
      {"OBJCOPY_BMP", {CopyObject, ""}},
      {"OBJDELETE_BMP", {DeleteObject, ""}},
      {"OBJGLUE_BMP", {GlueObject, "接着"}},
      {"SETOBJCOOR_BMP", {ObjectCoordinates, "座標設定"}},
      {"CREATEBMPOBJ_BMP", {CreateBitmapObject, "ビットマップ"}},
      {"CREATEBACKOBJ_BMP", {CreateBackgroundObject, "背景"}},
      {"SCRCOOR_BMP", {ScreenAxes, "スクリーン座標"}},
      {"OBJCOOR_BMP", {ObjectAxes, "オブジェクト座標"}},
      {"SELECTGLUEPAT_BMP", {ChooseGluePartition, "パーテーション"}},
      {"SELECTGLUEOBJ_BMP", {ChooseGlueObject, "オブジェクト"}},
      {"GLUE_BMP", {GlueLink, "接着"}},
      {"UNGLUE_BMP", {UnglueLink, "解除"}},
      {"MOVEOBJCOOR_BMP", {MoveOrigin, "原点移動"}},
      {"RESETMOVE_BMP", {ResetMove, "リセット"}},
  };
}

// 100 x 22 background of the coordinate text windows: a dark sunken panel.
QImage TextBackground() {
  QImage image(100, 22, QImage::Format_RGB32);
  QPainter p(&image);
  QLinearGradient fill(0, 0, 0, 22);
  fill.setColorAt(0, QColor(18, 26, 48));
  fill.setColorAt(1, QColor(34, 46, 80));
  p.fillRect(image.rect(), fill);
  p.setPen(QColor(96, 96, 96));
  p.drawLine(0, 0, 99, 0);
  p.drawLine(0, 0, 0, 21);
  p.setPen(QColor(236, 236, 236));
  p.drawLine(0, 21, 99, 21);
  p.drawLine(99, 0, 99, 21);
  return image;
}

// 64 x 64 program icon: a road through green terrain wires with a billboard beside it.
QImage MainIcon() {
  QImage image(64, 64, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QPainterPath frame;
  frame.addRoundedRect(QRectF(2, 2, 60, 60), 12, 12);
  p.setClipPath(frame);
  p.fillRect(QRectF(0, 0, 64, 30), kSky);
  QPainterPath hills;
  hills.moveTo(0, 64);
  hills.lineTo(0, 30);
  hills.cubicTo(14, 18, 26, 24, 36, 28);
  hills.cubicTo(46, 20, 56, 22, 64, 28);
  hills.lineTo(64, 64);
  hills.closeSubpath();
  p.fillPath(hills, kGrass);
  p.setPen(QPen(kWire, 1.2));
  for (int i = 0; i < 4; ++i) {
    p.drawLine(QPointF(4 + i * 7, 64), QPointF(28 + i * 1.5, 31));
    p.drawLine(QPointF(60 - i * 7, 64), QPointF(36 - i * 1.5, 31));
  }
  QPolygonF road({QPointF(18, 64), QPointF(46, 64), QPointF(34, 30), QPointF(30, 30)});
  p.setPen(Qt::NoPen);
  p.setBrush(kRoad);
  p.drawPolygon(road);
  p.setPen(QPen(QColor(246, 200, 52), 2.0, Qt::DashLine));
  p.drawLine(QPointF(32, 62), QPointF(32, 32));
  // A billboard on its post.
  p.setPen(QPen(QColor(70, 70, 70), 2.0));
  p.drawLine(QPointF(50, 44), QPointF(50, 28));
  p.setPen(QPen(icon_style::kInk, 1.2));
  p.setBrush(icon_style::kAccent);
  p.drawRect(QRectF(41, 14, 18, 14));
  p.setClipping(false);
  p.setPen(QPen(QColor(40, 60, 40), 1.5));
  p.setBrush(Qt::NoBrush);
  p.drawPath(frame);
  return image;
}

std::string FileNameOf(const std::string& resource) {
  std::string name = resource.substr(0, resource.size() - 4);  // "_BMP"
  for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return name + ".png";
}

constexpr char kUsage[] =
    "usage: make_tarnhollow_resources <folder>\n"
    "Draws the stage editor's button strips, text background and icon into\n"
    "<folder>/buttons and writes <folder>/tarnhollow.qrc.\n";

// Draws every picture into `folder`; false when one could not be written.
bool DrawAll(const std::string& folder) {
  const std::string buttons = folder + "/buttons";
  const std::map<std::string, Drawing> drawings = Drawings();
  std::map<std::string, std::string> files;  // resource name -> file in the folder
  bool ok = true;
  for (int32_t i = 0; i < ToolButtonCount(); ++i) {
    const ToolButtonEntry& entry = ToolButtonAt(i);
    if (files.count(entry.bitmap) != 0) continue;
    const auto drawing = drawings.find(entry.bitmap);
    if (drawing == drawings.end()) {
      std::fprintf(stderr, "no drawing for %s\n", entry.bitmap);
      ok = false;
      continue;
    }
    const QString label = QString::fromUtf8(drawing->second.label);
    const Glyph glyph = label.isEmpty() ? Centred(drawing->second.glyph)
                                        : icon_style::Labelled(drawing->second.glyph, label);
    const std::string file = FileNameOf(entry.bitmap);
    ok = SavePng(icon_style::Strip(entry.width, entry.height, icon_style::kButtonLooks, glyph),
                 buttons, file) &&
         ok;
    files[entry.bitmap] = "buttons/" + file;
  }
  ok = SavePng(TextBackground(), buttons, "mode0work0text.png") && ok;
  files["MODE0WORK0TEXT_BMP"] = "buttons/mode0work0text.png";
  ok = SavePng(MainIcon(), buttons, "main_icon.png") && ok;
  files["MAIN_ICON"] = "buttons/main_icon.png";

  const std::string qrc = folder + "/tarnhollow.qrc";
  std::ofstream out(qrc);
  out << "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n  <qresource prefix=\"/named\">\n";
  for (const auto& [name, file] : files) {
    out << "    <file alias=\"" << name << "\">" << file << "</file>\n";
  }
  out << "  </qresource>\n</RCC>\n";
  ok = bool(out) && ok;
  std::printf("%s\n", qrc.c_str());
  return ok;
}

}  // namespace

int main(int argc, char** argv) { return RunResourceGenerator(argc, argv, kUsage, DrawAll); }
