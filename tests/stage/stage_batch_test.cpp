#include "stage/stage_batch.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "foundation/file_io.h"
#include "stage/object_library.h"
#include "stage/partition_loading.h"
#include "stage/stage_file.h"
#include "tests/stage/objects_fixtures.h"

namespace {

using objects_test::ObjectsTest;
using Args = std::vector<std::string>;

TEST(StageBatchTest, CommandLinesAreParsedStrictly) {
  const struct {
    Args arguments;
    bool good;
    StageBatchKind kind;
  } cases[] = {
      {{"--import-pat", "a.pat", "--save", "b.ste"}, true, StageBatchKind::kImportPartition},
      {{"--save", "b.ste", "--open", "a.ste"}, true, StageBatchKind::kResave},
      {{"--open", "a.ste"}, false, {}},
      {{"--save", "b.ste"}, false, {}},
      {{"--open", "a.ste", "--save"}, false, {}},
      {{"--open", "a.ste", "--save", ""}, false, {}},
      {{"--open", "a.ste", "--import-pat", "b.pat", "--save", "c.ste"}, false, {}},
      {{"--open", "a.ste", "--save", "b.ste", "--save", "c.ste"}, false, {}},
      {{"--open", "a.ste", "--save", "b.ste", "extra"}, false, {}},
      {{"--open", "a.ste", "--save", "b.ste", "--render"}, false, {}},
  };
  for (const auto& c : cases) {
    StageBatchOptions options;
    std::string error;
    EXPECT_EQ(ParseStageBatch(c.arguments, &options, &error), c.good) << c.arguments[0];
    EXPECT_EQ(error.empty(), c.good);
    if (c.good) {
      EXPECT_EQ(options.kind, c.kind);
      EXPECT_EQ(options.input.substr(0, 2), "a.");
      EXPECT_EQ(options.output, "b.ste");
    }
  }
  EXPECT_TRUE(IsStageBatch({"--save", "x", "--open", "y"}));
  EXPECT_FALSE(IsStageBatch({"--render", "x.ste", "y.png"}));
  std::ostringstream err;
  EXPECT_EQ(StageBatchMain({"--open", "a.ste"}, err), kStageBatchUsage);
  EXPECT_NE(err.str().find("--save"), std::string::npos);
}

class StageBatchRunTest : public ObjectsTest {
 protected:
  int Run(const Args& arguments) {
    err_.str("");
    return RunParsed(arguments);
  }
  int RunParsed(const Args& arguments) {
    StageBatchOptions options;
    std::string error;
    EXPECT_TRUE(ParseStageBatch(arguments, &options, &error)) << error;
    return RunStageBatch(options, err_);
  }
  std::ostringstream err_;
};

TEST_F(StageBatchRunTest, APartitionFileBecomesAStageOfAFreshStart) {
  const std::string pat = folder_.Write("road.pat", stage_test::StraightPat(7));
  const std::string out = folder_.File("road.ste");
  ASSERT_EQ(Run({"--import-pat", pat, "--save", out}), kStageBatchDone);
  EXPECT_TRUE(err_.str().empty());

  Stage expected;
  ASSERT_EQ(LoadPartitionFile(expected, pat), 0);
  expected.SelectPartition(0);
  EXPECT_EQ(TempFolder::Read(out),
            StageFile::Image(expected, ToolStateBlock::Initial(), ViewSection()));
  expected.Reset();
}

TEST_F(StageBatchRunTest, AStageThisProgramWroteComesBackByteForByte) {
  // A stage with wires, a textured face, a polygon object glued to a partition and a
  // bitmap object, saved with an unusual tool state and views.
  LoadRoad(8);
  stage_.SelectPartition(3);
  ASSERT_TRUE(stage_.AddWire(3, kLeftSide, {-15, 0, 30}));
  ASSERT_TRUE(stage_.AddWire(4, kLeftSide, {-15, 0, 40}));
  ASSERT_EQ(stage_.SetFacePictureFromFile({4, kLeftSide, 0}, Picture("grass.bmp")), 1);
  const std::string po3 = WritePo3("box.po3", objects_test::Square());
  int32_t object = -1;
  ASSERT_EQ(CreateObjectFromPolygonFile(stage_, po3, LoadProgress(), &object), 0);
  ASSERT_TRUE(stage_.GlueObject(object, 3));
  ToolStateBlock tools = ToolStateBlock::Initial();
  tools.words[ToolStateBlock::kZoomObjectY] = 1;
  ViewSection views;
  views.first_pane_kind = kPartitionViewKind;
  views.parallel[1].zoom = 0.25;
  const std::string in = folder_.File("in.ste");
  ASSERT_TRUE(StageFile::Save(in, stage_, tools, views));
  // The batch has the program's one picture bank to itself.
  stage_.Reset();

  const std::string out = folder_.File("out.ste");
  ASSERT_EQ(Run({"--open", in, "--save", out}), kStageBatchDone) << err_.str();
  EXPECT_EQ(TempFolder::Read(out), TempFolder::Read(in));
  // Over itself too.
  ASSERT_EQ(Run({"--open", out, "--save", out}), kStageBatchDone) << err_.str();
  EXPECT_EQ(TempFolder::Read(out), TempFolder::Read(in));
}

TEST_F(StageBatchRunTest, BadInputOrOutputWritesNothingAndSaysWhy) {
  LoadRoad(4);
  const std::string good_ste = folder_.File("good.ste");
  ASSERT_TRUE(StageFile::Save(good_ste, stage_, ToolStateBlock::Initial(), ViewSection()));
  stage_.Reset();
  const std::string ste = TempFolder::Read(good_ste);
  const std::string pat = stage_test::StraightPat(5);
  const struct {
    const char* name;
    Args arguments;
    int status;
    const char* named;   // the file the message names
    const char* reason;  // part of the message
  } cases[] = {
      {"missing input",
       {"--open", "none.ste"},
       kStageBatchCannotRead,
       "none.ste",
       "No such file or directory"},
      {"folder as input", {"--import-pat", "."}, kStageBatchCannotRead, ".", "（"},
      {"short stage",
       {"--open", "short.ste"},
       kStageBatchDamaged,
       "short.ste",
       "ファイルが破壊されている"},
      {"other version",
       {"--open", "old.ste"},
       kStageBatchDamaged,
       "old.ste",
       "このファイルはバージョンが異なります"},
      {"partition file given to --open",
       {"--open", "road.pat"},
       kStageBatchDamaged,
       "road.pat",
       "このファイルはTarnhollowのファイルでない"},
      {"stage given to --import-pat",
       {"--import-pat", "good.ste"},
       kStageBatchDamaged,
       "good.ste",
       "ファイルの種類が違います"},
      {"partition file ending early",
       {"--import-pat", "cut.pat"},
       kStageBatchDamaged,
       "cut.pat",
       "5本のラインのうち4本"},
      {"unwritable output",
       {"--open", "good.ste", "--save", "no/such/folder/out.ste"},
       kStageBatchCannotWrite,
       "no/such/folder/out.ste",
       "何も書き込んでいません"},
  };
  folder_.Write("short.ste", ste.substr(0, ste.size() - 3));
  folder_.Write("old.ste", std::string("Tarnhollow\0Version1.0\0", 22) + ste.substr(22));
  folder_.Write("road.pat", pat);
  folder_.Write("cut.pat", pat.substr(0, pat.size() - 10));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Args arguments;
    for (const std::string& argument : c.arguments) {
      arguments.push_back(argument.rfind("--", 0) == 0 ? argument : folder_.File(argument));
    }
    if (arguments.size() == 2) {
      arguments.push_back("--save");
      arguments.push_back(folder_.File("out.ste"));
    }
    CurrentDirectory here(folder_.Path());
    EXPECT_EQ(Run(arguments), c.status);
    EXPECT_FALSE(FileExists(folder_.File("out.ste")));
    const std::string message = err_.str();
    EXPECT_EQ(message.rfind("tarnhollow: " + folder_.File(c.named) + ": ", 0), 0u) << message;
    EXPECT_NE(message.find(c.reason), std::string::npos) << message;
    EXPECT_EQ(message.find('\n'), message.size() - 1) << "one line";
  }
}

}  // namespace
