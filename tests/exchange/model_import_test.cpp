#include "exchange/model_import.h"

#include <gtest/gtest.h>

#include <assimp/scene.h>
#include <assimp/Exporter.hpp>

#include <cstring>
#include <filesystem>
#include <memory>

#include "converter/cob_conversion.h"
#include "exchange/model_conversion.h"
#include "foundation/byte_writer.h"
#include "pictures/bmp_file2.h"
#include "tests/converter/cob_text.h"
#include "tests/exchange/exchange_test_support.h"
#include "tests/support/temp_folder.h"

namespace {

using exchange_test::Sorted;
using exchange_test::Triangle;
using exchange_test::Triangles;

class ModelImportTest : public ::testing::Test {
 protected:
  // Converts `input` into out/object.po3 of the temporary folder.
  int Convert(const std::string& input, bool invert = false, float scale = 1.0f,
              const CobProgress& progress = nullptr) {
    ConversionRequest request;
    request.input_path = input;
    request.output_path = folder_.File("out/object.po3");
    request.invert = invert;
    request.scale = scale;
    EXPECT_TRUE(PrepareOutputDirectory(request.output_path, request.output_directory));
    return ConvertToPo3(request, progress, &notes_);
  }
  Po3Object Output() const {
    Po3Object object;
    EXPECT_EQ(Po3File::Read(folder_.File("out/object.po3"), object), kPo3Read);
    return object;
  }
  bool OutputFolderEmpty() const {
    return !std::filesystem::exists(folder_.File("out")) ||
           std::filesystem::is_empty(folder_.File("out"));
  }
  // Size and first pixel of a bitmap as the stage editor's reader sees it.
  static std::array<int32_t, 5> BitmapSeen(const std::string& path) {
    BMPFile2::StartUp();
    const int32_t id = BMPFile2::Load(path);
    std::array<int32_t, 5> seen = {-1, -1, -1, -1, -1};
    if (id >= 0) {
      BMPFile2::PictureSize(id, &seen[0], &seen[1]);
      uint8_t rgb[3];
      BMPFile2::PixelColour(id, 0, &rgb[0], &rgb[1], &rgb[2]);
      seen[2] = rgb[0];
      seen[3] = rgb[1];
      seen[4] = rgb[2];
      BMPFile2::Unload(id);
    }
    BMPFile2::ShutDown();
    return seen;
  }

  TempFolder folder_;
  std::vector<std::string> notes_;
};

// A glTF file as text: two meshes (one textured with a picture inside the file), placed by a
// parent with a child, a turned node and a second use of the first mesh.
std::string MultiMeshGltf(const std::string& png) {
  ByteWriter buffer;
  const float mesh0[] = {0, 0, 0, 1, 0, 0, 0, 1, 0};
  const float mesh1[] = {0, 0, 0, 2, 0, 0, 0, 0, 1};
  const float uv[] = {0, 0, 1, 0, 0.25f, 0.75f};
  for (const float* positions : {mesh0, mesh1}) {
    for (int i = 0; i < 9; ++i) buffer.F32(positions[i]);
    for (const float v : uv) buffer.F32(v);
    for (uint32_t i = 0; i < 3; ++i) buffer.U32(i);
  }
  std::string json = R"({"asset":{"version":"2.0"},"scene":0,
"scenes":[{"nodes":[0,2,3]}],
"nodes":[{"name":"parent","translation":[10,0,0],"children":[1]},
 {"name":"child","scale":[2,2,2],"mesh":0},
 {"name":"turned","rotation":[0,0.70710678,0,0.70710678],"translation":[0,5,0],"mesh":1},
 {"name":"again","translation":[0,0,3],"mesh":0}],
"meshes":[{"primitives":[{"attributes":{"POSITION":0,"TEXCOORD_0":1},"indices":2,"material":0}]},
 {"primitives":[{"attributes":{"POSITION":3,"TEXCOORD_0":4},"indices":5,"material":1}]}],
"materials":[{"name":"painted","pbrMetallicRoughness":{"baseColorTexture":{"index":0}}},
 {"name":"plain","pbrMetallicRoughness":{"baseColorFactor":[0.5,0.25,1,1]}}],
"textures":[{"source":0}],
"images":[{"name":"checker","uri":"data:image/png;base64,)" +
                     exchange_test::Base64(png) + R"("}],
"buffers":[{"byteLength":144,"uri":"data:application/octet-stream;base64,)" +
                     exchange_test::Base64(buffer.Data()) + R"("}],
"bufferViews":[{"buffer":0,"byteOffset":0,"byteLength":36},{"buffer":0,"byteOffset":36,"byteLength":24},
 {"buffer":0,"byteOffset":60,"byteLength":12},{"buffer":0,"byteOffset":72,"byteLength":36},
 {"buffer":0,"byteOffset":108,"byteLength":24},{"buffer":0,"byteOffset":132,"byteLength":12}],
"accessors":[
 {"bufferView":0,"componentType":5126,"count":3,"type":"VEC3","min":[0,0,0],"max":[1,1,0]},
 {"bufferView":1,"componentType":5126,"count":3,"type":"VEC2"},
 {"bufferView":2,"componentType":5125,"count":3,"type":"SCALAR"},
 {"bufferView":3,"componentType":5126,"count":3,"type":"VEC3","min":[0,0,0],"max":[2,0,1]},
 {"bufferView":4,"componentType":5126,"count":3,"type":"VEC2"},
 {"bufferView":5,"componentType":5125,"count":3,"type":"SCALAR"}]})";
  return json;
}

