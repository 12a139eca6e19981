#include "packer/packer_batch.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include <sstream>

#include "foundation/file_io.h"
#include "foundation/surface16.h"
#include "packer/picture_pack_list.h"
#include "pictures/picture_bank_high_color1.h"
#include "tests/packer/packer_test_support.h"

namespace {

struct BatchRun {
  int status = -1;
  std::string out, err;
};

BatchRun RunBatch(const std::vector<std::string>& arguments) {
  std::ostringstream out, err;
  BatchRun run;
  run.status = PackerBatchMain(arguments, out, err);
  run.out = out.str();
  run.err = err.str();
  return run;
}

TEST(PackerBatchArguments, ParsesOptionsAndInputsInOrder) {
  PackerBatchOptions options;
  std::string error;
  ASSERT_TRUE(ParsePackerBatch({"--pack", "o.tsy", "a.bmp", "--delay", "80", "--transparent",
                                "#ff00FF", "b.tsy", "--", "--odd.bmp"},
                               &options, &error))
      << error;
  EXPECT_EQ(options.output, "o.tsy");
  EXPECT_EQ(options.inputs, (std::vector<std::string>{"a.bmp", "b.tsy", "--odd.bmp"}));
  EXPECT_EQ(options.default_delay, 80);
  EXPECT_EQ(options.bmp_transparent, PackColour555(255, 0, 255));
  ASSERT_TRUE(
      ParsePackerBatch({"--pack", "o.tsy", "--transparent", "none", "a.bmp"}, &options, &error));
  EXPECT_EQ(options.bmp_transparent, -1);
  EXPECT_EQ(options.default_delay, PicturePackList::kDefaultDelay);

  const std::vector<std::vector<std::string>> wrong = {
      {"--pack"},
      {"--pack", "o.tsy"},
      {"--pack", "o.tsy", "--delay"},
      {"--pack", "o.tsy", "--delay", "0", "a.bmp"},
      {"--pack", "o.tsy", "--delay", "-5", "a.bmp"},
      {"--pack", "o.tsy", "--delay", "12x", "a.bmp"},
      {"--pack", "o.tsy", "--delay", "99999999999", "a.bmp"},
      {"--pack", "o.tsy", "--transparent", "FF00F", "a.bmp"},
      {"--pack", "o.tsy", "--transparent", "GG0000", "a.bmp"},
      {"--pack", "o.tsy", "--frames", "a.bmp"},
      {"--unpack", "o.tsy", "a.bmp"},
  };
  for (const auto& arguments : wrong) {
    EXPECT_FALSE(ParsePackerBatch(arguments, &options, &error)) << arguments.back();
    EXPECT_FALSE(error.empty());
  }
}

TEST(PackerBatch, HelpAndUsageErrorsWriteNothing) {
  TempFolder folder;
  const BatchRun help = RunBatch({"--help"});
  EXPECT_EQ(help.status, kPackerBatchDone);
  EXPECT_NE(help.out.find("--pack OUTPUT.tsy"), std::string::npos);
  EXPECT_NE(help.out.find("--transparent"), std::string::npos);
  for (const char* status : {" 0  ", " 3  ", " 4  ", " 5  ", "64  ", "tessaly FILE"}) {
    EXPECT_NE(help.out.find(status), std::string::npos) << status;
  }
  EXPECT_NE(help.out.find("Help/tessaly.html"), std::string::npos);
  const BatchRun wrong = RunBatch({"--pack", folder.File("o.tsy")});
  EXPECT_EQ(wrong.status, 64);
  EXPECT_NE(wrong.err.find("使い方"), std::string::npos);
  EXPECT_FALSE(FileExists(folder.File("o.tsy")));
}

TEST(PackerBatch, PacksBmpAndTsyInputsInOrder) {
  TempFolder folder;
  const std::string bmp = folder.Write("a.BMP", SolidBmp(2, 1, 0xFF00F8));
  const std::string tsy = folder.Write("b.tsy", TsyWithDelays(2, 1, {30, 0}, 0));
  const std::string out = folder.File("out.tsy");
  const BatchRun run =
      RunBatch({"--pack", out, "--delay", "75", "--transparent", "FF00FF", bmp, tsy, bmp});
  ASSERT_EQ(run.status, kPackerBatchDone) << run.err;
  const TsyRead read = ReadTsyBytes(TempFolder::Read(out));
  ASSERT_TRUE(read.ok);
  ASSERT_EQ(read.frames.size(), 4u);
  const uint32_t magenta = PackColour555(255, 0, 255);
  // BMP pictures: the batch delay and the given transparent colour (8-bit RGB to 5-5-5).
  EXPECT_EQ(read.frames[0].delay, 75);
  EXPECT_EQ(read.frames[0].transparency_switch, 1);
  EXPECT_EQ(read.frames[0].transparent_colour, magenta);
  EXPECT_EQ(read.frames[0].pixels[0], magenta);
  // The tsy's frames keep their own delays (0 reads as 100) and transparency.
  EXPECT_EQ(read.frames[1].delay, 30);
  EXPECT_EQ(read.frames[1].transparency_switch, 1);
  EXPECT_EQ(read.frames[1].transparent_colour, 1u);
  EXPECT_EQ(read.frames[2].delay, 100);
  EXPECT_EQ(read.frames[2].transparency_switch, 0);
  EXPECT_EQ(read.frames[3].delay, 75);
  EXPECT_EQ(read.frames[3].transparent_colour, magenta);
}

TEST(PackerBatch, RefusedInputsEndWithTheirStatusAndWriteNothing) {
  TempFolder folder;
  const std::string big = folder.Write("big.bmp", SolidBmp(64, 64, 0));
  const std::string small = folder.Write("small.bmp", SolidBmp(32, 32, 0));
  const std::string out = folder.Write("out.tsy", "old");
  const BatchRun sizes = RunBatch({"--pack", out, big, small});
  EXPECT_EQ(sizes.status, kPackerBatchDifferentSize);
  EXPECT_NE(sizes.err.find("異なるサイズの画像は読めません"), std::string::npos);
  EXPECT_NE(sizes.err.find("small.bmp"), std::string::npos);
  const BatchRun missing = RunBatch({"--pack", out, big, folder.File("none.bmp")});
  EXPECT_EQ(missing.status, kPackerBatchCannotLoad);
  EXPECT_NE(missing.err.find("画像の読み込みに失敗"), std::string::npos);
  EXPECT_EQ(TempFolder::Read(out), "old");

  const BatchRun unwritable = RunBatch({"--pack", folder.File("no/folder/out.tsy"), big});
  EXPECT_EQ(unwritable.status, kPackerBatchCannotWrite);
  EXPECT_NE(unwritable.err.find("ファイルの書き込みに失敗しました"), std::string::npos);
  for (const BatchRun* run : {&sizes, &missing, &unwritable}) {
    EXPECT_EQ(run->err.rfind("tessaly: ", 0), 0u) << run->err;
    EXPECT_EQ(run->err.find('\n'), run->err.size() - 1) << run->err;
  }
  EXPECT_NE(missing.err.find(folder.File("none.bmp") + ": "), std::string::npos);
  EXPECT_NE(missing.err.find(std::strerror(ENOENT)), std::string::npos) << missing.err;
  EXPECT_NE(unwritable.err.find(folder.File("no/folder/out.tsy") + ": "), std::string::npos);
  EXPECT_NE(unwritable.err.find(std::strerror(ENOENT)), std::string::npos) << unwritable.err;
  // Every run shut the bank down again.
  PictureBankHighColor1::StartUp(16);
  EXPECT_EQ(PictureBankHighColor1::Count(), 0);
  PictureBankHighColor1::ShutDown();
}

}  // namespace
