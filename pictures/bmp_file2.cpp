#include "pictures/bmp_file2.h"

#include <cstring>

#include "foundation/byte_reader.h"
#include "foundation/class_startup.h"
#include "foundation/file_io.h"
#include "foundation/heap.h"
#include "foundation/misuse_check.h"
#include "foundation/typed_database.h"
#include "pictures/bmp_header.h"

namespace {

constexpr const char* kTag = "BMPFile2";
constexpr const char* kNotStarted = "クラスが初期化されていません";

struct LoadedBmp {
  int32_t width;
  int32_t height;
  int32_t bit_count;        // layout of `pixels`: 1..8 index bytes, 16 words, 24 triples
  uint8_t* palette;         // red, green, blue per entry; null for 16 and 24 bits
  int32_t palette_entries;  // entries in `palette`
  uint8_t* pixels;          // top row first, no padding
};

ClassStartUp startup(kTag, ClassStartUp::Form::kCheckThenDecrement);
IdTable<LoadedBmp>* registry = nullptr;

void FreeBmp(const LoadedBmp& bmp) {
  Heap1::Free(bmp.palette);
  Heap1::Free(bmp.pixels);
}

bool SupportedBitCount(int32_t bits) {
  return bits == 1 || bits == 2 || bits == 4 || bits == 8 || bits == 16 || bits == 24 ||
         bits == 32;
}

// Index pixels of 1, 2, 4 and 8-bit rows, unpacked to one byte each, top bits first.
void ReadIndexRows(ByteReader& reader, const BmpHeader& header, uint8_t* pixels) {
  const int32_t width = header.width;
  const int32_t height = header.height;
  const int32_t bits = header.bit_count;
  const uint8_t mask = static_cast<uint8_t>((1 << bits) - 1);
  const size_t row_bytes = static_cast<size_t>(header.RowBytes());
  const size_t start = reader.Position();
  for (int32_t r = 0; r < height; ++r) {
    reader.Seek(start + row_bytes * r);
    const std::string_view row = reader.View(r == height - 1
                                                 ? static_cast<size_t>(header.RowBytesUnpadded())
                                                 : row_bytes);
    uint8_t* out = pixels + static_cast<size_t>(height - 1 - r) * width;
    for (int32_t x = 0; x < width; ++x) {
      const int64_t bit = static_cast<int64_t>(x) * bits;
      const uint8_t byte = static_cast<uint8_t>(row[static_cast<size_t>(bit / 8)]);
      const int32_t shift = 8 - bits - static_cast<int32_t>(bit % 8);
      out[x] = static_cast<uint8_t>((byte >> shift) & mask);
    }
  }
}

// 16, 24 and 32-bit rows: words kept as stored, triples turned to red, green, blue.
void ReadDirectRows(ByteReader& reader, const BmpHeader& header, uint8_t* pixels) {
  const int32_t width = header.width;
  const int32_t height = header.height;
  const int32_t file_bytes = header.bit_count / 8;
  const int32_t out_bytes = header.bit_count == 16 ? 2 : 3;
  const size_t row_bytes = static_cast<size_t>(header.RowBytes());
  const size_t start = reader.Position();
  for (int32_t r = 0; r < height; ++r) {
    reader.Seek(start + row_bytes * r);
    const std::string_view row = reader.View(static_cast<size_t>(width) * file_bytes);
    const uint8_t* in = reinterpret_cast<const uint8_t*>(row.data());
    uint8_t* out = pixels + static_cast<size_t>(height - 1 - r) * width * out_bytes;
    for (int32_t x = 0; x < width; ++x, in += file_bytes, out += out_bytes) {
      if (file_bytes == 2) {
        out[0] = in[0];
        out[1] = in[1];
      } else {
        out[0] = in[2];
        out[1] = in[1];
        out[2] = in[0];
      }
    }
  }
}

}  // namespace

void BMPFile2::StartUp() {
  if (startup.StartUp()) registry = new IdTable<LoadedBmp>();
}

void BMPFile2::ShutDown() {
  if (!startup.ShutDown() || registry == nullptr) return;
  registry->ForEach([](int32_t, const LoadedBmp& bmp) { FreeBmp(bmp); });
  delete registry;
  registry = nullptr;
}

