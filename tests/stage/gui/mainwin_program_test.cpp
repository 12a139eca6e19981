#include "stage/gui/tarnhollow_program.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/file_io.h"
#include "foundation/gui/display_depth.h"
#include "foundation/gui/startup_picture.h"
#include "stage/gui/stage_render_batch.h"
#include "tests/stage/gui/mainwin_fixture.h"
#include "tests/stage/stage_fixtures.h"
#include "tests/support/temp_folder.h"

namespace {

int RunProgram(std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), "tarnhollow");
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  return RunTarnhollow(static_cast<int>(arguments.size()), argv.data());
}

TEST(TarnhollowProgramTest, HelpNamesEveryModeAndEveryExitStatus) {
  const std::string usage = TarnhollowUsage();
  for (const char* part : {"--import-pat", "--open", "--save", "--help", "ファイル.ste",
                           "終了ステータス", "  0 ", "  1 ", "  2 ", "  3 ", "  64 "}) {
    EXPECT_NE(usage.find(part), std::string::npos) << part;
  }
  EXPECT_NE(usage.find(RenderBatchUsage()), std::string::npos);
  EXPECT_EQ(RunProgram({"--help"}), 0);
}

TEST(TarnhollowProgramTest, TheCommandLineChoosesTheMode) {
  TempFolder folder;
  const std::string pat = folder.Write("road.pat", stage_test::StraightPat(4));
  const std::string ste = folder.File("road.ste");
  EXPECT_EQ(RunProgram({"--import-pat", pat, "--save", ste}), 0);
  EXPECT_TRUE(FileExists(ste));
  EXPECT_EQ(RunProgram({"--open", ste, "--save", folder.File("again.ste")}), 0);
  EXPECT_EQ(TempFolder::Read(folder.File("again.ste")), TempFolder::Read(ste));
  // Wrong command lines open no window.
  for (const std::vector<std::string>& wrong :
       std::vector<std::vector<std::string>>{{"--bogus"},
                                             {"a.ste", "b.ste"},
                                             {"--open", ste},
                                             {"--import-pat", pat, "--save"},
                                             {""}}) {
    EXPECT_EQ(RunProgram(wrong), 64) << wrong[0];
  }
  EXPECT_EQ(RunProgram({"--open", folder.File("none.ste"), "--save", folder.File("x.ste")}), 1);
  EXPECT_FALSE(FileExists(folder.File("x.ste")));
}

TEST(TarnhollowProgramTest, StartChecksTheDepthThenShowsTheWindowTheLogoAndTheFile) {
  mainwin_test::Editor e;
  e.window->hide();
  DisplayDepth::InjectQuery([] { return 8; });
  EXPECT_FALSE(StartStageEditor(*e.window, e.Road(5)));
  EXPECT_EQ(e.prompter.MessageTexts(),
            std::vector<std::string>{"システムのカラービットを16または24ビットにしてください!!"});
  EXPECT_FALSE(e.window->isVisible());
  EXPECT_EQ(e.stage().GetTerrain().PartitionCount(), 0);

  for (int depth : {16, 24, 32}) {
    DisplayDepth::InjectQuery([depth] { return depth; });
    EXPECT_TRUE(StartStageEditor(*e.window, depth == 16 ? e.Road(5) : "")) << depth;
  }
  DisplayDepth::InjectQuery({});
  EXPECT_TRUE(e.window->isVisible());
  // No placement saved yet: a window with room for every tool.
  EXPECT_EQ(e.window->size(), QSize(1024, 740));
  EXPECT_NE(StartUpPicture1::Current(), nullptr);
  EXPECT_EQ(e.stage().GetTerrain().PartitionCount(), 4);
  EXPECT_TRUE(e.window->ActionById(StageMainWindow1::kObjectFileCommand)->isEnabled());
  StartUpPicture1::Current()->close();
  QApplication::processEvents();
}

}  // namespace
