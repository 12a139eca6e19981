// Draws the course designer's pictures and sounds into a folder (resources/merrowlindale):
// the tool bar strips (raised, highlighted, down), the preview's wire/texture strips, the
// view markers, the window icon, the road texture "Texture.bmp" and the click
// "SetButton.wav". The outputs are committed; run
//   build/bin/make_merrowlindale_resources resources/merrowlindale
// (with QT_QPA_PLATFORM=offscreen on a machine without a display) after changing a drawing.
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "foundation/gui/icon_painter.h"
#include "foundation/gui/resource_generator.h"

namespace {

using icon_style::AccentColour;
using icon_style::Glyph;
using icon_style::kRoad;
using icon_style::kRoadEdge;
using icon_style::Look;

const QColor kPointBlue(30, 120, 220);

// A curve with three control points and the handle of the middle one.
void EditGlyph(QPainter& p, const QRectF& r, Look look) {
  QPainterPath curve;
  curve.moveTo(r.left(), r.bottom() - 2);
  curve.cubicTo(r.left() + r.width() * 0.3, r.top() - 2, r.left() + r.width() * 0.7, r.top() - 2,
                r.right(), r.bottom() - 2);
  p.setPen(icon_style::InkPen(look));
  p.drawPath(curve);
  const QPointF mid(r.center().x(), r.top() + r.height() * 0.28);
  p.setPen(QPen(AccentColour(look), 1.2));
  p.drawLine(mid - QPointF(r.width() * 0.42, 0), mid + QPointF(r.width() * 0.42, 0));
  p.setBrush(AccentColour(look));
  p.drawEllipse(mid - QPointF(r.width() * 0.42, 0), 1.6, 1.6);
  p.drawEllipse(mid + QPointF(r.width() * 0.42, 0), 1.6, 1.6);
  p.setPen(Qt::NoPen);
  p.setBrush(kPointBlue);
  p.drawRect(QRectF(mid.x() - 2, mid.y() - 2, 4, 4));
  p.drawRect(QRectF(r.left() - 1, r.bottom() - 4, 3.5, 3.5));
  p.drawRect(QRectF(r.right() - 2.5, r.bottom() - 4, 3.5, 3.5));
}

// A curve with evenly spaced sample ticks.
void SampleGlyph(QPainter& p, const QRectF& r, Look look) {
  p.setPen(icon_style::InkPen(look, 1.2));
  const int ticks = 7;
  QPointF previous;
  for (int i = 0; i <= 40; ++i) {
    const qreal t = i / 40.0;
    const QPointF q(r.left() + t * r.width(),
                    r.center().y() + std::sin(t * 6.28) * r.height() * 0.3);
    if (i > 0) p.drawLine(previous, q);
    previous = q;
  }
  p.setPen(QPen(AccentColour(look), 1.4));
  for (int i = 0; i <= ticks; ++i) {
    const qreal t = qreal(i) / ticks;
    const qreal y = r.center().y() + std::sin(t * 6.28) * r.height() * 0.3;
    p.drawLine(QPointF(r.left() + t * r.width(), y - 2.5),
               QPointF(r.left() + t * r.width(), y + 2.5));
  }
}

// A road seen from above with arrows pushing its edges apart.
void WidthGlyph(QPainter& p, const QRectF& r, Look look) {
  const qreal cx = r.center().x();
  p.fillRect(QRectF(cx - 3, r.top(), 6, r.height()), kRoad);
  p.setPen(icon_style::InkPen(look, 1.2));
  p.drawLine(QPointF(cx - 3, r.top()), QPointF(cx - 3, r.bottom()));
  p.drawLine(QPointF(cx + 3, r.top()), QPointF(cx + 3, r.bottom()));
  p.setPen(QPen(AccentColour(look), 1.4));
  icon_style::Arrow(p, QPointF(cx - 3.5, r.center().y()), QPointF(r.left(), r.center().y()), 3);
  icon_style::Arrow(p, QPointF(cx + 3.5, r.center().y()), QPointF(r.right(), r.center().y()), 3);
}

// A closed circuit with the direction of travel.
void LoopGlyph(QPainter& p, const QRectF& r, Look look) {
  p.setPen(QPen(kRoad, 3.5));
  p.setBrush(Qt::NoBrush);
  const QRectF oval = r.adjusted(1, 3, -1, -3);
  p.drawRoundedRect(oval, oval.height() / 2, oval.height() / 2);
  p.setPen(QPen(kRoadEdge, 0.8, Qt::DashLine));
  p.drawRoundedRect(oval, oval.height() / 2, oval.height() / 2);
  p.setPen(QPen(AccentColour(look), 1.5));
  icon_style::Arrow(p, QPointF(oval.center().x() - 3, oval.top()),
                    QPointF(oval.center().x() + 3, oval.top()), 3.5);
}

// Views: a frame with what the view shows.
void TopViewGlyph(QPainter& p, const QRectF& r, Look look) {
  icon_style::ViewFrame(p, r, look);
  p.setPen(QPen(kRoad, 3));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(r.adjusted(3, 4, -3, -4));
}

void SideViewGlyph(QPainter& p, const QRectF& r, Look look) {
  icon_style::ViewFrame(p, r, look);
  QPainterPath hill;
  hill.moveTo(r.left() + 2, r.bottom() - 3);
  hill.cubicTo(r.left() + 6, r.bottom() - 3, r.center().x() - 2, r.top() + 3, r.right() - 2,
               r.top() + 5);
  p.setPen(QPen(kRoad, 2.5));
  p.drawPath(hill);
  Q_UNUSED(look);
}

void FrontViewGlyph(QPainter& p, const QRectF& r, Look look) {
  icon_style::ViewFrame(p, r, look);
  p.setPen(QPen(kRoad, 3));
  p.drawLine(QPointF(r.left() + 3, r.center().y() + 3), QPointF(r.right() - 3, r.center().y() - 1));
  p.setPen(QPen(AccentColour(look), 1.2));
  p.drawLine(QPointF(r.center().x(), r.center().y() + 1), QPointF(r.center().x(), r.top() + 3));
}

void DevelopedTopGlyph(QPainter& p, const QRectF& r, Look look) {
  icon_style::ViewFrame(p, r, look);
  QPainterPath road;
  road.moveTo(r.center().x() - 2, r.bottom() - 1);
  road.cubicTo(r.center().x() - 5, r.center().y(), r.center().x() - 2, r.center().y(),
               r.center().x() - 3, r.top() + 1);
  road.lineTo(r.center().x() + 3, r.top() + 1);
  road.cubicTo(r.center().x() + 2, r.center().y(), r.center().x() + 5, r.center().y(),
               r.center().x() + 2, r.bottom() - 1);
  road.closeSubpath();
  p.fillPath(road, kRoad);
  p.setPen(QPen(AccentColour(look), 1.0));
  p.drawLine(QPointF(r.center().x(), r.top() + 2), QPointF(r.center().x(), r.bottom() - 2));
}

void DevelopedSideGlyph(QPainter& p, const QRectF& r, Look look) {
  icon_style::ViewFrame(p, r, look);
  QPainterPath profile;
  profile.moveTo(r.left() + 2, r.bottom() - 4);
  profile.cubicTo(r.left() + 6, r.top() + 2, r.center().x() + 1, r.bottom() - 2, r.right() - 2,
                  r.top() + 4);
  p.setPen(QPen(kRoad, 2.2));
  p.drawPath(profile);
  p.setPen(QPen(AccentColour(look), 1.0));
  p.drawLine(QPointF(r.left() + 2, r.bottom() - 2), QPointF(r.right() - 2, r.bottom() - 2));
}

// Arrangements: the panes of the layout, the preview pane darker.
Glyph Panes(std::vector<QRectF> panes, int preview) {
  return [panes, preview](QPainter& p, const QRectF& r, Look look) {
    icon_style::Panes(p, r, look, panes, preview);
  };
}

void WireGlyph(QPainter& p, const QRectF& r, Look look) {
  p.setPen(QPen(look == Look::kPressed ? QColor(20, 20, 20) : icon_style::kInk, 1.0));
  const QPointF bl(r.left(), r.bottom()), br(r.right(), r.bottom());
  const QPointF tl(r.center().x() - 2, r.top()), tr(r.center().x() + 2, r.top());
  for (int i = 0; i <= 3; ++i) {
    const qreal t = i / 3.0;
    const qreal s = t * t;
    p.drawLine(bl + (tl - bl) * s, br + (tr - br) * s);
  }
  p.drawLine(bl, tl);
  p.drawLine(br, tr);
  p.drawLine((bl + br) / 2, (tl + tr) / 2);
}

void TextureGlyph(QPainter& p, const QRectF& r, Look look) {
  QPainterPath road;
  road.moveTo(r.left(), r.bottom());
  road.lineTo(r.right(), r.bottom());
  road.lineTo(r.center().x() + 2, r.top());
  road.lineTo(r.center().x() - 2, r.top());
  road.closeSubpath();
  p.fillPath(road, kRoad);
  p.setPen(QPen(kRoadEdge, 1.0));
  p.drawLine(QPointF(r.left() + 1, r.bottom()), QPointF(r.center().x() - 1.5, r.top()));
  p.drawLine(QPointF(r.right() - 1, r.bottom()), QPointF(r.center().x() + 1.5, r.top()));
  p.setPen(QPen(QColor(250, 210, 60), 1.2, Qt::DashLine));
  p.drawLine(QPointF(r.center().x(), r.bottom()), QPointF(r.center().x(), r.top()));
  Q_UNUSED(look);
}

// 20 x 20 pointing hand on magenta (the transparent colour), finger towards the top left.
QImage Hand() {
  QImage image(20, 20, QImage::Format_RGB32);
  image.fill(QColor(255, 0, 255));
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, false);
  QPainterPath hand;
  hand.moveTo(1, 1);  // finger tip
  hand.lineTo(4, 1);
  hand.lineTo(11, 8);
  hand.lineTo(15, 8);
  hand.lineTo(18, 11);
  hand.lineTo(18, 15);
  hand.lineTo(14, 19);
  hand.lineTo(9, 19);
  hand.lineTo(5, 15);
  hand.lineTo(5, 11);
  hand.lineTo(7, 10);
  hand.lineTo(1, 4);
  hand.closeSubpath();
  p.setPen(QPen(QColor(20, 20, 20), 1));
  p.setBrush(QColor(255, 236, 200));
  p.drawPath(hand);
  p.setPen(QPen(QColor(150, 110, 80), 1));
  p.drawLine(11, 11, 14, 14);
  p.drawLine(9, 13, 12, 16);
  return image;
}

