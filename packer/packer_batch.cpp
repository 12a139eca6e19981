#include "packer/packer_batch.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "foundation/application_directory.h"
#include "foundation/directory.h"
#include "foundation/file_io.h"
#include "foundation/surface16.h"
#include "packer/picture_pack_list.h"
#include "pictures/picture_bank_high_color1.h"

namespace {

bool IsBmpPath(const std::string& path) { return Directory1::LowerExtension(path) == "bmp"; }

// "RRGGBB" (or "#RRGGBB") as a 5-5-5 word, "none" as -1; false when it is neither.
bool ParseColour(const std::string& text, int32_t* colour) {
  if (text == "none") {
    *colour = -1;
    return true;
  }
  std::string hex = text;
  if (!hex.empty() && hex[0] == '#') hex.erase(0, 1);
  if (hex.size() != 6) return false;
  for (const char c : hex) {
    if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
  }
  const unsigned long rgb = std::strtoul(hex.c_str(), nullptr, 16);
  *colour = PackColour555(static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8),
                          static_cast<uint8_t>(rgb));
  return true;
}

bool ParseDelay(const std::string& text, int32_t* delay) {
  if (text.empty() || !std::isdigit(static_cast<unsigned char>(text[0]))) return false;
  errno = 0;
  char* end = nullptr;
  const long long value = std::strtoll(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || value < 1 || value > INT32_MAX) return false;
  *delay = static_cast<int32_t>(value);
  return true;
}

}  // namespace

const char* PackerBatchUsage() {
  return "使い方:\n"
         "  tessaly                     ダイアログを開きます\n"
         "  tessaly FILE                画像 (BMP または .tsy) を一覧に入れてダイアログを開きます\n"
         "  tessaly --pack OUTPUT.tsy [--delay MS] [--transparent RRGGBB|none] INPUT...\n"
         "  tessaly --help              この説明を表示します\n"
         "\n"
         "--pack は INPUT (BMP または .tsy) を順に並べて OUTPUT.tsy を書き出します。\n"
         "ダイアログで同じ画像を順に追加して出力したときと同じファイルになります。\n"
         "  --delay MS            自分の表示時間を持たない画像 (BMP) の表示時間 (ms、既定 200)\n"
         "  --transparent RRGGBB  すべての BMP 画像の抜き色 (8 ビットの赤緑青を 16 進で、\n"
         "                        例 FF00FF)。none は抜き色なし (既定)\n"
         ".tsy の入力は自分のコマと表示時間と抜き色をそのまま持ち込みます。\n"
         "画像はすべて同じ大きさでなければなりません。\n"
         "\n"
         "\n"
         "終了コード:\n"
         "   0  成功 (ダイアログはそれを閉じたとき)\n"
         "   1  画面の色数が 16 または 24 ビットでない (ダイアログ)\n"
         "   3  画像を読めない\n"
         "   4  大きさの違う画像\n"
         "   5  書き込みの失敗 (元のファイルはそのまま)\n"
         "  64  引数の誤り\n";
}

std::string PictureLoadReason(int32_t bank_result, const std::string& path) {
  switch (bank_result) {
    case PictureBankHighColor1::kCannotOpen: {
      const std::string reason = OpenFailureReason(path);
      return reason.empty() ? "開けません" : reason;
    }
    case PictureBankHighColor1::kWrongFormat:
      return "BMP または .tsy ではありません";
    case PictureBankHighColor1::kEndsEarly:
      return "ファイルが途中で終わっています";
    case PictureBankHighColor1::kCompressed:
      return "対応していない形式です (圧縮やパレット)";
    case PictureBankHighColor1::kGifRefused:
      return "GIF ファイルは読めません";
    case PictureBankHighColor1::kNotPowerOfTwo:
      return "大きさが 2 の累乗ではありません";
    default:
      return "読み込めません (" + std::to_string(bank_result) + ")";
  }
}

bool ParsePackerBatch(const std::vector<std::string>& arguments, PackerBatchOptions* options,
                      std::string* error) {
  *options = PackerBatchOptions();
  if (arguments.empty() || arguments[0] != "--pack") {
    *error = arguments.empty() ? "引数がありません" : "不明な引数: " + arguments[0];
    return false;
  }
  if (arguments.size() < 2 || arguments[1].empty()) {
    *error = "--pack の後に出力ファイルを指定してください";
    return false;
  }
  options->output = arguments[1];
  bool options_end = false;
  for (size_t i = 2; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (!options_end && argument == "--") {
      options_end = true;
    } else if (!options_end && (argument == "--delay" || argument == "--transparent")) {
      if (i + 1 >= arguments.size()) {
        *error = argument + " の後に値を指定してください";
        return false;
      }
      const std::string& value = arguments[++i];
      if (argument == "--delay" && !ParseDelay(value, &options->default_delay)) {
        *error = "--delay には 1 以上のミリ秒を整数で指定してください: " + value;
        return false;
      }
      if (argument == "--transparent" && !ParseColour(value, &options->bmp_transparent)) {
        *error = "--transparent には RRGGBB (16 進 6 桁) か none を指定してください: " + value;
        return false;
      }
    } else if (!options_end && argument.size() > 1 && argument[0] == '-') {
      *error = "不明な引数: " + argument;
      return false;
    } else {
      options->inputs.push_back(argument);
    }
  }
  if (options->inputs.empty()) {
    *error = "入力する画像ファイルを指定してください";
    return false;
  }
  return true;
}

int RunPackerBatch(const PackerBatchOptions& options, std::ostream& err) {
  PicturePackList list;
  list.SetDefaultDelay(options.default_delay);
  for (const std::string& input : options.inputs) {
    int32_t first = 0;
    const PicturePackList::AddResult result = list.AddFile(input, &first);
    if (result == PicturePackList::kCannotLoad) {
      err << "tessaly: " << input
          << ": 画像の読み込みに失敗: " << PictureLoadReason(list.BankResult(), input) << "\n";
      return kPackerBatchCannotLoad;
    }
    if (result == PicturePackList::kDifferentSize) {
      err << "tessaly: " << input << ": 異なるサイズの画像は読めません (" << list.Width() << " X "
          << list.Height() << " の画像の一覧です)\n";
      return kPackerBatchDifferentSize;
    }
    if (IsBmpPath(input)) {
      for (int32_t i = first; i < list.Count(); ++i) {
        list.SetEntry(i, options.bmp_transparent, list.Delay(i));
      }
    }
  }
  std::string error;
  if (!list.Write(options.output, &error)) {
    err << "tessaly: " << options.output
        << ": ファイルの書き込みに失敗しました: " << SystemReasonOf(error) << "\n";
    return kPackerBatchCannotWrite;
  }
  return kPackerBatchDone;
}

int PackerBatchMain(const std::vector<std::string>& arguments, std::ostream& out,
                    std::ostream& err) {
  if (!arguments.empty() && (arguments[0] == "--help" || arguments[0] == "-h")) {
    out << PackerBatchUsage() << "\nヘルプ: " << DataFilePath("Help/tessaly.html") << "\n";
    return kPackerBatchDone;
  }
  PackerBatchOptions options;
  std::string error;
  if (!ParsePackerBatch(arguments, &options, &error)) {
    err << "tessaly: " << error << "\n\n" << PackerBatchUsage();
    return kPackerBatchUsage;
  }
  PictureBankHighColor1::StartUp(16);
  const int status = RunPackerBatch(options, err);
  PictureBankHighColor1::ShutDown();
  return status;
}
