#include "exchange/model_conversion.h"

#include <filesystem>

#include "converter/po3_file.h"
#include "exchange/isolated_import.h"
#include "foundation/directory.h"
#include "foundation/file_io.h"

int ConvertModelToPo3(const ConversionRequest& request, const CobProgress& progress) {
  ImportedModel model;
  const int imported =
      ImportModelIsolated(request.input_path, request.invert, request.scale, progress, &model);
  // As for COB files, an output that cannot be written is named before a scene without
  // triangles or a picture problem.
  if (imported == kConverted || imported == kModelNoTriangles || imported == kImageOpenFailed ||
      imported == kImageNotSupported || imported == kImageSizeNotPowerOfTwo) {
    if (!OutputWritable(request)) return kPo3OpenFailed;
  }
  if (imported != kConverted) return imported;

  std::vector<FileToWrite> files;
  files.push_back({request.output_path, Po3File::Bytes(model.object)});
  files.push_back({Directory1::Join(request.output_directory, request.listing_name),
                   Po3File::Listing(model.object)});
  for (ModelTexture& texture : model.textures) {
    const std::string target = Directory1::Join(request.output_directory, texture.name);
    if (!texture.source_path.empty()) {
      std::error_code ec;
      if (std::filesystem::equivalent(texture.source_path, target, ec)) continue;
      if (!ReadWholeFile(texture.source_path, texture.bytes)) return kImageOpenFailed;
    }
    files.push_back({target, std::move(texture.bytes)});
  }
  return AtomicWriteFiles(files.data(), files.size()) ? kConverted : kPo3OpenFailed;
}

int ConvertToPo3(const ConversionRequest& request, const CobProgress& progress,
                 std::vector<std::string>* notes) {
  if (IsModelPath(request.input_path)) return ConvertModelToPo3(request, progress);
  return ConvertCobToPo3(request, progress, notes);
}
