#include "course/gui/course_designer_window.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QWheelEvent>
#include <filesystem>

#include "course/course_batch.h"
#include "course/course_file.h"
#include "course/gui/course_tool_bar.h"
#include "course/gui/expand_view.h"
#include "course/gui/parallel_view.h"
#include "course/gui/point_view.h"
#include "course/gui/tool_bar_layout.h"
#include "course/gui/view_arrangement.h"
#include "course/partition_file.h"
#include "course/sample_circuit.h"
#include "exchange/course_gltf.h"
#include "foundation/file_io.h"
#include "foundation/gui/button_sound.h"
#include "foundation/gui/display_depth.h"
#include "foundation/gui/draw_button.h"
#include "foundation/gui/windows_service.h"
#include "foundation/settings_file.h"
#include "render/gui/perspec_window.h"
#include "tests/foundation/gui/gui_test_app.h"
#include "tests/support/temp_folder.h"

// The system's font configuration library keeps a cache for the life of the process that
// the leak checker of sanitizer builds reports at exit; it is not ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig\n"; }

namespace {

std::string Resource(const std::string& name) {
  return std::string(SUITE_SOURCE_DIR) + "/resources/merrowlindale/" + name;
}

// A designer window over a temporary folder, with a scripted prompter.
struct Designer {
  Designer() {
    EnsureTestApplication();
    DesignerPaths paths;
    paths.settings = folder.File("Settei.ini");
    paths.help_page = Resource("Help/merrowlindale.html");
    // Not there: the click is counted but not played (no audio output in tests).
    paths.sound = folder.File("SetButton.wav");
    paths.texture = Resource("Texture.bmp");
    window = std::make_unique<CourseDesignerWindow1>(paths);
    window->resize(1091, 760);
    window->show();
    QApplication::processEvents();
  }
  int32_t ClientWidth() const { return window->Client()->width(); }
  int32_t ClientHeight() const { return window->Client()->height(); }
  // A changed course of three points.
  void Change() {
    window->Course().AddPoint(0, 0, 0);
    window->Course().AddPoint(100, 0, 0);
    window->Course().AddPoint(100, 0, 100);
    ASSERT_TRUE(window->Course().IsChanged());
  }
  std::string SavedSample(const std::string& name) {
    CourseData1 sample;
    sample.Initialise();
    BuildSampleCircuit(sample);
    const std::string path = folder.File(name);
    EXPECT_EQ(SaveCourseFile(sample, path), kCourseFileOk);
    return path;
  }
  TempFolder folder;
  ScopedScriptedPrompter prompter;
  std::unique_ptr<CourseDesignerWindow1> window;
};

TEST(CourseDesignerWindowTest, WindowClassTitleAndMenu) {
  Designer d;
  EXPECT_EQ(d.window->objectName(), QStringLiteral("MyWin"));
  EXPECT_EQ(d.window->windowTitle(), QStringLiteral("無題[*] - MerrowlindaleV1.1"));
  const struct {
    int id;
    const char* text;
    QKeySequence keys;
  } items[] = {{117, "新規作成", QKeySequence(Qt::CTRL | Qt::Key_N)},
               {118, "開く", QKeySequence(Qt::CTRL | Qt::Key_O)},
               {124, "上書き保存", QKeySequence(Qt::CTRL | Qt::Key_S)},
               {119, "名前を付けて保存", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
               {120, "cobﾌｧｲﾙを出力", QKeySequence()},
               {121, "patﾌｧｲﾙを出力", QKeySequence()},
               {122, "トピックの検索", QKeySequence(Qt::Key_F1)},
               {123, "バージョン情報", QKeySequence()}};
  for (const auto& item : items) {
    QAction* action = d.window->ActionById(item.id);
    ASSERT_NE(action, nullptr) << item.id;
    EXPECT_EQ(action->text(), QString::fromUtf8(item.text));
    EXPECT_EQ(action->property("id").toInt(), item.id);
    EXPECT_EQ(action->shortcut(), item.keys) << item.id;
  }
  // The menu's own items keep their order; "上書き保存" sits before "名前を付けて保存" and
  // the glTF export follows the other exports.
  QList<int> file_ids;
  for (QAction* action : d.window->menuBar()->actions()[0]->menu()->actions()) {
    if (!action->isSeparator()) file_ids << action->property("id").toInt();
  }
  EXPECT_EQ(file_ids, (QList<int>{117, 118, 124, 119, 120, 121, 140}));
  const QList<QAction*> menus = d.window->menuBar()->actions();
  ASSERT_EQ(menus.size(), 3);
  EXPECT_EQ(menus[0]->text(), QStringLiteral("ﾌｧｲﾙ"));
  EXPECT_EQ(menus[1]->text(), QStringLiteral("編集"));
  EXPECT_EQ(menus[2]->text(), QStringLiteral("ﾍﾙﾌﾟ"));
  EXPECT_TRUE(d.window->Course().IsInitialised());
}

TEST(CourseDesignerWindowTest, OpenWithChangesAnsweredCancelKeepsTheCourse) {
  Designer d;
  d.Change();
  d.prompter.QueueAnswer(PromptAnswer::kCancel);
  d.prompter.QueuePath(d.SavedSample("sample.cus"));
  d.window->Command(CourseDesignerWindow1::kOpenCommand);
  ASSERT_EQ(d.prompter.AskedQuestions().size(), 1u);
  const auto& asked = d.prompter.AskedQuestions()[0];
  EXPECT_EQ(asked.caption, "Message");
  EXPECT_EQ(asked.text, "データが変更されています。保存しますか?");
  EXPECT_EQ(asked.buttons, PromptButtons::kYesNoCancel);
  EXPECT_EQ(d.window->Course().PointCount(), 3);
  EXPECT_TRUE(d.window->Course().IsChanged());
}

TEST(CourseDesignerWindowTest, YesThenCancellingTheSaveDialogCancelsTheOpen) {
  Designer d;
  d.Change();
  const std::string sample = d.SavedSample("sample.cus");
  d.prompter.QueueAnswer(PromptAnswer::kYes);
  d.prompter.QueuePath("");  // the save dialog is cancelled
  d.prompter.QueuePath(sample);
  d.window->Command(CourseDesignerWindow1::kOpenCommand);
  ASSERT_EQ(d.prompter.AskedQuestions().size(), 2u);
  EXPECT_EQ(d.prompter.AskedQuestions()[1].kind, ScriptedPrompter::Asked::Kind::kSaveFile);
  EXPECT_EQ(d.prompter.AskedQuestions()[1].request.filters[0].first, "Course(*.cus)");
  EXPECT_EQ(d.window->Course().PointCount(), 3);
  EXPECT_TRUE(d.window->Course().IsChanged());
}

TEST(CourseDesignerWindowTest, YesSavesThenOpens) {
  Designer d;
  d.Change();
  const std::string sample = d.SavedSample("sample.cus");
  d.prompter.QueueAnswer(PromptAnswer::kYes);
  d.prompter.QueuePath(d.folder.File("mine.cus"));
  d.prompter.QueuePath(sample);
  d.window->Command(CourseDesignerWindow1::kOpenCommand);
  EXPECT_TRUE(FileExists(d.folder.File("mine.cus")));
  EXPECT_EQ(d.window->Course().PointCount(), 10);
  EXPECT_FALSE(d.window->Course().IsChanged());
  EXPECT_TRUE(d.window->ToolBar()->LoopOn());
  // Each dialog remembers its folder under its own name.
  EXPECT_EQ(
      SettingsFile::ReadString(d.folder.File("Settei.ini"), "CourseFileSave", "LoadFileDir", ""),
      d.folder.Path());
  EXPECT_EQ(
      SettingsFile::ReadString(d.folder.File("Settei.ini"), "CourseFileOpen", "LoadFileDir", ""),
      d.folder.Path());
}

TEST(CourseDesignerWindowTest, NoDiscardsTheChangesAndNewClearsTheCourse) {
  Designer d;
  d.Change();
  d.window->Course().SetLoop(1);
  d.window->ToolBar()->SetLoop(true);
  d.prompter.QueueAnswer(PromptAnswer::kNo);
  d.window->Command(CourseDesignerWindow1::kNewCommand);
  EXPECT_EQ(d.window->Course().PointCount(), 0);
  EXPECT_FALSE(d.window->Course().IsChanged());
  EXPECT_FALSE(d.window->ToolBar()->LoopOn());
  // Unchanged: no question at all.
  d.prompter.ClearRecord();
  d.window->Command(CourseDesignerWindow1::kNewCommand);
  EXPECT_TRUE(d.prompter.AskedQuestions().empty());
}

TEST(CourseDesignerWindowTest, ADamagedCourseFileIsRefusedAndTheCourseKept) {
  Designer d;
  d.Change();
  const std::string damaged = d.folder.Write("damaged.cus", std::string(30, '\x01'));
  d.prompter.QueueAnswer(PromptAnswer::kNo);
  d.prompter.QueuePath(damaged);
  d.window->Command(CourseDesignerWindow1::kOpenCommand);
  const std::vector<std::string> texts = d.prompter.MessageTexts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[1].rfind("ファイルのオープンに失敗", 0), 0u);
  EXPECT_EQ(d.prompter.AskedQuestions().back().caption, "Error");
  EXPECT_EQ(d.window->Course().PointCount(), 3);
  EXPECT_FALSE(d.window->OpenCourseFile(d.folder.File("missing.cus")));
  EXPECT_EQ(d.window->Course().PointCount(), 3);
}

TEST(CourseDesignerWindowTest, AFailedSaveSaysSoAndKeepsTheChangedFlag) {
  Designer d;
  d.Change();
  d.prompter.QueuePath(d.folder.File("no/such/folder/course.cus"));
  d.window->Command(CourseDesignerWindow1::kSaveAsCommand);
  const std::vector<std::string> texts = d.prompter.MessageTexts();
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].rfind("ファイルのオープンに失敗", 0), 0u);
  EXPECT_TRUE(d.window->Course().IsChanged());
  // In the changes prompt a failed save cancels the command too.
  d.prompter.ClearRecord();
  d.prompter.QueueAnswer(PromptAnswer::kYes);
  d.prompter.QueuePath(d.folder.File("no/such/folder/course.cus"));
  d.window->Command(CourseDesignerWindow1::kNewCommand);
  EXPECT_EQ(d.window->Course().PointCount(), 3);
}

