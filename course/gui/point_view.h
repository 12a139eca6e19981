// PointView1: the point parameter window, the roll of the selected point and its tangent,
// with the selected point's other numbers written beside them.
#pragma once

#include <QRect>

#include "course/gui/course_edit_view.h"
#include "course/gui/point_control.h"

class PointView1 : public CourseEditView {
  Q_OBJECT

 public:
  PointView1(QWidget* parent, CourseData1* course, const int32_t* tool);

  void Redraw() override;
  const Surface16& ViewSurface() const override { return surface_; }
  QString Caption() const override;
  PointControl1& Control() { return control_; }
  // The lines of numbers shown for the selected point.
  QStringList ParameterLines() const;
  // Where the numbers are written (widget coordinates); the cross-section is drawn beside or
  // below them, whichever leaves it more room, so that the two never overlap.
  QRect TextArea() const { return text_area_; }

 protected:
  ToolEffect Click(const ToolInput& input) override;
  ToolEffect Drag(const ToolInput& input) override;
  ToolEffect Wheel(int32_t x, int32_t y, int32_t steps) override;
  void Resized(int32_t width, int32_t height) override;
  void Fit() override {}
  void PaintOverlay(QPainter& painter) override;

 private:
  void LayOut();

  PointControl1 control_;
  Surface16 surface_;
  QRect text_area_;
};
