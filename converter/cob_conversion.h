// The conversion of one COB scene into one PO3 object file, shared by the converter's dialog
// and its batch mode. Scenes the stage editor cannot use are refused with a result code
// before anything is written; a refused or cancelled conversion leaves no file behind.
#pragma once

#include <string>
#include <vector>

#include "converter/cob_file.h"

enum ConversionResult : int {
  kConverted = 0,
  kCobOpenFailed = 1,
  kPo3OpenFailed = 2,
  kNotCobFile = 3,
  kCobDamagedFile = 4,
  kCobNotText = 5,
  kCobHasHole = 6,
  kConversionCancelled = 7,
  kNotTriangulated = 8,
  kImageOpenFailed = 9,
  kImageNotSupported = 10,
  kImageSizeNotPowerOfTwo = 11,
  // Models of other kinds, read through the import library.
  kModelOpenFailed = 12,
  kModelUnreadable = 13,
  kModelNoTriangles = 14,
};
inline constexpr int kLastConversionResult = kModelNoTriangles;

inline constexpr const char* kListingName = "PolFile.txt";
inline constexpr const char* kCannotCreateDirectory = "ディレクトリを作成できません";

struct ConversionRequest {
  std::string input_path;
  std::string output_directory;  // ends with "/"
  std::string output_path;
  std::string listing_name = kListingName;
  bool invert = false;
  float scale = 1.0f;  // multiplies every position
};

// The message shown for a result (UTF-8).
const char* ConversionMessage(int result);

// The folder of `output_path` ("./" when it has none), created when missing, ending with "/".
// False when it cannot be created or written.
bool PrepareOutputDirectory(const std::string& output_path, std::string& directory);

// 0 when the image is a Windows bitmap whose sides are powers of two of at least 2; otherwise
// kImageOpenFailed, kImageNotSupported or kImageSizeNotPowerOfTwo.
int CheckTextureImage(const std::string& path);

// Where a material's image is read from: the path as written when the file is there; a path
// naming a drive of another system is looked for by its file name beside the COB file.
std::string ResolveTexturePath(const std::string& texture_path, const std::string& cob_path);

// What opening the output files checks before anything is written: a folder that takes new
// files, and no folder in the way of the object file or the listing.
bool OutputWritable(const ConversionRequest& request);

// The line telling that a material's picture, named only in its shader block, was left out.
std::string ShaderTextureNote(const std::string& texture_name);

// Loads, checks and writes; the result code. `progress` is asked while the COB file is read.
// `notes` (when given) receives a line for each thing converted differently from what the
// file may have meant (a picture named only in a shader block).
int ConvertCobToPo3(const ConversionRequest& request, const CobProgress& progress,
                    std::vector<std::string>* notes = nullptr);
