// Recovery in the course designer: a copy left by a designer that did not end cleanly is
// offered at start, and Yes brings the course back as a changed course of its file. (The
// other answers, damaged copies and a killed editor take the way the stage editor's tests
// follow; what both share is the recovery keeper.)
#include <gtest/gtest.h>

#include <filesystem>

#include "course/course_file.h"
#include "course/gui/course_tool_bar.h"
#include "course/gui/merrowlindale_program.h"
#include "foundation/file_io.h"
#include "foundation/gui/recovery_keeper.h"
#include "foundation/recovery_copy.h"
#include "tests/course/gui/undo_designer_fixture.h"

namespace {

TEST(DesignerRecoveryTest, YesBringsTheWorkBackAsAChangedCourseOfItsFile) {
  undo_test::Designer d;
  const std::string sample = d.SampleFile();
  // The work: the sample opened, its loop opened and its last point deleted.
  CourseData1 work;
  ASSERT_EQ(LoadCourseFile(work, sample), kCourseFileOk);
  work.SetLoop(0);
  work.DeletePoint(work.PointCount() - 1);
  std::filesystem::create_directories(d.StateFolder());
  const std::string copy = d.StateFolder() + "1-2-0.recovery";
  ASSERT_TRUE(AtomicWriteFile(copy, RecoveryCopyBytes(CourseFileBytes(work), sample)));

  d.prompter.QueueAnswer(PromptAnswer::kYes);
  ASSERT_TRUE(StartCourseDesigner(*d.window, sample));
  EXPECT_EQ(d.prompter.MessageTexts(), std::vector<std::string>{kRecoveryQuestion});
  EXPECT_EQ(d.prompter.AskedQuestions()[0].buttons, PromptButtons::kYesNoCancel);
  EXPECT_EQ(CourseFileBytes(d.window->Course()), CourseFileBytes(work)) << "not the file";
  EXPECT_FALSE(d.window->ToolBar()->LoopOn());
  EXPECT_EQ(d.window->CurrentFile(), sample);
  EXPECT_EQ(d.window->windowTitle(), QStringLiteral("sample.cus[*] - MerrowlindaleV1.1"));
  EXPECT_TRUE(d.window->isWindowModified());
  EXPECT_EQ(d.window->Recovery()->CopyPath(), copy) << "adopted";
  EXPECT_TRUE(RecoveryCopy::FindLeftOver(d.StateFolder()).empty());

  d.window->Command(CourseDesignerWindow1::kSaveCommand);
  EXPECT_FALSE(d.window->isWindowModified());
  EXPECT_FALSE(std::filesystem::exists(copy)) << "saved";
  EXPECT_EQ(TempFolder::Read(sample), CourseFileBytes(work));
}

}  // namespace