TEST(CourseDesignerWindowTest, ExportsWriteWhatTheBatchModeWrites) {
  Designer d;
  const std::string sample = d.SavedSample("sample.cus");
  ASSERT_TRUE(d.window->OpenCourseFile(sample));
  d.prompter.QueuePath(d.folder.File("menu.pat"));
  d.window->Command(CourseDesignerWindow1::kPatCommand);
  d.prompter.QueuePath(d.folder.File("menu.cob"));
  d.window->Command(CourseDesignerWindow1::kCobCommand);
  const auto& asked = d.prompter.AskedQuestions();
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[0].request.filters[0].first, "pat(*.pat)");
  EXPECT_EQ(asked[1].request.filters[0].first, "cob(*.cob)");
  EXPECT_EQ(ExportPartitionFromCourseFile(sample, d.folder.File("batch.pat")), 0);
  EXPECT_EQ(ExportCobFromCourseFile(sample, d.folder.File("batch.cob")), 0);
  EXPECT_EQ(TempFolder::Read(d.folder.File("menu.pat")),
            TempFolder::Read(d.folder.File("batch.pat")));
  EXPECT_EQ(TempFolder::Read(d.folder.File("menu.txt")),
            TempFolder::Read(d.folder.File("batch.txt")));
  EXPECT_EQ(TempFolder::Read(d.folder.File("menu.cob")),
            TempFolder::Read(d.folder.File("batch.cob")));
  EXPECT_FALSE(TempFolder::Read(d.folder.File("menu.txt")).empty());
  // A cancelled dialog does nothing.
  d.prompter.QueuePath("");
  d.window->Command(CourseDesignerWindow1::kPatCommand);
  EXPECT_TRUE(d.prompter.MessageTexts().empty());
}