TEST_F(ModelImportTest, ObjWithMaterialLibraryAndPngTexture) {
  folder_.Write("wood.png", exchange_test::Picture(8, 4, 200, 100, 50));
  folder_.Write("box.mtl",
                "newmtl wood\nKd 1 0.5 0.25\nmap_Kd wood.png\n"
                "newmtl paint\nKd 0 0.75 0\n");
  const std::string obj = folder_.Write("box.obj",
                                        "mtllib box.mtl\n"
                                        "v 0 0 1\nv 1 0 1\nv 1 1 1\nv 0 1 1\nv 5 5 5\n"
                                        "vt 0 0\nvt 1 0\nvt 1 0.25\nvt 0 1\n"
                                        "usemtl wood\nf 1/1 2/2 3/3 4/4\n"
                                        "usemtl paint\nf 1/1 5/2 2/3\n");
  ASSERT_EQ(Convert(obj), kConverted);
  const Po3Object object = Output();

  // The quad became two triangles, the triangle stayed; z turned round, the winding kept.
  ASSERT_EQ(object.faces.size(), 3u);
  const std::vector<Triangle> triangles = Triangles(object);
  EXPECT_EQ(Sorted({triangles.begin() + 2, triangles.end()}),
            Sorted({{{{0, 0, -1}, {5, 5, -5}, {1, 0, -1}}}}));
  for (size_t t = 0; t < 2; ++t) {
    for (const exchange_test::Vec3& corner : triangles[t]) {
      EXPECT_FLOAT_EQ(corner[2], -1.0f);
      EXPECT_TRUE(corner[0] == 0.0f || corner[0] == 1.0f);
    }
  }
  // Texture v counted from the top, as the COB conversion stores it.
  const Po3Face& first = object.faces[0];
  for (int k = 0; k < 3; ++k) {
    const Po3Point& p = object.points[static_cast<size_t>(first.points[k])];
    const Po3TextureVertex& uv =
        object.texture_vertices[static_cast<size_t>(first.texture_vertices[k])];
    const float expected_v = p.x == 1.0f && p.y == 1.0f ? 0.75f : p.y == 1.0f ? 0.0f : 1.0f;
    EXPECT_FLOAT_EQ(uv.v, expected_v) << p.x << " " << p.y;
  }

  ASSERT_EQ(object.attributes.size(), 2u);
  const Po3Attribute& wood = object.attributes[static_cast<size_t>(first.attribute)];
  EXPECT_EQ(wood.textured, 1);
  EXPECT_EQ(wood.texture_name, "wood.bmp");
  EXPECT_FLOAT_EQ(wood.repeat_u, 1.0f);
  EXPECT_FLOAT_EQ(wood.green, 0.5f);
  const Po3Attribute& paint = object.attributes[static_cast<size_t>(object.faces[2].attribute)];
  EXPECT_EQ(paint.textured, 0);
  EXPECT_FLOAT_EQ(paint.green, 0.75f);
  // The PNG became a bitmap the stage editor reads, pixel for pixel.
  EXPECT_EQ(BitmapSeen(folder_.File("out/wood.bmp")), (std::array<int32_t, 5>{8, 4, 200, 100, 50}));
  EXPECT_NE(TempFolder::Read(folder_.File("out/PolFile.txt")).find("TexturePass = wood.bmp"),
            std::string::npos);
}

