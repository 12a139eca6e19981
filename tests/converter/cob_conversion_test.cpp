#include "converter/cob_conversion.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "converter/po3_file.h"
#include "tests/converter/bitmap_bytes.h"
#include "tests/converter/cob_text.h"
#include "tests/support/temp_folder.h"

namespace {

class CobConversionTest : public ::testing::Test {
 protected:
  // Converts `input` into out/object.po3 of the temporary folder.
  int Convert(const std::string& input, bool invert = false,
              const CobProgress& progress = nullptr) {
    ConversionRequest request;
    request.input_path = input;
    request.output_path = folder_.File("out/object.po3");
    request.invert = invert;
    EXPECT_TRUE(PrepareOutputDirectory(request.output_path, request.output_directory));
    return ConvertCobToPo3(request, progress);
  }
  bool OutputExists(const std::string& name = "object.po3") const {
    return std::filesystem::exists(folder_.File("out/" + name));
  }
  Po3Object Output() const {
    Po3Object object;
    EXPECT_EQ(Po3File::Read(folder_.File("out/object.po3"), object), kPo3Read);
    return object;
  }
  std::string WriteScene(const std::vector<cob_text::Object>& objects,
                         const std::string& name = "scene.cob") {
    return folder_.Write(name, cob_text::Scene(objects));
  }

