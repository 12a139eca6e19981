#include "converter/polyconv_batch.h"

#include "converter/cob_conversion.h"

namespace {

void PrintUsage(std::ostream& stream) {
  stream << "usage: polyconv [--invert] INPUT.cob OUTPUT.po3\n"
            "       polyconv            (opens the conversion dialog)\n"
            "\n"
            "Converts a triangulated ASCII COB scene into one PO3 object file. The listing\n"
            "\""
         << kListingName
         << "\" and copies of the texture images are written into the\n"
            "folder of OUTPUT.po3, which is created when missing.\n"
            "\n"
            "  --invert   turn every face over (reverse the order of its corners)\n"
            "  --help     show this text\n"
            "\n"
            "The exit status is the result code:\n";
  for (int result = kConverted; result <= kImageSizeNotPowerOfTwo; ++result) {
    stream << "  " << (result < 10 ? " " : "") << result << "  " << ConversionMessage(result)
           << "\n";
  }
  stream << "  " << kUsageError << "  the command line names no conversion\n";
}

}  // namespace

int RunPolyconvBatch(const std::vector<std::string>& arguments, std::ostream& out,
                     std::ostream& err) {
  bool invert = false;
  std::vector<std::string> paths;
  bool options_ended = false;
  for (const std::string& argument : arguments) {
    if (!options_ended && argument == "--help") {
      PrintUsage(out);
      return 0;
    }
    if (!options_ended && argument == "--invert") {
      invert = true;
    } else if (!options_ended && argument == "--") {
      options_ended = true;
    } else if (!options_ended && argument.size() > 1 && argument[0] == '-') {
      err << "polyconv: unknown option " << argument << "\n";
      PrintUsage(err);
      return kUsageError;
    } else {
      paths.push_back(argument);
    }
  }
  if (paths.size() != 2) {
    PrintUsage(err);
    return kUsageError;
  }

  ConversionRequest request;
  request.input_path = paths[0];
  request.output_path = paths[1];
  request.invert = invert;
  if (!PrepareOutputDirectory(request.output_path, request.output_directory)) {
    err << kCannotCreateDirectory << "\n";
    return kPo3OpenFailed;
  }
  const int result = ConvertCobToPo3(request, nullptr);
  (result == kConverted ? out : err) << ConversionMessage(result) << "\n";
  return result;
}
