#include "course/course_history.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "course/course_file.h"
#include "tests/course/course_test_util.h"

namespace {

class CourseHistoryTest : public ::testing::Test {
 protected:
  // A course as opening its file gives it: built, saved and read back.
  void OpenCourse(std::initializer_list<TestPoint> points, bool loop = false) {
    CourseData1 built;
    BuildCourse(built, points, loop);
    ASSERT_EQ(CourseFromBytes(CourseFileBytes(built), &course_), kCourseFileOk);
  }

  int32_t AnyPoint() { return static_cast<int32_t>(random_() % course_.PointCount()); }
  double AnyValue() { return static_cast<double>(random_() % 2001) / 10.0 - 100.0; }

  // One edit of the given kind through the course's own operations, as the tools make it.
  void Edit(CourseEdit edit) {
    const int32_t i = AnyPoint();
    switch (edit) {
      case CourseEdit::kPointAdded:
        if (course_.PointCount() >= 40) return;
        course_.Select(i, 0);
        course_.AddPoint(AnyValue(), AnyValue(), AnyValue());
        return;
      case CourseEdit::kPointDeleted:
        if (course_.PointCount() > 3) course_.DeletePoint(i);
        return;
      case CourseEdit::kPointMoved:
        course_.SetPointPosition(i, AnyValue(), AnyValue(), AnyValue());
        return;
      case CourseEdit::kTangentChanged:
        course_.SetPointTangents(i, AnyValue(), AnyValue(), AnyValue(), 1,
                                 static_cast<int32_t>(random_() % 2), 1);
        return;
      case CourseEdit::kTangentFreed:
        course_.SetPointFixedFlags(i, 0, 0, 0);
        return;
      case CourseEdit::kRollChanged:
        course_.SetPointRoll(i, AnyValue() / 100.0);
        return;
      case CourseEdit::kRollTangentChanged:
        course_.SetPointRollTangent(i, AnyValue() / 100.0, static_cast<int32_t>(random_() % 2));
        return;
      case CourseEdit::kWidthChanged:
        course_.SetPointWidths(i, 20.0 + AnyValue() / 10.0, 20.0 - AnyValue() / 10.0);
        return;
      case CourseEdit::kWidthTangentChanged:
        course_.SetPointWidthTangents(i, AnyValue(), AnyValue(), 1, 1);
        return;
      case CourseEdit::kSampleCountChanged:
        course_.Select(i, 0);
        course_.ChangeSampleCount(static_cast<int32_t>(random_() % 7) - 3);
        return;
      case CourseEdit::kWidthFactorChanged:
        course_.ChangeWidthFactor(random_() % 2 ? 0.1 : -0.1);
        return;
      case CourseEdit::kLoopChanged:
        course_.SetLoop(1 - course_.Loop());
        return;
      case CourseEdit::kOtherChange:
        return;
    }
  }