// The glTF export of the menu: a name without its kind becomes a ".glb", the file is the
// batch mode's, and a course without a road says so.
TEST(CourseDesignerWindowTest, GltfExportMenuItem) {
  Designer d;
  QAction* action = d.window->ActionById(CourseDesignerWindow1::kGltfCommand);
  ASSERT_NE(action, nullptr);
  EXPECT_EQ(action->text(), QStringLiteral("glTFﾌｧｲﾙを出力"));
  const std::string sample = d.SavedSample("sample.cus");
  ASSERT_TRUE(d.window->OpenCourseFile(sample));
  d.prompter.ClearRecord();
  d.prompter.QueuePath(d.folder.File("menu"));
  d.window->Command(CourseDesignerWindow1::kGltfCommand);
  ASSERT_EQ(d.prompter.AskedQuestions().size(), 1u);
  EXPECT_EQ(d.prompter.AskedQuestions()[0].request.filters[0].second, "*.glb");
  EXPECT_TRUE(d.prompter.MessageTexts().empty());
  EXPECT_EQ(ExportGltfFromCourseFile(sample, Resource("Texture.bmp"), d.folder.File("batch.glb")),
            kCourseGltfWritten);
  EXPECT_EQ(TempFolder::Read(d.folder.File("menu.glb")),
            TempFolder::Read(d.folder.File("batch.glb")));

  d.window->Course().NewCourse();
  d.prompter.QueuePath(d.folder.File("empty.gltf"));
  d.window->Command(CourseDesignerWindow1::kGltfCommand);
  EXPECT_EQ(d.prompter.MessageTexts(),
            std::vector<std::string>{CourseGltfMessage(kCourseGltfEmpty)});
  EXPECT_FALSE(std::filesystem::exists(d.folder.File("empty.gltf")));
}

