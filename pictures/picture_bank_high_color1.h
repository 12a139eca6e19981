// The picture bank of the picture packer and the stage editor: pictures read from BMP and
// ".tsy" files (GIF files are refused), converted to the surface format (16 or 24 bits, see
// pixel_format.h) and handed out by picture ID with reference counts. A multi-frame ".tsy"
// becomes one record per frame plus an animation base whose ID stands for the whole
// animation. The bank image (SaveBank/LoadBank) carries every record into a stage file.
#pragma once

#include <cstdint>
#include <string>

#include "foundation/byte_reader.h"
#include "foundation/byte_writer.h"

// What Picture() tells about a picture or the frame it chose.
struct PictureInfo {
  int32_t width = 0;
  int32_t height = 0;
  int32_t byte_count = 0;
  uint32_t flags = 0;
  int32_t transparency_switch = 0;
  uint32_t transparent_colour = 0;  // surface format
  int32_t delay = 0;
};

class PictureBankHighColor1 {
 public:
  // Record kinds.
  static constexpr int32_t kPicture = 0;  // a still picture or one frame
  static constexpr int32_t kAnimationBase = 1;
  // Record flags.
  static constexpr uint32_t kPowerOfTwo = 1;  // both sides are powers of two
  static constexpr uint32_t kUnique = 2;      // registered unique, never shared
  // Registration mode demanding power-of-two sides; any other mode accepts every size.
  static constexpr int32_t kModePowerOfTwo = 3;
  // Registration results below 0.
  static constexpr int32_t kNotPowerOfTwo = -2;
  static constexpr int32_t kWrongFormat = -3;  // also: unknown extension, no frames
  static constexpr int32_t kCannotOpen = -4;
  static constexpr int32_t kEndsEarly = -5;
  static constexpr int32_t kCompressed = -6;  // also: other reader failures
  static constexpr int32_t kGifRefused = -7;
  // LoadBank results.
  static constexpr int32_t kBankLoaded = 0;
  static constexpr int32_t kBankImageBad = -1;

  // `colour_bits` is 16 or 24. The first start creates the registry and starts the readers.
  static void StartUp(int32_t colour_bits);
  static void ShutDown();

  // Registers a BMP, GIF or TSY file (extension in any letter case) and returns its picture
  // ID or a result above. Register shares a record already registered (not unique) under
  // exactly the same path and adds a reference to it; RegisterUnique always loads anew.
  // BMP pictures carry the delay 0 (no display time of their own).
  static int32_t Register(const std::string& path, int32_t mode);
  static int32_t RegisterUnique(const std::string& path, int32_t mode);

  static void AddRef(int32_t id);
  // At reference count 0 the record is freed; an animation base then releases the
  // reference it holds on each of its frames.
  static void Release(int32_t id);

  // The pixels of a picture, or of the frame an animation base shows at `time` ms.
  static const uint8_t* Picture(int32_t id, PictureInfo* info, uint32_t time = 0);
  // The pixels and size exponents of a power-of-two picture (an animation base: its first
  // frame). Misuse when the record lacks kPowerOfTwo.
  static const uint8_t* PowerOfTwoPicture(int32_t id, int32_t* exponent_w, int32_t* exponent_h,
                                          PictureInfo* info = nullptr);
  // 1 for a picture, the number of frames for an animation base.
  static int32_t FrameCount(int32_t id);
  // A picture's own ID for n = 0; an animation base's n-th frame.
  static int32_t FrameId(int32_t id, int32_t n);
  // Delay of a picture or frame (misuse for an animation base).
  static int32_t FrameDelay(int32_t id);
  // The frame ID an animation base shows at `time` ms; a picture's own ID.
  static int32_t FrameAtTime(int32_t id, uint32_t time);
  static int32_t Kind(int32_t id);
  static int32_t TotalTime(int32_t id);
  static int32_t ReferenceCount(int32_t id);
  // For a loader that knows every holder of a freshly loaded picture: sets its count to
  // `count` (0 or more; at 0 the picture stays until a reference is taken and given back).
  static void SetReferenceCount(int32_t id, int32_t count);
  static std::string Path(int32_t id);
  // A colour below 0 switches transparency off.
  static void SetTransparentColour(int32_t id, int32_t colour);

  static int32_t ColourBits();
  static int32_t Count();
  static int32_t FirstId();
  static int32_t NextId(int32_t id);
  static bool IsPicture(int32_t id);  // true when `id` names a live record
  // The picture's position in the save order (ascending IDs): the ordinal files store.
  static int32_t SaveOrdinal(int32_t id);

  // Appends the bank image: colour bits, record count, then every record in ascending ID
  // order (fields, path with NUL, total time, then the pixel bytes or the frame positions).
  static void SaveBank(ByteWriter& out);
  // Reads a bank image into a fresh registry and replaces the bank only when the whole
  // image was good (records then get IDs 0, 1, 2 ... in saved order). A truncated or
  // inconsistent image, or one of other colour bits, returns kBankImageBad and leaves the
  // bank as it was; the reader is then positioned anywhere.
  static int32_t LoadBank(ByteReader& in);
};
