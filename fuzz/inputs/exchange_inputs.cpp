#include <string>

#include "converter/cob_conversion.h"
#include "converter/po3_file.h"
#include "exchange/model_import.h"
#include "exchange/texture_image.h"
#include "fuzz/inputs/fuzz_inputs.h"

std::string ExerciseModelImport(std::string_view bytes) {
  if (bytes.empty()) return "";
  static const char* const kExtensions[] = {".obj", ".gltf", ".glb", ".stl",
                                            ".ply", ".dae",  ".3ds", ".fbx"};
  const auto kind = static_cast<unsigned char>(bytes[0]);
  const std::string path = ScratchFile(bytes.substr(1), kExtensions[kind % 8]);
  ImportedModel model;
  const int result = ImportModel(path, (kind & 8) != 0, 1.0f, nullptr, &model);
  if (result != kConverted) return "";

  // What the converter writes must be a good object file whose faces name what exists.
  const std::string written = Po3File::Bytes(model.object);
  Po3Object read;
  if (Po3File::Parse(written, read) != kPo3Read) return "an imported model's PO3 does not read";
  if (Po3File::Bytes(read) != written) return "an imported model's PO3 changes when rewritten";
  Po3File::Listing(read);
  if (model.object.faces.empty()) return "a model without triangles was accepted";
  // Every picture written anew must be one the stage editor takes: power-of-two sides.
  for (const ModelTexture& texture : model.textures) {
    if (!texture.source_path.empty()) continue;
    TextureImage image;
    if (DecodeTexture(texture.bytes, &image) != TextureDecode::kDecoded) {
      return "a picture written for a model does not read back";
    }
  }
  return "";
}
