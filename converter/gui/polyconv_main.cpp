// polyconv: with arguments the batch conversion, without them the conversion dialog.
#include <QApplication>
#include <iostream>
#include <string>
#include <vector>

#include "converter/gui/convert_dialog.h"
#include "converter/polyconv_batch.h"
#include "foundation/gui/qt_prompter.h"
#include "foundation/gui/qt_translations.h"

int main(int argc, char** argv) {
  if (argc > 1) {
    return RunPolyconvBatch(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
  }
  QApplication application(argc, argv);
  InstallQtTranslations(application);
  QtPrompter prompter;
  Prompter::Install(&prompter);
  return RunConvertDialogProgram();
}
