#include "pictures/gui/picture_list_wnd.h"

#include "foundation/class_startup.h"
#include "foundation/gui/window_handles.h"
#include "foundation/hwnd_database.h"
#include "pictures/gui/picture_class_checks.h"
#include "pictures/picture_bank_high_color1.h"

namespace {

ClassStartUp& Counter() {
  static ClassStartUp counter("PictureListWnd1", ClassStartUp::Form::kDecrementThenCheck);
  return counter;
}

// The windows of the class; the record is the window itself.
HWNDDataBase2& Lists() {
  static HWNDDataBase2 lists;
  return lists;
}

}  // namespace

void PictureListWnd1::StartUp() {
  if (Counter().StartUp()) Lists().Init(sizeof(PictureListWnd1*));
}

void PictureListWnd1::ShutDown() {
  if (Counter().ShutDown()) Lists().Release();
}

bool PictureListWnd1::Started() { return Counter().Started(); }

PictureListWnd1::PictureListWnd1(QWidget* parent) : PictureRowWindow(parent) {
  RequirePictureWindowClass(Counter());
  setObjectName(QStringLiteral("PicutreListWnd_picturelistwnd1"));
  PictureListWnd1* self = this;
  Lists().Add(&self, sizeof self, WindowHandles::Of(this));
}

PictureListWnd1::~PictureListWnd1() {
  Clear();
  Lists().Delete(WindowHandles::Of(this));
}

int PictureListWnd1::Append(int32_t id) {
  PictureBankHighColor1::AddRef(id);
  const int index = ids_.Append(id);
  RowChanged();
  return index;
}

void PictureListWnd1::RemoveAt(int index) {
  if (index < 0 || index >= ids_.Count()) return;
  const int32_t id = ids_.ValueAt(index);
  ids_.RemoveAt(index);
  PictureBankHighColor1::Release(id);
  if (Selected() == index) {
    SetSelected(-1);
  } else if (Selected() > index) {
    SetSelected(Selected() - 1);
  }
  RowChanged();
}

void PictureListWnd1::Clear() {
  while (ids_.Count() > 0) {
    const int32_t id = ids_.ValueAt(ids_.Count() - 1);
    ids_.RemoveAt(ids_.Count() - 1);
    PictureBankHighColor1::Release(id);
  }
  RowChanged();
}

int32_t PictureListWnd1::IdAt(int index) const { return ids_.ValueAt(index); }
int PictureListWnd1::Count() const { return ids_.Count(); }
int32_t PictureListWnd1::SelectedId() const { return Selected() >= 0 ? IdAt(Selected()) : -1; }
