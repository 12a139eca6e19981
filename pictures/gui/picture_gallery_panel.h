// The picture windows as a gallery panel: a few pictures drawn at start (and an animation
// packed from them) shown in the view, list, colour-pick and bank windows.
#pragma once

#include <QTemporaryDir>
#include <QWidget>
#include <string>

class QLabel;
class PictureViewWnd1;
class PictureListWnd1;
class PictureColorSelectWnd1;
class PictureBankHighColorWnd1;

class PictureGalleryPanel : public QWidget {
  Q_OBJECT

 public:
  // Starts the bank (16 bits) and the picture window classes; `settings_path` keeps the
  // open dialog's folder.
  PictureGalleryPanel(QWidget* parent, const std::string& settings_path);
  ~PictureGalleryPanel() override;

 private:
  void MakePictures();
  void AddFromDialog();

  std::string settings_path_;
  QTemporaryDir folder_;
  PictureViewWnd1* view_;
  PictureListWnd1* list_;
  PictureColorSelectWnd1* select_;
  PictureBankHighColorWnd1* bank_;
  QLabel* picked_;
};