// 20 x 16 camera on magenta: the course marker where the preview's camera stands.
QImage CameraPosition() {
  QImage image(20, 16, QImage::Format_RGB32);
  image.fill(QColor(255, 0, 255));
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QPen(QColor(10, 10, 10), 1));
  p.setBrush(QColor(255, 196, 40));
  p.drawRect(1, 4, 13, 9);  // body
  p.drawRect(4, 1, 5, 3);   // viewfinder
  QPolygon lens({QPoint(14, 6), QPoint(18, 3), QPoint(18, 14), QPoint(14, 11)});
  p.drawPolygon(lens);
  p.setBrush(QColor(40, 80, 160));
  p.drawEllipse(4, 6, 5, 5);
  return image;
}

// 32 x 32 program icon: a looped road with control points.
QImage MainIcon() {
  QImage image(32, 32, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(QColor(110, 170, 90));
  p.setPen(QPen(QColor(40, 70, 40), 1));
  p.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
  QPainterPath road;
  road.moveTo(7, 22);
  road.cubicTo(3, 10, 14, 4, 22, 7);
  road.cubicTo(30, 10, 28, 24, 18, 25);
  road.cubicTo(12, 26, 9, 25, 7, 22);
  p.setPen(QPen(kRoad, 5));
  p.setBrush(Qt::NoBrush);
  p.drawPath(road);
  p.setPen(QPen(kRoadEdge, 1, Qt::DashLine));
  p.drawPath(road);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 84, 60));
  for (QPointF point : {QPointF(7, 22), QPointF(22, 7), QPointF(18, 25)}) {
    p.drawRect(QRectF(point.x() - 2, point.y() - 2, 4, 4));
  }
  return image;
}