TEST_F(ModelImportTest, GltfWithEmbeddedPictureAndNodeTransforms) {
  const std::string gltf =
      folder_.Write("scene.gltf", MultiMeshGltf(exchange_test::Picture(2, 2, 255, 0, 0)));
  ASSERT_EQ(Convert(gltf), kConverted);
  const Po3Object object = Output();
  // Every node's transform applied; the glTF z axis turned round.
  EXPECT_EQ(Sorted(Triangles(object)), Sorted({{{{10, 0, 0}, {12, 0, 0}, {10, 2, 0}}},
                                               {{{0, 5, 0}, {0, 5, 2}, {1, 5, 0}}},
                                               {{{0, 0, -3}, {1, 0, -3}, {0, 1, -3}}}}));
  ASSERT_EQ(object.attributes.size(), 2u);
  int textured = 0;
  for (const Po3Attribute& attribute : object.attributes) {
    if (attribute.textured == 1) {
      ++textured;
      EXPECT_EQ(attribute.texture_name, "checker.bmp");
    } else {
      EXPECT_FLOAT_EQ(attribute.red, 0.5f);
      EXPECT_FLOAT_EQ(attribute.green, 0.25f);
      EXPECT_FLOAT_EQ(attribute.blue, 1.0f);
    }
  }
  EXPECT_EQ(textured, 1);
  EXPECT_EQ(BitmapSeen(folder_.File("out/checker.bmp")), (std::array<int32_t, 5>{2, 2, 255, 0, 0}));

  // Scale and invert: positions times the scale, corners reversed.
  std::filesystem::remove_all(folder_.File("out"));
  ASSERT_EQ(Convert(gltf, true, 0.5f), kConverted);
  std::vector<Triangle> turned = Triangles(Output());
  for (Triangle& t : turned) std::swap(t[0], t[2]);
  EXPECT_EQ(Sorted(turned), Sorted({{{{5, 0, 0}, {6, 0, 0}, {5, 1, 0}}},
                                    {{{0, 2.5f, 0}, {0, 2.5f, 1}, {0.5f, 2.5f, 0}}},
                                    {{{0, 0, -1.5f}, {0.5f, 0, -1.5f}, {0, 0.5f, -1.5f}}}}));
}

