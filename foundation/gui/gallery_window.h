// The gallery: one window that shows every window class of the foundation together, for
// looking at them and for screenshots. Programs built on it add their own panels.
#pragma once

#include <QWidget>
#include <memory>
#include <string>

#include "foundation/surface16.h"

class QLabel;
class QVBoxLayout;
class DrawButton1;
class TextWindow1;
class ValueEditWindow1;
class ButtonSound1;

// A widget that shows a Surface16 (repainted from the surface on every paint).
class SurfacePanel : public QWidget {
 public:
  explicit SurfacePanel(QWidget* parent);
  Surface16& Surface() { return surface_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Draw();
  Surface16 surface_;
};

class GalleryWindow : public QWidget {
  Q_OBJECT

 public:
  // Starts the window classes it uses; `settings_path` is where its dialogs remember things.
  explicit GalleryWindow(const std::string& settings_path);
  ~GalleryWindow() override;

  // The column further panels are added to.
  QVBoxLayout* Panels() const { return panels_; }
  // Shows the start-up picture, the about window and a balloon beside the window, placed so
  // that none hides another (for a screenshot).
  void ShowEverything();

 private:
  void OnButton(int command_id, int code, DrawButton1* button);

  std::string settings_path_;
  QVBoxLayout* panels_;
  QLabel* log_;
  DrawButton1* buttons_[3];
  TextWindow1* texts_[3];
  ValueEditWindow1* delay_;
  std::unique_ptr<ButtonSound1> sound_;
  int current_tool_ = 100;
};
