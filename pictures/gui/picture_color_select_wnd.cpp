#include "pictures/gui/picture_color_select_wnd.h"

#include <QMouseEvent>
#include <QPainter>

#include "foundation/class_startup.h"
#include "foundation/gui/named_resources.h"
#include "foundation/gui/surface_view.h"
#include "foundation/gui/window_handles.h"
#include "foundation/gui/windows_service.h"
#include "foundation/hwnd_database.h"
#include "pictures/gui/picture_class_checks.h"
#include "pictures/gui/picture_drawing.h"
#include "pictures/picture_bank_high_color1.h"

namespace {

ClassStartUp& Counter() {
  static ClassStartUp counter("PictureColorSelectWnd1",
                              ClassStartUp::Form::kDecrementThenCheck);
  return counter;
}

HWNDDataBase2& Windows() {
  static HWNDDataBase2 windows;
  return windows;
}

}  // namespace

void PictureColorSelectWnd1::StartUp() {
  if (Counter().StartUp()) Windows().Init(sizeof(PictureColorSelectWnd1*));
}

void PictureColorSelectWnd1::ShutDown() {
  if (Counter().ShutDown()) Windows().Release();
}

bool PictureColorSelectWnd1::Started() { return Counter().Started(); }

PictureColorSelectWnd1::PictureColorSelectWnd1(QWidget* parent) : QWidget(parent) {
  RequirePictureWindowClass(Counter());
  setObjectName(QStringLiteral("PictureColorSelectWnd_picturecolorselect1"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setCursor(NamedCursor("SPOIT_PICTURECOLORSELECTWND1"));
  PictureColorSelectWnd1* self = this;
  Windows().Add(&self, sizeof self, WindowHandles::Of(this));
  WindowsService1::CreateSurface(this, surface_);
  Redraw();
}

PictureColorSelectWnd1::~PictureColorSelectWnd1() {
  if (picture_id_ >= 0) PictureBankHighColor1::Release(picture_id_);
  Windows().Delete(WindowHandles::Of(this));
}

void PictureColorSelectWnd1::ShowId(int32_t id) {
  if (id >= 0) PictureBankHighColor1::AddRef(id);
  if (picture_id_ >= 0) PictureBankHighColor1::Release(picture_id_);
  picture_id_ = id >= 0 ? id : -1;
  Redraw();
}

void PictureColorSelectWnd1::SetTransparentColour(int32_t colour) {
  transparent_ = colour < 0 ? -1 : (colour & 0x7FFF);
  Redraw();
}

void PictureColorSelectWnd1::Redraw() {
  // A hidden window gets its resize event only when shown; the surface follows the size now.
  if (surface_.Width() != width() || surface_.Height() != height()) {
    WindowsService1::CreateSurface(this, surface_);
  }
  if (surface_.Empty()) return;
  picture_drawing::Checkerboard(surface_);
  if (picture_id_ >= 0) {
    PictureInfo info;
    const uint8_t* pixels = PictureBankHighColor1::Picture(picture_id_, &info);
    // The owner's choice is what is marked, not the picture's own transparency.
    info.transparency_switch = transparent_ >= 0 ? 1 : 0;
    info.transparent_colour = uint32_t(std::max(transparent_, 0));
    picture_drawing::StretchPicture(surface_, QRect(0, 0, surface_.Width(), surface_.Height()),
                                    pixels, info);
  }
  update();
}

void PictureColorSelectWnd1::resizeEvent(QResizeEvent*) {
  WindowsService1::CreateSurface(this, surface_);
  Redraw();
}

void PictureColorSelectWnd1::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintSurface(painter, surface_);
}

void PictureColorSelectWnd1::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    emit Command(kCancelled, this);
    return;
  }
  if (event->button() != Qt::LeftButton || picture_id_ < 0) return;
  PictureInfo info;
  const uint8_t* pixels = PictureBankHighColor1::Picture(picture_id_, &info);
  int32_t x = 0, y = 0;
  const QPoint at = event->position().toPoint();
  if (pixels == nullptr ||
      picture_drawing::SourcePixelAt(QRect(0, 0, width(), height()), info, at.x(), at.y(), &x,
                                     &y) < 0) {
    return;
  }
  picked_ = picture_drawing::Word(pixels, int64_t(y) * info.width + x);
  emit Command(kPicked, this);
}
