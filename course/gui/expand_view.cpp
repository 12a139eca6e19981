#include "course/gui/expand_view.h"

#include "course/gui/course_drawing.h"

ExpandView1::ExpandView1(QWidget* parent, CourseData1* course, const int32_t* tool,
                         int32_t attribute)
    : CourseEditView(parent, course, tool), control_(attribute) {
  setObjectName(QStringLiteral("ExpandWindow_expandwnd1"));
}

QString ExpandView1::Caption() const {
  return control_.Attribute() == ExpandControl1::kDevelopedTop ? QStringLiteral("展開図 (幅)")
                                                               : QStringLiteral("展開図 (高さ)");
}

void ExpandView1::Resized(int32_t width, int32_t height) {
  surface_.Resize(width, height);
  control_.SetSize(width, height);
}

void ExpandView1::Fit() {
  development_ = DevelopCourse(*course_);
  control_.Fit(*course_, development_);
}

void ExpandView1::Redraw() {
  development_ = DevelopCourse(*course_);
  DispControl1::DrawDeveloped(surface_, control_, *course_, development_,
                              control_.Attribute() == ExpandControl1::kDevelopedTop
                                  ? DispControl1::kDrawWidths
                                  : DispControl1::kDrawHeights);
  update();
}

ToolEffect ExpandView1::Click(const ToolInput& input) {
  development_ = DevelopCourse(*course_);
  return control_.Click(*course_, development_, input);
}

ToolEffect ExpandView1::Drag(const ToolInput& input) { return control_.Drag(*course_, input); }

ToolEffect ExpandView1::Wheel(int32_t x, int32_t y, int32_t steps) {
  return control_.Wheel(x, y, steps);
}
