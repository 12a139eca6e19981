#include "render/gui/perspec_button.h"

#include "foundation/gui/draw_button.h"
#include "foundation/gui/message_window.h"

// Resources of a static library are linked in only when referred to (outside any namespace).
static void InitPreviewResources() { Q_INIT_RESOURCE(preview); }

PerspecButton1::PerspecButton1(QWidget* parent, int pressed_command)
    : QWidget(parent), pressed_(pressed_command) {
  InitPreviewResources();
  DrawButton1::StartUp();
  MessageWindow1::StartUp();
  setObjectName(QStringLiteral("BaseWindow_perspecbutton1"));
  setGeometry(0, 0, kWidth, kHeight);
  wire_ = new DrawButton1(this);
  wire_->setGeometry(0, 0, 22, 22);
  wire_->SetButtonBitmap("WIREBUTTON_BMP", 3, kWireCommand);
  wire_->SetButtonHelp("[Function]\n  ワイヤーフレームで描写");
  texture_ = new DrawButton1(this);
  texture_->setGeometry(22, 0, 22, 22);
  texture_->SetButtonBitmap("TEXTUREBUTTON_BMP", 3, kTextureCommand);
  texture_->SetButtonHelp("[Function]\n  パースペクティブテクスチャーで描写");
  for (DrawButton1* button : {wire_, texture_}) {
    connect(button, &DrawButton1::Command, this,
            [this](int command_id, int code, DrawButton1*) { OnCommand(command_id, code); });
  }
  ShowStates();
}

PerspecButton1::~PerspecButton1() {
  delete wire_;
  delete texture_;
  MessageWindow1::ShutDown();
  DrawButton1::ShutDown();
}

DrawButton1* PerspecButton1::Button(int command_id) const {
  return command_id == kWireCommand ? wire_ : command_id == kTextureCommand ? texture_ : nullptr;
}

void PerspecButton1::Press(int command_id) {
  if (command_id != kWireCommand && command_id != kTextureCommand) return;
  const bool changed = command_id != pressed_;
  pressed_ = command_id;
  ShowStates();
  if (changed) emit PressedChanged(pressed_);
}

void PerspecButton1::ShowStates() {
  wire_->SetButtonState(pressed_ == kWireCommand ? kDown : kRaised);
  texture_->SetButtonState(pressed_ == kTextureCommand ? kDown : kRaised);
}

void PerspecButton1::OnCommand(int command_id, int code) {
  DrawButton1* button = Button(command_id);
  if (button == nullptr) return;
  switch (code) {
    case DrawButton1::kPressed:
      Press(command_id);
      break;
    case DrawButton1::kEntered:
      if (command_id != pressed_) button->SetButtonState(kHot);
      break;
    case DrawButton1::kLeft:
      if (command_id != pressed_) button->SetButtonState(kRaised);
      break;
    default:
      break;
  }
}
