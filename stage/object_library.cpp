#include "stage/object_library.h"

#include "converter/po3_file.h"
#include "foundation/application_directory.h"
#include "foundation/ask_file_path.h"
#include "foundation/directory.h"
#include "pictures/picture_bank_high_color1.h"
#include "stage/template_file.h"

namespace {
using Bank = PictureBankHighColor1;

constexpr int32_t kProgressStep = 10;

ObjectShape ShapeOfPo3(const Po3Object& object, const std::string& path, const std::string& name,
                       const LoadProgress& progress) {
  ObjectShape shape;
  const int32_t total = static_cast<int32_t>(object.points.size() + object.texture_vertices.size() +
                                             object.attributes.size());
  int32_t done = 0;
  auto step = [&](size_t index) {
    ++done;
    if ((index + 1) % kProgressStep == 0 && progress) progress(done, total);
  };
  for (size_t i = 0; i < object.points.size(); ++i) {
    const Po3Point& p = object.points[i];
    shape.points.push_back({p.x, p.y, p.z});
    step(i);
  }
  for (size_t i = 0; i < object.texture_vertices.size(); ++i) {
    const Po3TextureVertex& uv = object.texture_vertices[i];
    shape.map_coordinates.push_back({uv.u, uv.v});
    step(i);
  }
  for (size_t i = 0; i < object.attributes.size(); ++i) {
    const Po3Attribute& source = object.attributes[i];
    ShapeAttribute attribute;
    attribute.red = source.red;
    attribute.green = source.green;
    attribute.blue = source.blue;
    if (source.textured == 1) {
      attribute.repeat_u = source.repeat_u;
      attribute.repeat_v = source.repeat_v;
      const int32_t picture =
          Bank::Register(PolygonTexturePath(path, source.texture_name), Bank::kModePowerOfTwo);
      // A texture the bank refuses leaves the attribute in its colour.
      if (picture >= 0) {
        attribute.texture_switch = 1;
        attribute.picture = picture;
      }
    }
    shape.attributes.push_back(attribute);
    step(i);
  }
  for (const Po3Face& face : object.faces) {
    shape.polygons.push_back({3, face.points[0], face.points[1], face.points[2],
                              face.texture_vertices[0], face.texture_vertices[1],
                              face.texture_vertices[2], face.attribute});
  }
  shape.use_count = 1;
  shape.name = name;
  return shape;
}

void Tell(PromptOwner owner, const std::string& caption, const std::string& text) {
  Prompter::Current().Message(owner, caption, text, PromptIcon::kInformation, PromptButtons::kOk);
}

// The template shape of `name` and `pictures`, taken once more or read anew; -1 when it
// cannot be made.
int32_t TakeTemplateShape(Stage& stage, const std::string& template_path, const std::string& name,
                          const int32_t* pictures, int32_t count) {
  if (count < 0 || (count > 0 && pictures == nullptr)) return -1;
  for (int32_t i = 0; i < count; ++i) {
    if (pictures[i] < 0 || !Bank::IsPicture(pictures[i])) return -1;
  }
  const int32_t shared = stage.MutableShapes().TakeTemplate(name, pictures, count);
  if (shared != -1) return shared;
  ObjectShape shape;
  if (ReadTemplateModel(template_path, name, pictures, count, &shape) != kTemplateRead) return -1;
  return stage.MutableShapes().Add(shape);
}
}  // namespace

std::string PolygonObjectMessage(int32_t result) {
  switch (result) {
    case kPolygonObjectLoaded:
      return "";
    case kPolygonObjectCannotOpen:
      return "ファイルのオープンに失敗";
    default:
      return "ファイルが破壊されている";
  }
}

std::string PolygonTexturePath(const std::string& po3_path, const std::string& texture) {
  if ((texture.size() >= 2 && texture[1] == ':') || (!texture.empty() && texture[0] == '/')) {
    return texture;
  }
  return Directory1::Join(Directory1::Folder(po3_path), texture);
}

Point3f PlacementPosition(const Stage& stage) {
  Point3f corners[4];
  if (stage.GetTerrain().PartitionCorners(stage.SelectedPartition(), corners)) return corners[0];
  return Point3f();
}

