// The gallery of the window classes: `gallery` shows them, `gallery --everything` also
// opens the start-up picture, the about window and a balloon side by side.
#include <QApplication>
#include <cstring>

#include "foundation/application_directory.h"
#include "foundation/gui/gallery_window.h"
#include "foundation/gui/qt_prompter.h"
#include "foundation/gui/qt_translations.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  InstallQtTranslations(app);
  QtPrompter prompter;
  Prompter::Install(&prompter);
  int status = 0;
  {
    GalleryWindow window(SettingsPathIn(ApplicationDirectoryPath(), "gallery"));
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
