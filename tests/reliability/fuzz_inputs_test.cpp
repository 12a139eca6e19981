// The fuzz targets' inputs replayed in the ordinary build: every committed corpus input and
// every kept finding goes through the same handler as in its fuzz target, so the sanitizer
// build of the tests checks them too. Then the findings the fuzzers made, one test each,
// with the results the readers must give now.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "converter/cob_file.h"
#include "foundation/byte_reader.h"
#include "foundation/byte_writer.h"
#include "fuzz/inputs/fuzz_inputs.h"
#include "pictures/picture_bank_high_color1.h"
#include "stage/template_file.h"
#include "tests/converter/cob_text.h"
#include "tests/pictures/picture_test_support.h"
#include "tests/support/temp_folder.h"

namespace {

using Handler = std::string (*)(std::string_view);

struct Target {
  const char* name;
  Handler handler;
};

constexpr Target kTargets[] = {
    {"bmp_file2", ExerciseBmpFile2},         {"tsy_file", ExerciseTsyFile},
    {"bank_image", ExerciseBankImage},       {"partition_file", ExercisePartitionFile},
    {"course_file", ExerciseCourseFile},     {"settings_file", ExerciseSettingsFile},
    {"cob_scene", ExerciseCobScene},         {"po3_file", ExercisePo3File},
    {"stage_file", ExerciseStageFile},       {"stage_partition", ExerciseStagePartition},
    {"template_file", ExerciseTemplateFile}, {"model_import", ExerciseModelImport},
};

// The committed corpus and the kept findings of one target.
std::vector<std::filesystem::path> InputsOf(const std::string& target) {
  std::vector<std::filesystem::path> inputs;
  for (const std::string& folder :
       {std::string(SUITE_SOURCE_DIR) + "/fuzz/corpus/" + target,
        std::string(SUITE_SOURCE_DIR) + "/tests/reliability/findings/" + target}) {
    if (!std::filesystem::is_directory(folder)) continue;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      if (entry.is_regular_file()) inputs.push_back(entry.path());
    }
  }
  return inputs;
}

class FuzzInputs : public ::testing::TestWithParam<Target> {
 protected:
  // Reports of levels 0-2 write ErrorLog.err into the current folder.
  TempFolder folder_;
  CurrentDirectory in_folder_{folder_.Path()};
};

TEST_P(FuzzInputs, EveryCorpusInputAndFindingReadsSafely) {
  const std::vector<std::filesystem::path> inputs = InputsOf(GetParam().name);
  EXPECT_FALSE(inputs.empty()) << "no committed corpus for " << GetParam().name;
  for (const std::filesystem::path& input : inputs) {
    EXPECT_EQ(GetParam().handler(TempFolder::Read(input.string())), "") << input;
  }
}

INSTANTIATE_TEST_SUITE_P(Readers, FuzzInputs, ::testing::ValuesIn(kTargets),
                         [](const auto& param) { return std::string(param.param.name); });

// BMPFile1 ends the program on any file it cannot take, so each input runs in a child
// process that must end normally or through that report, never through a sanitizer.
TEST(FuzzInputsBmpFile1, EveryCorpusInputEndsCleanly) {
  const std::vector<std::filesystem::path> inputs = InputsOf("bmp_file1");
  EXPECT_FALSE(inputs.empty());
  TempFolder folder;
  CurrentDirectory in_folder(folder.Path());
  const auto normal_or_reported = [](int status) {
    return WIFEXITED(status) && (WEXITSTATUS(status) == 0 || WEXITSTATUS(status) == 1);
  };
  for (const std::filesystem::path& input : inputs) {
    const std::string bytes = TempFolder::Read(input.string());
    EXPECT_EXIT(
        {
          const bool kept = ExerciseBmpFile1(bytes).empty();
          std::exit(kept ? 0 : 2);
        },
        normal_or_reported,
        ::testing::AllOf(::testing::Not(::testing::HasSubstr("Sanitizer")),
                         ::testing::Not(::testing::HasSubstr("runtime error"))))
        << input;
  }
}

// A bank image record whose sides multiply past 64 bits once the pixel size is applied.
TEST(FuzzFindings, BankImageWithHugeSidesIsRefused) {
  PictureBankHighColor1::StartUp(24);
  ByteWriter image;
  image.I32(24);
  image.I32(1);
  for (const int32_t field :
       {PictureBankHighColor1::kPicture, 0x7FFFFFF0, 0x7FFFFFF0, -1, -1, 48, 0, 1, 0, 0, 0}) {
    image.I32(field);
  }
  image.Text("a.bmp");
  image.U8(0);
  image.I32(0);
  image.Zeros(48);
  ByteReader reader(image.Data());
  EXPECT_EQ(PictureBankHighColor1::LoadBank(reader), PictureBankHighColor1::kBankImageBad);
  EXPECT_EQ(PictureBankHighColor1::Count(), 0);
  PictureBankHighColor1::ShutDown();
}

