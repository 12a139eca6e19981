// The drawing style of the tool-button strips and small pictures, shared by the resource
// generators so every program's icons look alike: a grey bevelled face, a dark pictogram,
// a light-blue face when the pointer is over the button and a sunken face when it is down.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <QString>
#include <functional>
#include <vector>

namespace icon_style {

enum class Look { kRaised, kHot, kPressed, kDisabled };
// The cells of a tool button's strip: raised, pointer over it, pressed.
inline const std::vector<Look> kButtonLooks = {Look::kRaised, Look::kHot, Look::kPressed};

inline const QColor kInk(32, 40, 56);         // pictogram lines
inline const QColor kAccent(214, 88, 32);     // the part of a pictogram that acts
inline const QColor kFace(212, 208, 200);     // raised face
inline const QColor kHotFace(196, 222, 255);  // pointer over the button
inline const QColor kPressedFace(176, 172, 164);
inline const QColor kRoad(84, 86, 96);         // asphalt
inline const QColor kRoadEdge(250, 250, 250);  // the white lines along the road

// Draws the pictogram of one cell into `area`.
using Glyph = std::function<void(QPainter&, const QRectF& area, Look look)>;

// Paints the face of one button cell.
void Face(QPainter& painter, const QRect& cell, Look look);

// A strip of cells side by side, one per look; `glyph` draws the pictogram of the cell into
// `area` (the face less its bevel, shifted by one pixel when pressed).
QImage Strip(int cell_width, int cell_height, const std::vector<Look>& looks, const Glyph& glyph);

// A button with a label: the pictogram in a 16-pixel square at the left, the label beside it
// in the 12-pixel gothic, smaller when it would not fit.
Glyph Labelled(const Glyph& glyph, const QString& label);

// Pictogram helpers in the house style (antialiased, 1.5 px ink).
QPen InkPen(Look look, qreal width = 1.5);
// The accent colour, grey on a disabled button.
QColor AccentColour(Look look);
void Arrow(QPainter& painter, QPointF from, QPointF to, qreal head = 3.5);
// Four arrows out of the centre: moving.
void MoveGlyph(QPainter& painter, const QRectF& area, Look look);
// A circular arrow: rotating.
void RotateGlyph(QPainter& painter, const QRectF& area, Look look);
// A magnifier with a plus: zooming.
void ZoomGlyph(QPainter& painter, const QRectF& area, Look look);
// A frame standing for a view.
void ViewFrame(QPainter& painter, const QRectF& area, Look look,
               const QColor& fill = QColor(240, 244, 250));
// The panes of a window arrangement, each given as a fraction of `area`; the one numbered
// `highlighted` (the preview) darker.
void Panes(QPainter& painter, const QRectF& area, Look look, const std::vector<QRectF>& panes,
           int highlighted);
// Four equal panes, two by two.
inline const std::vector<QRectF> kFourPanes = {
    {0, 0, 0.5, 0.5}, {0.5, 0, 0.5, 0.5}, {0, 0.5, 0.5, 0.5}, {0.5, 0.5, 0.5, 0.5}};

}  // namespace icon_style
