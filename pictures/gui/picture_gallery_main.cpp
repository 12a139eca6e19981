// The gallery with the picture windows: `picture_gallery` shows every window class of the
// foundation and of the pictures; `--everything` also opens the start-up picture, the about
// window and a balloon side by side.
#include <QApplication>
#include <QVBoxLayout>
#include <cstring>

#include "foundation/application_directory.h"
#include "foundation/gui/gallery_window.h"
#include "foundation/gui/qt_prompter.h"
#include "pictures/gui/picture_gallery_panel.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QtPrompter prompter;
  Prompter::Install(&prompter);
  int status = 0;
  {
    const std::string settings = SettingsPathIn(ApplicationDirectoryPath(), "gallery");
    GalleryWindow window(settings);
    window.Panels()->addWidget(new PictureGalleryPanel(&window, settings));
    if (argc > 1 && std::strcmp(argv[1], "--everything") == 0) {
      window.ShowEverything();
    } else {
      window.show();
    }
    status = app.exec();
  }
  Prompter::Install(nullptr);
  return status;
}
