#include "foundation/gui/named_resources.h"

#include <QFile>
#include <QStringList>

// Q_INIT_RESOURCE must be used outside any namespace; the resources of a static library are
// only linked in when something refers to them.
static void InitCommonResources() { Q_INIT_RESOURCE(common); }

namespace {

QString ResourcePath(const std::string& name) {
  static const bool initialised = [] {
    InitCommonResources();
    return true;
  }();
  (void)initialised;
  return QStringLiteral(":/named/") + QString::fromStdString(name);
}

}  // namespace

QImage NamedImage(const std::string& name) {
  if (name.empty()) return QImage();
  return QImage(ResourcePath(name));
}

QPixmap NamedBitmap(const std::string& name) { return QPixmap::fromImage(NamedImage(name)); }

bool HasNamedResource(const std::string& name) {
  return !name.empty() && QFile::exists(ResourcePath(name));
}

QCursor NamedCursor(const std::string& name) {
  const QImage image = NamedImage(name);
  if (image.isNull()) return QCursor(Qt::ArrowCursor);
  int hot_x = image.width() / 2;
  int hot_y = image.height() / 2;
  const QStringList hot = image.text(QStringLiteral("HotSpot")).split(QLatin1Char(','));
  if (hot.size() == 2) {
    bool x_ok = false, y_ok = false;
    const int x = hot[0].toInt(&x_ok);
    const int y = hot[1].toInt(&y_ok);
    if (x_ok && y_ok && x >= 0 && y >= 0 && x < image.width() && y < image.height()) {
      hot_x = x;
      hot_y = y;
    }
  }
  return QCursor(QPixmap::fromImage(image), hot_x, hot_y);
}

std::string NamedText(const std::string& name) {
  QFile file(ResourcePath(name));
  if (!file.open(QIODevice::ReadOnly)) return std::string();
  return file.readAll().toStdString();
}

QFont GothicFont(int pixel_height) {
  QFont font(QStringLiteral("IPAGothic"));
  font.setFamilies({QStringLiteral("IPAGothic"), QStringLiteral("IPAexGothic"),
                    QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("monospace")});
  font.setStyleHint(QFont::TypeWriter);
  font.setPixelSize(pixel_height);
  font.setWeight(QFont::Normal);
  return font;
}
