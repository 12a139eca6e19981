// The drawing style of the tool-button strips and small pictures, shared by the resource
// generators so every program's icons look alike: a grey bevelled face, a dark pictogram,
// a light-blue face when the pointer is over the button and a sunken face when it is down.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <functional>
#include <vector>

namespace icon_style {

enum class Look { kRaised, kHot, kPressed, kDisabled };

inline const QColor kInk(32, 40, 56);          // pictogram lines
inline const QColor kAccent(214, 88, 32);      // the part of a pictogram that acts
inline const QColor kFace(212, 208, 200);      // raised face
inline const QColor kHotFace(196, 222, 255);   // pointer over the button
inline const QColor kPressedFace(176, 172, 164);

// Paints the face of one button cell.
void Face(QPainter& painter, const QRect& cell, Look look);

// A strip of cells side by side, one per look; `glyph` draws the pictogram of the cell into
// `area` (the face less its bevel, shifted by one pixel when pressed).
QImage Strip(int cell_width, int cell_height, const std::vector<Look>& looks,
             const std::function<void(QPainter&, const QRectF& area, Look look)>& glyph);

// Pictogram helpers in the house style (antialiased, 1.5 px ink).
QPen InkPen(Look look, qreal width = 1.5);
void Arrow(QPainter& painter, QPointF from, QPointF to, qreal head = 3.5);
// Four arrows out of the centre: moving.
void MoveGlyph(QPainter& painter, const QRectF& area, Look look);
// A circular arrow: rotating.
void RotateGlyph(QPainter& painter, const QRectF& area, Look look);
// A magnifier with a plus: zooming.
void ZoomGlyph(QPainter& painter, const QRectF& area, Look look);

}  // namespace icon_style