// One scene written in every kind the library can write, read back by the converter: each
// kind's file carries the same triangles, upright in the stage editor where the kind says
// which way is up, z up for STL and PLY, which say nothing. The library's 3DS writer stores
// the scene's coordinates as they are in that z-up format, so its scene arrives as an STL's
// would. (Its binary FBX writer makes files its own reader refuses; its text FBX stands in.)
TEST_F(ModelImportTest, EveryOfferedKindWrittenByTheLibraryReadsBack) {
  auto scene = std::make_unique<aiScene>();
  scene->mRootNode = new aiNode("root");
  scene->mNumMaterials = 1;
  scene->mMaterials = new aiMaterial* [1] { new aiMaterial() };
  const aiColor3D colour(0.25f, 0.5f, 0.75f);
  scene->mMaterials[0]->AddProperty(&colour, 1, AI_MATKEY_COLOR_DIFFUSE);
  scene->mNumMeshes = 1;
  auto* mesh = new aiMesh();
  mesh->mPrimitiveTypes = aiPrimitiveType_TRIANGLE;
  mesh->mNumVertices = 6;
  mesh->mVertices =
      new aiVector3D[6]{{0, 0, 0}, {1, 0, 0}, {0, 2, 0}, {0, 0, 0}, {0, 0, 3}, {1, 0, 0}};
  mesh->mNormals =
      new aiVector3D[6]{{0, 0, 1}, {0, 0, 1}, {0, 0, 1}, {0, 1, 0}, {0, 1, 0}, {0, 1, 0}};
  mesh->mNumFaces = 2;
  mesh->mFaces = new aiFace[2];
  for (unsigned f = 0; f < 2; ++f) {
    mesh->mFaces[f].mNumIndices = 3;
    mesh->mFaces[f].mIndices = new unsigned[3]{3 * f, 3 * f + 1, 3 * f + 2};
  }
  scene->mMeshes = new aiMesh* [1] { mesh };
  scene->mRootNode->mNumMeshes = 1;
  scene->mRootNode->mMeshes = new unsigned[1]{0};

  const std::vector<Triangle> y_up = {{{{0, 0, 0}, {1, 0, 0}, {0, 2, 0}}},
                                      {{{0, 0, 0}, {0, 0, -3}, {1, 0, 0}}}};
  const std::vector<Triangle> z_up = {{{{0, 0, 0}, {1, 0, 0}, {0, 0, 2}}},
                                      {{{0, 0, 0}, {0, 3, 0}, {1, 0, 0}}}};
  struct Case {
    const char* format;
    const char* file;
    const std::vector<Triangle>* expected;
  };
  const Case cases[] = {
      {"gltf2", "m.gltf", &y_up}, {"glb2", "m.glb", &y_up},    {"obj", "m.obj", &y_up},
      {"fbxa", "m.fbx", &y_up},   {"collada", "m.dae", &y_up}, {"3ds", "m.3ds", &z_up},
      {"plyb", "m.ply", &z_up},   {"stlb", "m.stl", &z_up},
  };
  for (const Case& c : cases) {
    Assimp::Exporter exporter;
    ASSERT_EQ(exporter.Export(scene.get(), c.format, folder_.File(c.file)), aiReturn_SUCCESS)
        << c.format << ": " << exporter.GetErrorString();
    ASSERT_EQ(Convert(folder_.File(c.file)), kConverted) << c.file;
    const Po3Object object = Output();
    EXPECT_EQ(Sorted(Triangles(object), 1e-3f), Sorted(*c.expected, 1e-3f)) << c.file;
    std::filesystem::remove_all(folder_.File("out"));
  }
}

