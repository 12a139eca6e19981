#include "pictures/gui/picture_gallery_panel.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <vector>

#include "foundation/gui/named_resources.h"
#include "foundation/gui/surface_view.h"
#include "pictures/gui/picture_bank_high_color_wnd.h"
#include "pictures/gui/picture_color_select_wnd.h"
#include "pictures/gui/picture_list_wnd.h"
#include "pictures/gui/picture_open_dialog.h"
#include "pictures/gui/picture_view_wnd.h"
#include "pictures/picture_bank_high_color1.h"
#include "pictures/tsy_file_writer.h"

namespace {

// A 32 x 32 frame of a turning wheel: the spokes stand at `turn` eighths of a quarter turn.
QImage WheelFrame(int turn) {
  QImage image(32, 32, QImage::Format_RGB32);
  image.fill(QColor(255, 0, 255));  // the transparent colour of the animation
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QPen(QColor(40, 40, 48), 3));
  p.setBrush(QColor(90, 90, 100));
  p.drawEllipse(QRect(3, 3, 26, 26));
  p.translate(16, 16);
  p.rotate(turn * 90.0 / 4);
  p.setPen(QPen(QColor(250, 214, 64), 2));
  p.drawLine(-10, 0, 10, 0);
  p.drawLine(0, -10, 0, 10);
  return image;
}

QImage Tile(const QColor& base, const QColor& line, bool bricks) {
  QImage image(32, 32, QImage::Format_RGB32);
  image.fill(base);
  QPainter p(&image);
  p.setPen(line);
  for (int y = 0; y < 32; y += 8) {
    p.drawLine(0, y, 31, y);
    if (bricks) {
      for (int x = (y / 8) % 2 * 8; x < 32; x += 16) p.drawLine(x, y, x, y + 7);
    }
  }
  if (!bricks) {
    p.setPen(QPen(QColor(250, 250, 250), 2, Qt::DashLine));
    p.drawLine(16, 0, 16, 31);
  }
  return image;
}

}  // namespace

PictureGalleryPanel::PictureGalleryPanel(QWidget* parent, const std::string& settings_path)
    : QWidget(parent), settings_path_(settings_path) {
  setObjectName(QStringLiteral("PictureGalleryPanel"));
  PictureBankHighColor1::StartUp(16);
  PictureViewWnd1::StartUp();
  PictureListWnd1::StartUp();
  PictureColorSelectWnd1::StartUp();
  PictureBankHighColorWnd1::StartUp();

  auto* box = new QGroupBox(QStringLiteral("画像ウィンドウ"), this);
  auto* grid = new QGridLayout(box);
  view_ = new PictureViewWnd1(box, 0x500);
  view_->setFixedSize(80, 81);
  view_->SetFrame(true);
  list_ = new PictureListWnd1(box);
  list_->setFixedHeight(81);
  list_->setMinimumWidth(300);
  select_ = new PictureColorSelectWnd1(box);
  select_->setFixedSize(80, 81);
  bank_ = new PictureBankHighColorWnd1(box);
  bank_->setFixedHeight(81);
  picked_ = new QLabel(QStringLiteral("抜き色: なし"), box);
  auto* add = new QPushButton(QStringLiteral("追加"), box);
  grid->addWidget(new QLabel(QStringLiteral("プレビュー"), box), 0, 0);
  grid->addWidget(new QLabel(QStringLiteral("リスト"), box), 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("色の選択（左クリック）"), box), 0, 2);
  grid->addWidget(view_, 1, 0);
  grid->addWidget(list_, 1, 1);
  grid->addWidget(select_, 1, 2);
  grid->addWidget(new QLabel(QStringLiteral("バンクの全画像"), box), 2, 0, 1, 2);
  grid->addWidget(bank_, 3, 0, 1, 2);
  auto* side = new QVBoxLayout;
  side->addWidget(picked_);
  side->addWidget(add);
  grid->addLayout(side, 3, 2);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(box);

  connect(list_, &PictureListWnd1::SelectionChanged, this, [this](int) {
    select_->ShowId(list_->SelectedId());
    select_->SetTransparentColour(-1);
  });
  connect(select_, &PictureColorSelectWnd1::Command, this,
          [this](int code, PictureColorSelectWnd1* window) {
            if (code == PictureColorSelectWnd1::kCancelled) {
              window->SetTransparentColour(-1);
              picked_->setText(QStringLiteral("抜き色: なし"));
              return;
            }
            window->SetTransparentColour(window->PickedColour());
            const QColor colour = Unpack555(uint16_t(window->PickedColour()));
            picked_->setText(QStringLiteral("抜き色: %1, %2, %3")
                                 .arg(colour.red())
                                 .arg(colour.green())
                                 .arg(colour.blue()));
          });
  connect(add, &QPushButton::clicked, this, &PictureGalleryPanel::AddFromDialog);
  MakePictures();
}

