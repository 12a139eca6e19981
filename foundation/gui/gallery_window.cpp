#include "foundation/gui/gallery_window.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "foundation/application_directory.h"
#include "foundation/gui/about_window.h"
#include "foundation/gui/button_sound.h"
#include "foundation/gui/draw_button.h"
#include "foundation/gui/help_window.h"
#include "foundation/gui/message_window.h"
#include "foundation/gui/named_resources.h"
#include "foundation/gui/startup_picture.h"
#include "foundation/gui/surface_view.h"
#include "foundation/gui/text_window.h"
#include "foundation/gui/value_edit_window.h"
#include "foundation/gui/windows_service.h"

namespace {

struct ToolButton {
  const char* bitmap;
  uint32_t id;
  const char* help;
};

constexpr ToolButton kTools[3] = {
    {"GALLERY_MOVE_BMP", 100,
     "[Function]\n  カメラを平行移動させます\n[Operate]\n  左ドラッグで移動"},
    {"GALLERY_ROTATE_BMP", 101,
     "[Function]\n  カメラを回転させます\n[Operate]\n  左ドラッグで回転"},
    {"GALLERY_ZOOM_BMP", 102, "[Function]\n  カメラを前後に動かします\n[Operate]\n  上下ドラッグ"},
};

constexpr int kRaised = 0, kHot = 1, kDown = 2;

const char kAboutText[] =
    "TARNHOLLOW\n\nコースステージ エディタ\n\n路面・地形・オブジェクトを\n一つのステージに\n\n"
    "Version1.1";

}  // namespace

SurfacePanel::SurfacePanel(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("SurfacePanel"));
  setMinimumSize(160, 100);
}

void SurfacePanel::resizeEvent(QResizeEvent*) {
  surface_.Resize(width(), height());
  Draw();
}

// Plain pixel code fills the surface, the painter adds what pixel code does not draw.
void SurfacePanel::Draw() {
  for (int y = 0; y < surface_.Height(); ++y) {
    uint16_t* row = surface_.ScreenRow(y);
    for (int x = 0; x < surface_.Width(); ++x) {
      const int blue = 31 - 20 * y / std::max(1, surface_.Height());
      const int green = 8 + 12 * x / std::max(1, surface_.Width());
      row[x] = uint16_t((4 << 10) | (green << 5) | blue);
    }
  }
  SurfacePainter painter(surface_);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(255, 210, 60), 2));
  painter.setBrush(Qt::NoBrush);
  painter.drawEllipse(QRect(12, 12, 60, 40));
  painter.setFont(GothicFont(14));
  painter.setPen(Qt::white);
  painter.drawText(QPoint(12, surface_.Height() - 12), QStringLiteral("16ビット画面 5-5-5"));
  painter.DrawMarker(QPoint(surface_.Width() - 40, 8), NamedImage("SPOIT_PICTURECOLORSELECTWND1"),
                     qRgb(0, 0, 0));
}

void SurfacePanel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintSurface(painter, surface_);
}

