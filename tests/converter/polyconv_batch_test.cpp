#include "converter/polyconv_batch.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sstream>

#include "converter/cob_conversion.h"
#include "tests/converter/bitmap_bytes.h"
#include "tests/converter/cob_text.h"
#include "tests/support/temp_folder.h"

namespace {

struct BatchRun {
  int status;
  std::string out;
  std::string err;
};

BatchRun RunBatch(const std::vector<std::string>& arguments,
                  const Po3Conversion& convert = nullptr) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = RunPolyconvBatch(arguments, out, err, convert);
  return {status, out.str(), err.str()};
}

TEST(PolyconvBatchTest, HelpAndCommandLinesWithoutAConversion) {
  const BatchRun help = RunBatch({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("polyconv [--invert] [--scale S] INPUT OUTPUT.po3"), std::string::npos);
  EXPECT_NE(help.out.find(".gltf .glb .obj"), std::string::npos);
  // Every exit status is listed, the usage error too.
  for (const char* status : {" 0  正常に変換されました", "11  画像のサイズが２の累乗でない",
                             "14  モデルに三角形の面がない", "64  引数の誤り"}) {
    EXPECT_NE(help.out.find(status), std::string::npos) << status;
  }
  EXPECT_EQ(help.out.find("usage"), std::string::npos);
  EXPECT_EQ(RunBatch({"only.cob"}).status, kUsageError);
  EXPECT_EQ(RunBatch({"a.cob", "b.po3", "c"}).status, kUsageError);
  const BatchRun unknown = RunBatch({"--turn", "a.cob", "b.po3"});
  EXPECT_EQ(unknown.status, kUsageError);
  EXPECT_NE(unknown.err.find("--turn"), std::string::npos);
  for (const char* scale : {"0", "-1", "nan", "inf", "2x", "", "1e40"}) {
    const BatchRun bad = RunBatch({"--scale", scale, "a.cob", "b.po3"});
    EXPECT_EQ(bad.status, kUsageError) << scale;
    EXPECT_NE(bad.err.find("--scale"), std::string::npos) << scale;
  }
  EXPECT_EQ(RunBatch({"a.cob", "b.po3", "--scale"}).status, kUsageError);
}

// The program hands in the conversion that knows every input kind; the batch passes the
// options on and prints the notes, each naming the input, before the result.
TEST(PolyconvBatchTest, UsesTheGivenConversionAndPrintsItsNotes) {
  TempFolder folder;
  ConversionRequest seen;
  const auto convert = [&seen](const ConversionRequest& request, std::vector<std::string>* notes) {
    seen = request;
    notes->push_back("first note");
    notes->push_back("second note");
    return kModelNoTriangles;
  };
  const BatchRun run =
      RunBatch({"--scale", "0.5", "--invert", "model.glb", folder.File("o/x.po3")}, convert);
  EXPECT_EQ(run.status, kModelNoTriangles);
  EXPECT_EQ(run.err,
            "polyconv: model.glb: first note\npolyconv: model.glb: second note\n"
            "polyconv: model.glb: モデルに三角形の面がない\n");
  EXPECT_EQ(seen.input_path, "model.glb");
  EXPECT_FLOAT_EQ(seen.scale, 0.5f);
  EXPECT_TRUE(seen.invert);
  EXPECT_EQ(seen.output_directory, folder.File("o/"));
}

TEST(PolyconvBatchTest, ConvertsLikeTheConversionAndExitsWithTheResult) {
  TempFolder folder;
  const std::string texture = folder.Write("t.bmp", BitmapBytes(4, 8));
  cob_text::Object object = cob_text::Triangle(texture);
  const std::string input = folder.Write("in.cob", cob_text::Scene({object}));

  const BatchRun run = RunBatch({"--invert", input, folder.File("batch/out.po3")});
  EXPECT_EQ(run.status, kConverted);
  EXPECT_EQ(run.out, "polyconv: " + folder.File("batch/out.po3") + ": 正常に変換されました\n");
  EXPECT_EQ(run.err, "");

  ConversionRequest request;
  request.input_path = input;
  request.output_path = folder.File("direct/out.po3");
  request.invert = true;
  ASSERT_TRUE(PrepareOutputDirectory(request.output_path, request.output_directory));
  ASSERT_EQ(ConvertCobToPo3(request, nullptr), kConverted);
  for (const char* name : {"out.po3", "PolFile.txt", "t.bmp"}) {
    EXPECT_EQ(TempFolder::Read(folder.File(std::string("batch/") + name)),
              TempFolder::Read(folder.File(std::string("direct/") + name)))
        << name;
  }

  object.vertices.push_back("1 1 1");
  object.faces.push_back({{0, 1, 3, 2}, {0, 1, 2, 2}, 0});
  const BatchRun quad =
      RunBatch({folder.Write("quad.cob", cob_text::Scene({object})), folder.File("q/out.po3")});
  EXPECT_EQ(quad.status, kNotTriangulated);
  EXPECT_EQ(quad.err, "polyconv: " + folder.File("quad.cob") +
                          ": 多角形ポリゴンを検出。三角化してください\n");
  // The folder made for the refused conversion is gone again.
  EXPECT_FALSE(std::filesystem::exists(folder.File("q")));
}

TEST(PolyconvBatchTest, EveryFailureIsOneLineNamingTheFileAndTheReason) {
  TempFolder folder;
  folder.Write("file", "");
  const std::string input = folder.Write("in.cob", cob_text::Scene({cob_text::Triangle()}));
  const struct {
    std::vector<std::string> arguments;
    int status;
    std::vector<std::string> parts;
  } cases[] = {
      {{input, folder.File("file/out.po3")},
       kPo3OpenFailed,
       {"ディレクトリを作成できません", folder.File("file"), std::strerror(ENOTDIR)}},
      {{folder.File("missing.cob"), folder.File("new/out.po3")},
       kCobOpenFailed,
       {"COBファイルのオープンに失敗", folder.File("missing.cob"), std::strerror(ENOENT)}},
      {{folder.Write("text.cob", "not a cob"), folder.File("new/out.po3")},
       kNotCobFile,
       {"COBファイルではない", folder.File("text.cob")}},
  };
  for (const auto& c : cases) {
    const BatchRun run = RunBatch(c.arguments);
    EXPECT_EQ(run.status, c.status) << run.err;
    EXPECT_EQ(run.out, "");
    ASSERT_FALSE(run.err.empty());
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    for (const std::string& part : c.parts)
      EXPECT_NE(run.err.find(part), std::string::npos) << run.err;
  }
  EXPECT_FALSE(std::filesystem::exists(folder.File("new")));
}

}  // namespace