TEST(CourseDesignerWindowTest, VersionBox) {
  Designer d;
  d.window->Command(CourseDesignerWindow1::kVersionCommand);
  ASSERT_EQ(d.prompter.AskedQuestions().size(), 1u);
  EXPECT_EQ(d.prompter.AskedQuestions()[0].caption, "バージョン情報");
  EXPECT_NE(d.prompter.AskedQuestions()[0].text.find("1.1"), std::string::npos);
}

TEST(CourseDesignerWindowTest, ViewButtonsArrangeTheViews) {
  Designer d;
  const int32_t w = d.ClientWidth(), h = d.ClientHeight();
  ASSERT_GT(w, 400);
  ASSERT_GT(h, 300);
  for (int32_t button : {107, 108, 109, 111, 112, 113, 114, 115, 116}) {
    d.window->ToolBar()->Press(button);
    const auto placements = ArrangeViews(button, kToolBarWidth, w, h);
    bool shown[kCourseViewCount] = {};
    for (const ViewPlacement& p : placements) {
      QWidget* view = d.window->View(p.view);
      EXPECT_EQ(view->geometry(), QRect(p.x, p.y, p.width, p.height)) << button;
      EXPECT_TRUE(view->isVisible()) << button;
      shown[p.view] = true;
    }
    for (int32_t id = 0; id < kCourseViewCount; ++id) {
      if (!shown[id]) {
        EXPECT_FALSE(d.window->View(id)->isVisible()) << button << " " << id;
      }
    }
  }
  // The width view button: top over preview in the left half, developed top on the right.
  d.window->ToolBar()->Press(115);
  const int32_t half_w = (w - 91) / 2, half_h = h / 2;
  EXPECT_EQ(d.window->View(kTopView)->geometry(), QRect(91, 0, half_w, half_h));
  EXPECT_EQ(d.window->View(kPreviewView)->geometry(), QRect(91, half_h, half_w, half_h));
  EXPECT_EQ(d.window->View(kDevelopedTopView)->geometry(), QRect(91 + half_w, 0, half_w, h));
  // A resize applies the arrangement again.
  d.window->resize(891, 660);
  QApplication::processEvents();
  const auto placements = ArrangeViews(115, kToolBarWidth, d.ClientWidth(), d.ClientHeight());
  ASSERT_EQ(placements.size(), 3u);
  EXPECT_LT(d.ClientWidth(), w);
  EXPECT_EQ(d.window->View(kDevelopedTopView)->geometry(),
            QRect(placements[2].x, placements[2].y, placements[2].width, placements[2].height));
}

