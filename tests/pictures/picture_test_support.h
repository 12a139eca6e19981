// Builders of small BMP and ".tsy" files for the picture tests, and a check of the line a
// fatal report leaves in the error log.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/byte_writer.h"
#include "foundation/shift_jis.h"
#include "tests/support/temp_folder.h"

struct BmpLayout {
  int32_t width = 1;
  int32_t height = 1;  // negative: rows written top row first
  uint16_t bits = 24;
  uint32_t compression = 0;
  uint32_t header_size = 40;
  uint32_t colours_used = 0;
  std::vector<uint32_t> palette;  // 0xRRGGBB per entry
  // Top row first: an index (1..8 bits), a 5-5-5 word (16), 0xRRGGBB (24, 32).
  std::vector<uint32_t> pixels;
  int64_t pixel_offset = -1;  // -1: right after the colour table
};

inline std::string BuildBmp(const BmpLayout& layout) {
  const int32_t rows = layout.height < 0 ? -layout.height : layout.height;
  const int64_t row_bytes = (int64_t{layout.width} * layout.bits + 31) / 32 * 4;
  const uint32_t table_end = 14 + layout.header_size + static_cast<uint32_t>(layout.palette.size()) * 4;
  const uint32_t offset =
      layout.pixel_offset >= 0 ? static_cast<uint32_t>(layout.pixel_offset) : table_end;
  ByteWriter pixel_data;
  // Absurd sizes (for tests of the refusals) get no pixel rows at all.
  const bool writes_rows = layout.width > 0 && row_bytes > 0 && row_bytes <= (1 << 20) && rows <= (1 << 20) / row_bytes;
  for (int32_t r = 0; writes_rows && r < rows; ++r) {
    const int32_t y = layout.height < 0 ? r : rows - 1 - r;
    std::vector<uint8_t> row(static_cast<size_t>(row_bytes), 0);
    for (int32_t x = 0; x < layout.width; ++x) {
      const size_t i = static_cast<size_t>(y) * layout.width + x;
      const uint32_t v = i < layout.pixels.size() ? layout.pixels[i] : 0;
      if (layout.bits != 1 && layout.bits != 2 && layout.bits != 4 && layout.bits != 8 &&
          layout.bits != 16 && layout.bits != 24 && layout.bits != 32) {
        break;  // a bit count no reader takes: the rows stay zero
      } else if (layout.bits <= 8) {
        const int64_t bit = int64_t{x} * layout.bits;
        row[bit / 8] |= static_cast<uint8_t>(v << (8 - layout.bits - bit % 8));
      } else if (layout.bits == 16) {
        row[x * 2] = static_cast<uint8_t>(v);
        row[x * 2 + 1] = static_cast<uint8_t>(v >> 8);
      } else {
        const int32_t n = layout.bits / 8;
        row[x * n] = static_cast<uint8_t>(v);
        row[x * n + 1] = static_cast<uint8_t>(v >> 8);
        row[x * n + 2] = static_cast<uint8_t>(v >> 16);
        if (n == 4) row[x * n + 3] = 0xEE;
      }
    }
    pixel_data.Bytes(row.data(), row.size());
  }
  ByteWriter out;
  out.Text("BM");
  out.U32(offset + static_cast<uint32_t>(pixel_data.Size()));
  out.U32(0);
  out.U32(offset);
  out.U32(layout.header_size);
  out.I32(layout.width);
  out.I32(layout.height);
  out.U16(1);
  out.U16(layout.bits);
  out.U32(layout.compression);
  out.U32(static_cast<uint32_t>(pixel_data.Size()));
  out.U32(2835);
  out.U32(2835);
  out.U32(layout.colours_used);
  out.U32(0);
  if (layout.header_size > 40) out.Zeros(layout.header_size - 40);
  for (const uint32_t colour : layout.palette) out.U32(colour);
  if (out.Size() < offset) out.Zeros(offset - out.Size());
  std::string bytes = out.Take().substr(0, offset);
  return bytes + pixel_data.Data();
}

struct TsyFrameLayout {
  int32_t delay = 100;
  int32_t transparency_switch = 0;
  uint32_t transparent_colour = 0;
  std::vector<uint16_t> pixels;
};

inline std::string BuildTsy(int32_t width, int32_t height, const std::vector<TsyFrameLayout>& frames) {
  ByteWriter out;
  out.Text("TSY");
  out.I32(static_cast<int32_t>(frames.size()));
  out.I32(width);
  out.I32(height);
  for (const TsyFrameLayout& frame : frames) {
    out.I32(frame.delay);
    out.I32(frame.transparency_switch);
    out.U32(frame.transparent_colour);
    for (int32_t i = 0; i < width * height; ++i) {
      out.U16(i < static_cast<int32_t>(frame.pixels.size()) ? frame.pixels[i] : 0);
    }
  }
  return out.Take();
}

// Runs `statement` in a child process inside a fresh folder and expects it to end with
// status 1 after writing `message` (UTF-8) to "ErrorLog.err".
#define EXPECT_FATAL_REPORT(statement, message)                                        \
  do {                                                                                 \
    TempFolder fatal_folder;                                                           \
    CurrentDirectory fatal_cd(fatal_folder.Path());                                    \
    EXPECT_EXIT(statement, ::testing::ExitedWithCode(1), "");                          \
    const std::string fatal_log = TempFolder::Read(fatal_folder.File("ErrorLog.err")); \
    EXPECT_NE(fatal_log.find(Utf8ToShiftJis(message)), std::string::npos)              \
        << "log: " << DisplayTextFromFile(fatal_log);                                  \
  } while (0)