int32_t LoadPolygonObject(Stage& stage, const std::string& path, const LoadProgress& progress,
                          int32_t* shape) {
  const std::string name = Directory1::FileName(path);
  const int32_t shared = stage.MutableShapes().TakeByName(name);
  if (shared != -1) {
    *shape = shared;
    return kPolygonObjectLoaded;
  }
  Po3Object object;
  const int result = Po3File::Read(path, object);
  if (result == kPo3CannotOpen) return kPolygonObjectCannotOpen;
  if (result != kPo3Read) return kPolygonObjectDamaged;
  *shape = stage.MutableShapes().Add(ShapeOfPo3(object, path, name, progress));
  return kPolygonObjectLoaded;
}

int32_t CreateObjectFromPolygonFile(Stage& stage, const std::string& path,
                                    const LoadProgress& progress, int32_t* object) {
  int32_t shape = -1;
  const int32_t result = LoadPolygonObject(stage, path, progress, &shape);
  if (result != kPolygonObjectLoaded) return result;
  *object = stage.CreateObject(PlacementPosition(stage), shape);
  return kPolygonObjectLoaded;
}

int OpenPolygonObjectCommand(const StageCommandContext& context) {
  std::string path;
  if (AskFilePath(context.owner, path, "Poly3FileOpen", context.settings_path,
                  {{"(*.po3)", "*.po3"}}, FileDialogKind::kOpen, "Poly3FileOpen") != 0) {
    return 1;
  }
  int32_t object = -1;
  const int32_t result = CreateObjectFromPolygonFile(*context.stage, path, LoadProgress(), &object);
  if (result != kPolygonObjectLoaded) {
    Tell(context.owner, "Error", PolygonObjectMessage(result));
    return 1;
  }
  // The new object is the one the author goes on with, as after a copy.
  context.stage->SelectObject(object);
  if (context.windows != nullptr) context.windows->RedrawViews();
  return 0;
}

std::string BitmapTemplatePath() { return DataFilePath("BitmapObject.bof"); }
std::string BackgroundTemplatePath() { return DataFilePath("BackObject.bof"); }

int32_t CreateBitmapObject(Stage& stage, const std::string& template_path, const std::string& name,
                           const int32_t* pictures, int32_t count) {
  const int32_t shape = TakeTemplateShape(stage, template_path, name, pictures, count);
  if (shape == -1) return 1;
  return stage.CreateObject(PlacementPosition(stage), shape) == -1 ? 1 : 0;
}

int32_t CreateBackgroundObject(Stage& stage, const std::string& template_path,
                               const std::string& name, const int32_t* pictures, int32_t count) {
  const int32_t shape = TakeTemplateShape(stage, template_path, name, pictures, count);
  if (shape == -1) return 1;
  return stage.CreateBackgroundObject(shape) == -1 ? 1 : 0;
}

std::string CreationDialogTitle(CreationMode mode) {
  return mode == CreationMode::kBitmapObject ? "ビットマップオブジェクトの作成"
                                             : "背景オブジェクトの作成";
}

std::string CreationTemplatePath(CreationMode mode) {
  return mode == CreationMode::kBitmapObject ? BitmapTemplatePath() : BackgroundTemplatePath();
}

std::string TemplateMissingMessage(const std::string& path) {
  return path + "ファイルが見当りません";
}

std::string SlotPictureMessage(int32_t bank_result) {
  if (bank_result >= 0) return "";
  if (bank_result == Bank::kNotPowerOfTwo) return "２のN乗のサイズでなくてはならない";
  return "画像ファイルエラー";
}

int32_t CreateObjectFromDialog(Stage& stage, CreationMode mode, const std::string& template_path,
                               const std::string& name, const std::vector<int32_t>& pictures,
                               PromptOwner owner) {
  const int32_t count = static_cast<int32_t>(pictures.size());
  const int32_t result =
      mode == CreationMode::kBitmapObject
          ? CreateBitmapObject(stage, template_path, name, pictures.data(), count)
          : CreateBackgroundObject(stage, template_path, name, pictures.data(), count);
  if (result != 0) {
    Tell(owner, "Message", "オブジェクトの作成に失敗しました。");
    return result;
  }
  // The new object is the one the author goes on with, as after a copy.
  stage.SelectObject(mode == CreationMode::kBitmapObject
                         ? stage.FreeObjectAt(stage.FreeObjectCount() - 1)
                         : stage.BackgroundObject());
  return result;
}
