#include "converter/cob_file.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/converter/cob_text.h"
#include "tests/support/temp_folder.h"

namespace {

class CobFileTest : public ::testing::Test {
 protected:
  void SetUp() override { CobFile2::StartUp(); }
  void TearDown() override { CobFile2::ShutDown(); }

  static int32_t Load(const std::string& text, const CobProgress& progress = nullptr) {
    return CobFile2::LoadText(text, progress);
  }
};

TEST_F(CobFileTest, RecognisesTheKindOfFileByItsFirstBytes) {
  EXPECT_EQ(Load("Caligari V00.01BLH\x01\x02\x03"), kCobBinary);
  EXPECT_EQ(Load("Caligari V00.01ALX rest"), kCobNotCob);
  EXPECT_EQ(Load("Caligari"), kCobNotCob);
  EXPECT_EQ(Load(""), kCobNotCob);
  EXPECT_EQ(CobFile2::Load("/nonexistent/folder/scene.cob", nullptr), kCobCannotOpen);
  // A text COB without any mesh is an empty scene.
  const int32_t scene = Load(cob_text::Header() + "END  V1.00 Id 0 Parent 0 Size 0\n");
  ASSERT_GE(scene, 0);
  EXPECT_EQ(CobFile2::ObjectCount(scene), 0);
}

TEST_F(CobFileTest, TransformMovesVerticesAndHeightBecomesY) {
  cob_text::Object object = cob_text::Triangle();
  object.transform = "1 0 0 5\n0 1 0 6\n0 0 1 7\n0 0 0 1\n";
  object.vertices[0] = "1 2 3";
  const int32_t scene = Load(cob_text::Scene({object}));
  ASSERT_GE(scene, 0);
  float x, y, z;
  CobFile2::Vertex(scene, 0, 0, x, y, z);
  EXPECT_FLOAT_EQ(x, 6);
  EXPECT_FLOAT_EQ(y, 10);
  EXPECT_FLOAT_EQ(z, 8);

  // A rotation about the height axis by 90 degrees.
  object.transform = "0 -1 0 0\n1 0 0 0\n0 0 1 0\n0 0 0 1\n";
  const int32_t turned = Load(cob_text::Scene({object}));
  CobFile2::Vertex(turned, 0, 0, x, y, z);
  EXPECT_FLOAT_EQ(x, -2);
  EXPECT_FLOAT_EQ(y, 3);
  EXPECT_FLOAT_EQ(z, 1);
  float u, v;
  CobFile2::TextureVertex(turned, 0, 2, u, v);
  EXPECT_FLOAT_EQ(u, 0.25f);
  EXPECT_FLOAT_EQ(v, 0.75f);
}

TEST_F(CobFileTest, FaceGivesCornersTextureVerticesAndMaterial) {
  cob_text::Object object;
  object.vertices.assign(5, "0 0 0");
  object.texture_vertices.assign(6, "0 0");
  object.faces = {{{0, 2, 4}, {1, 3, 5}, 2}, {{4, 3, 2, 1}, {0, 0, 0, 0}, 0}};
  object.materials.resize(3);
  for (int i = 0; i < 3; ++i) object.materials[i].number = i;
  const int32_t scene = Load(cob_text::Scene({object}));
  ASSERT_GE(scene, 0);
  ASSERT_EQ(CobFile2::FaceCount(scene, 0), 2);
  int32_t buffer[10] = {};
  EXPECT_EQ(CobFile2::Face(scene, 0, 0, buffer, 8), 3);
  EXPECT_EQ(std::vector<int32_t>(buffer, buffer + 8),
            (std::vector<int32_t>{3, 0, 2, 4, 1, 3, 5, 2}));
  EXPECT_EQ(CobFile2::FaceCornerCount(scene, 0, 1), 4);
  EXPECT_EQ(CobFile2::Face(scene, 0, 1, buffer, 10), 4);
  EXPECT_EQ(buffer[1], 4);
  EXPECT_EQ(buffer[9], 0);
}

TEST_F(CobFileTest, MaterialsAreOrderedByTheirNumber) {
  for (const std::vector<int>& order :
       {std::vector<int>{2, 1, 0}, std::vector<int>{0, 1, 2}, std::vector<int>{1, 2, 3, 0}}) {
    cob_text::Object object = cob_text::Triangle();
    object.materials.clear();
    for (int number : order) {
      cob_text::Material material;
      material.number = number;
      material.rgb = "0." + std::to_string(number + 1) + ",0,0";
      object.materials.push_back(material);
    }
    const int32_t scene = Load(cob_text::Scene({object}));
    ASSERT_GE(scene, 0);
    ASSERT_EQ(CobFile2::MaterialCount(scene, 0), static_cast<int32_t>(order.size()));
    for (int32_t i = 0; i < CobFile2::MaterialCount(scene, 0); ++i) {
      CobMaterial material;
      EXPECT_EQ(CobFile2::Material(scene, 0, i, material), 0);
      EXPECT_EQ(material.number, i);
      EXPECT_FLOAT_EQ(material.red, 0.1f * static_cast<float>(i + 1));
    }
    CobFile2::ReleaseScene(scene);
  }
}

TEST_F(CobFileTest, TexturePathsAreReadWithTheirLength) {
  cob_text::Object object = cob_text::Triangle();
  cob_text::Material plain;  // untextured, before a textured one: must not take its texture
  plain.number = 0;
  cob_text::Material windows;
  windows.number = 1;
  windows.texture = "C:\\my maps\\road,64x32.bmp";
  windows.offset = "0.5,0.25";
  windows.repeats = "2,4";
  cob_text::Material posix;
  posix.number = 2;
  posix.texture = "/home/me/maps/road.bmp";
  object.materials = {plain, windows, posix};
  object.faces[0].material = 2;
  const int32_t scene = Load(cob_text::Scene({object}));
  ASSERT_GE(scene, 0);
  CobMaterial material;
  EXPECT_EQ(CobFile2::Material(scene, 0, 0, material), 0);
  EXPECT_EQ(material.texture_path, "");
  EXPECT_EQ(CobFile2::Material(scene, 0, 1, material), 1);
  EXPECT_EQ(material.texture_path, "C:\\my maps\\road,64x32.bmp");
  EXPECT_FLOAT_EQ(material.offset_u, 0.5f);
  EXPECT_FLOAT_EQ(material.offset_v, 0.25f);
  EXPECT_FLOAT_EQ(material.repeat_u, 2);
  EXPECT_FLOAT_EQ(material.repeat_v, 4);
  EXPECT_EQ(CobFile2::Material(scene, 0, 2, material), 1);
  EXPECT_EQ(material.texture_path, "/home/me/maps/road.bmp");

  // Without a length in front the path is one token.
  std::string text = cob_text::Scene({cob_text::Triangle("C:\\maps\\a.bmp")});
  text.replace(text.find("13C:"), 4, "C:");
  const int32_t bare = Load(text);
  ASSERT_GE(bare, 0);
  EXPECT_EQ(CobFile2::Material(bare, 0, 0, material), 1);
  EXPECT_EQ(material.texture_path, "C:\\maps\\a.bmp");
}

TEST_F(CobFileTest, RefusesHolesDamageAndFacesOutsideTheirObject) {
  cob_text::Object hole = cob_text::Triangle();
  hole.faces.push_back({{0, 1, 2}, {0, 1, 2}, 0, true});
  EXPECT_EQ(Load(cob_text::Scene({hole})), kCobHole);

  const std::string text = cob_text::Scene({cob_text::Triangle()});
  // Ends inside the vertex list.
  EXPECT_EQ(Load(text.substr(0, text.find("0 1 0\n"))), kCobDamaged);
  // Ends inside the face list, and right after the colour of the material.
  EXPECT_EQ(Load(text.substr(0, text.find("<2,2>"))), kCobDamaged);
  EXPECT_EQ(Load(text.substr(0, text.find("rgb") + 4)), kCobDamaged);
  // Counts that the rest of the text cannot hold.
  std::string huge = text;
  huge.replace(huge.find("World Vertices 3"), 16, "World Vertices 2000000000");
  EXPECT_EQ(Load(huge), kCobDamaged);
  std::string negative = text;
  negative.replace(negative.find("Faces 1"), 7, "Faces -1");
  EXPECT_EQ(Load(negative), kCobDamaged);
  // A name longer than a token.
  std::string long_name = text;
  long_name.replace(long_name.find("Name Mesh"), 9, "Name " + std::string(256, 'n'));
  EXPECT_EQ(Load(long_name), kCobDamaged);

  cob_text::Object outside = cob_text::Triangle();
  outside.faces[0].vertices[1] = 3;
  EXPECT_EQ(Load(cob_text::Scene({outside})), kCobDamaged);
  outside = cob_text::Triangle();
  outside.faces[0].texture_vertices[2] = -1;
  EXPECT_EQ(Load(cob_text::Scene({outside})), kCobDamaged);
  outside = cob_text::Triangle();
  outside.faces[0].material = 1;
  EXPECT_EQ(Load(cob_text::Scene({outside})), kCobDamaged);
}

TEST_F(CobFileTest, FacesGetThePlaceOfTheMaterialTheyNumber) {
  cob_text::Object object = cob_text::Triangle();
  object.faces.push_back({{2, 1, 0}, {0, 0, 0}, 7});
  object.faces[0].material = 3;
  object.materials.resize(2);
  object.materials[0].number = 7;
  object.materials[1].number = 3;
  const int32_t scene = Load(cob_text::Scene({object}));
  ASSERT_GE(scene, 0);
  int32_t buffer[8];
  CobFile2::Face(scene, 0, 0, buffer, 8);
  EXPECT_EQ(buffer[7], 0);
  CobFile2::Face(scene, 0, 1, buffer, 8);
  EXPECT_EQ(buffer[7], 1);
}

TEST_F(CobFileTest, ReadsLineEndsOfEitherKindLongLinesAndNoFinalLineEnd) {
  cob_text::Object first = cob_text::Triangle();
  cob_text::Object second = cob_text::Triangle();
  second.vertices.push_back("5 5 5");
  std::string text = cob_text::Scene({first, second});
  // A thumbnail chunk with one long line before the meshes.
  std::string thumbnail = "BitM V0.01 Id 0 Parent 0 Size 00011380\nZippedThumbnail:";
  for (int i = 0; i < 100000; ++i) thumbnail += "9c ";
  text.insert(cob_text::Header().size(), thumbnail + "\n");
  std::string crlf;
  for (char c : text) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  crlf.resize(crlf.size() - 2);
  for (const std::string& variant : {text, crlf}) {
    const int32_t scene = Load(variant);
    ASSERT_GE(scene, 0);
    ASSERT_EQ(CobFile2::ObjectCount(scene), 2);
    EXPECT_EQ(CobFile2::VertexCount(scene, 1), 4);
    EXPECT_EQ(CobFile2::ObjectName(scene, 1), "Mesh");
    EXPECT_EQ(CobFile2::ObjectId(scene, 1), 1001);
    CobFile2::ReleaseScene(scene);
  }
}

TEST_F(CobFileTest, ProgressReportsEveryItemAndCancels) {
  const std::string text = cob_text::Scene({cob_text::Triangle(), cob_text::Triangle()});
  std::vector<int> phases;
  const int32_t scene = Load(text, [&](int phase) {
    phases.push_back(phase);
    return 0;
  });
  ASSERT_GE(scene, 0);
  const std::vector<int> one = {1, 1, 1, 2, 2, 2, 3, 4};
  std::vector<int> expected = one;
  expected.insert(expected.end(), one.begin(), one.end());
  EXPECT_EQ(phases, expected);

  int calls = 0;
  EXPECT_EQ(Load(text, [&](int phase) { return ++calls == 7 && phase == 3 ? 1 : 0; }),
            kCobCancelled);
  // The cancelled load kept nothing: the next scene gets the lowest free id.
  CobFile2::ReleaseScene(scene);
  EXPECT_EQ(Load(text), scene);
}

TEST_F(CobFileTest, ScenesAreKeptByIdUntilReleased) {
  const int32_t first = Load(cob_text::Scene({cob_text::Triangle()}));
  cob_text::Object bigger = cob_text::Triangle();
  bigger.vertices.push_back("1 1 1");
  const int32_t second = Load(cob_text::Scene({bigger}));
  ASSERT_GE(first, 0);
  ASSERT_GE(second, 0);
  EXPECT_NE(first, second);
  EXPECT_EQ(CobFile2::VertexCount(first, 0), 3);
  EXPECT_EQ(CobFile2::VertexCount(second, 0), 4);
  CobFile2::ReleaseScene(first);
  EXPECT_EQ(CobFile2::VertexCount(second, 0), 4);
  EXPECT_EQ(Load(cob_text::Scene({cob_text::Triangle()})), first);
}

TEST(CobFileMisuseTest, ReportsUseWithoutStartUpUnbalancedShutDownAndSmallBuffers) {
  TempFolder folder;
  CurrentDirectory here(folder.Path());
  EXPECT_EXIT(CobFile2::ObjectCount(0), ::testing::ExitedWithCode(1), "");
  EXPECT_NE(TempFolder::Read(folder.File("ErrorLog.err")).find("CobFile2"), std::string::npos);
  EXPECT_EXIT(CobFile2::ShutDown(), ::testing::ExitedWithCode(1), "");
  EXPECT_EXIT(
      {
        CobFile2::StartUp();
        const int32_t scene = CobFile2::LoadText(cob_text::Scene({cob_text::Triangle()}), nullptr);
        int32_t buffer[7];
        CobFile2::Face(scene, 0, 0, buffer, 7);
      },
      ::testing::ExitedWithCode(1), "");
}

// Real exports of the modelling tool.
class CobFileRealExportTest : public CobFileTest {
 protected:
  static std::string Path(const std::string& name) { return SharedTestData("cob/" + name); }
};

TEST_F(CobFileRealExportTest, SpidersLoadWithTheirMaterialsInNumberOrder) {
  for (const char* name : {"spider_4_3_ascii.cob", "spider_6_6_ascii.cob"}) {
    const std::string path = Path(name);
    if (path.empty()) GTEST_SKIP() << "shared test data absent";
    const int32_t scene = CobFile2::Load(path, nullptr);
    ASSERT_GE(scene, 0) << name;
    ASSERT_EQ(CobFile2::ObjectCount(scene), 1);
    EXPECT_EQ(CobFile2::VertexCount(scene, 0), 762);
    EXPECT_EQ(CobFile2::FaceCount(scene, 0), 1368);
    ASSERT_EQ(CobFile2::MaterialCount(scene, 0), 4);
    const float grey[4] = {0.2f, 0.8f, 0.6f, 0.4f};
    for (int32_t i = 0; i < 4; ++i) {
      CobMaterial material;
      EXPECT_EQ(CobFile2::Material(scene, 0, i, material), 0);
      EXPECT_EQ(material.number, i);
      EXPECT_FLOAT_EQ(material.red, grey[i]);
    }
    CobFile2::ReleaseScene(scene);
  }
}

TEST_F(CobFileRealExportTest, MoleculeHasQuadsAndDwarfHasNoTextureKeyword) {
  const std::string molecule = Path("molecule_ascii.cob");
  const std::string dwarf = Path("dwarf_ascii.cob");
  if (molecule.empty() || dwarf.empty()) GTEST_SKIP() << "shared test data absent";
  const int32_t scene = CobFile2::Load(molecule, nullptr);
  ASSERT_GE(scene, 0);
  EXPECT_EQ(CobFile2::ObjectCount(scene), 4);
  int32_t largest = 0;
  for (int32_t face = 0; face < CobFile2::FaceCount(scene, 0); ++face) {
    largest = std::max(largest, CobFile2::FaceCornerCount(scene, 0, face));
  }
  EXPECT_GT(largest, 3);

  const int32_t figure = CobFile2::Load(dwarf, nullptr);
  ASSERT_GE(figure, 0);
  ASSERT_EQ(CobFile2::ObjectCount(figure), 1);
  EXPECT_EQ(CobFile2::VertexCount(figure, 0), 1485);
  EXPECT_EQ(CobFile2::TextureVertexCount(figure, 0), 1479);
  EXPECT_EQ(CobFile2::FaceCount(figure, 0), 1896);
  ASSERT_EQ(CobFile2::MaterialCount(figure, 0), 2);
  CobMaterial material;
  EXPECT_EQ(CobFile2::Material(figure, 0, 0, material), 0);
  EXPECT_EQ(CobFile2::Material(figure, 0, 1, material), 0);
}

}  // namespace
