#include "stage/gui/stage_button_panel.h"

#include <QCursor>

#include "foundation/gui/draw_button.h"

// Q_INIT_RESOURCE must be used outside any namespace; the pictures of a static library are
// registered only when asked for.
static void InitTarnhollowResources() { Q_INIT_RESOURCE(tarnhollow); }

void StageButtonPanel::InitResources() {
  static const bool registered = (InitTarnhollowResources(), true);
  (void)registered;
}

StageButtonPanel::StageButtonPanel(ToolPanel panel, const PanelContext& context, QWidget* parent)
    : QWidget(parent), panel_(panel), context_(context) {
  InitResources();
  setObjectName(QString::fromLatin1(PanelClassName(panel)));
  setAutoFillBackground(true);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, QColor(192, 192, 192));
  setPalette(palette);
  for (int32_t i = 0; i < ToolButtonCount(); ++i) {
    const ToolButtonEntry& entry = ToolButtonAt(i);
    if (entry.panel != panel) continue;
    auto* button = new DrawButton1(this);
    button->setGeometry(entry.x, entry.y, entry.width, entry.height);
    button->SetButtonBitmap(entry.bitmap, 3, static_cast<uint32_t>(entry.id));
    button->SetButtonHelp(entry.help);
    connect(button, &DrawButton1::Command, this,
            [this](int id, int code, DrawButton1*) { OnButton(id, code); });
    buttons_.push_back(button);
  }
  StageButtonPanel::ShowStates();
}

StageButtonPanel::~StageButtonPanel() {
  // The buttons go while the button class is still started.
  for (DrawButton1* button : buttons_) delete button;
}

DrawButton1* StageButtonPanel::Button(int32_t id) const {
  for (DrawButton1* button : buttons_) {
    if (button->CommandId() == static_cast<uint32_t>(id)) return button;
  }
  return nullptr;
}

int32_t StageButtonPanel::RestingCell(int32_t id) const {
  return context_.state->Pressed(id) ? kPressedCell : kRaisedCell;
}

void StageButtonPanel::ShowStates() {
  for (DrawButton1* button : buttons_) {
    const int32_t id = static_cast<int32_t>(button->CommandId());
    int32_t cell = RestingCell(id);
    // The button under the pointer keeps its highlight.
    if (cell == kRaisedCell && button->isVisible() &&
        button->rect().contains(button->mapFromGlobal(QCursor::pos())) && DrawButton1::Captured()) {
      cell = kHotCell;
    }
    button->SetButtonState(cell);
  }
}

void StageButtonPanel::Command(PanelCommand& command) {
  switch (command.code) {
    case kPanelFill:
      context_.state->Fill(panel_, command.block);
      break;
    case kPanelRestore:
      context_.state->Restore(panel_, *command.block);
      StageButtonPanel::ShowStates();
      break;
    default:
      break;
  }
}

void StageButtonPanel::Forward(StageButtonPanel* below) {
  connect(below, &StageButtonPanel::ButtonPressed, this, &StageButtonPanel::ButtonPressed);
}

void StageButtonPanel::OnButton(int id, int code) {
  DrawButton1* button = Button(id);
  if (button == nullptr) return;
  switch (code) {
    case DrawButton1::kPressed:
      button->SetButtonState(kPressedCell);
      emit ButtonPressed(id);
      break;
    case DrawButton1::kReleased:
      // An action button comes up again; a tool stays down.
      button->SetButtonState(RestingCell(id));
      break;
    case DrawButton1::kEntered:
      if (!context_.state->Pressed(id)) button->SetButtonState(kHotCell);
      break;
    case DrawButton1::kLeft:
      button->SetButtonState(RestingCell(id));
      break;
    default:
      break;
  }
}