TEST_F(ModelImportTest, RefusalsWriteNothing) {
  const std::string triangle = "v 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\n";
  const std::string textured_obj = "mtllib t.mtl\n" + triangle + "usemtl t\nf 1/1 2/1 3/1\n";
  struct Case {
    std::string name;
    std::string model;
    std::string picture_name;
    std::string picture;
    int result;
  };
  const Case cases[] = {
      {"missing.obj", "", "", "", kModelOpenFailed},
      {"noise.glb", std::string("glTF\2\0\0\0", 8) + std::string(40, '\x7f'), "", "",
       kModelUnreadable},
      {"noscene.gltf", "{\"asset\":{\"version\":\"2.0\"}}", "", "", kModelUnreadable},
      {"empty.gltf",
       "{\"asset\":{\"version\":\"2.0\"},\"scene\":0,\"scenes\":[{\"nodes\":[0]}],"
       "\"nodes\":[{\"name\":\"n\"}]}",
       "", "", kModelNoTriangles},
      {"points.obj", triangle + "p 1 2 3\n", "", "", kModelNoTriangles},
      {"lines.obj", triangle + "l 1 2\n", "", "", kModelNoTriangles},
      {"absent.obj", textured_obj, "", "", kImageOpenFailed},
      {"text.obj", textured_obj, "t.png", "not a picture", kImageNotSupported},
      {"odd.obj", textured_obj, "t.png", exchange_test::Picture(3, 4, 1, 2, 3),
       kImageSizeNotPowerOfTwo},
      {"one.obj", textured_obj, "t.png", exchange_test::Picture(1, 1, 1, 2, 3),
       kImageSizeNotPowerOfTwo},
      {"oddbmp.obj", textured_obj, "t.bmp", exchange_test::Picture(6, 4, 1, 2, 3, true),
       kImageSizeNotPowerOfTwo},
      {"gif.obj", textured_obj, "t.bmp", "GIF89a" + std::string(100, '\0'), kImageNotSupported},
  };
  for (const Case& c : cases) {
    const TempFolder folder;
    const std::string model = c.model.empty() ? folder.File(c.name) : folder.Write(c.name, c.model);
    if (!c.picture_name.empty()) {
      folder.Write(c.picture_name, c.picture);
      folder.Write("t.mtl", "newmtl t\nKd 1 1 1\nmap_Kd " + c.picture_name + "\n");
    } else {
      folder.Write("t.mtl", "newmtl t\nKd 1 1 1\nmap_Kd t.png\n");
    }
    EXPECT_EQ(Convert(model), c.result) << c.name;
    EXPECT_TRUE(OutputFolderEmpty()) << c.name;
  }
}

