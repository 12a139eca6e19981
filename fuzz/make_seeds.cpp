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

#include "course/course_data.h"
#include "course/course_file.h"
#include "course/partition_file.h"
#include "foundation/byte_writer.h"
#include "foundation/settings_file.h"
#include "pictures/picture_bank_high_color1.h"
#include "pictures/tsy_file_writer.h"

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
  return 0;
}
