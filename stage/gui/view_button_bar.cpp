#include "stage/gui/view_button_bar.h"

#include "foundation/gui/draw_button.h"
#include "foundation/gui/message_window.h"
#include "stage/view_records.h"

// Resources of a static library are linked in only when referred to (outside any namespace).
static void InitViewResources() { Q_INIT_RESOURCE(views); }

ViewButtonBar::ViewButtonBar(QWidget* parent, const char* class_name,
                             const std::vector<BarButton>& buttons)
    : QWidget(parent) {
  InitViewResources();
  DrawButton1::StartUp();
  MessageWindow1::StartUp();
  setObjectName(QString::fromLatin1(class_name));
  setFixedHeight(kHeight);
  for (const BarButton& info : buttons) {
    auto* button = new DrawButton1(this);
    button->setGeometry(info.x, 0, kButtonSide, kButtonSide);
    button->SetButtonBitmap(info.bitmap, 3, info.command);
    button->SetButtonHelp(info.help);
    connect(button, &DrawButton1::Command, this,
            [this](int command_id, int code, DrawButton1*) { OnCommand(command_id, code); });
    entries_.push_back({info, button, false});
  }
  ShowStates();
}

ViewButtonBar::~ViewButtonBar() {
  for (Entry& entry : entries_) delete entry.button;
  MessageWindow1::ShutDown();
  DrawButton1::ShutDown();
}

ViewButtonBar::Entry* ViewButtonBar::Find(uint32_t command) {
  for (Entry& entry : entries_) {
    if (entry.info.command == command) return &entry;
  }
  return nullptr;
}

const ViewButtonBar::Entry* ViewButtonBar::Find(uint32_t command) const {
  for (const Entry& entry : entries_) {
    if (entry.info.command == command) return &entry;
  }
  return nullptr;
}

bool ViewButtonBar::Down(uint32_t command) const {
  const Entry* entry = Find(command);
  return entry != nullptr && entry->down;
}

uint32_t ViewButtonBar::RadioDown() const {
  for (const Entry& entry : entries_) {
    if (entry.info.behaviour == Behaviour::kRadio && entry.down) return entry.info.command;
  }
  return 0;
}

DrawButton1* ViewButtonBar::Button(uint32_t command) const {
  const Entry* entry = Find(command);
  return entry != nullptr ? entry->button : nullptr;
}

void ViewButtonBar::SetDown(uint32_t command, bool down) {
  Entry* entry = Find(command);
  if (entry == nullptr || entry->info.behaviour == Behaviour::kAction) return;
  if (entry->info.behaviour == Behaviour::kRadio) {
    if (!down) return;  // a radio button comes up only when another goes down
    for (Entry& other : entries_) {
      if (other.info.behaviour == Behaviour::kRadio) other.down = false;
    }
  }
  entry->down = down;
  ShowStates();
}

void ViewButtonBar::Click(uint32_t command) {
  Entry* entry = Find(command);
  if (entry == nullptr) return;
  switch (entry->info.behaviour) {
    case Behaviour::kRadio:
      if (entry->down) return;
      SetDown(command, true);
      break;
    case Behaviour::kToggle:
      SetDown(command, !entry->down);
      break;
    case Behaviour::kAction:
      break;
  }
  emit Pressed(static_cast<int>(command));
}

void ViewButtonBar::ShowStates() {
  for (Entry& entry : entries_) entry.button->SetButtonState(entry.down ? kDown : kRaised);
}

void ViewButtonBar::OnCommand(int command_id, int code) {
  Entry* entry = Find(static_cast<uint32_t>(command_id));
  if (entry == nullptr) return;
  switch (code) {
    case DrawButton1::kPressed:
      if (entry->info.behaviour == Behaviour::kAction) entry->button->SetButtonState(kDown);
      Click(entry->info.command);
      break;
    case DrawButton1::kReleased:
      if (entry->info.behaviour == Behaviour::kAction) entry->button->SetButtonState(kRaised);
      break;
    case DrawButton1::kEntered:
      if (!entry->down) entry->button->SetButtonState(kHot);
      break;
    case DrawButton1::kLeft:
      if (!entry->down) entry->button->SetButtonState(kRaised);
      break;
    default:
      break;
  }
}

PatButtonWindow1::PatButtonWindow1(QWidget* parent)
    : ViewButtonBar(
          parent, "PatButtonWindow_patwndbutton1",
          {{kAhead, "AHEADBUTTON_BMP", "[Function]\n   表示パーテーションを前に進める", 0,
            Behaviour::kAction},
           {kBack, "BACKBUTTON_BMP", "[Function]\n   表示パーテーションを後ろに進める", 22,
            Behaviour::kAction},
           {kHorizontal, "HORZBUTTON_BMP", "[Function]\n   パーテーションに水平/ワールド座標に水平",
            54, Behaviour::kToggle},
           {kShowPrevious, "BEFOREDISPBUTTON_BMP", "[Function]\n   前のパーテーションを表示/非表示",
            76, Behaviour::kToggle}}) {}

PerspecButtonWindow1::PerspecButtonWindow1(QWidget* parent)
    : ViewButtonBar(parent, "PerspecButtonWindow_perspecbutton1",
                    {{kFreeButton, "FREEBUTTON_BMP",
                      "[Function]\n   ワイヤーフレーム表示＋自由移動モード", 0, Behaviour::kRadio},
                     {kRoadButton, "ROADBUTTON_BMP",
                      "[Function]\n   ワイヤーフレーム表示＋路面移動モード", 32, Behaviour::kRadio},
                     {kRenderButton, "RENDBUTTON_BMP",
                      "[Function]\n   レンダリング表示＋路面移動モード", 54, Behaviour::kRadio},
                     {kRenderAroundButton, "RENDAROUNDBUTTON_BMP",
                      "[Function]\n   レンダリング表示＋路面一周移動モード", 86, Behaviour::kRadio},
                     {kSetup, "SETUPBUTTON_BMP", "[Function]\n   レンダリングの設定を行う", 118,
                      Behaviour::kAction}}) {
  SetDown(kFreeButton, true);
}
