#include "exchange/texture_image.h"

#include <gtest/gtest.h>

#include <assimp/scene.h>
#include <stb/stb_image_write.h>

#include <cstring>

#include "exchange/model_import.h"
#include "pictures/bmp_file2.h"
#include "tests/exchange/exchange_test_support.h"
#include "tests/support/temp_folder.h"

namespace {

void Append(void* context, void* data, int size) {
  static_cast<std::string*>(context)->append(static_cast<const char*>(data), size);
}

// A grey picture as a JPEG or a TGA file.
std::string Encoded(const char* kind, int32_t width, int32_t height) {
  TextureImage image;
  image.pixels.assign(static_cast<size_t>(width) * height * 3, 128);
  std::string bytes;
  if (std::string(kind) == "jpeg") {
    stbi_write_jpg_to_func(Append, &bytes, width, height, 3, image.pixels.data(), 90);
  } else {
    stbi_write_tga_to_func(Append, &bytes, width, height, 3, image.pixels.data());
  }
  return bytes;
}

TEST(TextureImageTest, DecodeChecksSidesBeforeThePixels) {
  std::string top_down = exchange_test::Picture(4, 2, 1, 2, 3, true);
  const int32_t negative = -2;
  std::memcpy(top_down.data() + 22, &negative, 4);
  const std::string png = exchange_test::Picture(8, 4, 9, 8, 7);
  struct Case {
    const char* what;
    std::string bytes;
    TextureDecode result;
    int32_t width, height;
  };
  const Case cases[] = {
      {"png", png, TextureDecode::kDecoded, 8, 4},
      {"jpeg", Encoded("jpeg", 16, 8), TextureDecode::kDecoded, 16, 8},
      {"tga", Encoded("tga", 4, 32), TextureDecode::kDecoded, 4, 32},
      {"jpeg of 12 by 8", Encoded("jpeg", 12, 8), TextureDecode::kNotPowerOfTwo, 0, 0},
      {"bitmap", exchange_test::Picture(2, 16, 1, 2, 3, true), TextureDecode::kDecoded, 2, 16},
      {"bitmap stored top row first", top_down, TextureDecode::kDecoded, 4, 2},
      {"three wide", exchange_test::Picture(3, 4, 1, 2, 3), TextureDecode::kNotPowerOfTwo, 0, 0},
      {"one by one", exchange_test::Picture(1, 1, 1, 2, 3), TextureDecode::kNotPowerOfTwo, 0, 0},
      {"wider than any texture", exchange_test::Picture(16384, 2, 1, 2, 3),
       TextureDecode::kNotAPicture, 0, 0},
      {"cut short", png.substr(0, png.size() / 2), TextureDecode::kNotAPicture, 0, 0},
      {"text", "not a picture", TextureDecode::kNotAPicture, 0, 0},
      {"nothing", "", TextureDecode::kNotAPicture, 0, 0},
  };
  for (const Case& c : cases) {
    TextureImage image;
    EXPECT_EQ(DecodeTexture(c.bytes, &image), c.result) << c.what;
    if (c.result == TextureDecode::kDecoded) {
      EXPECT_EQ(image.width, c.width) << c.what;
      EXPECT_EQ(image.height, c.height) << c.what;
      EXPECT_EQ(image.pixels.size(), static_cast<size_t>(c.width * c.height * 3)) << c.what;
    }
  }
}

// The bitmaps written for the stage editor read back, pixel for pixel, with its own reader;
// an alpha channel is dropped.
TEST(TextureImageTest, BitmapsReadBackWithTheStageEditorsReader) {
  TempFolder folder;
  TextureImage image;
  image.width = 4;
  image.height = 2;
  image.channels = 4;
  for (uint8_t i = 0; i < 8; ++i) {
    image.pixels.insert(image.pixels.end(), {uint8_t(30 * i), uint8_t(255 - i), uint8_t(i), 7});
  }
  const std::string path = folder.Write("t.bmp", EncodeBmp24(image));
  BMPFile2::StartUp();
  const int32_t id = BMPFile2::Load(path);
  ASSERT_GE(id, 0);
  EXPECT_EQ(BMPFile2::BitCount(id), 24);
  for (int32_t i = 0; i < 8; ++i) {
    uint8_t rgb[3];
    BMPFile2::PixelColour(id, i, &rgb[0], &rgb[1], &rgb[2]);
    EXPECT_EQ(rgb[0], 30 * i);
    EXPECT_EQ(rgb[1], 255 - i);
    EXPECT_EQ(rgb[2], i);
  }
  BMPFile2::Unload(id);
  BMPFile2::ShutDown();
  image.pixels.pop_back();
  EXPECT_EQ(EncodeBmp24(image), "");
  EXPECT_EQ(EncodePng(image), "");
}

TEST(TextureImageTest, PictureBankWordsBecomeEightBitChannels) {
  // Words: white, pure red, the transparent colour (a green), black.
  const uint16_t words[] = {0x7FFF, 0x7C00, 0x03E0, 0x0000};
  uint8_t bytes[8];
  for (int i = 0; i < 4; ++i) {
    bytes[2 * i] = static_cast<uint8_t>(words[i] & 0xFF);
    bytes[2 * i + 1] = static_cast<uint8_t>(words[i] >> 8);
  }
  const TextureImage opaque = ImageFrom555(bytes, 2, 2, false, 0);
  EXPECT_EQ(opaque.channels, 3);
  EXPECT_EQ(opaque.pixels, (std::vector<uint8_t>{255, 255, 255, 255, 0, 0, 0, 255, 0, 0, 0, 0}));
  const TextureImage masked = ImageFrom555(bytes, 2, 2, true, 0x03E0);
  EXPECT_EQ(masked.channels, 4);
  EXPECT_EQ(masked.pixels,
            (std::vector<uint8_t>{255, 255, 255, 255, 255, 0, 0, 255, 0, 255, 0, 0, 0, 0, 0, 255}));
}

// Axes: the library hands scenes over y up, except what an FBX file's metadata says and STL
// and PLY, which are z up by custom. The stage's world is that with z turned round.
TEST(ModelAxesTest, FromTheFileKindAndTheFbxMetadata) {
  struct Case {
    const char* path;
    std::vector<int32_t> metadata;  // up, up sign, front, front sign, coord, coord sign
    AxisMatrix expected;
  };
  const AxisMatrix y_up = {1, 0, 0, 0, 1, 0, 0, 0, -1};
  const AxisMatrix z_up = {1, 0, 0, 0, 0, 1, 0, 1, 0};
  const Case cases[] = {
      {"a.gltf", {}, y_up},
      {"a.OBJ", {}, y_up},
      {"a.stl", {}, z_up},
      {"a.PLY", {}, z_up},
      {"max.fbx", {2, 1, 1, -1, 0, 1}, z_up},
      {"maya.fbx", {1, 1, 2, 1, 0, 1}, y_up},
      // A file whose front is -z: its z turns round once more.
      {"back.fbx", {1, 1, 2, -1, 0, 1}, {1, 0, 0, 0, 1, 0, 0, 0, 1}},
      {"broken.fbx", {7, 1, 2, 1, 0, 1}, y_up},
      {"partial.fbx", {2, 1}, y_up},
  };
  const char* keys[] = {"UpAxis",        "UpAxisSign", "FrontAxis",
                        "FrontAxisSign", "CoordAxis",  "CoordAxisSign"};
  for (const Case& c : cases) {
    aiScene scene;
    if (!c.metadata.empty()) {
      scene.mMetaData = aiMetadata::Alloc(static_cast<unsigned>(c.metadata.size()));
      for (size_t i = 0; i < c.metadata.size(); ++i) {
        scene.mMetaData->Set(static_cast<unsigned>(i), keys[i], c.metadata[i]);
      }
    }
    EXPECT_EQ(ModelAxes(scene, c.path), c.expected) << c.path;
  }
}

}  // namespace
