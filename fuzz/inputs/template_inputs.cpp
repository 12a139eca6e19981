#include <cstdint>
#include <string>
#include <vector>

#include "foundation/byte_reader.h"
#include "foundation/byte_writer.h"
#include "fuzz/inputs/fuzz_inputs.h"
#include "pictures/picture_bank_high_color1.h"
#include "stage/shape_library.h"
#include "stage/template_file.h"

namespace {

using Bank = PictureBankHighColor1;

// Models with more attributes than this are only scanned: the dialog offers one picture slot
// per grid cell, at most kTemplateGridCells.
constexpr int32_t kMostAttributes = 256;

// A bank holding one 2 x 2 picture, loaded from an image in memory; its ID.
int32_t StartBankWithOnePicture() {
  Bank::StartUp(16);
  ByteWriter image;
  image.I32(16);
  image.I32(1);
  for (const int32_t field : {Bank::kPicture, 2, 2, 1, 1, 8, 1, 1, 0, 0, 0}) image.I32(field);
  image.Text("p.bmp");
  image.U8(0);
  image.I32(0);
  for (int i = 0; i < 4; ++i) image.U16(static_cast<uint16_t>(0x1234 * (i + 1)));
  ByteReader reader(image.Data());
  Bank::LoadBank(reader);
  return Bank::FirstId();
}

}  // namespace

std::string ExerciseTemplateFile(std::string_view bytes) {
  const std::string text(bytes);
  TemplateScan scan;
  if (ScanTemplateText(text, &scan) != kTemplateRead) return "";
  int32_t width = 0;
  int32_t height = 0;
  TemplateSlotArea(scan, &width, &height);

  const int32_t picture = StartBankWithOnePicture();
  std::string problem;
  for (const TemplateModelDescriptor& model : scan.models) {
    const std::vector<TemplateSlot> slots = TemplateSlots(model);
    std::vector<int32_t> pictures;
    CollectSlotPictures(model, std::vector<int32_t>(slots.size(), picture), &pictures);
    if (model.attribute_count < 0 || model.attribute_count > kMostAttributes) continue;
    pictures.assign(static_cast<size_t>(model.attribute_count), picture);
    ObjectShape shape;
    if (ReadTemplateModelText(text, model.name, pictures.data(), model.attribute_count, &shape) !=
        kTemplateRead) {
      continue;
    }
    for (const std::vector<int32_t>& polygon : shape.polygons) {
      if (!PolygonFitsShape(polygon, shape)) problem = "a template polygon leaves its shape";
    }
    for (const ShapeAttribute& attribute : shape.attributes) Bank::Release(attribute.picture);
    if (!problem.empty()) break;
  }
  if (problem.empty() && Bank::ReferenceCount(picture) != 1) {
    problem = "template models took or gave back the wrong number of picture references";
  }
  Bank::ShutDown();
  return problem;
}