  CourseData1 course_;
  std::mt19937 random_{18};
};

// Random edits of every kind mixed with undos, redos and saves, checked against a plain list
// of the course's states after every action; each step is named after what it changed.
TEST_F(CourseHistoryTest, RandomEditsUndoAndRedoToExactlyTheStates) {
  OpenCourse({{0, 0, 0, 4}, {100, 5, 0, 6}, {100, 0, 100, 2}, {0, -5, 120, 8}, {-50, 0, 60, 3}});
  CourseHistory history(course_);
  EXPECT_FALSE(history.IsModified());
  std::vector<std::string> states = {CourseModelImage(course_)};
  size_t position = 0;
  long saved = 0;
  std::vector<int> done(kCourseEditCount - 1, 0);

  for (int round = 0; round < 800; ++round) {
    const std::string where = "round " + std::to_string(round);
    const int action = static_cast<int>(random_() % 20);
    if (action < 14) {
      const auto edit = static_cast<CourseEdit>(round % (kCourseEditCount - 1));
      Edit(edit);
      const std::string image = CourseModelImage(course_);
      const bool changed = image != states[position];
      ASSERT_EQ(history.Record(), changed) << where;
      if (changed) {
        ++done[static_cast<size_t>(edit)];
        EXPECT_EQ(history.UndoLabel(), CourseEditLabel(edit)) << where;
        states.resize(position + 1);
        states.push_back(image);
        ++position;
        if (saved >= static_cast<long>(position)) saved = -1;
      }
    } else if (action < 18) {
      ASSERT_EQ(history.Undo(), position > 0) << where;
      if (position > 0) --position;
    } else if (action < 19) {
      ASSERT_EQ(history.Redo(), position + 1 < states.size()) << where;
      if (position + 1 < states.size()) ++position;
    } else {
      course_.ClearChanged();  // the save
      history.MarkSaved();
      saved = static_cast<long>(position);
    }
    ASSERT_EQ(CourseModelImage(course_), states[position]) << where;
    EXPECT_EQ(history.IsModified(), saved != static_cast<long>(position)) << where;
    EXPECT_EQ(course_.LoopButton(), course_.Loop()) << where;
    const CourseMarker marker = course_.Marker();
    if (marker.segment != CourseData1::kNoMarker) {
      EXPECT_LT(marker.segment, course_.SegmentCount()) << where;
    }
    EXPECT_LT(course_.SelectedPoint(), course_.PointCount()) << where;
  }
  for (size_t kind = 0; kind < done.size(); ++kind) {
    EXPECT_GT(done[kind], 0) << CourseEditLabel(static_cast<CourseEdit>(kind));
  }

  const size_t end = states.size() - 1;
  while (history.Redo()) ++position;
  ASSERT_EQ(position, end);
  while (history.Undo()) ASSERT_EQ(CourseModelImage(course_), states[--position]);
  EXPECT_EQ(position, 0u);
  // The file bytes of the start, selection and marker aside.
  CourseData1 reopened;
  ASSERT_EQ(CourseFromBytes(CourseFileBytes(course_), &reopened), kCourseFileOk);
  EXPECT_EQ(CourseModelImage(reopened), states[0]);
  while (history.Redo()) ASSERT_EQ(CourseModelImage(course_), states[++position]);
  EXPECT_EQ(position, end);
}

TEST_F(CourseHistoryTest, ChangesTheClassifierCannotNameAreOtherChanges) {
  OpenCourse({{0, 0, 0, 4}, {100, 5, 0, 6}});
  const std::string two = CourseModelImage(course_);
  course_.Select(1, 0);
  course_.AddPoint(200, 0, 0);
  course_.AddPoint(300, 0, 0);
  EXPECT_EQ(ClassifyCourseChange(two, CourseModelImage(course_)), CourseEdit::kOtherChange);
  EXPECT_EQ(ClassifyCourseChange(two, "short"), CourseEdit::kOtherChange);
  EXPECT_EQ(ClassifyCourseChange(two, two), CourseEdit::kOtherChange);
}

// Undo shows what changed: the point the step left selected when the points are the same
// ones, otherwise the last selection before the step. The marker stays where the author put
// it while its segment exists.
TEST_F(CourseHistoryTest, UndoSelectsTheChangedPointAndKeepsTheMarker) {
  OpenCourse({{0, 0, 0, 4}, {100, 0, 0, 4}, {200, 0, 50, 4}, {300, 0, 0, 4}, {400, 0, 0, 4}});
  CourseHistory history(course_);
  course_.Select(1, 0);
  course_.SetPointPosition(1, 110, 0, 10);  // a drag of point 1
  history.Record();
  course_.Select(4, 0);  // a click afterwards
  history.Record();
  course_.SetMarker(3, 0.5);  // the preview's camera moved along the course
  ASSERT_TRUE(history.Undo());
  EXPECT_EQ(course_.SelectedPoint(), 1);
  EXPECT_EQ(course_.Marker().segment, 3);
  EXPECT_EQ(course_.Marker().t, 0.5);

  course_.Select(2, 0);
  history.Record();
  course_.AddPoint(250, 0, 30);  // becomes point 3, selected
  course_.SetSide(CourseData1::kRightSide);
  history.Record();
  EXPECT_EQ(history.UndoMenuText(), "元に戻す: 制御点の追加");
  ASSERT_TRUE(history.Undo());
  EXPECT_EQ(course_.PointCount(), 5);
  EXPECT_EQ(course_.SelectedPoint(), 2);
  EXPECT_EQ(course_.Side(), CourseData1::kRightSide);
  ASSERT_TRUE(history.Redo());
  EXPECT_EQ(course_.SelectedPoint(), 3);

  // Deleting points down to one takes the marker's segment away: it goes as the course had it.
  CourseHistory fresh(course_);
  course_.SetMarker(4, 0.25);
  fresh.Record();
  while (course_.PointCount() > 1) course_.DeletePoint(0);
  fresh.Record();
  EXPECT_EQ(course_.Marker().segment, CourseData1::kNoMarker);
  ASSERT_TRUE(fresh.Undo());
  EXPECT_EQ(course_.PointCount(), 6);
  EXPECT_EQ(course_.Marker().segment, 4);
  EXPECT_EQ(course_.Marker().t, 0.25);
  ASSERT_TRUE(fresh.Redo());
  EXPECT_EQ(course_.Marker().segment, CourseData1::kNoMarker);
}

TEST_F(CourseHistoryTest, ChangedFlagAndLoopButtonFollowTheHistory) {
  OpenCourse({{0, 0, 0, 4}, {100, 0, 0, 4}, {100, 0, 100, 4}});
  CourseHistory history(course_);
  EXPECT_FALSE(history.CanUndo());
  EXPECT_EQ(history.UndoMenuText(), "元に戻す");
  course_.SetLoop(1);
  history.Record();
  EXPECT_TRUE(history.IsModified());
  EXPECT_EQ(history.UndoMenuText(), "元に戻す: ループの切り替え");
  ASSERT_TRUE(history.Undo());
  EXPECT_FALSE(history.IsModified());
  EXPECT_EQ(course_.LoopButton(), 0);
  EXPECT_EQ(history.RedoMenuText(), "やり直し: ループの切り替え");
  ASSERT_TRUE(history.Redo());
  EXPECT_EQ(course_.LoopButton(), 1);

  // An edit nobody recorded is taken in before an undo and can be redone.
  course_.ChangeWidthFactor(0.5);
  ASSERT_TRUE(history.Undo());
  EXPECT_EQ(course_.WidthFactor(), 1.0);
  EXPECT_EQ(history.RedoLabel(), "コース幅の変更");
  ASSERT_TRUE(history.Redo());
  EXPECT_EQ(course_.WidthFactor(), 1.5);

  // A recovered course stays changed until it is saved.
  history.Clear();
  EXPECT_TRUE(history.IsModified());
  course_.ClearChanged();
  history.MarkSaved();
  EXPECT_FALSE(history.IsModified());
}

}  // namespace
