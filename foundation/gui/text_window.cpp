#include "foundation/gui/text_window.h"

#include <QPainter>
#include <cstring>

#include "foundation/class_startup.h"
#include "foundation/gui/named_resources.h"
#include "foundation/gui/startup_picture.h"
#include "foundation/gui/window_handles.h"
#include "foundation/hwnd_database.h"
#include "foundation/shift_jis.h"

namespace {

ClassStartUp& Counter() {
  static ClassStartUp counter("TextWindow1", ClassStartUp::Form::kDecrementThenCheck);
  return counter;
}

HWNDDataBase2& Windows() {
  static HWNDDataBase2 windows;
  return windows;
}

// Length of the longest prefix of `bytes` within `limit` bytes that does not end inside a
// double-byte Shift-JIS character.
size_t WholeCharacters(const std::string& bytes, size_t limit) {
  size_t length = 0;
  while (length < bytes.size()) {
    const auto lead = static_cast<unsigned char>(bytes[length]);
    const bool double_byte = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
    const size_t next = length + (double_byte ? 2 : 1);
    if (next > limit || next > bytes.size()) break;
    length = next;
  }
  return length;
}

}  // namespace

void TextWindow1::StartUp() {
  if (Counter().StartUp()) Windows().Init(sizeof(Record));
}

void TextWindow1::ShutDown() {
  if (Counter().ShutDown()) Windows().Release();
}

QFont TextWindow1::TextFont() { return GothicFont(12); }

TextWindow1::TextWindow1(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("TextWindow_textwnd1"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  handle_ = WindowHandles::Of(this);
  Record record{};
  record.parent = WindowHandles::Of(parent);
  Windows().Add(&record, sizeof record, handle_);
}

TextWindow1::~TextWindow1() {
  if (Counter().Started()) Windows().Delete(handle_);
}

TextWindow1::Record TextWindow1::Fetch() const {
  Record record;
  Windows().Fetch(&record, sizeof record, handle_);
  return record;
}

void TextWindow1::Store(const Record& record) { Windows().Update(&record, sizeof record, handle_); }

void TextWindow1::SetTextPosition(int32_t x, int32_t y) {
  Record record = Fetch();
  record.text_x = x;
  record.text_y = y;
  Store(record);
}

void TextWindow1::SetTextColour(uint32_t colour) {
  Record record = Fetch();
  record.text_colour = colour;
  Store(record);
}

void TextWindow1::SetText(const std::string& text) {
  Record record = Fetch();
  const std::string bytes = Utf8ToShiftJis(text);
  const size_t length = WholeCharacters(bytes, kMaximumTextBytes);
  std::memset(record.text, 0, sizeof record.text);
  std::memcpy(record.text, bytes.data(), length);
  Store(record);
  repaint();
}

void TextWindow1::SetBackgroundPicture(const std::string& bitmap_name) {
  picture_ = NamedBitmap(bitmap_name);
  update();
}

void TextWindow1::SetBackgroundColour(uint8_t red, uint8_t green, uint8_t blue) {
  Record record = Fetch();
  record.has_brush = 1;
  record.brush_colour = uint32_t(red) | (uint32_t(green) << 8) | (uint32_t(blue) << 16);
  Store(record);
  update();
}

QString TextWindow1::Text() const {
  const Record record = Fetch();
  std::string utf8;
  ShiftJisToUtf8(std::string_view(record.text, std::strlen(record.text)), utf8);
  return QString::fromStdString(utf8);
}

void TextWindow1::paintEvent(QPaintEvent*) {
  const Record record = Fetch();
  QPainter painter(this);
  if (!picture_.isNull()) {
    painter.fillRect(rect(), palette().window());
    painter.drawPixmap(QPoint(0, 0), picture_, rect());
  } else if (record.has_brush != 0) {
    painter.fillRect(rect(), ColourFromBgr(record.brush_colour));
  } else {
    painter.fillRect(rect(), palette().window());
  }
  painter.setFont(TextFont());
  painter.setPen(ColourFromBgr(record.text_colour));
  const QFontMetrics metrics(painter.font());
  painter.drawText(QPoint(record.text_x, record.text_y + metrics.ascent()), Text());
}
