// A class-wide registry of BMP pictures read from files, with per-pixel colour queries.
// Reads uncompressed 1, 2, 4, 8, 16 (5-5-5), 24 and 32-bit files, bottom-up rows; file
// problems come back as result codes and never end the program.
#pragma once

#include <cstdint>
#include <string>

class BMPFile2 {
 public:
  // Load results below 0.
  static constexpr int32_t kCannotOpen = -1;
  static constexpr int32_t kWrongFormat = -2;  // not "BM", unknown header, bad size or kind
  static constexpr int32_t kEndsEarly = -3;    // colour table or pixel rows beyond the file
  static constexpr int32_t kCompressed = -4;   // run-length, bit fields, ...

  static void StartUp();
  static void ShutDown();

  // Returns the picture's ID (0 or more) or one of the codes above; a failed load keeps
  // nothing. Top-down files (negative height) and zero sizes are refused as kWrongFormat.
  static int32_t Load(const std::string& path);
  static void Unload(int32_t id);
  static void PictureSize(int32_t id, int32_t* width, int32_t* height);
  // Colour of pixel `index` (row index / width, top row first). An index beyond the
  // colour table reads as black.
  static void PixelColour(int32_t id, int32_t index, uint8_t* red, uint8_t* green,
                          uint8_t* blue);
  // Colours of `count` pixels from `first` on, as red, green, blue triples into `rgb`;
  // the same rules as PixelColour, for converting a whole picture at once.
  static void PixelColours(int32_t id, int32_t first, int32_t count, uint8_t* rgb);
  // Bits per pixel of the stored buffer: 1, 2, 4, 8, 16 or 24 (32-bit files are kept as 24).
  static int32_t BitCount(int32_t id);
};
