// Draws the stage views' pictures into a folder (resources/tarnhollow/views): the button
// strips of the partition view's bar (AHEAD, BACK, HORZ, BEFOREDISP) and the perspective
// view's bar (FREE, ROAD, REND, RENDAROUND, SETUP), each raised, highlighted and down; the
// point markers (24 x 24) and the axis letters (16 x 16), each an OR picture and an AND
// picture side by side. The outputs are committed; run
//   build/bin/make_tarnhollow_view_resources resources/tarnhollow/views
// (with QT_QPA_PLATFORM=offscreen on a machine without a display) after changing a drawing.
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "foundation/gui/icon_painter.h"
#include "foundation/gui/resource_generator.h"

namespace {

using icon_style::AccentColour;
using icon_style::Glyph;
using icon_style::kRoad;
using icon_style::kRoadEdge;
using icon_style::Look;

const QColor kGrass(70, 150, 60);
const QColor kSky(150, 200, 240);
const QColor kWire(153, 107, 89);

// A road running away from the viewer, its edges meeting towards the top.
QPainterPath RoadAhead(const QRectF& r, qreal near_half, qreal far_half) {
  QPainterPath road;
  road.moveTo(r.center().x() - near_half, r.bottom());
  road.lineTo(r.center().x() + near_half, r.bottom());
  road.lineTo(r.center().x() + far_half, r.top() + r.height() * 0.35);
  road.lineTo(r.center().x() - far_half, r.top() + r.height() * 0.35);
  road.closeSubpath();
  return road;
}

// The road seen from above with its partition lines, an arrow along it.
Glyph StepGlyph(bool ahead) {
  return [ahead](QPainter& p, const QRectF& r, Look look) {
    const QRectF road(r.left() + 1, r.top(), 8, r.height());
    p.fillRect(road, kRoad);
    p.setPen(QPen(kRoadEdge, 1.0));
    for (int i = 1; i < 4; ++i) {
      const qreal y = road.top() + road.height() * i / 4.0;
      p.drawLine(QPointF(road.left(), y), QPointF(road.right(), y));
    }
    p.setPen(QPen(AccentColour(look), 2.0));
    const qreal x = r.right() - 4;
    if (ahead) {
      icon_style::Arrow(p, QPointF(x, r.bottom() - 1), QPointF(x, r.top() + 1), 4.5);
    } else {
      icon_style::Arrow(p, QPointF(x, r.top() + 1), QPointF(x, r.bottom() - 1), 4.5);
    }
  };
}

// A banked road section with a level line through it.
void HorizontalGlyph(QPainter& p, const QRectF& r, Look look) {
  const QPointF c = r.center();
  p.setPen(QPen(kWire, 1.2));
  p.drawLine(QPointF(r.left(), c.y() + 4), QPointF(r.left() + 3, c.y() + 3));
  p.drawLine(QPointF(r.right() - 3, c.y() - 3), QPointF(r.right(), c.y() - 5));
  p.setPen(QPen(kRoad, 3.0));
  p.drawLine(QPointF(r.left() + 3, c.y() + 3), QPointF(r.right() - 3, c.y() - 3));
  p.setPen(QPen(AccentColour(look), 1.4));
  p.drawLine(QPointF(r.left(), c.y()), QPointF(r.right(), c.y()));
  p.setPen(icon_style::InkPen(look, 1.0));
  p.setBrush(QColor(255, 255, 255, 220));
  p.drawRoundedRect(QRectF(c.x() - 4, r.top() + 1, 8, 4), 2, 2);
}

// Two road sections, the one before in dashes behind the current one.
void PreviousGlyph(QPainter& p, const QRectF& r, Look look) {
  auto section = [&](qreal dx, qreal dy, const QPen& pen) {
    p.setPen(pen);
    QPainterPath line;
    line.moveTo(r.left() + dx, r.bottom() - 5 + dy);
    line.lineTo(r.left() + 4 + dx, r.bottom() - 8 + dy);
    line.lineTo(r.right() - 6 + dx, r.bottom() - 8 + dy);
    line.lineTo(r.right() - 2 + dx, r.bottom() - 5 + dy);
    p.drawPath(line);
  };
  p.setBrush(Qt::NoBrush);
  section(2, -7, QPen(icon_style::kInk, 1.0, Qt::DashLine));
  section(0, 0, QPen(kRoad, 2.0));
  p.setPen(QPen(AccentColour(look), 1.3));
  p.drawLine(QPointF(r.left() + 6, r.bottom() - 8), QPointF(r.left() + 8, r.bottom() - 15));
}

// A wire box and an eye free in space.
void FreeGlyph(QPainter& p, const QRectF& r, Look look) {
  p.setPen(icon_style::InkPen(look, 1.0));
  p.setBrush(Qt::NoBrush);
  const QRectF front(r.left() + 1, r.top() + 6, 9, 9);
  const QPointF back(4, -4);
  p.drawRect(front);
  p.drawRect(front.translated(back));
  p.drawLine(front.topLeft(), front.topLeft() + back);
  p.drawLine(front.topRight(), front.topRight() + back);
  p.drawLine(front.bottomLeft(), front.bottomLeft() + back);
  p.drawLine(front.bottomRight(), front.bottomRight() + back);
  p.setPen(QPen(AccentColour(look), 1.5));
  icon_style::Arrow(p, QPointF(r.right() - 1, r.bottom() - 1),
                    QPointF(r.right() - 5, r.bottom() - 5), 3);
  p.setBrush(AccentColour(look));
  p.drawEllipse(QPointF(r.right() - 2, r.bottom() - 2), 1.6, 1.6);
}

// The road ahead in wire frame.
void RoadWireGlyph(QPainter& p, const QRectF& r, Look look) {
  p.setPen(icon_style::InkPen(look, 1.0));
  p.setBrush(Qt::NoBrush);
  p.drawPath(RoadAhead(r, r.width() / 2, 1.5));
  for (int i = 1; i <= 3; ++i) {
    const qreal t = i / 4.0;
    const qreal y =
        r.bottom() - (r.bottom() - (r.top() + r.height() * 0.35)) * (1 - (1 - t) * (1 - t));
    const qreal half = r.width() / 2 + (1.5 - r.width() / 2) * (1 - (1 - t) * (1 - t));
    p.drawLine(QPointF(r.center().x() - half, y), QPointF(r.center().x() + half, y));
  }
  p.setPen(QPen(AccentColour(look), 1.2));
  p.drawLine(QPointF(r.center().x(), r.bottom()), QPointF(r.center().x(), r.top() + 8));
}

// The rendered road: sky, grass, textured road; `lap` adds a ring arrow round it.
Glyph RenderedGlyph(bool lap) {
  return [lap](QPainter& p, const QRectF& r, Look look) {
    const qreal horizon = r.top() + r.height() * 0.35;
    p.fillRect(QRectF(r.left(), r.top(), r.width(), horizon - r.top()), kSky);
    p.fillRect(QRectF(r.left(), horizon, r.width(), r.bottom() - horizon), kGrass);
    p.fillPath(RoadAhead(r, r.width() / 2 - 1, 1.5), kRoad);
    p.setPen(QPen(QColor(250, 210, 60), 1.0, Qt::DashLine));
    p.drawLine(QPointF(r.center().x(), r.bottom()), QPointF(r.center().x(), horizon));
    if (lap) {
      p.setPen(QPen(AccentColour(look), 1.6));
      p.setBrush(Qt::NoBrush);
      const QRectF ring(r.left() + 1, r.top() + 1, 9, 7);
      p.drawArc(ring, 90 * 16, 270 * 16);
      icon_style::Arrow(p, QPointF(ring.center().x() - 2, ring.top()),
                        QPointF(ring.center().x() + 1.5, ring.top()), 3);
    }
  };
}

// Three sliders.
void SetupGlyph(QPainter& p, const QRectF& r, Look look) {
  const qreal knobs[3] = {0.3, 0.75, 0.5};
  for (int i = 0; i < 3; ++i) {
    const qreal y = r.top() + 2.5 + i * (r.height() - 5) / 2;
    p.setPen(icon_style::InkPen(look, 1.2));
    p.drawLine(QPointF(r.left() + 1, y), QPointF(r.right() - 1, y));
    p.setPen(icon_style::InkPen(look, 1.0));
    p.setBrush(i == 1 ? AccentColour(look) : QColor(250, 250, 250));
    p.drawRect(QRectF(r.left() + knobs[i] * r.width() - 2, y - 2.5, 4, 5));
  }
}

// A marker drawn with transparency becomes its OR and AND pictures: an opaque pixel of
// colour c is c in both (so (s | c) & c = c), a transparent one black in the OR picture and
// white in the AND picture (the surface stays).
QImage MarkerPair(const QImage& marker) {
  const int w = marker.width(), h = marker.height();
  QImage pair(2 * w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const QRgb c = marker.pixel(x, y);
      const bool opaque = qAlpha(c) >= 128;
      const QRgb colour = qRgb(qRed(c), qGreen(c), qBlue(c));
      pair.setPixel(x, y, opaque ? colour : qRgb(0, 0, 0));
      pair.setPixel(w + x, y, opaque ? colour : qRgb(255, 255, 255));
    }
  }
  return pair;
}

