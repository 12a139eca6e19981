#include "course/gui/point_view.h"

#include <QPainter>
#include <QStringList>
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

void PointView1::Redraw() {
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
  lines << QStringLiteral("点 %1 / %2").arg(point).arg(course_->PointCount())
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
        << QStringLiteral("幅 左 %1 右 %2").arg(w.left, 0, 'f', 1).arg(w.right, 0, 'f', 1)
        << QStringLiteral("サンプル数 %1").arg(course_->PointSampleCount(point))
        << QStringLiteral("幅の倍率 %1").arg(course_->WidthFactor(), 0, 'f', 2);
  return lines;
}

void PointView1::PaintOverlay(QPainter& painter) {
  painter.setFont(GothicFont(12));
  painter.setPen(QColor(200, 210, 230));
  int y = 32;
  for (const QString& line : ParameterLines()) {
    painter.drawText(QPoint(8, y), line);
    y += 15;
  }
}

ToolEffect PointView1::Click(const ToolInput& input) { return control_.Click(*course_, input); }

ToolEffect PointView1::Drag(const ToolInput& input) { return control_.Drag(*course_, input); }
