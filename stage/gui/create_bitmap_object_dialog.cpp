#include "stage/gui/create_bitmap_object_dialog.h"

#include <QComboBox>
#include <QPainter>
#include <QPushButton>
#include <algorithm>

#include "foundation/shift_jis.h"
#include "pictures/gui/picture_open_dialog.h"
#include "pictures/gui/picture_view_wnd.h"
#include "pictures/picture_bank_high_color1.h"
#include "stage/gui/picture_bank_dialog.h"

namespace {
using Bank = PictureBankHighColor1;

constexpr int32_t kModelsId = 1127;
constexpr int32_t kOkId = 1128;
constexpr int32_t kCancelId = 1129;
constexpr int32_t kNewTextureId = 1130;
constexpr int32_t kUsedTextureId = 1131;
constexpr uint32_t kSlotId = 1132;
constexpr int kSlotSide = 60;
constexpr int kSlotInset = 2;

void Tell(QWidget* owner, const char* caption, const std::string& text) {
  Prompter::Current().Message(owner, caption, text, PromptIcon::kInformation, PromptButtons::kOk);
}
}  // namespace

CreateBitmapObjectDialog::CreateBitmapObjectDialog(Stage* stage, CreationMode mode,
                                                   const std::string& template_path,
                                                   const std::string& settings_path, QWidget* owner)
    : QDialog(owner),
      stage_(stage),
      mode_(mode),
      template_path_(template_path),
      settings_path_(settings_path) {
  setObjectName(QStringLiteral("CREATEBMOOBJ_DIALOG"));
  setWindowTitle(QString::fromStdString(CreationDialogTitle(mode)));
  models_ = new QComboBox(this);
  models_->setObjectName(QStringLiteral("Control%1").arg(kModelsId));
  const struct {
    int32_t id;
    const char* text;
  } buttons[] = {
      {kNewTextureId, "NewTex"}, {kUsedTextureId, "UsedTex"}, {kOkId, "OK"}, {kCancelId, "Cancel"}};
  for (const auto& entry : buttons) {
    auto* button = new QPushButton(QString::fromLatin1(entry.text), this);
    button->setObjectName(QStringLiteral("Control%1").arg(entry.id));
    button->setAutoDefault(false);
  }
  connect(models_, &QComboBox::activated, this, &CreateBitmapObjectDialog::ChooseModel);
  connect(Control(kNewTextureId), &QPushButton::clicked, this,
          &CreateBitmapObjectDialog::NewTexture);
  connect(Control(kUsedTextureId), &QPushButton::clicked, this,
          &CreateBitmapObjectDialog::UsedTexture);
  connect(Control(kOkId), &QPushButton::clicked, this, &CreateBitmapObjectDialog::Create);
  connect(Control(kCancelId), &QPushButton::clicked, this, &QDialog::reject);
}

CreateBitmapObjectDialog::~CreateBitmapObjectDialog() { ClearSlots(); }

QPushButton* CreateBitmapObjectDialog::Control(int32_t id) const {
  return findChild<QPushButton*>(QStringLiteral("Control%1").arg(id));
}

bool CreateBitmapObjectDialog::Prepare() {
  if (ScanTemplateFile(template_path_, &scan_) == kTemplateCannotOpen) {
    Tell(parentWidget(), "Error", TemplateMissingMessage(template_path_));
    return false;
  }
  for (const TemplateModelDescriptor& model : scan_.models) {
    models_->addItem(QString::fromStdString(DisplayTextFromFile(model.name)));
  }
  int32_t width = 0;
  int32_t height = 0;
  TemplateSlotArea(scan_, &width, &height);
  setFixedSize(width + 210, height + 67);
  models_->setGeometry(10, 10, 100, 22);
  models_->setMaxVisibleItems(std::max(1, height / 20));
  Control(kNewTextureId)->setGeometry(width + 120, 10, 80, 22);
  Control(kUsedTextureId)->setGeometry(width + 120, 37, 80, 22);
  Control(kOkId)->setGeometry(width + 35, height + 15, 80, 22);
  Control(kCancelId)->setGeometry(width + 120, height + 15, 80, 22);
  ChooseModel(0);
  return true;
}

int CreateBitmapObjectDialog::Run() {
  if (!Prepare()) return QDialog::Rejected;
  return exec();
}

void CreateBitmapObjectDialog::ClearSlots() {
  for (PictureViewWnd1* slot : slots_) delete slot;
  slots_.clear();
  selected_ = -1;
  // The cells' frames are the dialog's own painting, outside the slot windows.
  update();
}