// Frame delays of a ".tsy" file whose sum leaves the 32-bit range in either direction.
TEST(FuzzFindings, AnimationTotalTimeSaturates) {
  TempFolder folder;
  CurrentDirectory in_folder(folder.Path());
  PictureBankHighColor1::StartUp(16);
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
  const std::vector<TsyFrameLayout> long_frames = {{kMax, 0, 0, {1}}, {kMax, 0, 0, {2}}};
  const int32_t long_id =
      PictureBankHighColor1::Register(folder.Write("long.tsy", BuildTsy(1, 1, long_frames)), 0);
  ASSERT_GE(long_id, 0);
  EXPECT_EQ(PictureBankHighColor1::TotalTime(long_id), kMax);
  EXPECT_EQ(PictureBankHighColor1::FrameAtTime(long_id, 5),
            PictureBankHighColor1::FrameId(long_id, 0));

  const std::vector<TsyFrameLayout> negative_frames = {{-246, 0, 0, {1}}, {kMin, 0, 0, {2}}};
  const int32_t negative_id = PictureBankHighColor1::Register(
      folder.Write("negative.tsy", BuildTsy(1, 1, negative_frames)), 0);
  ASSERT_GE(negative_id, 0);
  EXPECT_EQ(PictureBankHighColor1::TotalTime(negative_id), kMin);
  // A total below 1 shows the first frame at every time.
  EXPECT_EQ(PictureBankHighColor1::FrameAtTime(negative_id, 777),
            PictureBankHighColor1::FrameId(negative_id, 0));
  PictureBankHighColor1::Release(long_id);
  PictureBankHighColor1::Release(negative_id);
  PictureBankHighColor1::ShutDown();
}

// A texture path holding zero bytes: the object file would cut the name at the first one
// and misread everything after it.
TEST(FuzzFindings, CobTexturePathWithZeroByteIsDamaged) {
  CobFile2::StartUp();
  const std::string path("C:\\tex\0\0ture.bmp", 16);
  const std::string text = cob_text::Scene({cob_text::Triangle(path)});
  EXPECT_EQ(CobFile2::LoadText(text, [](int) { return 0; }), kCobDamaged);
  const int32_t good = CobFile2::LoadText(cob_text::Scene({cob_text::Triangle("C:\\tex\\a.bmp")}),
                                          [](int) { return 0; });
  EXPECT_GE(good, 0);
  if (good >= 0) CobFile2::ReleaseScene(good);
  CobFile2::ShutDown();
}

// A template model claiming far more attributes than its grid has slots: the dialog's "OK"
// must refuse it without making room for every claimed attribute.
TEST(FuzzFindings, TemplateWithMoreAttributesThanSlotsIsRefusedCheaply) {
  TemplateModelDescriptor model;
  model.name = "[Huge]";
  model.attribute_count = 88888888;
  model.x_count = 1;
  model.y_count = 1;
  model.view_pos[0] = 0;
  std::vector<int32_t> pictures;
  EXPECT_FALSE(CollectSlotPictures(model, {7}, &pictures));
  EXPECT_TRUE(pictures.empty());
  model.attribute_count = 1;
  EXPECT_TRUE(CollectSlotPictures(model, {7}, &pictures));
  EXPECT_EQ(pictures, std::vector<int32_t>{7});
}

// An empty grid (Ynum 0) with a side of hundreds of millions of cells: the model is left
// out, so the dialog's slot area stays within the grid's limits.
TEST(FuzzFindings, TemplateGridSideBeyondTheGridIsLeftOut) {
  const std::string text =
      "[Wide]\nWorld Vertices 0\nTexture Vertices 0\nFaces 0\nAttribute 0\n"
      "ViewPos\nXnum 631198624 Ynum 0\n[Small]\nAttribute 1\nViewPos\nXnum 1 Ynum 1\n0\n";
  TemplateScan scan;
  ASSERT_EQ(ScanTemplateText(text, &scan), kTemplateRead);
  ASSERT_EQ(scan.models.size(), 1u);
  EXPECT_EQ(scan.models[0].name, "[Small]");
  int32_t width = 0;
  int32_t height = 0;
  TemplateSlotArea(scan, &width, &height);
  EXPECT_EQ(width, 100);
  EXPECT_EQ(height, 100);
}

}  // namespace
