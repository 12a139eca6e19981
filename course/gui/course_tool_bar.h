// CourseToolBar1: the course designer's tool bar at the left of the main window: the five
// tools (one of them current), the loop toggle and the view buttons (one of them current).
// A button the pointer enters is highlighted, with "SetButton.wav", unless it is its
// group's current one.
#pragma once

#include <QWidget>
#include <cstdint>
#include <string>

#include "course/gui/tool_bar_layout.h"

class ButtonSound1;
class DrawButton1;

class CourseToolBar1 : public QWidget {
  Q_OBJECT

 public:
  // Cells of the button strips.
  static constexpr int32_t kRaised = 0;
  static constexpr int32_t kHot = 1;
  static constexpr int32_t kDown = 2;

  CourseToolBar1(QWidget* parent, const std::string& sound_path);
  ~CourseToolBar1() override;

  int32_t CurrentTool() const { return tool_; }
  // The tool as the views read it.
  const int32_t* ToolPointer() const { return &tool_; }
  int32_t CurrentViewButton() const { return view_button_; }
  bool LoopOn() const { return loop_; }
  // Shows the loop button down or up (the course's loop button state).
  void SetLoop(bool on);
  DrawButton1* Button(int32_t id) const;
  ButtonSound1& Sound() { return *sound_; }

  // What a press of the button does (as the mouse would).
  void Press(int32_t id);

 signals:
  void ToolChosen(int id);
  void LoopToggled(bool on);
  void ViewButtonPressed(int id);

 private:
  void OnCommand(int id, int code);
  bool IsCurrent(int32_t id) const;
  void ShowStates();

  int32_t tool_ = 100;
  int32_t view_button_ = 113;
  bool loop_ = false;
  DrawButton1* buttons_[kToolBarButtonCount] = {};
  ButtonSound1* sound_;
};