// 64 x 64 asphalt: grainy grey, white edge lines down both sides (u = 0 and u = 1 are the
// road's edges) and a yellow centre dash over half its length.
QImage RoadTexture() {
  QImage image(64, 64, QImage::Format_RGB32);
  std::mt19937 random(20261207);
  std::uniform_int_distribution<int> grain(-14, 14);
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      const int g = grain(random);
      image.setPixel(x, y, qRgb(92 + g, 94 + g, 100 + g));
    }
  }
  for (int y = 0; y < 64; ++y) {
    for (int x : {2, 3, 4, 59, 60, 61}) image.setPixel(x, y, qRgb(236, 236, 232));
    if (y < 32) {
      for (int x = 31; x <= 32; ++x) image.setPixel(x, y, qRgb(246, 200, 52));
    }
  }
  return image;
}

bool SaveBmp24(const QImage& image, const std::string& path) {
  const int w = image.width(), h = image.height();
  const int row = (w * 3 + 3) / 4 * 4;
  const uint32_t size = 54 + uint32_t(row) * uint32_t(h);
  std::string bytes(size, '\0');
  auto put16 = [&](size_t at, uint16_t v) {
    bytes[at] = char(v & 0xFF);
    bytes[at + 1] = char(v >> 8);
  };
  auto put32 = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes[at + size_t(i)] = char((v >> (8 * i)) & 0xFF);
  };
  bytes[0] = 'B';
  bytes[1] = 'M';
  put32(2, size);
  put32(10, 54);
  put32(14, 40);
  put32(18, uint32_t(w));
  put32(22, uint32_t(h));
  put16(26, 1);
  put16(28, 24);
  put32(34, uint32_t(row) * uint32_t(h));
  for (int y = 0; y < h; ++y) {
    const size_t at = 54 + size_t(h - 1 - y) * size_t(row);
    for (int x = 0; x < w; ++x) {
      const QRgb c = image.pixel(x, y);
      bytes[at + size_t(x) * 3] = char(qBlue(c));
      bytes[at + size_t(x) * 3 + 1] = char(qGreen(c));
      bytes[at + size_t(x) * 3 + 2] = char(qRed(c));
    }
  }
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), std::streamsize(bytes.size()));
  return bool(out);
}

