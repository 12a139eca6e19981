// A one-call BMP loader that converts an uncompressed 8 or 24-bit file straight into the
// caller's surface format. Every problem is fatal (one error-log line, program ends): its
// callers pass only files that exist and suit.
#pragma once

#include <cstdint>
#include <string>

class BMPFile1 {
 public:
  // Returns a new buffer of width x height pixels, top row first, no padding: for
  // `output_bits` 16 one 5-5-5 word per pixel, for 24 three bytes red, green, blue. The
  // caller frees it with Heap1::Free. The pixel rows are taken from the end of the file
  // backwards (the pixel data offset is not used). Returns null only where the lean build
  // skips a fatal report.
  static uint8_t* LoadConverted(const std::string& path, int32_t* width, int32_t* height,
                                int32_t* byte_size, int32_t output_bits);
};
