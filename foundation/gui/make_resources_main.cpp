// Draws the shared pictures of the suite into a folder (resources/common): the logo, the
// eyedropper cursor and the gallery's button strips. The PNGs are committed; run
// scripts/make-resources after changing a drawing.
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <string>
#include <utility>
#include <vector>

#include "foundation/gui/icon_painter.h"
#include "foundation/gui/named_resources.h"
#include "foundation/gui/resource_generator.h"

namespace {

using icon_style::Look;

// 512 x 256: a road sweeping through hills to the horizon under the suite's name. The lower
// right stays light, since the version line is drawn there in dark brown.
QImage Logo() {
  QImage image(512, 256, QImage::Format_RGB32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, 150);
  sky.setColorAt(0, QColor(86, 140, 210));
  sky.setColorAt(1, QColor(214, 232, 246));
  p.fillRect(image.rect(), sky);
  QRadialGradient sun(400, 70, 46);
  sun.setColorAt(0, QColor(255, 250, 220));
  sun.setColorAt(0.4, QColor(255, 236, 170, 220));
  sun.setColorAt(1, QColor(255, 236, 170, 0));
  p.fillRect(QRect(330, 0, 140, 140), sun);

  QPainterPath far_hills;
  far_hills.moveTo(0, 140);
  far_hills.cubicTo(80, 100, 150, 120, 220, 110);
  far_hills.cubicTo(300, 98, 380, 126, 512, 104);
  far_hills.lineTo(512, 256);
  far_hills.lineTo(0, 256);
  p.fillPath(far_hills, QColor(120, 160, 130));
  QPainterPath near_hills;
  near_hills.moveTo(0, 160);
  near_hills.cubicTo(120, 130, 260, 150, 340, 140);
  near_hills.cubicTo(420, 132, 470, 146, 512, 140);
  near_hills.lineTo(512, 256);
  near_hills.lineTo(0, 256);
  QLinearGradient grass(0, 140, 0, 256);
  grass.setColorAt(0, QColor(92, 150, 80));
  grass.setColorAt(1, QColor(200, 224, 160));
  p.fillPath(near_hills, grass);

  // The road: two edges that meet near the horizon, a curve to the right.
  QPainterPath road;
  road.moveTo(40, 256);
  road.cubicTo(120, 210, 250, 190, 300, 146);
  road.lineTo(312, 146);
  road.cubicTo(290, 196, 230, 226, 210, 256);
  road.closeSubpath();
  p.fillPath(road, QColor(74, 72, 80));
  p.setPen(QPen(QColor(240, 240, 240), 3));
  p.setBrush(Qt::NoBrush);
  QPainterPath left_edge;
  left_edge.moveTo(40, 256);
  left_edge.cubicTo(120, 210, 250, 190, 300, 146);
  p.drawPath(left_edge);
  QPainterPath right_edge;
  right_edge.moveTo(210, 256);
  right_edge.cubicTo(230, 226, 290, 196, 312, 146);
  p.drawPath(right_edge);
  QPen dash(QColor(250, 214, 64), 3);
  dash.setDashPattern({4, 4});
  p.setPen(dash);
  QPainterPath centre;
  centre.moveTo(125, 256);
  centre.cubicTo(180, 214, 270, 194, 306, 146);
  p.drawPath(centre);

  // Name and line of the suite.
  QFont title(QStringLiteral("DejaVu Sans"));
  title.setPixelSize(50);
  title.setBold(true);
  title.setLetterSpacing(QFont::AbsoluteSpacing, 2);
  p.setFont(title);
  QPainterPath text;
  text.addText(24, 66, title, QStringLiteral("TARNHOLLOW"));
  p.setPen(QPen(QColor(255, 255, 255), 5));
  p.drawPath(text);
  p.fillPath(text, QColor(0x63, 0x36, 0x00));
  QFont line = GothicFont(18);
  p.setFont(line);
  p.setPen(QColor(32, 48, 80));
  p.drawText(QPoint(28, 94), QStringLiteral("コースステージ エディタ"));
  return image;
}

// 32 x 32 eyedropper pointing to the lower left, hot spot at its tip; white outline so it
// shows on dark pictures.
QImage Eyedropper() {
  QImage image(32, 32, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.translate(16, 16);
  p.rotate(45);
  QPainterPath body;
  body.addRoundedRect(QRectF(-3, -12, 6, 14), 1.5, 1.5);  // glass tube
  QPainterPath tip;
  tip.moveTo(-1.5, 2);
  tip.lineTo(1.5, 2);
  tip.lineTo(0.6, 17);
  tip.lineTo(-0.6, 17);
  tip.closeSubpath();
  QPainterPath bulb;
  bulb.addRoundedRect(QRectF(-4.5, -18, 9, 7), 3, 3);
  QPainterPath all = body.united(tip).united(bulb);
  p.setPen(QPen(Qt::white, 3));
  p.drawPath(all);
  p.fillPath(all, QColor(40, 40, 48));
  p.fillPath(body.translated(0, 0), QColor(170, 210, 240));
  p.fillRect(QRectF(-2, -4, 4, 6), QColor(214, 88, 32));  // colour drawn up
  p.setPen(QPen(QColor(40, 40, 48), 1));
  p.setBrush(Qt::NoBrush);
  p.drawPath(body);
  p.end();
  image.setText(QStringLiteral("HotSpot"), QStringLiteral("4,27"));
  return image;
}

// A dark panel with a thin frame: the background of a text window.
QImage TextBack() {
  QImage image(100, 22, QImage::Format_RGB32);
  QPainter p(&image);
  QLinearGradient back(0, 0, 0, 22);
  back.setColorAt(0, QColor(40, 52, 76));
  back.setColorAt(1, QColor(20, 26, 40));
  p.fillRect(image.rect(), back);
  p.setPen(QColor(110, 130, 170));
  p.drawRect(image.rect().adjusted(0, 0, -1, -1));
  return image;
}

constexpr char kUsage[] =
    "usage: make_resources <folder>\n"
    "Draws the shared pictures (logo, cursor, gallery strips) as PNG.\n";

// Draws every picture into `folder`; false when one could not be written.
bool DrawAll(const std::string& folder) {
  const std::vector<Look>& looks = icon_style::kButtonLooks;
  const std::pair<QImage, const char*> pictures[] = {
      {Logo(), "logo.png"},
      {Eyedropper(), "spoit.png"},
      {icon_style::Strip(22, 22, looks, icon_style::MoveGlyph), "gallery_move.png"},
      {icon_style::Strip(22, 22, looks, icon_style::RotateGlyph), "gallery_rotate.png"},
      {icon_style::Strip(22, 22, looks, icon_style::ZoomGlyph), "gallery_zoom.png"},
      {TextBack(), "text_back.png"},
  };
  bool ok = true;
  for (const auto& [image, name] : pictures) ok = SavePng(image, folder, name) && ok;
  return ok;
}

}  // namespace

int main(int argc, char** argv) { return RunResourceGenerator(argc, argv, kUsage, DrawAll); }
