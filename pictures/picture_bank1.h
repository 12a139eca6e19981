// The course designer's picture bank: up to 256 BMP pictures registered in one phase, then
// decided. 16 and 24-bit banks hand out 5-5-5 words or blue, green, red triples; an 8-bit
// bank builds, on the decision, one 256-colour palette from the most frequent colours of
// all pictures and turns every picture into palette indices. Every problem is fatal.
#pragma once

#include <cstdint>
#include <string>

class PictureBank1 {
 public:
  static constexpr int32_t kCapacity = 256;
  // States.
  static constexpr int32_t kNotStarted = 0;
  static constexpr int32_t kStarted = 1;
  static constexpr int32_t kRegistered = 2;
  static constexpr int32_t kDecided = 3;
  static constexpr uint8_t kPowerOfTwo = 1;

  struct PaletteEntry {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
    uint8_t unused;
  };

  // `colour_bits` is 8, 16 or 24.
  static void StartUp(int32_t colour_bits);
  static void ShutDown();
  static int32_t State();

  // Returns the picture's index (registration order) or -1 for a file that is not ".bmp"
  // or ".BMP" (reported). The same file registered twice gives two entries.
  static int32_t Register(const std::string& path);
  static void Decide();

  static const uint8_t* Picture(int32_t index, int32_t* width, int32_t* height,
                                int32_t* byte_count, uint8_t* flags);
  static const uint8_t* PowerOfTwoPicture(int32_t index, int32_t* exponent_w,
                                          int32_t* exponent_h);
  static int32_t Count();
  static int32_t ColourBits();

  // 8-bit banks after the decision only.
  static const PaletteEntry* Palette();
  static int32_t PaletteIndexOf(int32_t colour);  // colour: a 15-bit word 0 .. 0x7FFF
  static void PaletteColour(int32_t index, uint8_t* red, uint8_t* green, uint8_t* blue);
};
