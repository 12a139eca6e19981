// Reader of the multi-picture file ".tsy": equally sized 5-5-5 pictures (frames), each with
// a display time and an optional transparent colour word. A class-wide registry of loaded
// files addressed by ID. The file's writer is TsyFileWriter (tsy_file_writer.h).
//
// File layout (little-endian, no padding): "TSY", frame count N, width W, height H (int32
// each), then per frame: delay ms (int32, 0 = 100 ms), transparency switch (int32),
// transparent colour (32 bits, low 16 used), W*H colour words, rows top row first.
#pragma once

#include <cstdint>
#include <string>

class TSYFile1 {
 public:
  static constexpr int32_t kCannotOpen = -1;
  static constexpr int32_t kWrongFormat = -2;  // the magic "TSY" is missing
  static constexpr int32_t kEndsEarly = -3;    // a field or the pixels end early, or a
                                               // count or size is negative or too large
  static constexpr int32_t kDefaultDelay = 100;

  static void StartUp();
  static void ShutDown();

  // Returns the loaded file's ID (0 or more) or a code above; a failed load keeps nothing.
  static int32_t Load(const std::string& path);
  static void Unload(int32_t id);
  static void PictureSize(int32_t id, int32_t* width, int32_t* height);
  static int32_t FrameCount(int32_t id);
  // Delay in milliseconds (100 where the file held 0).
  static int32_t FrameDelay(int32_t id, int32_t frame);
  // The transparent colour word when the frame's switch is 1, else -1.
  static int32_t FrameTransparentColour(int32_t id, int32_t frame);
  // Stores pixel `index` (row * W + column); returns 1 when it is transparent, else 0.
  static int32_t FramePixel(int32_t id, int32_t frame, int32_t index, uint16_t* value);
  // All W*H colour words of a frame, for bulk copies.
  static const uint16_t* FramePixels(int32_t id, int32_t frame);
};