void CreateBitmapObjectDialog::ChooseModel(int index) {
  if (index < 0 || index >= static_cast<int>(scan_.models.size())) {
    ClearSlots();
    return;
  }
  models_->setCurrentIndex(index);
  BuildSlots();
}

void CreateBitmapObjectDialog::BuildSlots() {
  ClearSlots();
  const TemplateModelDescriptor& model = scan_.models[static_cast<size_t>(models_->currentIndex())];
  for (const TemplateSlot& place : TemplateSlots(model)) {
    auto* slot = new PictureViewWnd1(this, kSlotId);
    // The picture stands inside its 60 x 60 cell, so neighbouring slots are told apart.
    slot->setGeometry(place.x + kSlotInset, place.y + kSlotInset, kSlotSide - 2 * kSlotInset,
                      kSlotSide - 2 * kSlotInset);
    slot->setToolTip(QStringLiteral("画像 %1").arg(place.attribute));
    const int32_t index = static_cast<int32_t>(slots_.size());
    connect(slot, &PictureViewWnd1::Command, this, [this, index] { SelectSlot(index); });
    slot->show();
    slots_.push_back(slot);
  }
}

void CreateBitmapObjectDialog::SelectSlot(int32_t slot) {
  if (slot < 0 || slot >= static_cast<int32_t>(slots_.size())) return;
  if (selected_ >= 0) slots_[static_cast<size_t>(selected_)]->SetFrame(false);
  selected_ = slot;
  slots_[static_cast<size_t>(slot)]->SetFrame(true);
}

void CreateBitmapObjectDialog::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  // Each slot's cell as a sunken frame.
  QPainter painter(this);
  for (const PictureViewWnd1* slot : slots_) {
    const QRect cell =
        slot->geometry().adjusted(-kSlotInset, -kSlotInset, kSlotInset - 1, kSlotInset - 1);
    painter.setPen(QColor(128, 128, 128));
    painter.drawLine(cell.topLeft(), cell.topRight());
    painter.drawLine(cell.topLeft(), cell.bottomLeft());
    painter.setPen(Qt::white);
    painter.drawLine(cell.bottomLeft(), cell.bottomRight());
    painter.drawLine(cell.topRight(), cell.bottomRight());
  }
}

bool CreateBitmapObjectDialog::NeedSlot() {
  if (selected_ >= 0) return true;
  Tell(this, "Message", "テクスチャーを設定するウィンドウを選択(クリック)してください");
  return false;
}

void CreateBitmapObjectDialog::NewTexture() {
  if (!NeedSlot()) return;
  std::string path;
  // The picture packer's multi-picture files give animated pictures.
  if (AskPicturePath(this, path, "BMPFileOpen", settings_path_, kPictureBmp | kPictureTsy, false) !=
      0) {
    return;
  }
  // Registered here first, so a refused file leaves the slot's picture as it was.
  const int32_t picture = Bank::Register(path, Bank::kModePowerOfTwo);
  if (picture < 0) {
    Tell(this, "Error", SlotPictureMessage(picture));
    return;
  }
  slots_[static_cast<size_t>(selected_)]->ShowId(picture);
  Bank::Release(picture);
}

void CreateBitmapObjectDialog::UsedTexture() {
  if (!NeedSlot()) return;
  const int32_t picture = PictureBankDialog::Pick(this);
  if (picture == -1) return;
  PictureInfo info;
  if (!Bank::IsPicture(picture) || Bank::Picture(picture, &info) == nullptr ||
      (info.flags & Bank::kPowerOfTwo) == 0) {
    Tell(this, "Error", "画像のエラー");
    return;
  }
  slots_[static_cast<size_t>(selected_)]->ShowId(picture);
}

bool CreateBitmapObjectDialog::Create() {
  if (models_->currentIndex() < 0) return false;
  const TemplateModelDescriptor& model = scan_.models[static_cast<size_t>(models_->currentIndex())];
  std::vector<int32_t> slot_pictures;
  for (PictureViewWnd1* slot : slots_) slot_pictures.push_back(slot->PictureId());
  std::vector<int32_t> pictures;
  if (!CollectSlotPictures(model, slot_pictures, &pictures)) {
    Tell(this, "Message", "設定されていない画像があります。");
    return false;
  }
  // The shape is named with the model's own bytes, as the file has them.
  const int32_t result =
      CreateObjectFromDialog(*stage_, mode_, template_path_, model.name, pictures, this);
  if (result == 0) {
    accept();
  } else {
    reject();
  }
  return true;
}
