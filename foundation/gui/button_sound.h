// Short interface sounds ("SetButton.wav") played asynchronously; silent where no audio
// device exists or the file is missing.
#pragma once

#include <memory>
#include <string>

class QSoundEffect;

class ButtonSound1 {
 public:
  explicit ButtonSound1(const std::string& wav_path);
  ~ButtonSound1();
  ButtonSound1(const ButtonSound1&) = delete;
  ButtonSound1& operator=(const ButtonSound1&) = delete;

  // Starts the sound (restarting it when it still plays); returns at once.
  void Play();
  // How many times Play was asked for (tests check the sound without hearing it).
  int PlayCount() const { return play_count_; }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  std::unique_ptr<QSoundEffect> effect_;  // made on first Play: opening audio costs time
  int play_count_ = 0;
};
