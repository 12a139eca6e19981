// PerspecButton1: the two-button bar at the top left of the course preview that switches
// between wire frame (124) and perspective texture (125); exactly one button is down.
#pragma once

#include <QWidget>
#include <cstdint>

class DrawButton1;

class PerspecButton1 : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kWireCommand = 124;
  static constexpr int kTextureCommand = 125;
  static constexpr int kWidth = 44;
  static constexpr int kHeight = 22;
  // Cells of the button strips.
  static constexpr int32_t kRaised = 0;
  static constexpr int32_t kHot = 1;
  static constexpr int32_t kDown = 2;

  PerspecButton1(QWidget* parent, int pressed_command);
  ~PerspecButton1() override;

  int Pressed() const { return pressed_; }
  // Presses that button (as a click would); the other one comes up.
  void Press(int command_id);
  DrawButton1* Button(int command_id) const;

 signals:
  void PressedChanged(int command_id);

 private:
  void OnCommand(int command_id, int code);
  void ShowStates();

  int pressed_;
  DrawButton1* wire_;
  DrawButton1* texture_;
};