// 45 ms click: a 1.9 kHz tone falling to 1.2 kHz with a fast decay, 16-bit mono 22050 Hz.
bool SaveClick(const std::string& path) {
  const int rate = 22050;
  const int count = rate * 45 / 1000;
  std::string data;
  double phase = 0.0;
  for (int i = 0; i < count; ++i) {
    const double t = double(i) / rate;
    const double frequency = 1900.0 - 700.0 * t / 0.045;
    phase += 2.0 * M_PI * frequency / rate;
    const double attack = std::min(1.0, i / 40.0);
    const double value = 0.45 * attack * std::exp(-t * 90.0) * std::sin(phase);
    const int16_t sample = int16_t(std::lround(value * 32767.0));
    data.push_back(char(sample & 0xFF));
    data.push_back(char((sample >> 8) & 0xFF));
  }
  std::string bytes = "RIFF";
  auto put32 = [&](uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes.push_back(char((v >> (8 * i)) & 0xFF));
  };
  auto put16 = [&](uint16_t v) {
    bytes.push_back(char(v & 0xFF));
    bytes.push_back(char(v >> 8));
  };
  put32(uint32_t(36 + data.size()));
  bytes += "WAVEfmt ";
  put32(16);
  put16(1);  // PCM
  put16(1);  // mono
  put32(rate);
  put32(rate * 2);
  put16(2);
  put16(16);
  bytes += "data";
  put32(uint32_t(data.size()));
  bytes += data;
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), std::streamsize(bytes.size()));
  return bool(out);
}

