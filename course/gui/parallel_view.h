// ParallelView1: a parallel editing view of the course (top, side or front) with its camera.
#pragma once

#include <vector>

#include "course/gui/course_edit_view.h"
#include "course/gui/parallel_control.h"
#include "course/partition_line.h"

class ParallelView1 : public CourseEditView {
  Q_OBJECT

 public:
  // `attribute`: CameraControl1::kTop, kSide or kFront.
  ParallelView1(QWidget* parent, CourseData1* course, const int32_t* tool, int32_t attribute);

  void Redraw() override;
  const Surface16& ViewSurface() const override { return control_.Camera().Surface(); }
  QString Caption() const override;
  ParallelControl1& Control() { return control_; }

 protected:
  ToolEffect Click(const ToolInput& input) override;
  ToolEffect Drag(const ToolInput& input) override;
  ToolEffect Wheel(int32_t x, int32_t y, int32_t steps) override;
  void Resized(int32_t width, int32_t height) override;
  void Fit() override { control_.Fit(*course_); }

 private:
  ParallelControl1 control_;
};
