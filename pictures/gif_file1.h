// The GIF reader behind PictureBankHighColor1, with the shape of the other readers: a
// class-wide registry of loaded files by ID, sizes, frames with delays and transparency.
// This edition refuses every GIF file: Load always returns kRefused without opening it,
// so no record is ever added and the queries below only serve a registry that stays empty.
#pragma once

#include <cstdint>
#include <string>

class GifFile1 {
 public:
  static constexpr int32_t kCannotOpen = -1;
  static constexpr int32_t kWrongFormat = -2;
  static constexpr int32_t kEndsEarly = -3;
  static constexpr int32_t kRefused = -4;

  static void StartUp();
  static void ShutDown();

  static int32_t Load(const std::string& path);
  static void Unload(int32_t id);
  static void PictureSize(int32_t id, int32_t* width, int32_t* height);
  static int32_t FrameCount(int32_t id);
  static int32_t FrameDelay(int32_t id, int32_t frame);
  // Returns 1 when the pixel is the frame's transparent index.
  static int32_t PixelColour(int32_t id, int32_t frame, int32_t index, uint8_t* red,
                             uint8_t* green, uint8_t* blue);
  static bool HasTransparency(int32_t id, int32_t frame);
};
