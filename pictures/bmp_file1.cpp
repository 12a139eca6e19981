#include "pictures/bmp_file1.h"

#include "foundation/byte_reader.h"
#include "foundation/error.h"
#include "foundation/file_io.h"
#include "foundation/heap.h"
#include "pictures/bmp_header.h"
#include "pictures/pixel_format.h"

namespace {

constexpr const char* kTag = "BMPFile1";

// Every problem here ends the program, also in the lean build (the course designer cannot
// go on without its textures, and nothing must read past a short file).
uint8_t* Fail(const char* message) {
  Error1::Report(kTag, message, 3);
  return nullptr;
}

}  // namespace

uint8_t* BMPFile1::LoadConverted(const std::string& path, int32_t* width, int32_t* height,
                                 int32_t* byte_size, int32_t output_bits) {
  *width = 0;
  *height = 0;
  *byte_size = 0;
  if (output_bits != 16 && output_bits != 24) {
    return Fail("対応していないカラービットに変換しようとした");
  }
  std::string bytes;
  if (!ReadWholeFile(path, bytes)) return Fail("ファイルのオープンに失敗");
  ByteReader reader(bytes);
  BmpHeader header;
  if (!ReadBmpHeader(reader, &header)) return Fail("ﾋﾞｯﾄﾏｯﾌﾟでないﾌｧｲﾙをｵｰﾌﾟﾝした");
  if (header.compression != 0) return Fail("未圧縮ﾌｧｲﾙでないﾌｧｲﾙをｵｰﾌﾟﾝした");
  if (header.bit_count != 8 && header.bit_count != 24) {
    return Fail("対応していないｶﾗｰﾋﾞｯﾄのﾌｧｲﾙ");
  }
  constexpr const char* kBroken = "ﾋﾞｯﾄﾏｯﾌﾟのｻｲｽﾞが不正かﾃﾞｰﾀが足りない";
  if (header.width <= 0 || header.height <= 0) return Fail(kBroken);

  // Entries beyond the table (or beyond 256) read as black.
  uint8_t table[256][3] = {};
  if (header.bit_count == 8) {
    const int64_t entries = header.colours_used != 0 ? header.colours_used : 256;
    if (!reader.CanRead(entries, 4)) return Fail(kBroken);
    for (int64_t i = 0; i < entries; ++i) {
      const uint8_t blue = reader.U8();
      const uint8_t green = reader.U8();
      const uint8_t red = reader.U8();
      reader.U8();
      if (i < 256) {
        table[i][0] = red;
        table[i][1] = green;
        table[i][2] = blue;
      }
    }
  }
  const int64_t file_pixel_bytes = header.bit_count / 8;
  const int64_t row_bytes = header.RowBytes();
  if (!BmpRowsFit(header.height, row_bytes, row_bytes, reader.Remaining())) {
    return Fail(kBroken);
  }
  const int64_t out_pixel_bytes = output_bits / 8;
  const int64_t total = int64_t{header.width} * header.height * out_pixel_bytes;
  if (total > INT32_MAX) return Fail(kBroken);
  uint8_t* pixels = static_cast<uint8_t*>(Heap1::Get(static_cast<size_t>(total)));
  if (pixels == nullptr) return Fail("画像ﾒﾓﾘの獲得に失敗");

  uint8_t* out = pixels;
  for (int32_t y = 0; y < header.height; ++y) {
    reader.Seek(bytes.size() - static_cast<size_t>((y + 1) * row_bytes));
    const std::string_view row = reader.View(static_cast<size_t>(row_bytes));
    const uint8_t* in = reinterpret_cast<const uint8_t*>(row.data());
    for (int32_t x = 0; x < header.width; ++x, in += file_pixel_bytes) {
      uint8_t red, green, blue;
      if (file_pixel_bytes == 1) {
        red = table[in[0]][0];
        green = table[in[0]][1];
        blue = table[in[0]][2];
      } else {
        blue = in[0];
        green = in[1];
        red = in[2];
      }
      if (output_bits == 16) {
        StoreSurfacePixel(out, static_cast<uint32_t>(PackColour(red, green, blue, 16)), 16);
        out += 2;
      } else {
        out[0] = red;
        out[1] = green;
        out[2] = blue;
        out += 3;
      }
    }
  }
  *width = header.width;
  *height = header.height;
  *byte_size = static_cast<int32_t>(total);
  return pixels;
}
