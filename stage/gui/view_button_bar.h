// The 22-pixel button bars across the top of the partition view
// ("PatButtonWindow_patwndbutton1") and the perspective view
// ("PerspecButtonWindow_perspecbutton1"): 22 x 22 bitmap buttons with balloon help. Radio
// buttons form one group of which exactly one is down, toggles flip, actions are pressed and
// come up again; every change and every action is reported as Pressed(command id).
#pragma once

#include <QWidget>
#include <cstdint>
#include <vector>

class DrawButton1;

class ViewButtonBar : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kHeight = 22;
  static constexpr int kButtonSide = 22;
  // Cells of the button strips.
  static constexpr int32_t kRaised = 0;
  static constexpr int32_t kHot = 1;
  static constexpr int32_t kDown = 2;

  enum class Behaviour { kRadio, kToggle, kAction };
  struct BarButton {
    uint32_t command;
    const char* bitmap;
    const char* help;
    int x;
    Behaviour behaviour;
  };

  ~ViewButtonBar() override;

  bool Down(uint32_t command) const;
  // A radio button pressed (the others of the group come up) or a toggle set; no signal.
  void SetDown(uint32_t command, bool down);
  // The radio button that is down, 0 when none.
  uint32_t RadioDown() const;
  DrawButton1* Button(uint32_t command) const;
  // As a click on the button would.
  void Click(uint32_t command);

 signals:
  void Pressed(int command_id);

 protected:
  ViewButtonBar(QWidget* parent, const char* class_name, const std::vector<BarButton>& buttons);

 private:
  struct Entry {
    BarButton info;
    DrawButton1* button;
    bool down;
  };
  void OnCommand(int command_id, int code);
  void ShowStates();
  Entry* Find(uint32_t command);
  const Entry* Find(uint32_t command) const;

  std::vector<Entry> entries_;
};

// The partition view's bar: AHEAD (1110), BACK (1111), HORZ (1112), BEFOREDISP (1113).
class PatButtonWindow1 : public ViewButtonBar {
  Q_OBJECT

 public:
  static constexpr uint32_t kAhead = 1110;
  static constexpr uint32_t kBack = 1111;
  static constexpr uint32_t kHorizontal = 1112;
  static constexpr uint32_t kShowPrevious = 1113;
  explicit PatButtonWindow1(QWidget* parent);
};

// The perspective view's bar: FREE, ROAD, REND, RENDAROUND (1105 ... 1108, one down) and
// SETUP (1109).
class PerspecButtonWindow1 : public ViewButtonBar {
  Q_OBJECT

 public:
  static constexpr uint32_t kSetup = 1109;
  explicit PerspecButtonWindow1(QWidget* parent);
};