QImage Transparent(int side) {
  QImage image(side, side, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  return image;
}

// A point marker: an arrow pointing at the corner that sits on the point (top left, or
// bottom left for the glue target) and a label in a tag.
QImage PointMarker(const QString& label, const QColor& fill, bool bottom_left) {
  QImage image = Transparent(24);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, false);
  if (bottom_left) {
    p.translate(0, 23);
    p.scale(1, -1);
  }
  QPainterPath arrow;
  arrow.moveTo(0, 0);
  arrow.lineTo(9, 3);
  arrow.lineTo(6, 6);
  arrow.lineTo(11, 11);
  arrow.lineTo(9, 13);
  arrow.lineTo(4, 8);
  arrow.lineTo(2, 10);
  arrow.closeSubpath();
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(fill);
  p.drawPath(arrow);
  if (bottom_left) p.resetTransform();
  const QRect tag = bottom_left ? QRect(10, 1, 13, 11) : QRect(10, 12, 13, 11);
  p.fillRect(tag, Qt::black);
  p.fillRect(tag.adjusted(1, 1, -1, -1), fill);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(label.size() > 1 ? 7 : 9);
  font.setBold(true);
  p.setFont(font);
  p.setPen(Qt::black);
  p.drawText(tag, Qt::AlignCenter, label);
  return image;
}