GalleryWindow::GalleryWindow(const std::string& settings_path) : settings_path_(settings_path) {
  setObjectName(QStringLiteral("GalleryWindow"));
  setWindowTitle(QStringLiteral("ウィンドウ部品ギャラリー"));
  setFont(GothicFont(13));
  DrawButton1::StartUp();
  MessageWindow1::StartUp();
  ValueEditWindow1::StartUp();
  TextWindow1::StartUp();
  sound_ = std::make_unique<ButtonSound1>(DataFilePath("SetButton.wav"));

  auto* tools = new QGroupBox(QStringLiteral("ツールボタン（右ボタンで説明）"), this);
  auto* tool_row = new QHBoxLayout(tools);
  for (int i = 0; i < 3; ++i) {
    buttons_[i] = new DrawButton1(tools);
    buttons_[i]->setFixedSize(22, 22);
    buttons_[i]->SetButtonBitmap(kTools[i].bitmap, 3, kTools[i].id);
    buttons_[i]->SetButtonHelp(kTools[i].help);
    connect(buttons_[i], &DrawButton1::Command, this, &GalleryWindow::OnButton);
    tool_row->addWidget(buttons_[i]);
  }
  buttons_[0]->SetButtonState(kDown);
  log_ = new QLabel(QStringLiteral("通知: なし"), tools);
  log_->setObjectName(QStringLiteral("NotificationLog"));
  tool_row->addSpacing(12);
  tool_row->addWidget(log_, 1);

  auto* values = new QGroupBox(QStringLiteral("数値入力とテキストウィンドウ"), this);
  auto* value_column = new QVBoxLayout(values);
  auto* delay_row = new QHBoxLayout;
  delay_row->addWidget(new QLabel(QStringLiteral("遅延速度(ms)"), values));
  ValueEditParameters delay;
  delay.whole_minimum = 0;
  delay.whole_maximum = 1000;
  delay.whole_value = 200;
  delay.steps = 100;
  delay_ = new ValueEditWindow1(values, delay);
  delay_->setFixedSize(100, 20);
  delay_row->addWidget(delay_);
  delay_row->addStretch();
  value_column->addLayout(delay_row);
  auto* text_row = new QHBoxLayout;
  const char* coordinates[3] = {"X 120.500000", "Y -3.250000", "Z 48.000000"};
  for (int i = 0; i < 3; ++i) {
    texts_[i] = new TextWindow1(values);
    texts_[i]->setFixedSize(100, 22);
    texts_[i]->SetTextPosition(5, 5);
    texts_[i]->SetTextColour(0x00FFFF);
    texts_[i]->SetBackgroundPicture("GALLERY_TEXTBACK_BMP");
    texts_[i]->SetText(coordinates[i]);
    text_row->addWidget(texts_[i]);
  }
  auto* plain = new TextWindow1(values);
  plain->setFixedSize(120, 22);
  plain->SetTextPosition(5, 5);
  plain->SetBackgroundColour(240, 240, 200);
  plain->SetText("選択なし ?????");
  text_row->addWidget(plain);
  text_row->addStretch();
  value_column->addLayout(text_row);
  connect(delay_, &ValueEditWindow1::ValueChanged, this,
          [this] { texts_[2]->SetText("Z " + std::to_string(delay_->WholeValue())); });

  auto* surface = new QGroupBox(QStringLiteral("16ビット描画面"), this);
  auto* surface_column = new QVBoxLayout(surface);
  surface_column->addWidget(new SurfacePanel(surface));

  auto* actions = new QHBoxLayout;
  const std::pair<const char*, std::function<void()>> commands[] = {
      {"起動画面", [] { StartUpPicture1::Show("LOGO_BMP", 0x003663, 512, 256, 2000); }},
      {"バージョン情報",
       [this] { AboutWindow1::Show(this, 256, "LOGO_BMP", 512, kAboutText, 0x003663); }},
      {"ヘルプ", [this] { HelpWindow1::Show(this, DataFilePath("GalleryHelp/index.html")); }},
      {"色の選択",
       [this] {
         uint8_t red = 200, green = 200, blue = 255;
         if (WindowsService1::ChooseColour(this, red, green, blue, "GalleryColour",
                                           settings_path_) == 0) {
           log_->setText(QStringLiteral("色: %1, %2, %3").arg(red).arg(green).arg(blue));
         }
       }},
      {"ファイルを開く",
       [this] {
         std::string path;
         if (WindowsService1::AskFilePath(this, path, "GalleryOpen", settings_path_,
                                          {{"画像ファイル(*.bmp,*.tsy)", "*.bmp;*.tsy"}},
                                          FileDialogKind::kOpen) == 0) {
           log_->setText(QString::fromStdString(path));
         }
       }},
  };
  for (const auto& [label, action] : commands) {
    auto* button = new QPushButton(QString::fromUtf8(label), this);
    connect(button, &QPushButton::clicked, this, action);
    actions->addWidget(button);
  }

  panels_ = new QVBoxLayout;
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tools);
  layout->addWidget(values);
  layout->addWidget(surface, 1);
  layout->addLayout(panels_);
  layout->addLayout(actions);
  WindowsService1::LoadPlacement(this, "GalleryWindow", settings_path_);
}

GalleryWindow::~GalleryWindow() {
  WindowsService1::SavePlacement(this, "GalleryWindow", settings_path_);
  // The windows go before their classes are shut down.
  qDeleteAll(findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly));
  MessageWindow1::HideBalloon();
  TextWindow1::ShutDown();
  ValueEditWindow1::ShutDown();
  MessageWindow1::ShutDown();
  DrawButton1::ShutDown();
}

void GalleryWindow::OnButton(int command_id, int code, DrawButton1* button) {
  static const char* const kCodes[] = {"押した", "離した", "入った", "出た"};
  log_->setText(QStringLiteral("通知: ID %1  コード %2 (%3)")
                    .arg(command_id)
                    .arg(code)
                    .arg(QString::fromUtf8(kCodes[code & 3])));
  // A radio group: the current tool stays down, the others light up under the pointer.
  if (command_id == current_tool_) return;
  switch (code) {
    case DrawButton1::kEntered:
      button->SetButtonState(kHot);
      sound_->Play();
      break;
    case DrawButton1::kLeft:
      button->SetButtonState(kRaised);
      break;
    case DrawButton1::kPressed:
      DrawButton1::SetButtonStateById(button->parentWidget(), uint32_t(current_tool_), kRaised);
      current_tool_ = command_id;
      button->SetButtonState(kDown);
      break;
    default:
      break;
  }
}

void GalleryWindow::ShowEverything() {
  move(0, 0);
  show();
  if (StartUpPicture1* picture = StartUpPicture1::Show("LOGO_BMP", 0x003663, 512, 256, 600000)) {
    picture->move(width() + 30, 10);
  }
  if (AboutWindow1* about = AboutWindow1::Show(this, 256, "LOGO_BMP", 512, kAboutText, 0x003663)) {
    about->move(width() + 30, 300);
    // Let the text scroll into the picture.
    for (int i = 0; i < 150; ++i) {
      QEvent activate(QEvent::WindowActivate);
      QCoreApplication::sendEvent(about, &activate);
      about->Tick();
    }
  }
  buttons_[1]->SetButtonState(kHot);
  MessageWindow1::ShowBalloon(this, kTools[1].help,
                              QRect(buttons_[1]->mapToGlobal(QPoint(0, 0)), QSize(22, 22)));
}
