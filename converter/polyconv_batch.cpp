#include "converter/polyconv_batch.h"

#include <charconv>
#include <cmath>

#include "converter/cob_conversion.h"

namespace {

// A scale factor: the whole argument a finite number above 0.
bool ParseScale(const std::string& text, float& scale) {
  const auto result = std::from_chars(text.data(), text.data() + text.size(), scale);
  return result.ec == std::errc() && result.ptr == text.data() + text.size() &&
         std::isfinite(scale) && scale > 0.0f;
}

void PrintUsage(std::ostream& stream) {
  stream << "usage: polyconv [--invert] [--scale S] INPUT OUTPUT.po3\n"
            "       polyconv            (opens the conversion dialog)\n"
            "\n"
            "Converts a triangulated ASCII COB scene, or a model of the kinds .gltf .glb .obj\n"
            ".fbx .dae .3ds .ply .stl, into one PO3 object file. The listing\n"
            "\""
         << kListingName
         << "\" and copies of the texture images are written into the\n"
            "folder of OUTPUT.po3, which is created when missing.\n"
            "\n"
            "  --invert   turn every face over (reverse the order of its corners)\n"
            "  --scale S  multiply every position by S (a number above 0; default 1)\n"
            "  --help     show this text\n"
            "\n"
            "The exit status is the result code:\n";
  for (int result = kConverted; result <= kLastConversionResult; ++result) {
    stream << "  " << (result < 10 ? " " : "") << result << "  " << ConversionMessage(result)
           << "\n";
  }
  stream << "  " << kUsageError << "  the command line names no conversion\n";
}

}  // namespace

int RunPolyconvBatch(const std::vector<std::string>& arguments, std::ostream& out,
                     std::ostream& err, const Po3Conversion& convert) {
  bool invert = false;
  float scale = 1.0f;
  std::vector<std::string> paths;
  bool options_ended = false;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (!options_ended && argument == "--help") {
      PrintUsage(out);
      return 0;
    }
    if (!options_ended && argument == "--invert") {
      invert = true;
    } else if (!options_ended && argument == "--scale") {
      if (i + 1 == arguments.size() || !ParseScale(arguments[i + 1], scale)) {
        err << "polyconv: --scale needs a number above 0\n";
        PrintUsage(err);
        return kUsageError;
      }
      ++i;
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
  request.scale = scale;
  if (!PrepareOutputDirectory(request.output_path, request.output_directory)) {
    err << kCannotCreateDirectory << "\n";
    return kPo3OpenFailed;
  }
  std::vector<std::string> notes;
  const int result = convert ? convert(request, &notes) : ConvertCobToPo3(request, nullptr, &notes);
  for (const std::string& note : notes) err << note << "\n";
  (result == kConverted ? out : err) << ConversionMessage(result) << "\n";
  return result;
}
