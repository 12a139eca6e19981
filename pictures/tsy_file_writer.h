// Writes the multi-picture file ".tsy" (layout in tsy_file1.h) from pictures of
// PictureBankHighColor1, as the picture packer outputs its list. The save is atomic: a
// failed write leaves the old file as it was.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TsyFileWriter {
 public:
  // The file's bytes for the bank pictures `picture_ids` (each at time 0: an animation base
  // gives its first frame) with one delay per picture. Every picture must have the size of
  // the first; a different size is a fatal misuse (the packer refuses such pictures when
  // they are added). Pixels of a 24-bit bank are packed to 5-5-5 words.
  static std::string Build(const std::vector<int32_t>& picture_ids,
                           const std::vector<int32_t>& delays);
  // Builds and saves atomically. Returns true when written; otherwise `error` says why.
  static bool Write(const std::string& path, const std::vector<int32_t>& picture_ids,
                    const std::vector<int32_t>& delays, std::string* error = nullptr);
};