  TempFolder folder_;
};

TEST_F(CobConversionTest, MessagesOfEveryResult) {
  EXPECT_STREQ(ConversionMessage(kConverted), "正常に変換されました");
  EXPECT_STREQ(ConversionMessage(kCobOpenFailed), "COBファイルのオープンに失敗");
  EXPECT_STREQ(ConversionMessage(kPo3OpenFailed), "PO3ファイルのオープンに失敗");
  EXPECT_STREQ(ConversionMessage(kNotCobFile), "COBファイルではない");
  EXPECT_STREQ(ConversionMessage(kCobDamagedFile), "このCOBファイルは壊れている");
  EXPECT_STREQ(ConversionMessage(kCobNotText), "COBはテキストタイプでない");
  EXPECT_STREQ(ConversionMessage(kCobHasHole), "COBファイルに穴を検出。三角化してください");
  EXPECT_STREQ(ConversionMessage(kConversionCancelled), "途中で中止されました");
  EXPECT_STREQ(ConversionMessage(kNotTriangulated), "多角形ポリゴンを検出。三角化してください");
  EXPECT_STREQ(ConversionMessage(kImageOpenFailed), "使用されている画像ファイルをオープンできない");
  EXPECT_STREQ(ConversionMessage(kImageNotSupported), "使用されている画像ファイルに対応していない");
  EXPECT_STREQ(ConversionMessage(kImageSizeNotPowerOfTwo), "画像のサイズが２の累乗でない");
  EXPECT_STREQ(ConversionMessage(kModelOpenFailed), "モデルファイルのオープンに失敗");
  EXPECT_STREQ(ConversionMessage(kModelUnreadable),
               "モデルファイルを読み込めない（対応していない形式か、壊れている）");
  EXPECT_STREQ(ConversionMessage(kModelNoTriangles), "モデルに三角形の面がない");
}

TEST_F(CobConversionTest, LoadCodesBecomeResultsAndLeaveNothingBehind) {
  EXPECT_EQ(Convert(folder_.File("missing.cob")), kCobOpenFailed);
  EXPECT_EQ(Convert(folder_.Write("a.cob", "solid cube\n")), kNotCobFile);
  const std::string scene = cob_text::Scene({cob_text::Triangle()});
  EXPECT_EQ(Convert(folder_.Write("b.cob", scene.substr(0, scene.find("Faces")))), kCobDamagedFile);
  EXPECT_EQ(Convert(folder_.Write("c.cob", "Caligari V00.01BLH\x01\x00\x02")), kCobNotText);
  cob_text::Object hole = cob_text::Triangle();
  hole.faces[0].hole = true;
  EXPECT_EQ(Convert(WriteScene({hole})), kCobHasHole);
  EXPECT_EQ(Convert(WriteScene({cob_text::Triangle()}), false, [](int) { return 1; }),
            kConversionCancelled);
  EXPECT_FALSE(OutputExists());
  EXPECT_FALSE(OutputExists(kListingName));
}

TEST_F(CobConversionTest, RefusesPolygonsBeforeLookingAtImages) {
  cob_text::Object quad = cob_text::Triangle(folder_.File("missing.bmp"));
  quad.vertices.push_back("1 1 0");
  quad.texture_vertices.push_back("1 1");
  quad.faces.push_back({{0, 1, 3, 2}, {0, 1, 3, 2}, 0});
  // A previous output stays as it was.
  std::filesystem::create_directory(folder_.File("out"));
  folder_.Write("out/object.po3", "previous");
  EXPECT_EQ(Convert(WriteScene({cob_text::Triangle(), quad})), kNotTriangulated);
  EXPECT_EQ(TempFolder::Read(folder_.File("out/object.po3")), "previous");
  EXPECT_FALSE(OutputExists(kListingName));
}

TEST_F(CobConversionTest, ChecksTextureImages) {
  struct Case {
    std::string bytes;
    int result;
  };
  const Case cases[] = {
      {BitmapBytes(64, 32), kConverted},
      {BitmapBytes(2, 256), kConverted},
      {BitmapBytes(64, 48), kImageSizeNotPowerOfTwo},
      {BitmapBytes(1, 1), kImageSizeNotPowerOfTwo},
      {BitmapBytes(64, -32), kImageSizeNotPowerOfTwo},
      {BitmapBytes(0, 32), kImageSizeNotPowerOfTwo},
      {"GIF89a" + std::string(100, '\0'), kImageNotSupported},
      {BitmapBytes(64, 32).substr(0, 53), kImageNotSupported},
  };
  for (const Case& c : cases) {
    const std::string image = folder_.Write("texture.bmp", c.bytes);
    EXPECT_EQ(CheckTextureImage(image), c.result);
    EXPECT_EQ(Convert(WriteScene({cob_text::Triangle(image)})), c.result);
    EXPECT_EQ(OutputExists(), c.result == kConverted);
    EXPECT_EQ(OutputExists("texture.bmp"), c.result == kConverted);
    std::filesystem::remove_all(folder_.File("out"));
  }
  EXPECT_EQ(CheckTextureImage(folder_.File("none.bmp")), kImageOpenFailed);
  EXPECT_EQ(Convert(WriteScene({cob_text::Triangle(folder_.File("none.bmp"))})), kImageOpenFailed);
  EXPECT_FALSE(OutputExists());
}

TEST_F(CobConversionTest, TexturesNamedOnAnotherSystemAreFoundBesideTheCobFile) {
  std::filesystem::create_directory(folder_.File("model"));
  folder_.Write("model/road64x32.bmp", BitmapBytes(64, 32));
  const std::string input =
      WriteScene({cob_text::Triangle("C:\\maps\\road64x32.bmp")}, "model/scene.cob");
  EXPECT_EQ(ResolveTexturePath("C:\\maps\\road64x32.bmp", input),
            folder_.File("model/road64x32.bmp"));
  EXPECT_EQ(ResolveTexturePath("C:\\maps\\other.bmp", input), "C:\\maps\\other.bmp");
  // A POSIX path is taken as it stands.
  EXPECT_EQ(ResolveTexturePath("/maps/road64x32.bmp", input), "/maps/road64x32.bmp");

  ASSERT_EQ(Convert(input), kConverted);
  EXPECT_EQ(TempFolder::Read(folder_.File("out/road64x32.bmp")), BitmapBytes(64, 32));
  const Po3Object object = Output();
  ASSERT_EQ(object.attributes.size(), 1u);
  EXPECT_EQ(object.attributes[0].texture_name, "road64x32.bmp");
  const std::string listing = TempFolder::Read(folder_.File("out/PolFile.txt"));
  EXPECT_NE(listing.find("TexturePass = road64x32.bmp\n"), std::string::npos);
}

// Hand-edited files: the length in front of a texture path may be shorter than the path. The
// whole rest of the line is taken only when the prefixed path names no file and it does.
TEST_F(CobConversionTest, ShortTextureLengthFallsBackToTheWholeLine) {
  folder_.Write("road64x32.bmp", BitmapBytes(64, 32));
  folder_.Write("road.bmp", BitmapBytes(8, 8));
  std::filesystem::create_directory(folder_.File("my maps"));
  folder_.Write("my maps/road.bmp", BitmapBytes(16, 16));
  const std::string dir = folder_.Path() + "/";
  struct Case {
    std::string line;  // after "texture: "
    int result;
    std::string texture;  // the name stored, when converted
  };
  const Case cases[] = {
      // The old name was shorter: the prefix cuts the path inside its name.
      {std::to_string(dir.size() + 4) + dir + "road64x32.bmp", kConverted, "road64x32.bmp"},
      // The prefix ends at a blank of a path with blanks.
      {std::to_string(dir.size() + 2) + dir + "my maps/road.bmp", kConverted, "road.bmp"},
      // Blanks after the path are not part of it.
      {std::to_string(dir.size() + 4) + dir + "road64x32.bmp  ", kConverted, "road64x32.bmp"},
      // A prefix that names a file wins over the rest of the line.
      {std::to_string(dir.size() + 8) + dir + "road.bmp trailing words", kConverted, "road.bmp"},
      // Neither names a file.
      {std::to_string(dir.size() + 4) + dir + "missing.bmp", kImageOpenFailed, ""},
      // The right length: as it always was.
      {std::to_string(dir.size() + 8) + dir + "road.bmp", kConverted, "road.bmp"},
  };
  for (const Case& c : cases) {
    std::string text = cob_text::Scene({cob_text::Triangle("TEXTURENAME")});
    text.replace(text.find("11TEXTURENAME"), 13, c.line);
    EXPECT_EQ(Convert(folder_.Write("edited.cob", text)), c.result) << c.line;
    if (c.result == kConverted) {
      EXPECT_EQ(Output().attributes[0].texture_name, c.texture) << c.line;
      EXPECT_TRUE(OutputExists(c.texture)) << c.line;
    } else {
      EXPECT_FALSE(OutputExists()) << c.line;
    }
    std::filesystem::remove_all(folder_.File("out"));
  }
}

// A picture named only in a material's shader block is left out as before, but said.
TEST_F(CobConversionTest, PictureOnlyInTheShaderBlockIsNoted) {
  std::string text = cob_text::Scene({cob_text::Triangle(), cob_text::Triangle()});
  const std::string plain = "Shader name: \"plain color\" (plain)\n";
  const std::string mapped =
      "Shader name: \"texture map\" (caligari texture)\nNumber of parameters: 7\n"
      "file name: string \"wood grain.jpg\"\nS repeat: float 1\n"
      "Shader class: transparency\nShader name: \"none\" (none)\n";
  text.replace(text.find(plain), plain.size(), mapped);
  std::vector<std::string> notes;
  ConversionRequest request;
  request.input_path = folder_.Write("shader.cob", text);
  request.output_path = folder_.File("out/object.po3");
  ASSERT_TRUE(PrepareOutputDirectory(request.output_path, request.output_directory));
  ASSERT_EQ(ConvertCobToPo3(request, nullptr, &notes), kConverted);
  EXPECT_EQ(notes, std::vector<std::string>{ShaderTextureNote("wood grain.jpg")});
  EXPECT_EQ(ShaderTextureNote("a.jpg"),
            "テクスチャー\"a.jpg\"はシェーダーブロックにだけ指定されているため、"
            "テクスチャーなしで変換しました");
  const Po3Object object = Output();
  ASSERT_EQ(object.attributes.size(), 2u);
  EXPECT_EQ(object.attributes[0].textured, 0);
  EXPECT_EQ(object.attributes[1].textured, 0);
}

TEST_F(CobConversionTest, ScaleMultipliesPositionsOnly) {
  const std::string input = WriteScene({cob_text::Triangle()});
  ASSERT_EQ(Convert(input), kConverted);
  const Po3Object plain = Output();
  ConversionRequest request;
  request.input_path = input;
  request.output_path = folder_.File("scaled/object.po3");
  request.scale = 2.5f;
  ASSERT_TRUE(PrepareOutputDirectory(request.output_path, request.output_directory));
  ASSERT_EQ(ConvertCobToPo3(request, nullptr), kConverted);
  Po3Object scaled;
  ASSERT_EQ(Po3File::Read(request.output_path, scaled), kPo3Read);
  ASSERT_EQ(scaled.points.size(), plain.points.size());
  for (size_t i = 0; i < plain.points.size(); ++i) {
    EXPECT_FLOAT_EQ(scaled.points[i].x, 2.5f * plain.points[i].x);
    EXPECT_FLOAT_EQ(scaled.points[i].y, 2.5f * plain.points[i].y);
    EXPECT_FLOAT_EQ(scaled.points[i].z, 2.5f * plain.points[i].z);
  }
  scaled.points = plain.points;
  EXPECT_EQ(Po3File::Bytes(scaled), Po3File::Bytes(plain));
}

TEST_F(CobConversionTest, MultiObjectMultiMaterialTexturedScene) {
  folder_.Write("a.bmp", BitmapBytes(8, 8));
  folder_.Write("b.bmp", BitmapBytes(16, 2));
  cob_text::Object first = cob_text::Triangle(folder_.File("a.bmp"));
  first.materials.push_back({});
  first.materials[1].number = 1;
  first.faces.push_back({{2, 1, 0}, {2, 1, 0}, 1});
  cob_text::Object second = cob_text::Triangle(folder_.File("b.bmp"));
  second.transform = "1 0 0 10\n0 1 0 20\n0 0 1 30\n0 0 0 1\n";
  ASSERT_EQ(Convert(WriteScene({first, second}), true), kConverted);
  const Po3Object object = Output();
  ASSERT_EQ(object.points.size(), 6u);
  ASSERT_EQ(object.faces.size(), 3u);
  ASSERT_EQ(object.attributes.size(), 3u);
  EXPECT_FLOAT_EQ(object.points[4].x, 11);
  EXPECT_FLOAT_EQ(object.points[4].y, 30);
  EXPECT_FLOAT_EQ(object.points[4].z, 20);
  // Inverted: the second object's face (0, 1, 2) becomes (5, 4, 3).
  EXPECT_EQ(object.faces[2].points[0], 5);
  EXPECT_EQ(object.faces[2].points[2], 3);
  EXPECT_EQ(object.faces[2].texture_vertices[0], 5);
  EXPECT_EQ(object.faces[2].attribute, 2);
  EXPECT_EQ(object.faces[1].attribute, 1);
  EXPECT_EQ(object.attributes[0].texture_name, "a.bmp");
  EXPECT_EQ(object.attributes[1].textured, 0);
  EXPECT_EQ(object.attributes[2].texture_name, "b.bmp");
  EXPECT_TRUE(OutputExists("a.bmp"));
  EXPECT_TRUE(OutputExists("b.bmp"));
  EXPECT_EQ(TempFolder::Read(folder_.File("out/PolFile.txt")), Po3File::Listing(object));
}

TEST_F(CobConversionTest, OutputFolderIsCreatedAndAPathWithoutFolderIsRelative) {
  std::string directory;
  ASSERT_TRUE(PrepareOutputDirectory(folder_.File("new/deeper/x.po3"), directory));
  EXPECT_EQ(directory, folder_.File("new/deeper/"));
  EXPECT_TRUE(std::filesystem::is_directory(directory));
  folder_.Write("file", "x");
  EXPECT_FALSE(PrepareOutputDirectory(folder_.File("file/x.po3"), directory));

  CurrentDirectory here(folder_.Path());
  ASSERT_TRUE(PrepareOutputDirectory("plain.po3", directory));
  EXPECT_EQ(directory, "./");
  ConversionRequest request;
  request.input_path = WriteScene({cob_text::Triangle()});
  request.output_path = "plain.po3";
  request.output_directory = directory;
  ASSERT_EQ(ConvertCobToPo3(request, nullptr), kConverted);
  EXPECT_TRUE(std::filesystem::exists(folder_.File("plain.po3")));
  EXPECT_TRUE(std::filesystem::exists(folder_.File("PolFile.txt")));

  // An output path that is a folder cannot be opened.
  std::filesystem::create_directory(folder_.File("taken.po3"));
  request.output_path = "taken.po3";
  EXPECT_EQ(ConvertCobToPo3(request, nullptr), kPo3OpenFailed);
}

// The course designer's export: quads until triangulated in the modelling tool.
TEST_F(CobConversionTest, CourseDesignerExport) {
  const std::string head =
      "Caligari V00.01ALH             \nPolH V0.02 Id 1302524 Parent 0 Size 0\nName Course\n"
      "center 0 0 0\nx axis 1 0 0\ny axis 0 1 0\nz axis 0 0 1\nTransform\n1 0 0 0\n"
      "0 1 0 0\n0 0 1 0\n0 0 0 1\n";
  const std::string vertices =
      "World Vertices 4\n0.000000 0.100000 0.000000\n0.000000 -0.100000 0.000000\n"
      "1.000000 0.100000 0.000000\n1.000000 -0.100000 0.000000\n";
  const std::string texture_vertices =
      "Texture Vertices 4\n0.000000 0.000000\n1.000000 0.000000\n1.000000 1.000000\n"
      "0.000000 1.000000\n";
  const std::string tail =
      "Mat1 V0.05 Id 1303064 Parent 1302524 Size 00000109\nmat# 0\n"
      "shader: phong  facet: auto40\nrgb 0.8627451,0.5882353,0.5882353\n"
      "alpha 1  ka 0.1  ks 0.1  exp 0  ior 1\nEND  V1.00 Id 0 Parent 0 Size        0\n";
  const std::string quads = "Faces 1\nFace verts 4 flags 16 mat 0\n<0,3> <1,2> <3,1> <2,0>\n";
  const std::string triangles =
      "Faces 2\nFace verts 3 flags 16 mat 0\n<0,3> <1,2> <3,1>\n"
      "Face verts 3 flags 16 mat 0\n<0,3> <3,1> <2,0>\n";
  EXPECT_EQ(Convert(folder_.Write("q.cob", head + vertices + texture_vertices + quads + tail)),
            kNotTriangulated);
  // An empty course has no vertex section.
  EXPECT_EQ(Convert(folder_.Write("e.cob", head + texture_vertices + "Faces 0\n" + tail)),
            kCobDamagedFile);
  ASSERT_EQ(Convert(folder_.Write("t.cob", head + vertices + texture_vertices + triangles + tail)),
            kConverted);
  const Po3Object object = Output();
  ASSERT_EQ(object.points.size(), 4u);
  EXPECT_FLOAT_EQ(object.points[1].z, -0.1f);
  ASSERT_EQ(object.faces.size(), 2u);
  ASSERT_EQ(object.attributes.size(), 1u);
  EXPECT_FLOAT_EQ(object.attributes[0].red, 0.8627451f);
  EXPECT_EQ(object.attributes[0].textured, 0);
  EXPECT_FLOAT_EQ(object.texture_vertices[3].v, 0);
}

// Real exports of the modelling tool.
TEST_F(CobConversionTest, RealExportsGiveTheirResults) {
  const std::string spider = SharedTestData("cob/spider_4_3_ascii.cob");
  const std::string spider6 = SharedTestData("cob/spider_6_6_ascii.cob");
  const std::string molecule = SharedTestData("cob/molecule_ascii.cob");
  const std::string dwarf = SharedTestData("cob/dwarf_ascii.cob");
  if (spider.empty() || spider6.empty() || molecule.empty() || dwarf.empty()) {
    GTEST_SKIP() << "shared test data absent";
  }
  for (const std::string& path : {spider, spider6}) {
    ASSERT_EQ(Convert(path), kConverted) << path;
    const Po3Object object = Output();
    EXPECT_EQ(object.points.size(), 762u);
    EXPECT_EQ(object.faces.size(), 1368u);
    ASSERT_EQ(object.attributes.size(), 4u);
    EXPECT_FLOAT_EQ(object.attributes[0].red, 0.2f);
    EXPECT_FLOAT_EQ(object.attributes[1].red, 0.8f);
    EXPECT_FLOAT_EQ(object.attributes[2].red, 0.6f);
    EXPECT_FLOAT_EQ(object.attributes[3].red, 0.4f);
    std::filesystem::remove_all(folder_.File("out"));
  }
  EXPECT_EQ(Convert(molecule), kNotTriangulated);
  EXPECT_FALSE(OutputExists());

  ConversionRequest request;
  request.input_path = dwarf;
  request.output_path = folder_.File("out/object.po3");
  ASSERT_TRUE(PrepareOutputDirectory(request.output_path, request.output_directory));
  std::vector<std::string> notes;
  ASSERT_EQ(ConvertCobToPo3(request, nullptr, &notes), kConverted);
  EXPECT_EQ(notes, (std::vector<std::string>{ShaderTextureNote("axe.jpg"),
                                             ShaderTextureNote("dwarf.jpg")}));
  const Po3Object figure = Output();
  ASSERT_EQ(figure.attributes.size(), 2u);
  EXPECT_EQ(figure.attributes[0].textured, 0);
  EXPECT_EQ(figure.attributes[1].textured, 0);
  std::filesystem::remove_all(folder_.File("out"));

  std::string binary = TempFolder::Read(spider);
  binary.replace(0, 18, "Caligari V00.01BLH");
  EXPECT_EQ(Convert(folder_.Write("binary.cob", binary)), kCobNotText);
  EXPECT_FALSE(OutputExists());
}

}  // namespace
