#include "converter/po3_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "converter/cob_file.h"
#include "foundation/byte_writer.h"
#include "foundation/shift_jis.h"
#include "tests/converter/bitmap_bytes.h"
#include "tests/converter/cob_text.h"
#include "tests/support/temp_folder.h"

namespace {

class Po3FileTest : public ::testing::Test {
 protected:
  void SetUp() override { CobFile2::StartUp(); }
  void TearDown() override { CobFile2::ShutDown(); }

  static Po3Object FromText(const std::string& text, bool invert = false) {
    const int32_t scene = CobFile2::LoadText(text, nullptr);
    EXPECT_GE(scene, 0);
    if (scene < 0) return {};
    Po3Object object = Po3File::FromCobScene(scene, invert);
    CobFile2::ReleaseScene(scene);
    return object;
  }
};

TEST_F(Po3FileTest, OneTexturedTriangleToTheByte) {
  const Po3Object object =
      FromText(cob_text::Scene({cob_text::Triangle("C:\\maps\\road64x32.bmp")}));
  const std::string bytes = Po3File::Bytes(object);
  const std::string name = "road64x32.bmp";
  ASSERT_EQ(bytes.size(), 16u + 36 + 24 + 32 + 12 + 4 + (name.size() + 1) + 8);

  ByteWriter expected;
  expected.I32(3);
  for (float value : {0.f, 0.f, 0.f, 1.f, 0.f, 0.f, 0.f, 0.f, 1.f}) expected.F32(value);
  expected.I32(3);
  for (float value : {0.f, 1.f, 1.f, 1.f, 0.25f, 0.25f}) expected.F32(value);
  expected.I32(1);
  for (int32_t value : {3, 0, 1, 2, 0, 1, 2, 0}) expected.I32(value);
  expected.I32(1);
  for (float value : {0.8f, 0.6f, 0.4f}) expected.F32(value);
  expected.I32(1);
  expected.Text(name);
  expected.U8(0);
  expected.F32(1);
  expected.F32(1);
  EXPECT_EQ(bytes, expected.Data());

  Po3Object read;
  ASSERT_EQ(Po3File::Parse(bytes, read), kPo3Read);
  ASSERT_EQ(read.attributes.size(), 1u);
  EXPECT_EQ(read.attributes[0].texture_name, name);
  EXPECT_EQ(Po3File::Bytes(read), bytes);
}

TEST_F(Po3FileTest, MergesObjectsWithShiftedIndices) {
  cob_text::Object first;
  for (int i = 0; i < 8; ++i) first.vertices.push_back(std::to_string(i) + " 0 0");
  first.texture_vertices = {"0 0", "1 1"};
  first.faces = {{{0, 1, 7}, {0, 1, 1}, 1}};
  first.materials.resize(2);
  first.materials[1].number = 1;
  cob_text::Object second;
  for (int i = 0; i < 4; ++i) second.vertices.push_back("0 " + std::to_string(i) + " 9");
  second.texture_vertices = {"0.5 0.5"};
  second.faces = {{{0, 1, 2}, {0, 0, 0}, 0}, {{3, 2, 1}, {0, 0, 0}, 0}};
  second.materials.resize(1);
  second.materials[0].texture = "/maps/b.bmp";
  const Po3Object object = FromText(cob_text::Scene({first, second}));
  ASSERT_EQ(object.points.size(), 12u);
  ASSERT_EQ(object.faces.size(), 3u);
  ASSERT_EQ(object.attributes.size(), 3u);
  // Height (COB z) is stored as y.
  EXPECT_FLOAT_EQ(object.points[11].y, 9);
  EXPECT_FLOAT_EQ(object.points[11].z, 3);
  const Po3Face& last = object.faces[2];
  EXPECT_EQ(std::vector<int32_t>(last.points, last.points + 3), (std::vector<int32_t>{11, 10, 9}));
  EXPECT_EQ(last.texture_vertices[0], 2);
  EXPECT_EQ(last.attribute, 2);
  EXPECT_EQ(object.faces[0].attribute, 1);
  EXPECT_EQ(object.attributes[2].texture_name, "b.bmp");
  EXPECT_EQ(object.attributes[2].texture_source, "/maps/b.bmp");
  // Untextured attributes take 16 bytes each.
  const size_t attributes_start = 16 + 12 * 12 + 8 * 3 + 32 * 3;
  EXPECT_EQ(Po3File::Bytes(object).size(), attributes_start + 16 + 16 + 16 + 6 + 8);
}

TEST_F(Po3FileTest, InvertReversesCornersAndTextureVerticesTogether) {
  cob_text::Object object;
  object.vertices.assign(6, "0 0 0");
  object.texture_vertices.assign(9, "0 0");
  object.faces = {{{3, 4, 5}, {6, 7, 8}, 0}};
  object.materials.resize(1);
  const Po3Object turned = FromText(cob_text::Scene({object}), true);
  ASSERT_EQ(turned.faces.size(), 1u);
  const Po3Face& face = turned.faces[0];
  EXPECT_EQ(std::vector<int32_t>(face.points, face.points + 3), (std::vector<int32_t>{5, 4, 3}));
  EXPECT_EQ(std::vector<int32_t>(face.texture_vertices, face.texture_vertices + 3),
            (std::vector<int32_t>{8, 7, 6}));
  EXPECT_EQ(face.attribute, 0);
}

TEST_F(Po3FileTest, ListingHasItsExactFormats) {
  cob_text::Object plain = cob_text::Triangle();
  plain.materials.push_back({});
  plain.materials[1].number = 1;
  plain.materials[1].texture = "C:\\t\\tex.bmp";
  plain.materials[1].repeats = "2,0.5";
  const Po3Object object = FromText(cob_text::Scene({plain}));
  const std::string expected =
      "\n;点の数(long)\n;点データ(float float float)\nPointNumber = 3\n"
      "0.000000 0.000000 0.000000\n1.000000 0.000000 0.000000\n0.000000 0.000000 1.000000\n"
      "\n;緯度経度の数(long)\n;緯度経度データ(float  float\nMapVecNumber = 3\n"
      "0.000000 1.000000\n1.000000 1.000000\n0.250000 0.250000\n"
      "\n;面の数\n;頂点数(long) <点ID(long),,,> <緯度経度ID(long),,,> 属性ID\nFaceNumber = 1\n"
      "3 <0 1 2 >,<0 1 2 >,0\n"
      "\n;属性の数(long)\n;面の色(float float float)\n"
      ";テクスチャースイッチ(long) テクスチャーパス(char～'\\0'まで) テクスチャーオフセット(double "
      "double) テクスチャー繰り返し(double double)\n"
      "\nAttributeNumber = 2\n"
      "\nmat# 0\nr = 0.800000 g = 0.600000 b = 0.400000\nTextureSwitch = 0\n"
      "\nmat# 1\nr = 0.800000 g = 0.600000 b = 0.400000\nTextureSwitch = 1\n"
      "TexturePass = tex.bmp\nrepeatU = 2.000000 repeatV = 0.500000\n";
  const std::string listing = Po3File::Listing(object);
  EXPECT_EQ(listing, Utf8ToShiftJis(expected));
  // The fixed texts are Shift-JIS: "点" is 0x935F.
  EXPECT_NE(listing.find("\x93\x5F"), std::string::npos);
}

TEST_F(Po3FileTest, ReaderRefusesDamagedFiles) {
  const Po3Object object = FromText(cob_text::Scene({cob_text::Triangle("/a/t.bmp")}));
  const std::string good = Po3File::Bytes(object);
  Po3Object read;
  for (size_t cut = 0; cut < good.size(); ++cut) {
    EXPECT_EQ(Po3File::Parse(good.substr(0, cut), read), kPo3Damaged) << cut;
  }
  auto patched = [&](size_t offset, int32_t value) {
    std::string bytes = good;
    ByteWriter writer;
    writer.I32(value);
    bytes.replace(offset, 4, writer.Data());
    return bytes;
  };
  const size_t faces = 4 + 36 + 4 + 24;
  EXPECT_EQ(Po3File::Parse(patched(0, 0x7FFFFFFF), read), kPo3Damaged);
  EXPECT_EQ(Po3File::Parse(patched(0, -1), read), kPo3Damaged);
  EXPECT_EQ(Po3File::Parse(patched(faces + 4, 4), read), kPo3Damaged);        // corner count
  EXPECT_EQ(Po3File::Parse(patched(faces + 8, 3), read), kPo3Damaged);        // point index
  EXPECT_EQ(Po3File::Parse(patched(faces + 20, -1), read), kPo3Damaged);      // texture vertex
  EXPECT_EQ(Po3File::Parse(patched(faces + 32, 1), read), kPo3Damaged);       // attribute
  EXPECT_EQ(Po3File::Parse(patched(faces + 36 + 16, 2), read), kPo3Damaged);  // switch
  EXPECT_EQ(Po3File::Read("/nonexistent/x.po3", read), kPo3CannotOpen);
  // A failed read leaves the object as it was.
  EXPECT_TRUE(read.points.empty());
}

TEST_F(Po3FileTest, WritesObjectListingAndTexturesAsOneSave) {
  TempFolder folder;
  const std::string texture = folder.Write("road.bmp", BitmapBytes(4, 4));
  const Po3Object object = FromText(cob_text::Scene({cob_text::Triangle(texture)}));
  std::filesystem::create_directory(folder.File("out"));
  const std::string out = folder.File("out") + "/";
  ASSERT_TRUE(Po3File::Write(out, out + "obj.po3", "PolFile.txt", object));
  EXPECT_EQ(TempFolder::Read(out + "obj.po3"), Po3File::Bytes(object));
  EXPECT_EQ(TempFolder::Read(out + "PolFile.txt"), Po3File::Listing(object));
  EXPECT_EQ(TempFolder::Read(out + "road.bmp"), BitmapBytes(4, 4));
  // Writing beside its own texture leaves the image alone.
  Po3Object again = object;
  again.attributes[0].texture_source = out + "road.bmp";
  EXPECT_TRUE(Po3File::Write(out, out + "obj.po3", "PolFile.txt", again));
  EXPECT_EQ(TempFolder::Read(out + "road.bmp"), BitmapBytes(4, 4));

  // A texture that cannot be read fails the whole save and nothing is written.
  Po3Object missing = object;
  missing.attributes[0].texture_source = folder.File("gone.bmp");
  std::string error;
  EXPECT_FALSE(Po3File::Write(folder.Path(), folder.File("x.po3"), "PolFile.txt", missing, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(std::filesystem::exists(folder.File("x.po3")));
  EXPECT_FALSE(std::filesystem::exists(folder.File("PolFile.txt")));
}

}  // namespace
