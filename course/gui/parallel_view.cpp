#include "course/gui/parallel_view.h"

#include "course/gui/course_drawing.h"

ParallelView1::ParallelView1(QWidget* parent, CourseData1* course, const int32_t* tool,
                             int32_t attribute)
    : CourseEditView(parent, course, tool), control_(attribute) {
  setObjectName(QStringLiteral("ParallelWindow_parallelwnd1"));
}

QString ParallelView1::Caption() const {
  switch (control_.Attribute()) {
    case CameraControl1::kTop:
      return QStringLiteral("上面図 (X-Z)");
    case CameraControl1::kSide:
      return QStringLiteral("側面図 (Z-Y)");
    default:
      return QStringLiteral("正面図 (X-Y)");
  }
}

void ParallelView1::Resized(int32_t width, int32_t height) {
  control_.Camera().SetSurface(width, height);
}

void ParallelView1::Redraw() {
  DispControl1::DrawParallel(control_.Camera().Surface(), control_, *course_,
                             SamplePartitionLines(*course_));
  update();
}

ToolEffect ParallelView1::Click(const ToolInput& input) { return control_.Click(*course_, input); }

ToolEffect ParallelView1::Drag(const ToolInput& input) { return control_.Drag(*course_, input); }

ToolEffect ParallelView1::Wheel(int32_t x, int32_t y, int32_t steps) {
  return control_.Wheel(x, y, steps);
}