// An axis letter with a black outline; a held axis is grey and struck through in red.
QImage AxisLetter(const QString& letter, const QColor& colour, bool held) {
  QImage image = Transparent(16);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, false);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(13);
  font.setBold(true);
  p.setFont(font);
  const QRect box(0, 0, 16, 16);
  p.setPen(Qt::black);
  for (const QPoint& d : {QPoint(-1, 0), QPoint(1, 0), QPoint(0, -1), QPoint(0, 1)}) {
    p.drawText(box.translated(d), Qt::AlignCenter, letter);
  }
  p.setPen(held ? QColor(150, 150, 150) : colour);
  p.drawText(box, Qt::AlignCenter, letter);
  if (held) {
    p.setPen(QPen(Qt::black, 3));
    p.drawLine(2, 13, 13, 2);
    p.setPen(QPen(QColor(230, 30, 30), 1));
    p.drawLine(2, 13, 13, 2);
  }
  return image;
}

constexpr char kUsage[] =
    "usage: make_tarnhollow_view_resources <folder>\n"
    "Draws the stage views' button strips, point markers and axis letters into\n"
    "the folder.\n";

// Draws every picture into `folder`; false when one could not be written.
bool DrawAll(const std::string& folder) {
  struct Button {
    const char* file;
    Glyph glyph;
  };
  const std::vector<Button> buttons = {
      {"aheadbutton.png", StepGlyph(true)},
      {"backbutton.png", StepGlyph(false)},
      {"horzbutton.png", HorizontalGlyph},
      {"beforedispbutton.png", PreviousGlyph},
      {"freebutton.png", FreeGlyph},
      {"roadbutton.png", RoadWireGlyph},
      {"rendbutton.png", RenderedGlyph(false)},
      {"rendaroundbutton.png", RenderedGlyph(true)},
      {"setupbutton.png", SetupGlyph},
  };
  bool ok = true;
  for (const Button& button : buttons) {
    ok = SavePng(icon_style::Strip(22, 22, icon_style::kButtonLooks, button.glyph), folder,
                 button.file) &&
         ok;
  }
  const QColor yellow(255, 230, 40), cyan(60, 220, 255), green(120, 255, 120);
  const std::pair<QImage, const char*> markers[] = {
      {PointMarker(QStringLiteral("A"), yellow, false), "selectpntucur.png"},
      {PointMarker(QStringLiteral("B"), yellow, false), "selectpntdcur.png"},
      {PointMarker(QStringLiteral("AB"), green, false), "selectpntgcur.png"},
      {PointMarker(QStringLiteral("G"), cyan, true), "gluepntcur.png"},
  };
  for (const auto& [marker, name] : markers) {
    ok = SavePng(MarkerPair(marker), folder, name) && ok;
  }
  const struct {
    const char* letter;
    QColor colour;
  } axes[3] = {{"X", QColor(255, 80, 80)}, {"Y", QColor(80, 230, 80)}, {"Z", QColor(90, 140, 255)}};
  for (const auto& axis : axes) {
    const QString letter = QString::fromLatin1(axis.letter);
    const std::string name = letter.toLower().toStdString();
    ok = SavePng(MarkerPair(AxisLetter(letter, axis.colour, false)), folder, name + ".png") && ok;
    ok = SavePng(MarkerPair(AxisLetter(letter, axis.colour, true)), folder, name + "off.png") && ok;
  }
  return ok;
}

}  // namespace

int main(int argc, char** argv) { return RunResourceGenerator(argc, argv, kUsage, DrawAll); }
