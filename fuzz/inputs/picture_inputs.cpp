#include <cstdint>
#include <vector>

#include "foundation/byte_reader.h"
#include "foundation/byte_writer.h"
#include "foundation/heap.h"
#include "fuzz/inputs/fuzz_inputs.h"
#include "pictures/bmp_file1.h"
#include "pictures/bmp_file2.h"
#include "pictures/picture_bank_high_color1.h"
#include "pictures/tsy_file1.h"

namespace {

using Bank = PictureBankHighColor1;

// Reads every byte of a buffer the reader handed out, so that a buffer shorter than its
// stated size is a bad access the sanitizers see. The sum only keeps the reads alive.
volatile uint32_t touched = 0;
void Touch(const void* data, int64_t byte_count) {
  const auto* bytes = static_cast<const uint8_t*>(data);
  uint32_t sum = 0;
  for (int64_t i = 0; i < byte_count; ++i) sum += bytes[i];
  touched = touched + sum;
}

// Everything the bank tells about one record, at a few animation times.
void WalkBankRecord(int32_t id) {
  for (const uint32_t time : {0u, 99u, 100u, 1234567u}) {
    PictureInfo info;
    const uint8_t* pixels = Bank::Picture(id, &info, time);
    if (pixels != nullptr) Touch(pixels, info.byte_count);
    Bank::FrameAtTime(id, time);
  }
  const int32_t frames = Bank::FrameCount(id);
  for (int32_t n = 0; n < frames; ++n) {
    const int32_t frame = Bank::FrameId(id, n);
    if (Bank::Kind(frame) == Bank::kPicture) Bank::FrameDelay(frame);
  }
  if (Bank::Kind(id) == Bank::kAnimationBase) {
    Bank::TotalTime(id);
  } else {
    Bank::FrameDelay(id);
  }
  // A base's own flags are not told (Picture describes its frame), so only pictures here.
  PictureInfo info;
  Bank::Picture(id, &info);
  if (Bank::Kind(id) == Bank::kPicture && (info.flags & Bank::kPowerOfTwo) != 0) {
    int32_t exponent_w = 0;
    int32_t exponent_h = 0;
    PictureInfo shown;
    const uint8_t* pixels = Bank::PowerOfTwoPicture(id, &exponent_w, &exponent_h, &shown);
    // Texture code addresses the buffer by the exponents alone.
    if (pixels != nullptr) {
      Touch(pixels, (int64_t{1} << exponent_w) * (int64_t{1} << exponent_h) *
                        (Bank::ColourBits() == 24 ? 3 : 2));
    }
  }
  Bank::ReferenceCount(id);
  Bank::Path(id);
}

// Registers a picture file in a 16-bit bank accepting any size and in a 24-bit bank
// demanding powers of two, and walks what came of it.
void RegisterInBank(const std::string& path) {
  for (const int32_t bits : {16, 24}) {
    Bank::StartUp(bits);
    const int32_t id = Bank::RegisterUnique(path, bits == 16 ? 0 : Bank::kModePowerOfTwo);
    if (id >= 0) {
      for (int32_t at = Bank::FirstId(); at != -1; at = Bank::NextId(at)) WalkBankRecord(at);
      Bank::Release(id);
    }
    Bank::ShutDown();
  }
}

}  // namespace

std::string ExerciseBmpFile2(std::string_view bytes) {
  const std::string path = ScratchFile(bytes, ".bmp");
  BMPFile2::StartUp();
  const int32_t id = BMPFile2::Load(path);
  if (id >= 0) {
    int32_t width = 0;
    int32_t height = 0;
    BMPFile2::PictureSize(id, &width, &height);
    BMPFile2::BitCount(id);
    const int64_t pixels = int64_t{width} * height;
    std::vector<uint8_t> rgb(3 * 4096);
    for (int64_t first = 0; first < pixels; first += 4096) {
      const int64_t count = pixels - first < 4096 ? pixels - first : 4096;
      BMPFile2::PixelColours(id, static_cast<int32_t>(first), static_cast<int32_t>(count),
                             rgb.data());
    }
    uint8_t red, green, blue;
    if (pixels > 0) BMPFile2::PixelColour(id, static_cast<int32_t>(pixels - 1), &red, &green, &blue);
    BMPFile2::Unload(id);
  }
  BMPFile2::ShutDown();
  RegisterInBank(path);
  return "";
}

std::string ExerciseBmpFile1(std::string_view bytes) {
  const std::string path = ScratchFile(bytes, ".bmp");
  for (const int32_t bits : {16, 24}) {
    int32_t width = 0;
    int32_t height = 0;
    int32_t byte_size = 0;
    uint8_t* pixels = BMPFile1::LoadConverted(path, &width, &height, &byte_size, bits);
    if (pixels == nullptr) continue;
    if (int64_t{width} * height * (bits / 8) != byte_size) {
      Heap1::Free(pixels);
      return "BMPFile1: the buffer size does not match the picture's sides";
    }
    Touch(pixels, byte_size);
    Heap1::Free(pixels);
  }
  return "";
}

std::string ExerciseTsyFile(std::string_view bytes) {
  const std::string path = ScratchFile(bytes, ".tsy");
  TSYFile1::StartUp();
  const int32_t id = TSYFile1::Load(path);
  if (id >= 0) {
    int32_t width = 0;
    int32_t height = 0;
    TSYFile1::PictureSize(id, &width, &height);
    const int64_t pixels = int64_t{width} * height;
    const int32_t frames = TSYFile1::FrameCount(id);
    for (int32_t frame = 0; frame < frames; ++frame) {
      TSYFile1::FrameDelay(id, frame);
      TSYFile1::FrameTransparentColour(id, frame);
      Touch(TSYFile1::FramePixels(id, frame), pixels * 2);
      uint16_t value = 0;
      if (pixels > 0) TSYFile1::FramePixel(id, frame, static_cast<int32_t>(pixels - 1), &value);
    }
    TSYFile1::Unload(id);
  }
  TSYFile1::ShutDown();
  RegisterInBank(path);
  return "";
}

std::string ExerciseBankImage(std::string_view bytes) {
  ByteReader probe(bytes);
  const int32_t bits = probe.I32() == 24 ? 24 : 16;
  Bank::StartUp(bits);
  std::string problem;
  ByteReader in(bytes);
  if (Bank::LoadBank(in) == Bank::kBankLoaded) {
    for (int32_t id = Bank::FirstId(); id != -1; id = Bank::NextId(id)) WalkBankRecord(id);
    ByteWriter first;
    Bank::SaveBank(first);
    ByteReader again(first.Data());
    if (Bank::LoadBank(again) != Bank::kBankLoaded || !again.AtEnd()) {
      problem = "a saved bank image does not load again";
    } else {
      ByteWriter second;
      Bank::SaveBank(second);
      if (second.Data() != first.Data()) problem = "a bank image changes when saved again";
    }
  }
  Bank::ShutDown();
  return problem;
}
