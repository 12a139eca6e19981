#include "pictures/tsy_file_writer.h"

#include "foundation/byte_writer.h"
#include "foundation/error.h"
#include "foundation/file_io.h"
#include "foundation/surface16.h"
#include "pictures/picture_bank_high_color1.h"

namespace {

// The 5-5-5 word of a surface value.
uint16_t SurfaceWord(uint32_t value, int32_t bits) {
  if (bits == 16) return static_cast<uint16_t>(value);
  return PackColour555(static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 8),
                       static_cast<uint8_t>(value));
}

}  // namespace

std::string TsyFileWriter::Build(const std::vector<int32_t>& picture_ids,
                                 const std::vector<int32_t>& delays) {
  ByteWriter out;
  out.Text("TSY");
  const int32_t count = static_cast<int32_t>(picture_ids.size());
  out.I32(count);
  if (count == 0) {
    out.I32(0);
    out.I32(0);
    return out.Take();
  }
  const int32_t bits = PictureBankHighColor1::ColourBits();
  PictureInfo first;
  PictureBankHighColor1::Picture(picture_ids[0], &first, 0);
  out.I32(first.width);
  out.I32(first.height);
  for (int32_t i = 0; i < count; ++i) {
    PictureInfo info;
    const uint8_t* pixels = PictureBankHighColor1::Picture(picture_ids[i], &info, 0);
    if (info.width != first.width || info.height != first.height) {
      // Always fatal: writing on would produce a file no reader accepts.
      Error1::Report("WinMain", "サイズの違う画像が含まれている", 3);
      return std::string();
    }
    out.I32(i < static_cast<int32_t>(delays.size()) ? delays[i] : 0);
    out.I32(info.transparency_switch);
    out.U32(info.transparency_switch != 0 ? SurfaceWord(info.transparent_colour, bits) : 0);
    const int64_t pixel_count = int64_t{info.width} * info.height;
    for (int64_t p = 0; p < pixel_count; ++p) {
      if (bits == 16) {
        out.U16(static_cast<uint16_t>(pixels[p * 2] | (pixels[p * 2 + 1] << 8)));
      } else {
        const uint8_t* bgr = pixels + p * 3;
        out.U16(PackColour555(bgr[2], bgr[1], bgr[0]));
      }
    }
  }
  return out.Take();
}

bool TsyFileWriter::Write(const std::string& path, const std::vector<int32_t>& picture_ids,
                          const std::vector<int32_t>& delays, std::string* error) {
  const std::string bytes = Build(picture_ids, delays);
  return AtomicWriteFile(path, bytes, error);
}
