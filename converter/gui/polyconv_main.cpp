// polyconv: with arguments the batch conversion, without them the conversion dialog.
#include <QApplication>
#include <iostream>
#include <string>
#include <vector>

#include "converter/gui/convert_dialog.h"
#include "converter/polyconv_batch.h"
#include "exchange/model_conversion.h"
#include "foundation/gui/qt_prompter.h"

int main(int argc, char** argv) {
  if (argc > 1) {
    return RunPolyconvBatch(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr,
                            [](const ConversionRequest& request, std::vector<std::string>* notes) {
                              return ConvertToPo3(request, nullptr, notes);
                            });
  }
  QApplication application(argc, argv);
  QtPrompter prompter;
  Prompter::Install(&prompter);
  return RunConvertDialogProgram();
}
