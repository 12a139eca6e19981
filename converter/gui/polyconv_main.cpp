// polyconv: with two files (and options) the batch conversion; without arguments, or with one
// input file, the conversion dialog.
#include <QApplication>
#include <iostream>
#include <string>
#include <vector>

#include "converter/gui/convert_dialog.h"
#include "converter/polyconv_batch.h"
#include "exchange/model_conversion.h"
#include "foundation/gui/qt_prompter.h"
#include "foundation/gui/qt_translations.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  if (!arguments.empty() && !OpensDialogWithInput(arguments)) {
    return RunPolyconvBatch(arguments, std::cout, std::cerr,
                            [](const ConversionRequest& request, std::vector<std::string>* notes) {
                              return ConvertToPo3(request, nullptr, notes);
                            });
  }
  QApplication application(argc, argv);
  InstallQtTranslations(application);
  QtPrompter prompter;
  Prompter::Install(&prompter);
  return RunConvertDialogProgram(arguments.empty() ? std::string() : arguments[0]);
}