int32_t BMPFile2::Load(const std::string& path) {
  startup.Require(kNotStarted);
  std::string bytes;
  if (!ReadWholeFile(path, bytes)) return kCannotOpen;
  ByteReader reader(bytes);
  BmpHeader header;
  if (!ReadBmpHeader(reader, &header)) return kWrongFormat;
  if (header.compression != 0) return kCompressed;
  if (header.width <= 0 || header.height <= 0) return kWrongFormat;
  if (!SupportedBitCount(header.bit_count)) return kWrongFormat;

  LoadedBmp bmp = {header.width, header.height, header.bit_count, nullptr, 0, nullptr};
  if (header.bit_count <= 8) {
    const int64_t entries =
        header.colours_used != 0 ? header.colours_used : (int64_t{1} << header.bit_count);
    if (!reader.CanRead(entries, 4)) return kEndsEarly;
    bmp.palette = static_cast<uint8_t*>(Heap1::Get(static_cast<size_t>(entries) * 3));
    if (bmp.palette == nullptr) {
      SUITE_FATAL(kTag, "パレットメモリの獲得に失敗");
      return kEndsEarly;
    }
    bmp.palette_entries = static_cast<int32_t>(entries);
    for (int64_t i = 0; i < entries; ++i) {
      const uint8_t blue = reader.U8();
      const uint8_t green = reader.U8();
      const uint8_t red = reader.U8();
      reader.U8();
      bmp.palette[i * 3] = red;
      bmp.palette[i * 3 + 1] = green;
      bmp.palette[i * 3 + 2] = blue;
    }
  }
  if (!reader.Seek(header.pixel_offset) ||
      !BmpRowsFit(header.height, header.RowBytes(), header.RowBytesUnpadded(),
                  reader.Remaining())) {
    FreeBmp(bmp);
    return kEndsEarly;
  }
  if (header.bit_count == 32) bmp.bit_count = 24;
  const size_t pixel_bytes = bmp.bit_count <= 8 ? 1 : static_cast<size_t>(bmp.bit_count / 8);
  bmp.pixels = static_cast<uint8_t*>(
      Heap1::Get(static_cast<size_t>(header.width) * header.height * pixel_bytes));
  if (bmp.pixels == nullptr) {
    SUITE_FATAL(kTag, "画像メモリの獲得に失敗");
    FreeBmp(bmp);
    return kEndsEarly;
  }
  if (header.bit_count <= 8) {
    ReadIndexRows(reader, header, bmp.pixels);
  } else {
    ReadDirectRows(reader, header, bmp.pixels);
  }
  if (!reader.Ok()) {
    FreeBmp(bmp);
    return kEndsEarly;
  }
  return registry->Add(bmp);
}

void BMPFile2::Unload(int32_t id) {
  startup.Require(kNotStarted);
  FreeBmp(registry->Fetch(id));
  registry->Delete(id);
}

void BMPFile2::PictureSize(int32_t id, int32_t* width, int32_t* height) {
  startup.Require(kNotStarted);
  const LoadedBmp bmp = registry->Fetch(id);
  *width = bmp.width;
  *height = bmp.height;
}

int32_t BMPFile2::BitCount(int32_t id) {
  startup.Require(kNotStarted);
  return registry->Fetch(id).bit_count;
}

void BMPFile2::PixelColour(int32_t id, int32_t index, uint8_t* red, uint8_t* green,
                           uint8_t* blue) {
  uint8_t rgb[3];
  PixelColours(id, index, 1, rgb);
  *red = rgb[0];
  *green = rgb[1];
  *blue = rgb[2];
}

void BMPFile2::PixelColours(int32_t id, int32_t first, int32_t count, uint8_t* rgb) {
  startup.Require(kNotStarted);
  const LoadedBmp bmp = registry->Fetch(id);
  SUITE_CHECK(first >= 0 && count >= 0 &&
                  int64_t{first} + count <= static_cast<int64_t>(bmp.width) * bmp.height,
              kTag, "画像範囲を超えてアクセスしようとした");
  if (bmp.bit_count >= 1 && bmp.bit_count <= 8) {
    SUITE_CHECK(bmp.palette != nullptr, kTag, "8ビットカラーなのにテーブルがない");
  } else if (bmp.bit_count != 16 && bmp.bit_count != 24) {
    SUITE_FATAL(kTag, "ありえないカラービットを検出");
  }
  for (int32_t i = 0; i < count; ++i, rgb += 3) {
    const size_t at = static_cast<size_t>(first) + i;
    if (bmp.bit_count <= 8) {
      const int32_t entry = bmp.pixels[at];
      if (bmp.palette == nullptr || entry >= bmp.palette_entries) {
        rgb[0] = rgb[1] = rgb[2] = 0;  // an index beyond the table reads as black
      } else {
        std::memcpy(rgb, bmp.palette + entry * 3, 3);
      }
    } else if (bmp.bit_count == 16) {
      const uint16_t word = static_cast<uint16_t>(bmp.pixels[at * 2] | (bmp.pixels[at * 2 + 1] << 8));
      rgb[0] = static_cast<uint8_t>(((word >> 10) & 0x1F) << 3);
      rgb[1] = static_cast<uint8_t>(((word >> 5) & 0x1F) << 3);
      rgb[2] = static_cast<uint8_t>((word & 0x1F) << 3);
    } else if (bmp.bit_count == 24) {
      std::memcpy(rgb, bmp.pixels + at * 3, 3);
    } else {
      rgb[0] = rgb[1] = rgb[2] = 0;
    }
  }
}
