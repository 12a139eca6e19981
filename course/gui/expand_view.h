// ExpandView1: a developed view of the course (widths from above, or heights from the side).
#pragma once

#include "course/gui/course_development.h"
#include "course/gui/course_edit_view.h"
#include "course/gui/expand_control.h"

class ExpandView1 : public CourseEditView {
  Q_OBJECT

 public:
  // `attribute`: ExpandControl1::kDevelopedTop or kDevelopedSide.
  ExpandView1(QWidget* parent, CourseData1* course, const int32_t* tool, int32_t attribute);

  void Redraw() override;
  const Surface16& ViewSurface() const override { return surface_; }
  QString Caption() const override;
  ExpandControl1& Control() { return control_; }
  const CourseDevelopment& Development() const { return development_; }

 protected:
  ToolEffect Click(const ToolInput& input) override;
  ToolEffect Drag(const ToolInput& input) override;
  ToolEffect Wheel(int32_t x, int32_t y, int32_t steps) override;
  void Resized(int32_t width, int32_t height) override;
  void Fit() override;

 private:
  ExpandControl1 control_;
  Surface16 surface_;
  CourseDevelopment development_;
};
