#include "pictures/gui/picture_view_wnd.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include "foundation/class_startup.h"
#include "foundation/gui/named_resources.h"
#include "foundation/gui/surface_view.h"
#include "foundation/gui/window_handles.h"
#include "foundation/gui/windows_service.h"
#include "foundation/hwnd_database.h"
#include "foundation/misuse_check.h"
#include "pictures/gui/picture_class_checks.h"
#include "pictures/gui/picture_drawing.h"
#include "pictures/picture_bank_high_color1.h"

namespace {

constexpr const char* kTag = "PictureViewWnd1";

ClassStartUp& Counter() {
  static ClassStartUp counter(kTag, ClassStartUp::Form::kDecrementThenCheck);
  return counter;
}

HWNDDataBase2& Views() {
  static HWNDDataBase2 views;
  return views;
}

uint32_t clock_ms = 0;

}  // namespace

void PictureViewWnd1::StartUp() {
  if (Counter().StartUp()) Views().Init(sizeof(Record));
}

void PictureViewWnd1::ShutDown() {
  if (Counter().ShutDown()) Views().Release();
}

bool PictureViewWnd1::Started() { return Counter().Started(); }
uint32_t PictureViewWnd1::Clock() { return clock_ms; }
void PictureViewWnd1::ResetClock() { clock_ms = 0; }

PictureViewWnd1::PictureViewWnd1(QWidget* parent, uint32_t command_id) : QWidget(parent) {
  RequirePictureWindowClass(Counter());
  setObjectName(QStringLiteral("PicutreViewWnd_picviewwnd1"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  handle_ = WindowHandles::Of(this);
  const Record record{-1, 0, command_id, width(), height()};
  Views().Add(&record, sizeof record, handle_);
  WindowsService1::CreateSurface(this, surface_);
  Redraw();
  clock_ms = 0;
  timer_ = new QTimer(this);
  connect(timer_, &QTimer::timeout, this, &PictureViewWnd1::Tick);
  timer_->start(kTickMs);
}

PictureViewWnd1::~PictureViewWnd1() {
  const Record record = Fetch();
  if (record.picture_id >= 0) PictureBankHighColor1::Release(record.picture_id);
  Views().Delete(handle_);
}

PictureViewWnd1::Record PictureViewWnd1::Fetch() const {
  Record record;
  Views().Fetch(&record, sizeof record, handle_);
  return record;
}

void PictureViewWnd1::Store(const Record& record) {
  Views().Update(&record, sizeof record, handle_);
}

int32_t PictureViewWnd1::PictureId() const { return Fetch().picture_id; }
uint32_t PictureViewWnd1::CommandId() const { return Fetch().command_id; }

void PictureViewWnd1::SetCommandId(uint32_t command_id) {
  Record record = Fetch();
  record.command_id = command_id;
  Store(record);
}

void PictureViewWnd1::SetFrame(bool framed) {
  Record record = Fetch();
  record.framed = framed ? 1 : 0;
  Store(record);
  Redraw();
}

void PictureViewWnd1::ShowLoading() {
  surface_.Fill(PackColour555(88, 47, 111));
  {
    SurfacePainter painter(surface_);
    painter.setPen(QColor(255, 0, 0));
    painter.setFont(GothicFont(12));
    painter.drawText(QRect(0, 0, surface_.Width(), surface_.Height()), Qt::AlignCenter,
                     QStringLiteral("Loading"));
  }
  repaint();
}

int32_t PictureViewWnd1::ShowPath(const std::string& path, int32_t mode) {
  ShowLoading();
  const int32_t id = PictureBankHighColor1::Register(path, mode);
  Record record = Fetch();
  if (record.picture_id >= 0) PictureBankHighColor1::Release(record.picture_id);
  record.picture_id = id >= 0 ? id : -1;
  Store(record);
  Redraw();
  return id;
}

void PictureViewWnd1::ShowId(int32_t id) {
  if (id >= 0) PictureBankHighColor1::AddRef(id);
  Record record = Fetch();
  if (record.picture_id >= 0) PictureBankHighColor1::Release(record.picture_id);
  record.picture_id = id >= 0 ? id : -1;
  Store(record);
  Redraw();
}

void PictureViewWnd1::Tick() {
  clock_ms += kTickMs;
  Redraw();
}

void PictureViewWnd1::Redraw() {
  // A hidden window gets its resize event only when shown; the surface follows the size now.
  if (surface_.Width() != width() || surface_.Height() != height()) {
    WindowsService1::CreateSurface(this, surface_);
  }
  if (surface_.Empty()) return;
  const Record record = Fetch();
  picture_drawing::Checkerboard(surface_);
  if (record.picture_id >= 0) {
    PictureInfo info;
    const uint8_t* pixels = PictureBankHighColor1::Picture(record.picture_id, &info, clock_ms);
    picture_drawing::StretchPicture(surface_, QRect(0, 0, surface_.Width(), surface_.Height()),
                                    pixels, info);
  }
  if (record.framed != 0) {
    picture_drawing::Frame(surface_, QRect(0, 0, surface_.Width(), surface_.Height()),
                           picture_drawing::kRed, 2);
  }
  update();
}

void PictureViewWnd1::resizeEvent(QResizeEvent*) {
  Record record = Fetch();
  record.width = width();
  record.height = height();
  Store(record);
  WindowsService1::CreateSurface(this, surface_);
  Redraw();
}

void PictureViewWnd1::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintSurface(painter, surface_);
}

void PictureViewWnd1::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit Command(int(CommandId() & 0xFFFF), this);
}
