#include "pictures/picture_bank1.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "foundation/heap.h"
#include "foundation/misuse_check.h"
#include "pictures/bmp_file1.h"

namespace {

constexpr const char* kTag = "PictureBank1";
constexpr int32_t kColourCount = 32768;

struct Entry {
  uint8_t* pixels;
  int32_t width;
  int32_t height;
  int32_t exponent_w;
  int32_t exponent_h;
  int32_t byte_count;
  uint8_t flags;
};

int32_t state = PictureBank1::kNotStarted;
int32_t colour_bits = 0;
int32_t count = 0;
Entry table[PictureBank1::kCapacity] = {};
PictureBank1::PaletteEntry palette[256] = {};
uint8_t* conversion = nullptr;  // palette index of every 15-bit colour

int32_t SideExponent(int32_t value) {
  if (value <= 0) return -1;
  int32_t exponent = 0;
  while (value % 2 == 0) {
    value /= 2;
    ++exponent;
  }
  return value == 1 ? exponent : -1;
}

void RequireDecidedIndex(int32_t index) {
  SUITE_CHECK(index >= 0 && index < count, kTag, "登録IDの範囲を超えてﾘｿｰｽにｱｸｾｽした");
  SUITE_CHECK(state == PictureBank1::kDecided, kTag, "ﾘｿｰｽを決定しないでｱｸｾｽしてきた");
}

void RequirePalette() {
  SUITE_CHECK(state == PictureBank1::kDecided, kTag,
              "登録完了していないのにｶﾗｰﾊﾟﾚｯﾄを獲得しようとした");
  SUITE_CHECK(colour_bits == 8, kTag, "８ﾋﾞｯﾄｶﾗｰでないのにｶﾗｰﾊﾟﾚｯﾄを獲得しようとした");
}

uint16_t WordAt(const uint8_t* pixels, size_t i) {
  return static_cast<uint16_t>(pixels[i * 2] | (pixels[i * 2 + 1] << 8));
}

// The shared palette: black, the 254 most frequent colours (ties in ascending colour
// order, then colours that do not occur), white; then the nearest entry of every colour.
void BuildPalette() {
  std::vector<int64_t> frequency(kColourCount, 0);
  for (int32_t i = 0; i < count; ++i) {
    const size_t pixel_count = static_cast<size_t>(table[i].width) * table[i].height;
    for (size_t p = 0; p < pixel_count; ++p) ++frequency[WordAt(table[i].pixels, p) & 0x7FFF];
  }
  std::vector<int32_t> order(kColourCount);
  for (int32_t c = 0; c < kColourCount; ++c) order[c] = c;
  std::stable_sort(order.begin(), order.end(),
                   [&](int32_t a, int32_t b) { return frequency[a] > frequency[b]; });
  palette[0] = {0, 0, 0, 0};
  palette[255] = {255, 255, 255, 0};
  for (int32_t i = 1; i <= 254; ++i) {
    const int32_t c = order[i - 1];
    palette[i] = {static_cast<uint8_t>(((c >> 10) & 0x1F) << 3),
                  static_cast<uint8_t>(((c >> 5) & 0x1F) << 3),
                  static_cast<uint8_t>((c & 0x1F) << 3), 0};
  }
  conversion = static_cast<uint8_t*>(Heap1::Get(kColourCount));
  if (conversion == nullptr) {
    SUITE_FATAL(kTag, "ﾋﾟｸｾﾙ変換ﾃｰﾌﾞﾙﾒﾓﾘの獲得に失敗");
    return;
  }
  for (int32_t c = 0; c < kColourCount; ++c) {
    const int32_t r = (c >> 10) & 0x1F, g = (c >> 5) & 0x1F, b = c & 0x1F;
    int32_t best = 0;
    int32_t best_distance = INT32_MAX;
    for (int32_t i = 0; i < 256; ++i) {
      const int32_t dr = r - (palette[i].red >> 3);
      const int32_t dg = g - (palette[i].green >> 3);
      const int32_t db = b - (palette[i].blue >> 3);
      const int32_t distance = dr * dr + dg * dg + db * db;
      if (distance < best_distance) {
        best_distance = distance;
        best = i;
      }
    }
    conversion[c] = static_cast<uint8_t>(best);
  }
  for (int32_t i = 0; i < count; ++i) {
    const size_t pixel_count = static_cast<size_t>(table[i].width) * table[i].height;
    uint8_t* indices = static_cast<uint8_t*>(Heap1::Get(pixel_count));
    if (indices == nullptr && pixel_count > 0) {
      SUITE_FATAL(kTag, "ﾊﾟﾚｯﾄﾃﾞｰﾀﾒﾓﾘの獲得に失敗");
      return;
    }
    for (size_t p = 0; p < pixel_count; ++p) {
      indices[p] = conversion[WordAt(table[i].pixels, p) & 0x7FFF];
    }
    Heap1::Free(table[i].pixels);
    table[i].pixels = indices;
    table[i].byte_count /= 2;
  }
}

}  // namespace

