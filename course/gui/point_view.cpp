#include "course/gui/point_view.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStringList>
#include <algorithm>
#include <cmath>

#include "course/gui/course_drawing.h"
#include "foundation/gui/named_resources.h"

PointView1::PointView1(QWidget* parent, CourseData1* course, const int32_t* tool)
    : CourseEditView(parent, course, tool) {
  setObjectName(QStringLiteral("PointWindow_pointwnd1"));
}

QString PointView1::Caption() const { return QStringLiteral("ポイントパラメータ"); }

void PointView1::Resized(int32_t width, int32_t height) {
  surface_.Resize(width, height);
  control_.SetSize(width, height);
}

namespace {

constexpr int kTextLeft = 8;
constexpr int kFirstBaseline = 32;
constexpr int kLineHeight = 15;
constexpr int kTextFontHeight = 12;

}  // namespace

void PointView1::LayOut() {
  const QFontMetrics metrics(GothicFont(kTextFontHeight));
  const QStringList lines = ParameterLines();
  int text_width = 0;
  for (const QString& line : lines)
    text_width = std::max(text_width, metrics.horizontalAdvance(line));
  const int top = kFirstBaseline - metrics.ascent() - 2;
  const int bottom = kFirstBaseline + kLineHeight * int(lines.size() - 1) + metrics.descent() + 2;
  text_area_ = QRect(kTextLeft - 4, top, text_width + 8, bottom - top);
  // Below the numbers, or to their right: whichever gives the cross-section more room.
  const int below_height = height() - text_area_.bottom() - 1;
  const int right_x = text_area_.right() + 1;
  const int right_width = width() - right_x;
  const int right_height = height() - top;
  if (std::min(width(), below_height) >= std::min(right_width, right_height)) {
    control_.SetDrawingArea(0, text_area_.bottom() + 1, width(), std::max(below_height, 0));
  } else {
    control_.SetDrawingArea(right_x, top, std::max(right_width, 0), right_height);
  }
}

void PointView1::Redraw() {
  LayOut();
  DispControl1::DrawPointParameters(surface_, control_, *course_);
  update();
}

QStringList PointView1::ParameterLines() const {
  QStringList lines;
  const int32_t point = course_->SelectedPoint();
  if (point < 0 || point >= course_->PointCount()) {
    lines << QStringLiteral("点が選択されていません");
    return lines;
  }
  const CourseVector p = course_->PointPosition(point);
  const CourseWidths w = course_->PointWidths(point);
  int32_t roll_fixed = 0;
  const double roll_tangent = course_->PointRollTangent(point, &roll_fixed);
  const double roll = course_->PointRoll(point);
  // Two numbers share a line where they fit, so the cross-section keeps room in a quarter
  // of a small window.
  lines << QStringLiteral("点 %1 / %2   サンプル数 %3")
               .arg(point)
               .arg(course_->PointCount())
               .arg(course_->PointSampleCount(point))
        << QStringLiteral("位置 %1, %2, %3")
               .arg(p.x, 0, 'f', 1)
               .arg(p.y, 0, 'f', 1)
               .arg(p.z, 0, 'f', 1)
        << QStringLiteral("ロール %1 rad (%2°)")
               .arg(roll, 0, 'f', 3)
               .arg(roll * 180.0 / M_PI, 0, 'f', 1)
        << QStringLiteral("ロール接線 %1 %2")
               .arg(roll_tangent, 0, 'f', 3)
               .arg(roll_fixed ? QStringLiteral("固定") : QStringLiteral("自由"))
        << QStringLiteral("幅 左 %1 右 %2 (倍率 %3)")
               .arg(w.left, 0, 'f', 1)
               .arg(w.right, 0, 'f', 1)
               .arg(course_->WidthFactor(), 0, 'f', 2);
  return lines;
}

void PointView1::PaintOverlay(QPainter& painter) {
  // A panel under the numbers keeps them readable when a zoomed cross-section reaches them.
  painter.fillRect(text_area_, QColor(16, 22, 36, 220));
  painter.setFont(GothicFont(kTextFontHeight));
  painter.setPen(QColor(200, 210, 230));
  int y = kFirstBaseline;
  for (const QString& line : ParameterLines()) {
    painter.drawText(QPoint(kTextLeft, y), line);
    y += kLineHeight;
  }
}

ToolEffect PointView1::Wheel(int32_t, int32_t, int32_t steps) { return control_.Wheel(steps); }

ToolEffect PointView1::Click(const ToolInput& input) { return control_.Click(*course_, input); }

ToolEffect PointView1::Drag(const ToolInput& input) { return control_.Drag(*course_, input); }
