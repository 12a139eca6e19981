#include "stage/gui/stage_work_window.h"

#include "foundation/gui/text_window.h"
#include "stage/stage_window_layout.h"
#include "stage/work_window_values.h"

namespace {
constexpr int32_t kTextX[3] = {37, 174, 311};
constexpr uint32_t kYellow = 0x00FFFF;  // 0x00BBGGRR
}  // namespace

StageWorkWindow1::StageWorkWindow1(ToolPanel panel, const PanelContext& context, QWidget* parent)
    : StageButtonPanel(panel, context, parent) {
  if (!ShowsCoordinates(panel)) return;
  for (size_t axis = 0; axis < texts_.size(); ++axis) {
    auto* text = new TextWindow1(this);
    text->setGeometry(kTextX[axis], 0, 100, 22);
    text->SetTextPosition(5, 5);
    text->SetTextColour(kYellow);
    text->SetText(kCoordinateTextUnset);
    text->SetBackgroundPicture("MODE0WORK0TEXT_BMP");
    text->show();
    texts_[axis] = text;
  }
}

StageWorkWindow1::~StageWorkWindow1() {
  for (TextWindow1*& text : texts_) {
    delete text;
    text = nullptr;
  }
}

void StageWorkWindow1::Command(PanelCommand& command) {
  switch (command.code) {
    case kPanelLayout: {
      const PanelRect area = LayOutStageWindow(command.width, command.height).work_window;
      setGeometry(area.x, area.y, area.width, area.height);
      break;
    }
    case kPanelShow:
      setVisible(command.show);
      break;
    case kPanelRefresh:
      if (texts_[0] != nullptr) {
        const CoordinateTexts values = WorkWindowTexts(*Context().stage, Panel());
        for (size_t axis = 0; axis < texts_.size(); ++axis) texts_[axis]->SetText(values[axis]);
      }
      break;
    default:
      StageButtonPanel::Command(command);
      break;
  }
}