void PictureBank1::StartUp(int32_t bits) {
  SUITE_CHECK(state == kNotStarted, kTag, "このｸﾗｽが２度初期化された可能性がある");
  for (Entry& entry : table) entry = Entry{nullptr, 0, 0, -1, -1, 0, 0};
  count = 0;
  SUITE_CHECK(bits == 8 || bits == 16 || bits == 24, kTag,
              "対応していないｶﾗｰﾋﾞｯﾄが設定されました");
  colour_bits = bits;
  state = kStarted;
}

void PictureBank1::ShutDown() {
  for (Entry& entry : table) {
    Heap1::Free(entry.pixels);
    entry = Entry{nullptr, 0, 0, -1, -1, 0, 0};
  }
  Heap1::Free(conversion);
  conversion = nullptr;
  count = 0;
  state = kNotStarted;
  colour_bits = 0;
}

int32_t PictureBank1::State() { return state; }

int32_t PictureBank1::Register(const std::string& path) {
  SUITE_CHECK(state == kStarted || state == kRegistered, kTag,
              "初期化されていないか決定されているのに登録しようとした");
  const size_t dot = path.find_last_of('.');
  const size_t separator = path.find_last_of("/\\");
  if (dot == std::string::npos || (separator != std::string::npos && dot < separator)) {
    SUITE_FATAL(kTag, "拡張子のない画像ﾌｧｲﾙﾊﾟｽが設定されている");
    return -1;
  }
  const std::string extension = path.substr(dot + 1);
  if (extension != "bmp" && extension != "BMP") {
    SUITE_FATAL(kTag, "対応していない画像拡張子を検出");
    return -1;
  }
  if (count >= kCapacity) {
    SUITE_FATAL(kTag, "ﾘｿｰｽ数が満杯です");
    return -1;
  }
  Entry entry = {nullptr, 0, 0, -1, -1, 0, 0};
  entry.pixels = BMPFile1::LoadConverted(path, &entry.width, &entry.height, &entry.byte_count,
                                         colour_bits == 24 ? 24 : 16);
  if (entry.pixels == nullptr) return -1;
  if (colour_bits == 24) {
    // The loader gives red, green, blue; 24-bit surfaces hold blue, green, red.
    for (int32_t i = 0; i + 2 < entry.byte_count; i += 3) std::swap(entry.pixels[i], entry.pixels[i + 2]);
  }
  const int32_t exponent_w = SideExponent(entry.width);
  const int32_t exponent_h = SideExponent(entry.height);
  if (exponent_w != -1 && exponent_h != -1) {
    entry.exponent_w = exponent_w;
    entry.exponent_h = exponent_h;
    entry.flags |= kPowerOfTwo;
  }
  table[count] = entry;
  state = kRegistered;
  return count++;
}

void PictureBank1::Decide() {
  SUITE_CHECK(state == kRegistered, kTag, "画像が設定されていないのに決定された");
  if (colour_bits == 8) {
    BuildPalette();
  } else if (colour_bits != 16 && colour_bits != 24) {
    SUITE_FATAL(kTag, "ﾘｿｰｽのｶﾗｰﾋﾞｯﾄにありえない値を検出");
  }
  state = kDecided;
}

const uint8_t* PictureBank1::Picture(int32_t index, int32_t* width, int32_t* height,
                                     int32_t* byte_count, uint8_t* flags) {
  RequireDecidedIndex(index);
  const Entry& entry = table[index];
  *width = entry.width;
  *height = entry.height;
  *byte_count = entry.byte_count;
  *flags = entry.flags;
  return entry.pixels;
}

const uint8_t* PictureBank1::PowerOfTwoPicture(int32_t index, int32_t* exponent_w,
                                               int32_t* exponent_h) {
  RequireDecidedIndex(index);
  const Entry& entry = table[index];
  SUITE_CHECK((entry.flags & kPowerOfTwo) != 0, kTag,
              "2のN乗ﾃﾞｰﾀでないのに２のN乗ﾃﾞｰﾀを獲得しようとした");
  *exponent_w = entry.exponent_w;
  *exponent_h = entry.exponent_h;
  return entry.pixels;
}

int32_t PictureBank1::Count() {
  SUITE_CHECK(state == kDecided, kTag, "登録完了していないのにｶﾗｰﾊﾟﾚｯﾄを獲得しようとした");
  return count;
}

int32_t PictureBank1::ColourBits() {
  SUITE_CHECK(state == kDecided, kTag, "登録完了していないのにｶﾗｰﾊﾟﾚｯﾄを獲得しようとした");
  return colour_bits;
}

const PictureBank1::PaletteEntry* PictureBank1::Palette() {
  RequirePalette();
  return palette;
}

int32_t PictureBank1::PaletteIndexOf(int32_t colour) {
  RequirePalette();
  SUITE_CHECK(colour >= 0 && colour <= 0x7FFF, kTag, "15ﾋﾞｯﾄｶﾗｰでないものが入力された");
  if (conversion == nullptr || colour < 0 || colour > 0x7FFF) return 0;
  return conversion[colour];
}

void PictureBank1::PaletteColour(int32_t index, uint8_t* red, uint8_t* green, uint8_t* blue) {
  RequirePalette();
  SUITE_CHECK(index >= 0 && index <= 255, kTag, "ﾊﾟﾚｯﾄ番号でないものが入力された");
  const PaletteEntry& entry = palette[index & 0xFF];
  *red = entry.red;
  *green = entry.green;
  *blue = entry.blue;
}
