#include "converter/polyconv_batch.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "converter/cob_conversion.h"
#include "converter/output_folder.h"
#include "foundation/file_io.h"

namespace {

// The options of the command line, one row each: what --help shows and what the parser knows.
struct BatchOption {
  const char* name;
  const char* help;
};
constexpr BatchOption kOptions[] = {
    {"--invert", "すべての面を裏返しにします (頂点の順を逆にします)"},
    {"--scale S", "すべての点の座標を S 倍します (0 より大きい数、既定は 1)"},
    {"--help", "この説明を表示します"},
};

void PrintUsage(std::ostream& stream) {
  stream << "使い方:\n"
            "  polyconv                          変換ダイアログを開きます\n"
            "  polyconv INPUT.cob                INPUT.cob を入力にして変換ダイアログを開きます\n"
            "  polyconv [--invert] [--scale S] INPUT OUTPUT.po3\n"
            "                                    ウィンドウを開かずに変換します\n"
            "\n"
            "三角形に分割されたテキスト形式の COB シーン、またはモデルファイル (.gltf .glb .obj\n"
            ".fbx .dae .3ds .ply .stl) を一つの PO3 オブジェクトファイルに変換します。\n"
            "一覧 \""
         << kListingName
         << "\" とテクスチャ画像のコピーは OUTPUT.po3 のフォルダに書き出します。\n"
            "フォルダがなければ作ります (変換に失敗したときは作ったフォルダを消します)。\n"
            "\n";
  for (const BatchOption& option : kOptions) {
    stream << "  " << option.name << std::string(12 - std::strlen(option.name), ' ') << option.help
           << "\n";
  }
  stream << "\n終了コード (変換の結果):\n";
  for (int result = kConverted; result <= kLastConversionResult; ++result) {
    stream << "  " << (result < 10 ? " " : "") << result << "  " << ConversionMessage(result)
           << "\n";
  }
  stream << "  " << kUsageError
         << "  引数の誤り (変換するファイルが指定されていない、不明なオプション)\n";
}

bool IsOption(const std::string& argument, const char* name) { return argument == name; }

// A scale factor: the whole argument a finite number above 0.
bool ParseScale(const std::string& text, float& scale) {
  const auto result = std::from_chars(text.data(), text.data() + text.size(), scale);
  return result.ec == std::errc() && result.ptr == text.data() + text.size() &&
         std::isfinite(scale) && scale > 0.0f;
}

// One line: the file the result is about, the result's message and, where the system refused
// something, its reason.
std::string ResultLine(int result, const ConversionRequest& request) {
  std::string file = request.input_path;
  std::string reason;
  if (result == kConverted || result == kPo3OpenFailed) file = request.output_path;
  if (result == kCobOpenFailed || result == kModelOpenFailed) {
    reason = OpenFailureReason(request.input_path);
  }
  std::string line = "polyconv: " + file + ": " + ConversionMessage(result);
  if (!reason.empty()) line += ": " + reason;
  return line;
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
    if (!options_ended && IsOption(argument, "--help")) {
      PrintUsage(out);
      return 0;
    }
    if (!options_ended && IsOption(argument, "--invert")) {
      invert = true;
    } else if (!options_ended && IsOption(argument, "--scale")) {
      if (i + 1 == arguments.size() || !ParseScale(arguments[i + 1], scale)) {
        err << "polyconv: --scale には 0 より大きい数を指定してください\n";
        PrintUsage(err);
        return kUsageError;
      }
      ++i;
    } else if (!options_ended && argument == "--") {
      options_ended = true;
    } else if (!options_ended && argument.size() > 1 && argument[0] == '-') {
      err << "polyconv: 不明なオプション: " << argument << "\n";
      PrintUsage(err);
      return kUsageError;
    } else {
      paths.push_back(argument);
    }
  }
  if (paths.size() != 2) {
    err << "polyconv: 入力ファイルと出力ファイルを指定してください\n";
    PrintUsage(err);
    return kUsageError;
  }

  ConversionRequest request;
  request.input_path = paths[0];
  request.output_path = paths[1];
  request.invert = invert;
  request.scale = scale;
  OutputFolder folder;
  std::string error;
  if (!folder.Prepare(request.output_path, &error)) {
    err << "polyconv: " << error << "\n";
    return kPo3OpenFailed;
  }
  request.output_directory = folder.Directory();
  std::vector<std::string> notes;
  const int result = convert ? convert(request, &notes) : ConvertCobToPo3(request, nullptr, &notes);
  if (result != kConverted) folder.RemoveCreated();
  for (const std::string& note : notes) {
    err << "polyconv: " << request.input_path << ": " << note << "\n";
  }
  (result == kConverted ? out : err) << ResultLine(result, request) << "\n";
  return result;
}

bool OpensDialogWithInput(const std::vector<std::string>& arguments) {
  return arguments.size() == 1 && !arguments[0].empty() && arguments[0][0] != '-';
}