constexpr char kUsage[] =
    "usage: make_merrowlindale_resources <folder>\n"
    "Draws the course designer's button strips, markers, icon, road texture and\n"
    "button click into the folder.\n";

// Draws every picture into `folder`; false when one could not be written.
bool DrawAll(const std::string& folder) {
  const std::vector<Look>& looks = icon_style::kButtonLooks;
  struct Button {
    const char* file;
    int width;
    Glyph glyph;
    QString label;
  };
  const std::vector<QRectF>& grid = icon_style::kFourPanes;
  const std::vector<QRectF> over = {{0, 0, 0.5, 0.5}, {0.5, 0, 0.5, 0.5}, {0, 0.5, 1, 0.5}};
  const std::vector<QRectF> beside = {{0, 0, 0.5, 0.5}, {0, 0.5, 0.5, 0.5}, {0.5, 0, 0.5, 1}};
  const std::vector<Button> buttons = {
      {"editbutton.png", 91, EditGlyph, QStringLiteral("コース編集")},
      {"samplebutton.png", 91, SampleGlyph, QStringLiteral("サンプル数")},
      {"widthbutton.png", 91, WidthGlyph, QStringLiteral("コース幅")},
      {"loopbutton.png", 91, LoopGlyph, QStringLiteral("ループ")},
      {"cmramovebutton.png", 91, icon_style::MoveGlyph, QStringLiteral("カメラ移動")},
      {"cmrazoombutton.png", 91, icon_style::ZoomGlyph, QStringLiteral("ズーム")},
      {"topviewbutton.png", 45, TopViewGlyph, QStringLiteral("上")},
      {"sideviewbutton.png", 45, SideViewGlyph, QStringLiteral("横")},
      {"frontviewbutton.png", 45, FrontViewGlyph, QStringLiteral("前")},
      {"expandtopbutton.png", 45, DevelopedTopGlyph, QStringLiteral("幅")},
      {"expandsidebutton.png", 45, DevelopedSideGlyph, QStringLiteral("高")},
      {"divviewbutton.png", 91, Panes(grid, -1), QStringLiteral("4分割")},
      {"heightviewbutton.png", 91, Panes(over, 1), QStringLiteral("高さ編集")},
      {"widthviewbutton.png", 91, Panes(beside, 1), QStringLiteral("幅編集")},
      {"rollviewbutton.png", 91, Panes(grid, 1), QStringLiteral("ロール編集")},
  };
  bool ok = true;
  for (const Button& button : buttons) {
    ok = SavePng(icon_style::Strip(button.width, 22, looks,
                                   icon_style::Labelled(button.glyph, button.label)),
                 folder, button.file) &&
         ok;
  }
  const std::pair<QImage, const char*> pictures[] = {
      {icon_style::Strip(22, 22, looks, WireGlyph), "wirebutton.png"},
      {icon_style::Strip(22, 22, looks, TextureGlyph), "texturebutton.png"},
      {Hand(), "hand.png"},
      {CameraPosition(), "camerapos.png"},
      {MainIcon(), "main_icon.png"},
  };
  for (const auto& [image, name] : pictures) ok = SavePng(image, folder, name) && ok;
  const std::string texture = folder + "/Texture.bmp";
  ok = SaveBmp24(RoadTexture(), texture) && ok;
  std::printf("%s\n", texture.c_str());
  const std::string click = folder + "/SetButton.wav";
  ok = SaveClick(click) && ok;
  std::printf("%s\n", click.c_str());
  return ok;
}

}  // namespace

int main(int argc, char** argv) { return RunResourceGenerator(argc, argv, kUsage, DrawAll); }
