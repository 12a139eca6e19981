// The picture packer without its window: `tessaly --pack OUTPUT.tsy [--delay MS]
// [--transparent RRGGBB|none] INPUT...` packs BMP and ".tsy" inputs in order into the file
// the dialog would write. Messages go to `err` in UTF-8, one line each naming the file and
// the reason; the result is the exit status.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

enum PackerBatchStatus : int {
  kPackerBatchDone = 0,
  kPackerBatchUsage = 64,         // the arguments are wrong (usage printed)
  kPackerBatchCannotLoad = 3,     // an input cannot be read as a picture
  kPackerBatchDifferentSize = 4,  // an input's size differs from the first one's
  kPackerBatchCannotWrite = 5,    // the output could not be written (an old file is kept)
};

struct PackerBatchOptions {
  std::string output;
  std::vector<std::string> inputs;
  int32_t default_delay = 200;
  // The 5-5-5 word every BMP picture gets as its transparent colour; -1 for none.
  int32_t bmp_transparent = -1;
};

// Parses the arguments; false with a message in `error` when they are wrong.
bool ParsePackerBatch(const std::vector<std::string>& arguments, PackerBatchOptions* options,
                      std::string* error);

// Packs the inputs and writes the output. The picture bank must be started (16 bits).
int RunPackerBatch(const PackerBatchOptions& options, std::ostream& err);

// The whole batch program: "--help", or "--pack ..." with the picture bank started and shut
// down around the run.
int PackerBatchMain(const std::vector<std::string>& arguments, std::ostream& out,
                    std::ostream& err);

// The text of "--help".
const char* PackerBatchUsage();

// Why the picture bank refused a file (its negative result), in words; for a file that could
// not be opened the system's reason.
std::string PictureLoadReason(int32_t bank_result, const std::string& path);
