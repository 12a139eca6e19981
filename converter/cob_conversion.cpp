#include "converter/cob_conversion.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>

#include "converter/po3_file.h"
#include "foundation/byte_reader.h"
#include "foundation/directory.h"
#include "foundation/file_io.h"

namespace {

int ResultOfLoadCode(int32_t code) {
  switch (code) {
    case kCobCannotOpen:
      return kCobOpenFailed;
    case kCobNotCob:
      return kNotCobFile;
    case kCobDamaged:
      return kCobDamagedFile;
    case kCobBinary:
      return kCobNotText;
    case kCobHole:
      return kCobHasHole;
    default:
      return kConversionCancelled;
  }
}

bool PowerOfTwoOfAtLeastTwo(int32_t value) { return value >= 2 && (value & (value - 1)) == 0; }

bool IsDirectory(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_directory(path, ec);
}

}  // namespace

bool OutputWritable(const ConversionRequest& request) {
  std::string po3_folder = Directory1::Folder(request.output_path);
  if (po3_folder.empty()) po3_folder = request.output_path.rfind('/', 0) == 0 ? "/" : ".";
  return ::access(request.output_directory.c_str(), W_OK) == 0 &&
         ::access(po3_folder.c_str(), W_OK) == 0 && !IsDirectory(request.output_path) &&
         !IsDirectory(Directory1::Join(request.output_directory, request.listing_name));
}

namespace {

// Releases the scene and the reader's start-up on every way out of the conversion.
class LoadedScene {
 public:
  LoadedScene() { CobFile2::StartUp(); }
  ~LoadedScene() {
    if (scene_ >= 0) CobFile2::ReleaseScene(scene_);
    CobFile2::ShutDown();
  }
  LoadedScene(const LoadedScene&) = delete;
  LoadedScene& operator=(const LoadedScene&) = delete;

  int32_t Load(const std::string& path, const CobProgress& progress) {
    const int32_t result = CobFile2::Load(path, progress);
    if (result >= 0) scene_ = result;
    return result;
  }
  int32_t Id() const { return scene_; }

 private:
  int32_t scene_ = -1;
};

}  // namespace

const char* ConversionMessage(int result) {
  switch (result) {
    case kConverted:
      return "正常に変換されました";
    case kCobOpenFailed:
      return "COBファイルのオープンに失敗";
    case kPo3OpenFailed:
      return "PO3ファイルのオープンに失敗";
    case kNotCobFile:
      return "COBファイルではない";
    case kCobDamagedFile:
      return "このCOBファイルは壊れている";
    case kCobNotText:
      return "COBはテキストタイプでない";
    case kCobHasHole:
      return "COBファイルに穴を検出。三角化してください";
    case kConversionCancelled:
      return "途中で中止されました";
    case kNotTriangulated:
      return "多角形ポリゴンを検出。三角化してください";
    case kImageOpenFailed:
      return "使用されている画像ファイルをオープンできない";
    case kImageNotSupported:
      return "使用されている画像ファイルに対応していない";
    case kImageSizeNotPowerOfTwo:
      return "画像のサイズが２の累乗でない";
    case kModelOpenFailed:
      return "モデルファイルのオープンに失敗";
    case kModelUnreadable:
      return "モデルファイルを読み込めない（対応していない形式か、壊れている）";
    case kModelNoTriangles:
      return "モデルに三角形の面がない";
    default:
      return "";
  }
}

bool PrepareOutputDirectory(const std::string& output_path, std::string& directory) {
  directory = Directory1::Folder(output_path);
  if (directory.empty()) directory = output_path.rfind('/', 0) == 0 ? "/" : ".";
  std::error_code ec;
  if (!std::filesystem::exists(directory, ec)) {
    std::filesystem::create_directories(directory, ec);
  }
  if (!IsDirectory(directory) || ::access(directory.c_str(), W_OK) != 0) return false;
  if (directory.back() != '/') directory += '/';
  return true;
}

int CheckTextureImage(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return kImageOpenFailed;
  // The file header (14 bytes) and the information header (40 bytes).
  unsigned char headers[54];
  const size_t read = std::fread(headers, 1, sizeof(headers), file);
  std::fclose(file);
  if (read != sizeof(headers) || headers[0] != 'B' || headers[1] != 'M') {
    return kImageNotSupported;
  }
  ByteReader reader(headers + 18, 8);
  const int32_t width = reader.I32();
  const int32_t height = reader.I32();
  if (!PowerOfTwoOfAtLeastTwo(width) || !PowerOfTwoOfAtLeastTwo(height)) {
    return kImageSizeNotPowerOfTwo;
  }
  return kConverted;
}

std::string ResolveTexturePath(const std::string& texture_path, const std::string& cob_path) {
  if (FileExists(texture_path) || !Directory1::HasDrive(texture_path.c_str())) {
    return texture_path;
  }
  const std::string beside =
      Directory1::Join(Directory1::Folder(cob_path), Directory1::FileName(texture_path));
  return FileExists(beside) ? beside : texture_path;
}

std::string ShaderTextureNote(const std::string& texture_name) {
  return "テクスチャー\"" + texture_name +
         "\"はシェーダーブロックにだけ指定されているため、テクスチャーなしで変換しました";
}

int ConvertCobToPo3(const ConversionRequest& request, const CobProgress& progress,
                    std::vector<std::string>* notes) {
  LoadedScene loaded;
  const int32_t code = loaded.Load(request.input_path, progress);
  if (code < 0) return ResultOfLoadCode(code);
  const int32_t scene = loaded.Id();

  if (!OutputWritable(request)) return kPo3OpenFailed;

  const int32_t objects = CobFile2::ObjectCount(scene);
  for (int32_t object = 0; object < objects; ++object) {
    const int32_t faces = CobFile2::FaceCount(scene, object);
    for (int32_t face = 0; face < faces; ++face) {
      if (CobFile2::FaceCornerCount(scene, object, face) != 3) return kNotTriangulated;
    }
  }

  Po3Object po3 = Po3File::FromCobScene(scene, request.invert);
  if (request.scale != 1.0f) {
    for (Po3Point& point : po3.points) {
      point.x *= request.scale;
      point.y *= request.scale;
      point.z *= request.scale;
    }
  }
  // The attributes are the objects' materials in order.
  std::vector<CobMaterial> materials;
  for (int32_t object = 0; object < objects; ++object) {
    for (int32_t i = 0; i < CobFile2::MaterialCount(scene, object); ++i) {
      CobFile2::Material(scene, object, i, materials.emplace_back());
    }
  }
  for (size_t i = 0; i < po3.attributes.size() && i < materials.size(); ++i) {
    Po3Attribute& attribute = po3.attributes[i];
    if (attribute.textured != 1) {
      if (notes != nullptr && !materials[i].shader_texture.empty()) {
        notes->push_back(ShaderTextureNote(materials[i].shader_texture));
      }
      continue;
    }
    attribute.texture_source = ResolveTexturePath(attribute.texture_source, request.input_path);
    if (!materials[i].texture_line.empty() && !FileExists(attribute.texture_source)) {
      const std::string whole = ResolveTexturePath(materials[i].texture_line, request.input_path);
      if (FileExists(whole)) {
        attribute.texture_source = whole;
        attribute.texture_name = Directory1::FileName(materials[i].texture_line);
      }
    }
    const int image = CheckTextureImage(attribute.texture_source);
    if (image != kConverted) return image;
  }

  if (!Po3File::Write(request.output_directory, request.output_path, request.listing_name, po3)) {
    return kPo3OpenFailed;
  }
  return kConverted;
}