// Inputs on which the library's readers hang, grow without end or crash are refused before
// they reach them (found by fuzzing).
TEST_F(ModelImportTest, LibraryReaderHazardsAreRefused) {
  const std::string gltf = MultiMeshGltf(exchange_test::Picture(2, 2, 255, 0, 0));
  std::string dae =
      "<?xml version=\"1.0\"?><COLLADA version=\"1.4.1\"><library_geometries>"
      "<float_array id=\"a\" count=\"9\">0 0 0 1 0 0 0 1 0</float_array>"
      "<accessor count=\"3\" stride=\"3\"/><p>0 1 2</p>"
      "</library_geometries></COLLADA>";
  auto replaced = [](std::string text, const std::string& from, const std::string& to) {
    return text.replace(text.find(from), from.size(), to);
  };
  const std::string ply =
      "ply\nformat ascii 1.0\nelement vertex 3\nproperty float x\nproperty float y\n"
      "property float z\nelement face 1\nproperty list uchar int vertex_indices\n";
  struct Case {
    const char* name;
    std::string bytes;
  };
  const Case cases[] = {
      {"type.gltf", replaced(gltf, "data:image/png", "data:imagepng")},
      {"ply.gltf", ply + "end_header\n0 0 0\n1 0 0\n0 1 0\n3 0 1 2\n"},
      {"words.dae", replaced(dae, "<p>0 1 2", "<p>0 x 2")},
      {"uncounted.dae", replaced(dae, "id=\"a\" count=\"9\"", "id=\"a\"")},
      {"uncounted_accessor.dae", replaced(dae, "accessor count", "accessor size")},
      {"endless.ply", ply + "end_hea0\n0 0 0\n1 0 0\n0 1 0\n3 0 1 2\n"},
      {"run_on.ply", ply + "end_header\"x\"\n0 0 0\n1 0 0\n0 1 0\n3 0 1 2\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Convert(folder_.Write(c.name, c.bytes)), kModelUnreadable) << c.name;
    EXPECT_TRUE(OutputFolderEmpty()) << c.name;
  }
  // What the guards let through still converts.
  EXPECT_EQ(Convert(folder_.Write("fine.ply", ply + "end_header \n0 0 0\n1 0 0\n0 1 0\n3 0 1 2\n")),
            kConverted);
}

TEST_F(ModelImportTest, CancelAndBlockedOutputWriteNothing) {
  const std::string gltf =
      folder_.Write("scene.gltf", MultiMeshGltf(exchange_test::Picture(2, 2, 255, 0, 0)));
  int asked = 0;
  EXPECT_EQ(Convert(gltf, false, 1.0f, [&asked](int) { return ++asked >= 1 ? 1 : 0; }),
            kConversionCancelled);
  EXPECT_GT(asked, 0);
  EXPECT_TRUE(OutputFolderEmpty());

  // A folder where the object file should go.
  std::filesystem::create_directories(folder_.File("out/object.po3"));
  EXPECT_EQ(Convert(gltf), kPo3OpenFailed);
  std::filesystem::remove_all(folder_.File("out"));
  std::filesystem::create_directories(folder_.File("out/checker.bmp"));
  EXPECT_EQ(Convert(gltf), kPo3OpenFailed);
  EXPECT_FALSE(std::filesystem::exists(folder_.File("out/object.po3")));
}

// Pictures of one model: a bitmap the stage editor reads is copied byte for byte, one that it
// does not read (top-down rows) is written anew, and two pictures that would get one name
// get two.
TEST_F(ModelImportTest, PictureFilesBesideTheObject) {
  const std::string plain_bmp = exchange_test::Picture(4, 4, 9, 8, 7, true);
  std::string top_down = exchange_test::Picture(4, 2, 1, 2, 3, true);
  const int32_t height = -2;
  std::memcpy(top_down.data() + 22, &height, 4);
  folder_.Write("plain.bmp", plain_bmp);
  std::filesystem::create_directory(folder_.File("sub"));
  folder_.Write("sub/plain.png", exchange_test::Picture(2, 2, 40, 50, 60));
  folder_.Write("down.bmp", top_down);
  folder_.Write("m.mtl",
                "newmtl a\nmap_Kd plain.bmp\nnewmtl b\nmap_Kd sub\\plain.png\n"
                "newmtl c\nmap_Kd down.bmp\nnewmtl d\nmap_Kd plain.bmp\n");
  const std::string obj = folder_.Write(
      "m.obj",
      "mtllib m.mtl\nv 0 0 0\nv 1 0 0\nv 0 1 0\nusemtl a\nf 1 2 3\nusemtl b\nf 1 3 2\n"
      "usemtl c\nf 2 1 3\nusemtl d\nf 3 2 1\n");
  ASSERT_EQ(Convert(obj), kConverted);
  std::vector<std::string> names;
  for (const Po3Attribute& attribute : Output().attributes) names.push_back(attribute.texture_name);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"down.bmp", "plain.bmp", "plain_2.bmp"}));
  EXPECT_EQ(TempFolder::Read(folder_.File("out/plain.bmp")), plain_bmp);
  EXPECT_EQ(BitmapSeen(folder_.File("out/plain_2.bmp")),
            (std::array<int32_t, 5>{2, 2, 40, 50, 60}));
  EXPECT_EQ(BitmapSeen(folder_.File("out/down.bmp")), (std::array<int32_t, 5>{4, 2, 1, 2, 3}));
}

// COB files keep their own reader: the same bytes as the COB conversion, notes included.
TEST_F(ModelImportTest, CobFilesGoThroughTheCobReader) {
  const std::string cob = folder_.Write("scene.cob", cob_text::Scene({cob_text::Triangle()}));
  ASSERT_EQ(Convert(cob), kConverted);
  ConversionRequest request;
  request.input_path = cob;
  request.output_path = folder_.File("direct/object.po3");
  ASSERT_TRUE(PrepareOutputDirectory(request.output_path, request.output_directory));
  ASSERT_EQ(ConvertCobToPo3(request, nullptr), kConverted);
  EXPECT_EQ(TempFolder::Read(folder_.File("out/object.po3")),
            TempFolder::Read(request.output_path));
  for (const char* path :
       {"a.GLTF", "b.glb", "c.Obj", "d.fbx", "e.dae", "f.3DS", "g.ply", "h.stl"}) {
    EXPECT_TRUE(IsModelPath(path)) << path;
  }
  for (const char* path : {"a.cob", "b", "gltf", "dir.obj/file", "c.objx"}) {
    EXPECT_FALSE(IsModelPath(path)) << path;
  }
}

}  // namespace