PictureGalleryPanel::~PictureGalleryPanel() {
  delete findChild<QGroupBox*>();  // the windows give their pictures back first
  PictureBankHighColorWnd1::ShutDown();
  PictureColorSelectWnd1::ShutDown();
  PictureListWnd1::ShutDown();
  PictureViewWnd1::ShutDown();
  PictureBankHighColor1::ShutDown();
}

void PictureGalleryPanel::MakePictures() {
  if (!folder_.isValid()) return;
  const std::string folder = folder_.path().toStdString();
  std::vector<int32_t> frames, delays;
  for (int turn = 0; turn < 4; ++turn) {
    const std::string path = folder + "/wheel" + std::to_string(turn) + ".bmp";
    WheelFrame(turn).save(QString::fromStdString(path), "BMP");
    frames.push_back(PictureBankHighColor1::RegisterUnique(path, 0));
    delays.push_back(120);
  }
  const std::string animation = folder + "/wheel.tsy";
  for (int32_t id : frames) {
    if (id >= 0) PictureBankHighColor1::SetTransparentColour(id, PackColour555(255, 0, 255));
  }
  if (std::all_of(frames.begin(), frames.end(), [](int32_t id) { return id >= 0; }) &&
      TsyFileWriter::Write(animation, frames, delays)) {
    view_->ShowPath(animation);
  }
  for (int32_t id : frames) {
    if (id >= 0) PictureBankHighColor1::Release(id);
  }
  const std::pair<const char*, QImage> tiles[] = {
      {"road.bmp", Tile(QColor(74, 72, 80), QColor(60, 58, 66), false)},
      {"bricks.bmp", Tile(QColor(170, 80, 60), QColor(230, 220, 200), true)},
      {"grass.bmp", Tile(QColor(92, 150, 80), QColor(80, 130, 70), false)},
      {"logo.bmp", NamedImage("LOGO_BMP").scaled(64, 32)},
  };
  for (const auto& [name, image] : tiles) {
    const std::string path = folder + "/" + name;
    image.save(QString::fromStdString(path), "BMP");
    const int32_t id = PictureBankHighColor1::RegisterUnique(path, 0);
    if (id < 0) continue;
    list_->Append(id);
    PictureBankHighColor1::Release(id);
  }
  list_->SetSelected(1);
  bank_->BankChanged();
}

void PictureGalleryPanel::AddFromDialog() {
  std::string path;
  if (AskPicturePath(this, path, "GalleryAddPicture", settings_path_,
                     kPictureBmp | kPictureGif | kPictureTsy, false) != 0) {
    return;
  }
  const int32_t id = PictureBankHighColor1::RegisterUnique(path, 0);
  if (id < 0) {
    Prompter::Current().Message(this, "Error", "画像の読み込みに失敗", PromptIcon::kError,
                                PromptButtons::kOk);
    return;
  }
  for (int32_t n = 0; n < PictureBankHighColor1::FrameCount(id); ++n) {
    list_->Append(PictureBankHighColor1::FrameId(id, n));
  }
  PictureBankHighColor1::Release(id);
  bank_->BankChanged();
}
