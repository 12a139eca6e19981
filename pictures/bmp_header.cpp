#include "pictures/bmp_header.h"

namespace {

bool KnownInfoHeaderSize(uint32_t size) {
  return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

}  // namespace

bool ReadBmpHeader(ByteReader& reader, BmpHeader* header) {
  if (!reader.CanRead(14 + 40, 1)) return false;
  const uint8_t b = reader.U8();
  const uint8_t m = reader.U8();
  if (b != 0x42 || m != 0x4D) return false;
  reader.U32();  // file size: writers disagree about it, the real size is used instead
  reader.U32();  // reserved
  header->pixel_offset = reader.U32();
  header->header_size = reader.U32();
  if (!KnownInfoHeaderSize(header->header_size)) return false;
  if (!reader.CanRead(header->header_size - 4, 1)) return false;
  header->width = reader.I32();
  header->height = reader.I32();
  if (reader.U16() != 1) return false;  // planes: always 1 in a real file
  header->bit_count = reader.U16();
  header->compression = reader.U32();
  reader.U32();  // image size
  reader.U32();  // horizontal resolution
  reader.U32();  // vertical resolution
  header->colours_used = reader.U32();
  reader.U32();  // important colours
  return reader.Seek(header->ColourTableOffset());
}

bool BmpRowsFit(int64_t rows, int64_t row_bytes, int64_t last_row_bytes, size_t available) {
  if (rows <= 0) return true;
  if (row_bytes < 0 || last_row_bytes < 0) return false;
  const uint64_t space = available;
  if (static_cast<uint64_t>(last_row_bytes) > space) return false;
  if (rows == 1) return true;
  if (row_bytes == 0) return true;
  const uint64_t rest = space - static_cast<uint64_t>(last_row_bytes);
  return static_cast<uint64_t>(rows - 1) <= rest / static_cast<uint64_t>(row_bytes);
}
