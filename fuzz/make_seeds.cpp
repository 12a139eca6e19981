// Writes the seed inputs of the fuzz targets with the suite's own writers (courses, partition
// files, ".tsy" files, bank images, settings) plus small BMP pictures of every kind the
// readers take. Usage: fuzz_make_seeds <corpus folder>; each target's seeds go to
// <corpus folder>/<target>/.
#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "converter/cob_file.h"
#include "converter/po3_file.h"
#include "course/cob_export.h"
#include "course/course_data.h"
#include "course/course_file.h"
#include "course/partition_file.h"
#include "foundation/byte_writer.h"
#include "foundation/settings_file.h"
#include "pictures/picture_bank_high_color1.h"
#include "pictures/tsy_file_writer.h"
#include "stage/partition_loading.h"
#include "stage/stage.h"
#include "stage/stage_file.h"
#include "stage/tool_state_block.h"
#include "stage/view_records.h"

namespace {

std::filesystem::path corpus_root;

void Save(const std::string& target, const std::string& name, const std::string& bytes) {
  const std::filesystem::path folder = corpus_root / target;
  std::filesystem::create_directories(folder);
  std::ofstream(folder / name, std::ios::binary) << bytes;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// A bottom-up uncompressed BMP of `bits` bits with a grey ramp palette where it has one.
std::string SmallBmp(int32_t width, int32_t height, uint16_t bits, uint32_t colours_used = 0) {
  const int64_t row_bytes = (int64_t{width} * bits + 31) / 32 * 4;
  const uint32_t palette_entries = bits <= 8 ? (colours_used != 0 ? colours_used : 1u << bits) : 0;
  const uint32_t offset = 14 + 40 + palette_entries * 4;
  const uint32_t pixel_bytes = static_cast<uint32_t>(row_bytes * height);
  ByteWriter out;
  out.Text("BM");
  out.U32(offset + pixel_bytes);
  out.U32(0);
  out.U32(offset);
  out.U32(40);
  out.I32(width);
  out.I32(height);
  out.U16(1);
  out.U16(bits);
  out.U32(0);
  out.U32(pixel_bytes);
  out.U32(2835);
  out.U32(2835);
  out.U32(colours_used);
  out.U32(0);
  for (uint32_t i = 0; i < palette_entries; ++i) {
    const uint8_t grey = static_cast<uint8_t>(i * 255 / (palette_entries > 1 ? palette_entries - 1 : 1));
    out.U8(grey);
    out.U8(grey);
    out.U8(static_cast<uint8_t>(255 - grey));
    out.U8(0);
  }
  for (uint32_t i = 0; i < pixel_bytes; ++i) out.U8(static_cast<uint8_t>(i * 37 + 11));
  return out.Take();
}

void Course(CourseData1& course, const std::vector<std::array<double, 3>>& points, int loop) {
  course.Initialise();
  for (const auto& p : points) course.AddPoint(p[0], p[1], p[2]);
  if (loop != 0) course.SetLoop(1);
}

void MakeCourseSeeds() {
  struct Shape {
    const char* name;
    std::vector<std::array<double, 3>> points;
    int loop;
  };
  const std::vector<Shape> shapes = {
      {"empty", {}, 0},
      {"one_point", {{0, 0, 0}}, 0},
      {"straight", {{0, 0, 0}, {100, 0, 0}}, 0},
      {"hill", {{0, 0, 0}, {100, 20, 50}, {200, 0, 0}}, 0},
      {"loop", {{0, 0, 0}, {100, 0, 0}, {100, 0, 100}, {0, 5, 100}}, 1},
  };
  for (const Shape& shape : shapes) {
    CourseData1 course;
    Course(course, shape.points, shape.loop);
    if (shape.points.size() >= 2) {
      course.ChangeSampleCount(-8);
      course.SetPointRoll(0, 0.3);
      course.SetPointWidths(1, 12.0, 30.0);
      course.SetPointTangents(0, 10, 0, 5, 1, 0, 1);
    }
    Save("course_file", std::string(shape.name) + ".cus", CourseFileBytes(course));
    PartitionFileImage image;
    if (BuildPartitionFile(course, &image) == kPartitionWritten) {
      Save("partition_file", std::string(shape.name) + ".pat", image.binary);
      Save("stage_partition", std::string(shape.name) + ".pat", image.binary);
    }
    std::string cob;
    if (shape.points.size() >= 2 && BuildCobText(course, &cob) == kCobWritten) {
      Save("cob_scene", std::string(shape.name) + ".cob", cob);
    }
  }
}

void MakePictureSeeds() {
  const struct {
    const char* name;
    std::string bytes;
  } bmps[] = {
      {"pal1.bmp", SmallBmp(9, 2, 1)},      {"pal2.bmp", SmallBmp(5, 3, 2)},
      {"pal4.bmp", SmallBmp(5, 3, 4)},      {"pal8.bmp", SmallBmp(4, 4, 8, 16)},
      {"rgb16.bmp", SmallBmp(3, 2, 16)},    {"rgb24.bmp", SmallBmp(3, 3, 24)},
      {"rgb32.bmp", SmallBmp(2, 2, 32)},    {"pal8_odd.bmp", SmallBmp(3, 5, 8, 3)},
      {"rgb24_8x4.bmp", SmallBmp(8, 4, 24)},
  };
  const std::filesystem::path scratch = corpus_root / "scratch";
  std::filesystem::create_directories(scratch);
  for (const auto& bmp : bmps) {
    Save("bmp_file2", bmp.name, bmp.bytes);
    if (std::string(bmp.name).find("rgb24") == 0 || std::string(bmp.name).find("pal8") == 0) {
      Save("bmp_file1", bmp.name, bmp.bytes);
    }
    std::ofstream(scratch / bmp.name, std::ios::binary) << bmp.bytes;
  }

  for (const int32_t bits : {16, 24}) {
    PictureBankHighColor1::StartUp(bits);
    const int32_t a = PictureBankHighColor1::Register((scratch / "rgb24_8x4.bmp").string(), 0);
    const int32_t b = PictureBankHighColor1::Register((scratch / "pal8.bmp").string(), 0);
    const int32_t c = PictureBankHighColor1::Register((scratch / "rgb24.bmp").string(), 0);
    const std::string tsy_path = (scratch / "two.tsy").string();
    TsyFileWriter::Write(tsy_path, {b, b}, {0, 250});
    PictureBankHighColor1::SetTransparentColour(b, 0x1F);
    if (bits == 16) {
      Save("tsy_file", "two_frames.tsy", ReadFile(tsy_path));
      Save("tsy_file", "one_frame.tsy", TsyFileWriter::Build({a}, {100}));
      Save("tsy_file", "three_frames.tsy", TsyFileWriter::Build({c, c, c}, {10, 0, 30}));
    }
    const int32_t animation = PictureBankHighColor1::Register(tsy_path, 0);
    ByteWriter image;
    PictureBankHighColor1::SaveBank(image);
    Save("bank_image", "bank" + std::to_string(bits) + ".img", image.Take());
    PictureBankHighColor1::Release(animation);
    PictureBankHighColor1::Release(c);
    ByteWriter smaller;
    PictureBankHighColor1::SaveBank(smaller);
    Save("bank_image", "small" + std::to_string(bits) + ".img", smaller.Take());
    PictureBankHighColor1::ShutDown();
  }
  std::filesystem::remove_all(scratch);
}

// Triangle scenes as the modelling tool writes them: one untextured triangle, and two
// objects with two materials listed from the highest number down, one of them textured.
const char kTriangleScene[] =
    "Caligari V00.01ALH             \n"
    "PolH V0.08 Id 1000 Parent 0 Size 00092429\nName Mesh\n"
    "center 0 0 0\nx axis 1 0 0\ny axis 0 1 0\nz axis 0 0 1\n"
    "Transform\n1 0 0 5\n0 1 0 6\n0 0 1 7\n0 0 0 1\n"
    "World Vertices 3\n0 0 0\n1 0 0\n0 1 0\n"
    "Texture Vertices 3\n0 0\n1 0\n0.25 0.75\n"
    "Faces 1\nFace verts 3 flags 0 mat 0\n<0,0> <1,1> <2,2> \n"
    "DrawFlags 0\nUnit V0.01 Id 211536117 Parent 211536116 Size 00000009\nUnits 2\n"
    "Mat1 V0.06 Id 211570668 Parent 211536116 Size 00000094\nmat# 0\n"
    "shader: phong  facet: auto40\nrgb 0.8,0.6,0.4\nalpha 1  ka 0.1  ks 0.1  exp 0  ior 1\n"
    "END  V1.00 Id 0 Parent 0 Size        0\n";

const char kTexturedScene[] =
    "Caligari V00.01ALH             \r\n"
    "PolH V0.08 Id 1000 Parent 0 Size 00092429\r\nName Left\r\n"
    "center 0 0 0\r\nx axis 1 0 0\r\ny axis 0 1 0\r\nz axis 0 0 1\r\n"
    "Transform\r\n1 0 0 0\r\n0 1 0 0\r\n0 0 1 0\r\n0 0 0 1\r\n"
    "World Vertices 4\r\n0 0 0\r\n1 0 0\r\n0 1 0\r\n1 1 0.5\r\n"
    "Texture Vertices 4\r\n0 0\r\n1 0\r\n0 1\r\n1 1\r\n"
    "Faces 2\r\nFace verts 3 flags 0 mat 0\r\n<0,0> <1,1> <2,2> \r\n"
    "Face verts 3 flags 0 mat 1\r\n<1,1> <3,3> <2,2> \r\n"
    "Mat1 V0.06 Id 1 Parent 1000 Size 00000094\r\nmat# 1\r\nrgb 1,0,0\r\n"
    "texture: 18C:\\Tex\\road256.bmp\r\noffset 0,0  repeats 2,1\r\n"
    "Mat1 V0.06 Id 2 Parent 1000 Size 00000094\r\nmat# 0\r\nrgb 0,0.5,1\r\n"
    "PolH V0.08 Id 1001 Parent 0 Size 00000100\r\nName Right\r\n"
    "center 1 1 1\r\nx axis 1 0 0\r\ny axis 0 1 0\r\nz axis 0 0 1\r\n"
    "Transform\r\n0 -1 0 2\r\n1 0 0 0\r\n0 0 1 1\r\n0 0 0 1\r\n"
    "World Vertices 3\r\n0 0 0\r\n2 0 0\r\n0 2 0\r\n"
    "Texture Vertices 1\r\n0.5 0.5\r\n"
    "Faces 1\r\nFace verts 3 flags 0 mat 0\r\n<0,0> <1,0> <2,0> \r\n"
    "Mat1 V0.06 Id 3 Parent 1001 Size 00000094\r\nmat# 0\r\nrgb 0.2,0.2,0.2\r\n"
    "END  V1.00 Id 0 Parent 0 Size        0\r\n";

void MakeConverterSeeds() {
  CobFile2::StartUp();
  int n = 0;
  for (const char* text : {kTriangleScene, kTexturedScene}) {
    const std::string name = n++ == 0 ? "triangle" : "textured";
    Save("cob_scene", name + ".cob", text);
    const int32_t scene = CobFile2::LoadText(text, [](int) { return 0; });
    if (scene < 0) {
      std::fprintf(stderr, "fuzz_make_seeds: the %s scene does not load (%d)\n", name.c_str(),
                   scene);
      continue;
    }
    Save("po3_file", name + ".po3", Po3File::Bytes(Po3File::FromCobScene(scene, false)));
    Save("po3_file", name + "_inverted.po3", Po3File::Bytes(Po3File::FromCobScene(scene, true)));
    CobFile2::ReleaseScene(scene);
  }
  CobFile2::ShutDown();
}

// Stages built on a partition file of the seed courses: wires on both sides, a textured
// road face and terrain face, and a shape placed twice, one object glued.
void MakeStageSeeds() {
  const std::filesystem::path scratch = corpus_root / "scratch";
  std::filesystem::create_directories(scratch);
  const std::string texture = (scratch / "road.bmp").string();
  std::ofstream(texture, std::ios::binary) << SmallBmp(4, 4, 24);
  for (const char* name : {"straight", "hill"}) {
    const std::string pat = (scratch / "course.pat").string();
    std::ofstream(pat, std::ios::binary) << ReadFile((corpus_root / "partition_file" /
                                                      (std::string(name) + ".pat")).string());
    PictureBankHighColor1::StartUp(16);
    {
      Stage stage;
      LoadPartitionFile(stage, pat);
      stage.SelectPartition(0);
      stage.AddWire(0, kLeftSide, {-30.0f, 0.0f, 0.0f});
      stage.AddWire(0, kLeftSide, {-60.0f, 8.0f, 2.0f});
      stage.AddWire(1, kLeftSide, {-30.0f, 1.0f, 10.0f});
      stage.AddWire(1, kRightSide, {30.0f, -2.0f, 10.0f});
      stage.SetFacePictureFromFile({0, kRoadFaceSide, -1}, texture);
      stage.SetFacePictureFromFile({1, kLeftSide, 0}, texture);
      ObjectShape shape;
      shape.points = {{0, 0, 0}, {10, 0, 0}, {0, 10, 0}};
      shape.map_coordinates = {{0, 0}, {1, 0}, {0, 1}};
      shape.attributes = {ShapeAttribute{0.5f, 0.5f, 0.5f, 0, -1, 1.0f, 1.0f}};
      shape.polygons = {{3, 0, 1, 2, 0, 1, 2, 0}};
      shape.use_count = 2;
      shape.name = "tri.po3";
      const int32_t id = stage.MutableShapes().Add(shape);
      const int32_t glued = stage.CreateObject({5, 0, 5}, id);
      stage.CreateObject({-5, 2, 40}, id);
      stage.GlueObject(glued, 1);
      stage.SelectObject(glued);
      Save("stage_file", std::string(name) + ".ste",
           StageFile::Image(stage, ToolStateBlock::Initial(), ViewSection()));
      stage.Reset();
    }
    PictureBankHighColor1::ShutDown();
  }
  std::filesystem::remove_all(scratch);
}

void MakeSettingsSeeds() {
  const std::filesystem::path scratch = corpus_root / "scratch";
  std::filesystem::create_directories(scratch);
  const std::string path = (scratch / "Settei.ini").string();
  SettingsFile::WriteString(path, "LoadFileDir", "Dir", "/home/author/courses");
  SettingsFile::WriteInt(path, "MainWindow", "Left", 120);
  SettingsFile::WriteInt(path, "MainWindow", "Top", -4);
  SettingsFile::WriteString(path, "Tessaly", "Delay", "\"200\"");
  Save("settings_file", "Settei.ini", ReadFile(path));
  Save("settings_file", "hand_written.ini",
       "; comment\n[loadfiledir]\n dir = 'C:\\Course\\' \n\n[MainWindow]\nLeft=0x10\nTop=+7x\n"
       "[Settei]\r\nColorBits=16\r\n");
  std::filesystem::remove_all(scratch);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: fuzz_make_seeds <corpus folder>\n");
    return 2;
  }
  corpus_root = argv[1];
  MakeCourseSeeds();
  MakePictureSeeds();
  MakeSettingsSeeds();
  MakeConverterSeeds();
  MakeStageSeeds();
  return 0;
}
