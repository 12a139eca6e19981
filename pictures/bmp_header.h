// The two headers at the start of a BMP file, read and sanity-checked once for both BMP
// readers, with the size arithmetic they share. Every size from the file is checked
// against the bytes the file really holds before a reader allocates anything.
#pragma once

#include <cstddef>
#include <cstdint>

#include "foundation/byte_reader.h"

struct BmpHeader {
  uint32_t pixel_offset = 0;  // file offset of the pixel rows
  uint32_t header_size = 0;   // size of the information header (40, 52, 56, 108 or 124)
  int32_t width = 0;
  int32_t height = 0;  // negative: rows stored top row first
  uint16_t bit_count = 0;
  uint32_t compression = 0;
  uint32_t colours_used = 0;

  // File offset of the colour table: right after the information header's own size.
  size_t ColourTableOffset() const { return 14 + static_cast<size_t>(header_size); }
  // Bytes of one stored row, padded to a multiple of 4.
  int64_t RowBytes() const { return (static_cast<int64_t>(width) * bit_count + 31) / 32 * 4; }
  // Bytes of one row without its padding (what the last row needs at least).
  int64_t RowBytesUnpadded() const { return (static_cast<int64_t>(width) * bit_count + 7) / 8; }
};

// Reads the 14-byte file header and the information header from the start of `reader`.
// Returns false when either cannot be read in full, the type is not "BM", the plane count
// is not 1 or the information header has a size this suite does not read (the 12-byte OS/2
// header, 64, 66, ...).
bool ReadBmpHeader(ByteReader& reader, BmpHeader* header);

// True when `rows` rows of `row_bytes` bytes (the last one needing only `last_row_bytes`)
// fit in `available` bytes. Overflow-safe for any sizes a file can state.
bool BmpRowsFit(int64_t rows, int64_t row_bytes, int64_t last_row_bytes, size_t available);
