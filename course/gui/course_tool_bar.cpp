#include "course/gui/course_tool_bar.h"

#include "course/gui/course_drawing.h"
#include "course/gui/tool_input.h"
#include "course/gui/view_arrangement.h"
#include "foundation/gui/button_sound.h"
#include "foundation/gui/draw_button.h"

CourseToolBar1::CourseToolBar1(QWidget* parent, const std::string& sound_path)
    : QWidget(parent), sound_(new ButtonSound1(sound_path)) {
  DispControl1::InitResources();
  setObjectName(QStringLiteral("BaseWindow_buttonctrl1"));
  setGeometry(0, 0, kToolBarWidth, kToolBarHeight);
  setAutoFillBackground(true);
  for (int32_t i = 0; i < kToolBarButtonCount; ++i) {
    const ToolBarButton& entry = ToolBarButtons()[i];
    auto* button = new DrawButton1(this);
    button->setGeometry(entry.x, entry.y, entry.width, entry.height);
    button->SetButtonBitmap(entry.bitmap, 3, uint32_t(entry.id));
    button->SetButtonHelp(entry.help);
    connect(button, &DrawButton1::Command, this,
            [this](int id, int code, DrawButton1*) { OnCommand(id, code); });
    buttons_[i] = button;
  }
  ShowStates();
}

CourseToolBar1::~CourseToolBar1() {
  for (DrawButton1*& button : buttons_) {
    delete button;
    button = nullptr;
  }
  delete sound_;
}

DrawButton1* CourseToolBar1::Button(int32_t id) const {
  for (int32_t i = 0; i < kToolBarButtonCount; ++i) {
    if (ToolBarButtons()[i].id == id) return buttons_[i];
  }
  return nullptr;
}

bool CourseToolBar1::IsCurrent(int32_t id) const {
  if (id == kLoopButton) return loop_;
  return id == tool_ || id == view_button_;
}

void CourseToolBar1::ShowStates() {
  for (int32_t i = 0; i < kToolBarButtonCount; ++i) {
    buttons_[i]->SetButtonState(IsCurrent(ToolBarButtons()[i].id) ? kDown : kRaised);
  }
}

void CourseToolBar1::SetLoop(bool on) {
  loop_ = on;
  ShowStates();
}

void CourseToolBar1::Press(int32_t id) {
  const ToolBarButton* entry = FindToolBarButton(id);
  if (entry == nullptr) return;
  switch (entry->group) {
    case kToolGroup:
      tool_ = id;
      ShowStates();
      emit ToolChosen(id);
      break;
    case kToggleGroup:
      loop_ = !loop_;
      ShowStates();
      emit LoopToggled(loop_);
      break;
    case kViewGroup:
      view_button_ = id;
      ShowStates();
      emit ViewButtonPressed(id);
      break;
  }
}

void CourseToolBar1::OnCommand(int id, int code) {
  DrawButton1* button = Button(id);
  if (button == nullptr) return;
  switch (code) {
    case DrawButton1::kPressed:
      Press(id);
      break;
    case DrawButton1::kEntered:
      if (!IsCurrent(id)) {
        button->SetButtonState(kHot);
        sound_->Play();
      }
      break;
    case DrawButton1::kLeft:
      if (!IsCurrent(id)) button->SetButtonState(kRaised);
      break;
    default:
      break;
  }
}
