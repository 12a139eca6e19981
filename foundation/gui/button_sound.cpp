#include "foundation/gui/button_sound.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

ButtonSound1::ButtonSound1(const std::string& wav_path) : path_(wav_path) {}

ButtonSound1::~ButtonSound1() = default;

void ButtonSound1::Play() {
  ++play_count_;
  const QString path = QString::fromStdString(path_);
  if (!QFileInfo::exists(path)) return;
  if (!effect_) {
    effect_ = std::make_unique<QSoundEffect>();
    effect_->setSource(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
  }
  if (effect_->isPlaying()) effect_->stop();
  effect_->play();
}
