#include "foundation/gui/icon_painter.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "foundation/gui/named_resources.h"

namespace icon_style {

void Face(QPainter& painter, const QRect& cell, Look look) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  const QColor face = look == Look::kHot ? kHotFace : look == Look::kPressed ? kPressedFace : kFace;
  painter.fillRect(cell, face);
  const QColor light(255, 255, 255), shadow(128, 124, 118), dark(64, 64, 64);
  const bool sunken = look == Look::kPressed;
  const QRect r = cell.adjusted(0, 0, -1, -1);
  painter.setPen(sunken ? dark : light);
  painter.drawLine(r.topLeft(), r.topRight());
  painter.drawLine(r.topLeft(), r.bottomLeft());
  painter.setPen(sunken ? light : dark);
  painter.drawLine(r.bottomLeft(), r.bottomRight());
  painter.drawLine(r.topRight(), r.bottomRight());
  painter.setPen(sunken ? shadow : shadow);
  if (sunken) {
    painter.drawLine(r.topLeft() + QPoint(1, 1), r.topRight() + QPoint(-1, 1));
    painter.drawLine(r.topLeft() + QPoint(1, 1), r.bottomLeft() + QPoint(1, -1));
  } else {
    painter.drawLine(r.bottomLeft() + QPoint(1, -1), r.bottomRight() + QPoint(-1, -1));
    painter.drawLine(r.topRight() + QPoint(-1, 1), r.bottomRight() + QPoint(-1, -1));
  }
  painter.restore();
}

QImage Strip(int cell_width, int cell_height, const std::vector<Look>& looks, const Glyph& glyph) {
  QImage strip(cell_width * int(looks.size()), cell_height, QImage::Format_RGB32);
  strip.fill(kFace);
  QPainter painter(&strip);
  for (size_t i = 0; i < looks.size(); ++i) {
    const QRect cell(int(i) * cell_width, 0, cell_width, cell_height);
    Face(painter, cell, looks[i]);
    QRectF area = QRectF(cell).adjusted(3, 3, -3, -3);
    if (looks[i] == Look::kPressed) area.translate(1, 1);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setClipRect(cell.adjusted(2, 2, -2, -2));
    glyph(painter, area, looks[i]);
    painter.restore();
  }
  return strip;
}

namespace {

// The label font: the house's 12-pixel gothic, smaller when the label would not fit.
QFont LabelFont(const QString& label, qreal room) {
  for (int size = 12; size > 9; --size) {
    if (QFontMetricsF(GothicFont(size)).horizontalAdvance(label) <= room) return GothicFont(size);
  }
  return GothicFont(9);
}

}  // namespace

Glyph Labelled(const Glyph& glyph, const QString& label) {
  return [glyph, label](QPainter& p, const QRectF& area, Look look) {
    const qreal side = std::min<qreal>(area.height(), 16.0);
    const QRectF icon(area.left() + 1, area.center().y() - side / 2, side, side);
    p.save();
    glyph(p, icon, look);
    p.restore();
    const QRectF text(icon.right() + 4, area.top() - 1, area.right() - icon.right() - 4,
                      area.height() + 2);
    p.setFont(LabelFont(label, text.width()));
    p.setPen(look == Look::kDisabled ? QColor(150, 150, 150) : kInk);
    p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, label);
  };
}

QColor AccentColour(Look look) { return look == Look::kDisabled ? QColor(150, 150, 150) : kAccent; }

QPen InkPen(Look look, qreal width) {
  QPen pen(look == Look::kDisabled ? QColor(150, 150, 150) : kInk, width);
  pen.setCapStyle(Qt::RoundCap);
  pen.setJoinStyle(Qt::RoundJoin);
  return pen;
}

void Arrow(QPainter& painter, QPointF from, QPointF to, qreal head) {
  painter.drawLine(from, to);
  const qreal angle = std::atan2(to.y() - from.y(), to.x() - from.x());
  const QPointF left(to.x() - head * std::cos(angle - 0.6), to.y() - head * std::sin(angle - 0.6));
  const QPointF right(to.x() - head * std::cos(angle + 0.6), to.y() - head * std::sin(angle + 0.6));
  QPainterPath tip;
  tip.moveTo(to);
  tip.lineTo(left);
  tip.lineTo(right);
  tip.closeSubpath();
  painter.fillPath(tip, painter.pen().color());
}

void MoveGlyph(QPainter& painter, const QRectF& area, Look look) {
  painter.setPen(InkPen(look, 1.8));
  const QPointF c = area.center();
  const qreal r = std::min(area.width(), area.height()) / 2 - 0.5;
  Arrow(painter, c, c + QPointF(r, 0), 5);
  Arrow(painter, c, c - QPointF(r, 0), 5);
  Arrow(painter, c, c + QPointF(0, r), 5);
  Arrow(painter, c, c - QPointF(0, r), 5);
  painter.setBrush(AccentColour(look));
  painter.setPen(Qt::NoPen);
  painter.drawEllipse(c, 2.0, 2.0);
}

void RotateGlyph(QPainter& painter, const QRectF& area, Look look) {
  painter.setPen(InkPen(look));
  const QRectF circle = area.adjusted(1.5, 1.5, -1.5, -1.5);
  painter.drawArc(circle, 60 * 16, 280 * 16);
  const QPointF c = circle.center();
  const qreal r = circle.width() / 2;
  const QPointF end(c.x() + r * std::cos(60 * M_PI / 180), c.y() - r * std::sin(60 * M_PI / 180));
  Arrow(painter, end + QPointF(-2.5, -1.5), end, 4);
  painter.setBrush(AccentColour(look));
  painter.setPen(Qt::NoPen);
  painter.drawEllipse(c, 2.0, 2.0);
}

void ZoomGlyph(QPainter& painter, const QRectF& area, Look look) {
  const qreal d = std::min(area.width(), area.height());
  const QRectF lens(area.left() + 0.5, area.top() + 0.5, d * 0.68, d * 0.68);
  painter.setPen(InkPen(look, 2.5));
  const QPointF c = lens.center();
  painter.drawLine(c + QPointF(d * 0.24, d * 0.24), area.bottomRight() - QPointF(1, 1));
  painter.setPen(InkPen(look));
  painter.setBrush(QColor(255, 255, 255, 200));
  painter.drawEllipse(lens);
  painter.setPen(QPen(AccentColour(look), 1.5));
  painter.drawLine(c - QPointF(d * 0.16, 0), c + QPointF(d * 0.16, 0));
  painter.drawLine(c - QPointF(0, d * 0.16), c + QPointF(0, d * 0.16));
}

void ViewFrame(QPainter& painter, const QRectF& area, Look look, const QColor& fill) {
  painter.setPen(InkPen(look, 1.0));
  painter.setBrush(fill);
  painter.drawRect(area.adjusted(0.5, 0.5, -0.5, -0.5));
}

void Panes(QPainter& painter, const QRectF& area, Look look, const std::vector<QRectF>& panes,
           int highlighted) {
  for (size_t i = 0; i < panes.size(); ++i) {
    const QRectF& f = panes[i];
    const QRectF pane(area.left() + f.left() * area.width(), area.top() + f.top() * area.height(),
                      f.width() * area.width(), f.height() * area.height());
    painter.setPen(InkPen(look, 1.0));
    painter.setBrush(int(i) == highlighted ? QColor(70, 110, 160) : QColor(240, 244, 250));
    painter.drawRect(pane.adjusted(0.5, 0.5, -0.5, -0.5));
  }
}

}  // namespace icon_style
