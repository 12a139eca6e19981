#include "pictures/gui/picture_bank_high_color_wnd.h"

#include "foundation/class_startup.h"
#include "foundation/gui/window_handles.h"
#include "foundation/hwnd_database.h"
#include "pictures/gui/picture_class_checks.h"
#include "pictures/picture_bank_high_color1.h"

namespace {

ClassStartUp& Counter() {
  static ClassStartUp counter("PictureBankHighColorWnd1",
                              ClassStartUp::Form::kDecrementThenCheck);
  return counter;
}

HWNDDataBase2& Browsers() {
  static HWNDDataBase2 browsers;
  return browsers;
}

}  // namespace

void PictureBankHighColorWnd1::StartUp() {
  if (Counter().StartUp()) Browsers().Init(sizeof(PictureBankHighColorWnd1*));
}

void PictureBankHighColorWnd1::ShutDown() {
  if (Counter().ShutDown()) Browsers().Release();
}

bool PictureBankHighColorWnd1::Started() { return Counter().Started(); }

PictureBankHighColorWnd1::PictureBankHighColorWnd1(QWidget* parent) : PictureRowWindow(parent) {
  RequirePictureWindowClass(Counter());
  setObjectName(QStringLiteral("PicutreBankWnd_picbankhighwnd1"));
  PictureBankHighColorWnd1* self = this;
  Browsers().Add(&self, sizeof self, WindowHandles::Of(this));
}

PictureBankHighColorWnd1::~PictureBankHighColorWnd1() {
  Browsers().Delete(WindowHandles::Of(this));
}

int PictureBankHighColorWnd1::Count() const { return PictureBankHighColor1::Count(); }

int32_t PictureBankHighColorWnd1::IdAt(int index) const {
  int32_t id = PictureBankHighColor1::FirstId();
  for (int i = 0; i < index && id != -1; ++i) id = PictureBankHighColor1::NextId(id);
  return id;
}