TEST(CourseDesignerWindowTest, ToolBarButtonsSitWhereTheyBelong) {
  Designer d;
  CourseToolBar1* bar = d.window->ToolBar();
  EXPECT_EQ(bar->objectName(), QStringLiteral("BaseWindow_buttonctrl1"));
  EXPECT_EQ(bar->geometry(), QRect(0, 0, 91, 316));
  for (int32_t i = 0; i < kToolBarButtonCount; ++i) {
    const ToolBarButton& entry = ToolBarButtons()[i];
    DrawButton1* button = bar->Button(entry.id);
    ASSERT_NE(button, nullptr) << entry.id;
    EXPECT_EQ(button->geometry(), QRect(entry.x, entry.y, entry.width, entry.height)) << entry.id;
    EXPECT_EQ(button->CommandId(), uint32_t(entry.id));
    EXPECT_EQ(button->HelpText().rfind("[Function]\n", 0), 0u) << entry.id;
    EXPECT_NE(button->HelpText().find("\n[Operate]\n"), std::string::npos) << entry.id;
  }
  EXPECT_NE(bar->Button(100)->HelpText().find("コースのデザインの編集を行う"), std::string::npos);
  EXPECT_NE(bar->Button(105)->HelpText().find("カメラを倍率を変える"), std::string::npos);
  EXPECT_EQ(bar->CurrentTool(), 100);
  EXPECT_EQ(bar->CurrentViewButton(), 113);
  EXPECT_FALSE(bar->LoopOn());
}

TEST(CourseDesignerWindowTest, EnteringAButtonHighlightsItWithTheClickSound) {
  Designer d;
  CourseToolBar1* bar = d.window->ToolBar();
  DrawButton1* sample = bar->Button(101);
  SendEnter(sample, QPoint(5, 5));
  EXPECT_EQ(sample->State(), CourseToolBar1::kHot);
  EXPECT_EQ(bar->Sound().PlayCount(), 1);
  EXPECT_NE(bar->Sound().Path().find("SetButton.wav"), std::string::npos);
  SendMouse(sample, QEvent::MouseMove, QPoint(200, 5));
  EXPECT_EQ(sample->State(), CourseToolBar1::kRaised);
  // The current tool is not highlighted and makes no sound.
  SendEnter(bar->Button(100), QPoint(5, 5));
  EXPECT_EQ(bar->Button(100)->State(), CourseToolBar1::kDown);
  EXPECT_EQ(bar->Sound().PlayCount(), 1);
  SendMouse(bar->Button(100), QEvent::MouseMove, QPoint(200, 5));
  // Pressing a tool makes it the current one, the old one comes up.
  SendEnter(sample, QPoint(5, 5));
  SendMouse(sample, QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton, Qt::LeftButton);
  SendMouse(sample, QEvent::MouseButtonRelease, QPoint(5, 5), Qt::LeftButton);
  EXPECT_EQ(bar->CurrentTool(), 101);
  EXPECT_EQ(sample->State(), CourseToolBar1::kDown);
  EXPECT_EQ(bar->Button(100)->State(), CourseToolBar1::kRaised);
  SendMouse(sample, QEvent::MouseMove, QPoint(200, 5));
}

TEST(CourseDesignerWindowTest, TheShippedClickIsAShortPcmWave) {
  const std::string wav = TempFolder::Read(Resource("SetButton.wav"));
  ASSERT_GT(wav.size(), 44u);
  EXPECT_EQ(wav.compare(0, 4, "RIFF"), 0);
  EXPECT_EQ(wav.compare(8, 8, "WAVEfmt "), 0);
  EXPECT_EQ(wav[20], 1);  // PCM
  const auto u32 = [&](size_t at) {
    return uint32_t(uint8_t(wav[at])) | uint32_t(uint8_t(wav[at + 1])) << 8 |
           uint32_t(uint8_t(wav[at + 2])) << 16 | uint32_t(uint8_t(wav[at + 3])) << 24;
  };
  EXPECT_EQ(u32(4), wav.size() - 8);
  const double seconds = double(u32(40)) / u32(28);
  EXPECT_GT(seconds, 0.01);
  EXPECT_LT(seconds, 0.2);
}

TEST(CourseDesignerWindowTest, LoopButtonClosesAndOpensTheCourse) {
  Designer d;
  d.Change();
  d.window->ToolBar()->Press(103);
  EXPECT_EQ(d.window->Course().Loop(), 1);
  EXPECT_EQ(d.window->ToolBar()->Button(103)->State(), CourseToolBar1::kDown);
  d.window->ToolBar()->Press(103);
  EXPECT_EQ(d.window->Course().Loop(), 0);
  EXPECT_EQ(d.window->ToolBar()->Button(103)->State(), CourseToolBar1::kRaised);
}

TEST(CourseDesignerWindowTest, DraggingAPointInTheTopViewMovesItAndHidesTheCursor) {
  Designer d;
  d.Change();
  d.window->ToolBar()->Press(107);
  auto* top = static_cast<ParallelView1*>(d.window->View(kTopView));
  top->Control().Camera().SetPosition(0, 0, 0);
  top->Control().Camera().SetZoom(1.0);
  // Point 1 (100, 0, 0) lies 100 pixels right of the view's centre.
  const QPoint at(top->width() / 2 + 101, top->height() / 2 + 1);
  SendMouse(top, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
  EXPECT_EQ(d.window->Course().SelectedPoint(), 1);
  EXPECT_TRUE(top->Dragging());
  SendMouse(top, QEvent::MouseMove, at + QPoint(10, 5), Qt::NoButton, Qt::LeftButton);
  EXPECT_TRUE(top->CursorHidden());
  SendMouse(top, QEvent::MouseButtonRelease, at + QPoint(10, 5), Qt::LeftButton);
  EXPECT_FALSE(top->CursorHidden());
  EXPECT_FALSE(top->Dragging());
  const CourseVector p = d.window->Course().PointPosition(1);
  EXPECT_DOUBLE_EQ(p.x, 108.0);
  EXPECT_DOUBLE_EQ(p.z, -4.0);
}

TEST(CourseDesignerWindowTest, PreviewDragMovesTheCourseMarker) {
  Designer d;
  ASSERT_TRUE(d.window->OpenCourseFile(d.SavedSample("sample.cus")));
  d.window->ToolBar()->Press(115);
  PerspecWindow1* preview = d.window->Preview();
  EXPECT_EQ(preview->LastQuadCount(), 19);
  SendMouse(preview, QEvent::MouseButtonPress, QPoint(100, 200), Qt::LeftButton, Qt::LeftButton);
  SendMouse(preview, QEvent::MouseMove, QPoint(100, 100), Qt::NoButton, Qt::LeftButton);
  SendMouse(preview, QEvent::MouseButtonRelease, QPoint(100, 100), Qt::LeftButton);
  const CourseMarker marker = d.window->Course().Marker();
  EXPECT_EQ(marker.segment, 0);
  EXPECT_NEAR(marker.t, 0.5, 1e-12);
}

TEST(CourseDesignerWindowTest, ColourDepthsOtherThan16Or24AreRefused) {
  EnsureTestApplication();
  ScopedScriptedPrompter prompter;
  DisplayDepth::InjectQuery([] { return 8; });
  EXPECT_FALSE(DisplayDepth::Check());
  DisplayDepth::InjectQuery(nullptr);
  ASSERT_EQ(prompter.MessageTexts().size(), 1u);
  EXPECT_EQ(prompter.MessageTexts()[0], "システムのカラービットを16または24ビットにしてください!!");
}

TEST(CourseDesignerWindowTest, ClosingAsksAndSavesThePlacement) {
  Designer d;
  d.Change();
  d.prompter.QueueAnswer(PromptAnswer::kCancel);
  EXPECT_FALSE(d.window->close());
  d.prompter.QueueAnswer(PromptAnswer::kNo);
  EXPECT_TRUE(d.window->close());
  EXPECT_EQ(SettingsFile::ReadInt(d.folder.File("Settei.ini"), "MainWindow", "Length", 0), 44);
}

// Every control point and both ends of the developed course lie inside the shown views.
void ExpectCourseInsideTheViews(Designer& d, const std::string& when) {
  for (const int32_t id : {kDevelopedTopView, kDevelopedSideView}) {
    auto* view = static_cast<ExpandView1*>(d.window->View(id));
    if (!view->isVisible()) continue;
    for (const double distance : {0.0, view->Development().length}) {
      double sx = 0, sy = 0;
      view->Control().ToScreen(distance, 0.0, &sx, &sy);
      EXPECT_TRUE(sx >= 0 && sx < view->width() && sy >= 0 && sy < view->height())
          << when << ": view " << id << " distance " << distance << " at " << sx << ", " << sy
          << " in " << view->width() << " x " << view->height();
    }
  }
  for (const int32_t id : {kTopView, kSideView, kFrontView}) {
    auto* view = static_cast<ParallelView1*>(d.window->View(id));
    if (!view->isVisible()) continue;
    for (int32_t i = 0; i < d.window->Course().PointCount(); ++i) {
      const CourseVector p = d.window->Course().PointPosition(i);
      double sx = 0, sy = 0;
      view->Control().ToScreen(p.x, p.y, p.z, &sx, &sy);
      EXPECT_TRUE(sx >= 0 && sx < view->width() && sy >= 0 && sy < view->height())
          << when << ": view " << id << " point " << i;
    }
  }
}

TEST(CourseDesignerWindowTest, AFitIsKeptThroughResizesUntilTheCameraIsMoved) {
  Designer d;
  // As a first run starts: the default placement, then the course of the command line.
  WindowsService1::LoadPlacement(d.window.get(), "MainWindow", d.folder.File("none.ini"));
  ASSERT_TRUE(d.window->OpenCourseFile(d.SavedSample("circuit.cus")));
  for (const int32_t button : {112, 111, 114, 113}) {
    d.window->ToolBar()->Press(button);
    QApplication::processEvents();
    for (const QSize size : {QSize(490, 390), QSize(1200, 500), QSize(600, 900)}) {
      d.window->resize(size);
      QApplication::processEvents();
      ExpectCourseInsideTheViews(d, "button " + std::to_string(button) + " at " +
                                        std::to_string(size.width()) + " x " +
                                        std::to_string(size.height()));
    }
  }
}

TEST(CourseDesignerWindowTest, PointNumbersAndTheCrossSectionDoNotOverlap) {
  Designer d;
  for (const QSize size : {QSize(490, 390), QSize(1091, 760), QSize(1400, 500)}) {
    d.window->resize(size);
    ASSERT_TRUE(d.window->OpenCourseFile(d.SavedSample("circuit.cus")));
    d.window->Course().Select(3, 0);
    for (const int32_t button : {113, 116}) {
      d.window->ToolBar()->Press(button);
      QApplication::processEvents();
      d.window->RedrawAll();
      auto* view = static_cast<PointView1*>(d.window->View(kPointView));
      const PointControl1& control = view->Control();
      const double reach = control.BarRadius() * 1.15 + 5;  // reference lines and markers
      const QRectF drawing(control.CentreX() - reach, control.CentreY() - reach, 2 * reach,
                           2 * reach);
      const std::string at = std::to_string(size.width()) + " x " + std::to_string(size.height()) +
                             " button " + std::to_string(button);
      EXPECT_FALSE(drawing.intersects(QRectF(view->TextArea()))) << at;
      EXPECT_TRUE(QRectF(view->rect()).contains(drawing)) << at;
      EXPECT_GE(control.BarRadius(), 20.0) << at;
      EXPECT_EQ(view->ParameterLines().size(), 5) << at;
    }
  }
}

TEST(CourseDesignerWindowTest, TheWheelZoomsEveryViewAroundThePointer) {
  Designer d;
  ASSERT_TRUE(d.window->OpenCourseFile(d.SavedSample("circuit.cus")));
  d.window->Course().Select(2, 0);
  const QPoint at(60, 50);
  auto turn = [&](QWidget* view, int delta) {
    QWheelEvent wheel(QPointF(at), QPointF(view->mapToGlobal(at)), QPoint(), QPoint(0, delta),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view, &wheel);
  };
  // Parallel views: the world point under the pointer stays there.
  for (const int32_t button : {107, 108, 109}) {
    d.window->ToolBar()->Press(button);
    QApplication::processEvents();
    auto* view = static_cast<ParallelView1*>(d.window->View(button == 107   ? kTopView
                                                            : button == 108 ? kSideView
                                                                            : kFrontView));
    CameraControl1& camera = view->Control().Camera();
    double before[3], after[3];
    camera.ScreenToWorld(at.x(), at.y(), &before[0], &before[1], &before[2]);
    const double zoom = camera.GetZoom();
    turn(view, 120);
    EXPECT_NEAR(camera.GetZoom(), zoom * kWheelZoomFactor, 1e-9) << button;
    camera.ScreenToWorld(at.x(), at.y(), &after[0], &after[1], &after[2]);
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(after[i], before[i], 1e-6) << button << " " << i;
    turn(view, -60);  // half a notch waits for the other half
    EXPECT_NEAR(camera.GetZoom(), zoom * kWheelZoomFactor, 1e-9) << button;
    turn(view, -60);
    EXPECT_NEAR(camera.GetZoom(), zoom, 1e-9) << button;
    EXPECT_FALSE(view->ShowsFit()) << button;
  }
  // Developed views: the distance along the course under the pointer stays there.
  for (const int32_t button : {111, 112}) {
    d.window->ToolBar()->Press(button);
    QApplication::processEvents();
    auto* view = static_cast<ExpandView1*>(
        d.window->View(button == 111 ? kDevelopedTopView : kDevelopedSideView));
    ExpandControl1& control = view->Control();
    const bool top = button == 111;
    const double offset = top ? view->height() / 2 - at.y() : at.x() - view->width() / 2;
    const double under = control.Position() + offset / control.Zoom();
    const double zoom = control.Zoom();
    turn(view, 240);
    EXPECT_NEAR(control.Zoom(), zoom * kWheelZoomFactor * kWheelZoomFactor, 1e-9) << button;
    EXPECT_NEAR(control.Position() + offset / control.Zoom(), under, 1e-6) << button;
    // The user's own view is kept when the window changes size.
    d.window->resize(d.window->width() - 100, d.window->height() - 50);
    QApplication::processEvents();
    EXPECT_NEAR(control.Zoom(), zoom * kWheelZoomFactor * kWheelZoomFactor, 1e-9) << button;
  }
  // The point parameter window scales its cross-section.
  d.window->ToolBar()->Press(113);
  QApplication::processEvents();
  auto* point = static_cast<PointView1*>(d.window->View(kPointView));
  const double radius = point->Control().BarRadius();
  turn(point, -120);
  EXPECT_NEAR(point->Control().BarRadius(), radius / kWheelZoomFactor, 1e-9);
}

TEST(CourseDesignerWindowTest, TitleAndSavingToTheCurrentFile) {
  Designer d;
  const std::string course = d.SavedSample("circuit.cus");
  d.prompter.QueuePath(course);
  ASSERT_TRUE(PressShortcut(d.window.get(), QKeySequence(Qt::CTRL | Qt::Key_O)));
  EXPECT_EQ(d.window->CurrentFile(), course);
  EXPECT_EQ(d.window->windowTitle(), QStringLiteral("circuit.cus[*] - MerrowlindaleV1.1"));
  EXPECT_FALSE(d.window->isWindowModified());

  // An edit marks the title; Ctrl+S writes the same file without asking for a name.
  d.window->ToolBar()->Press(kLoopButton);
  EXPECT_TRUE(d.window->isWindowModified());
  const size_t asked = d.prompter.AskedQuestions().size();
  const std::string before = TempFolder::Read(course);
  ASSERT_TRUE(PressShortcut(d.window.get(), QKeySequence(Qt::CTRL | Qt::Key_S)));
  EXPECT_EQ(d.prompter.AskedQuestions().size(), asked);
  EXPECT_NE(TempFolder::Read(course), before);
  EXPECT_FALSE(d.window->isWindowModified());
  EXPECT_FALSE(d.window->Course().IsChanged());

  // Ctrl+Shift+S asks for a name and makes it the current file.
  const std::string copy = d.folder.File("copy.cus");
  d.prompter.QueuePath(copy);
  ASSERT_TRUE(PressShortcut(d.window.get(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)));
  EXPECT_EQ(d.window->CurrentFile(), copy);
  EXPECT_EQ(TempFolder::Read(copy), TempFolder::Read(course));

  // A failed save keeps the current file, the change and its mark.
  d.Change();
  d.window->RedrawAll();
  SetFileFaultHookForTesting(
      [](FileOperation operation) { return operation == FileOperation::kRename; });
  d.window->Command(CourseDesignerWindow1::kSaveCommand);
  SetFileFaultHookForTesting(nullptr);
  EXPECT_TRUE(d.window->isWindowModified());
  EXPECT_EQ(d.window->CurrentFile(), copy);

  // Ctrl+N after answering No: an untitled course; Ctrl+S then asks for a name.
  d.prompter.QueueAnswer(PromptAnswer::kNo);
  ASSERT_TRUE(PressShortcut(d.window.get(), QKeySequence(Qt::CTRL | Qt::Key_N)));
  EXPECT_EQ(d.window->windowTitle(), QStringLiteral("無題[*] - MerrowlindaleV1.1"));
  d.window->Command(CourseDesignerWindow1::kSaveCommand);
  EXPECT_EQ(d.prompter.AskedQuestions().back().kind, ScriptedPrompter::Asked::Kind::kSaveFile);
  EXPECT_TRUE(PressShortcut(d.window.get(), QKeySequence(Qt::Key_F1)));
}

}  // namespace
