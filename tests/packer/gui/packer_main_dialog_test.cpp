#include "packer/gui/packer_main_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <memory>

#include "foundation/file_io.h"
#include "foundation/gui/display_depth.h"
#include "foundation/gui/help_window.h"
#include "foundation/gui/value_edit_window.h"
#include "foundation/settings_file.h"
#include "foundation/surface16.h"
#include "packer/gui/packer_program.h"
#include "packer/gui/picture_settings_dialog.h"
#include "packer/packer_batch.h"
#include "pictures/gui/picture_color_select_wnd.h"
#include "pictures/gui/picture_list_wnd.h"
#include "pictures/gui/picture_view_wnd.h"
#include "pictures/picture_bank_high_color1.h"
#include "tests/foundation/gui/gui_test_app.h"
#include "tests/packer/packer_test_support.h"

namespace {

using Bank = PictureBankHighColor1;
constexpr char kChangedQuestion[] = "データが変更されています。セーブしますか？";

class PackerMainDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureTestApplication();
    PackerClasses::StartUp();
    settings_ = folder_.File("Settei.ini");
    dialog_ = std::make_unique<PackerMainDialog>(settings_);
  }
  void TearDown() override {
    dialog_.reset();
    PackerClasses::ShutDown();
  }

  PackerMainDialog& Dialog() { return *dialog_; }
  // Adds a file through the add button, the open dialog answering with `path`.
  void AddThroughButton(const std::string& path) {
    prompter_.QueuePath(path);
    Dialog().Button(PackerMainDialog::kAddId)->click();
  }
  void Select(int index) { Dialog().PictureList()->SetSelected(index); }
  // Runs `step` on the settings dialog once its modal loop has started.
  void WhenSettingsOpen(std::function<void(PictureSettingsDialog&)> step) {
    QTimer::singleShot(0, [this, step] {
      auto* settings = Dialog().findChild<PictureSettingsDialog*>();
      ASSERT_NE(settings, nullptr);
      step(*settings);
    });
  }

  TempFolder folder_;
  ScopedScriptedPrompter prompter_;
  std::string settings_;
  std::unique_ptr<PackerMainDialog> dialog_;
};

TEST_F(PackerMainDialogTest, ChildWindowsHaveTheirPositionsTextsAndIds) {
  EXPECT_EQ(Dialog().objectName(), "MAIN_DIALOG");
  EXPECT_EQ(Dialog().windowTitle(), QStringLiteral("無題[*] - TessalyVersion1.0"));
  EXPECT_EQ(Dialog().size(), QSize(612, 162));
  EXPECT_EQ(Dialog().Preview()->geometry(), QRect(10, 10, 80, 81));
  EXPECT_EQ(Dialog().PictureList()->geometry(), QRect(100, 10, 500, 81));
  const struct {
    int id;
    const char* text;
    QRect at;
  } buttons[] = {{0x400, "追加", QRect(30, 120, 80, 25)},
                 {0x401, "削除", QRect(130, 120, 80, 25)},
                 {0x402, "設定", QRect(230, 120, 80, 25)},
                 {0x403, "出力", QRect(400, 120, 80, 25)},
                 {0x404, "ヘルプ", QRect(500, 120, 80, 25)}};
  for (const auto& expected : buttons) {
    QPushButton* button = Dialog().Button(expected.id);
    ASSERT_NE(button, nullptr) << expected.id;
    EXPECT_EQ(button->text(), QString::fromUtf8(expected.text));
    EXPECT_EQ(button->geometry(), expected.at);
  }
  EXPECT_EQ(Dialog().PreviewTimer()->interval(), 10);
  EXPECT_TRUE(Dialog().PreviewTimer()->isActive());
}

TEST_F(PackerMainDialogTest, AddAppendsEveryFrameWithItsDelay) {
  const std::string bmp = folder_.Write("still.bmp", SolidBmp(4, 4, 0x204060));
  const std::string tsy = folder_.Write("anim.tsy", TsyWithDelays(4, 4, {100, 200, 300}));
  AddThroughButton(bmp);
  AddThroughButton(tsy);
  PicturePackList& list = Dialog().List();
  ASSERT_EQ(list.Count(), 4);
  EXPECT_EQ(list.Delays(), (std::vector<int32_t>{200, 100, 200, 300}));
  EXPECT_EQ(list.TotalTime(), 800);
  EXPECT_TRUE(list.Changed());
  ASSERT_EQ(Dialog().PictureList()->Count(), 4);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(Dialog().PictureList()->IdAt(i), list.PictureId(i));

  const auto& asked = prompter_.AskedQuestions();
  ASSERT_GE(asked.size(), 1u);
  EXPECT_EQ(asked[0].kind, ScriptedPrompter::Asked::Kind::kOpenFile);
  ASSERT_EQ(asked[0].request.filters.size(), 1u);
  EXPECT_EQ(asked[0].request.filters[0].first, "画像ファイル(*.bmp,*.tsy)");
  EXPECT_EQ(asked[0].request.filters[0].second, "*.bmp;*.tsy");
  EXPECT_EQ(SettingsFile::ReadString(settings_, "AddPicture", "LoadFileDir", ""), folder_.Path());
  EXPECT_TRUE(prompter_.MessageTexts().empty());

  // A cancelled open dialog adds nothing.
  Dialog().Button(PackerMainDialog::kAddId)->click();
  EXPECT_EQ(list.Count(), 4);
}

TEST_F(PackerMainDialogTest, PicturesOfAnotherSizeAreRefused) {
  AddThroughButton(folder_.Write("big.bmp", SolidBmp(64, 64, 0)));
  Dialog().List().SetChanged(false);
  const int32_t pictures = Bank::Count();
  AddThroughButton(folder_.Write("small.bmp", SolidBmp(32, 32, 0)));
  ASSERT_EQ(prompter_.MessageTexts(), std::vector<std::string>{"異なるサイズの画像は読めません"});
  EXPECT_EQ(prompter_.AskedQuestions().back().caption, "Message");
  EXPECT_EQ(Dialog().List().Count(), 1);
  EXPECT_EQ(Dialog().PictureList()->Count(), 1);
  EXPECT_FALSE(Dialog().List().Changed());
  EXPECT_EQ(Bank::Count(), pictures);
}

TEST_F(PackerMainDialogTest, DeleteRemovesTheSelectedEntryAndEmptyingClearsTheFlag) {
  AddThroughButton(folder_.Write("anim.tsy", TsyWithDelays(2, 2, {100, 300})));
  QPushButton* remove = Dialog().Button(PackerMainDialog::kDeleteId);
  remove->click();  // nothing selected
  EXPECT_EQ(Dialog().List().Count(), 2);

  const int32_t second = Dialog().List().PictureId(1);
  Select(0);
  remove->click();
  ASSERT_EQ(Dialog().List().Count(), 1);
  EXPECT_EQ(Dialog().List().PictureId(0), second);
  EXPECT_EQ(Dialog().PictureList()->Count(), 1);
  EXPECT_EQ(Dialog().List().TotalTime(), 300);
  EXPECT_TRUE(Dialog().List().Changed());

  Dialog().Tick();
  EXPECT_EQ(Dialog().Preview()->PictureId(), second);
  Select(0);
  remove->click();
  EXPECT_EQ(Dialog().List().Count(), 0);
  EXPECT_EQ(Dialog().Preview()->PictureId(), -1);
  EXPECT_FALSE(Dialog().List().Changed());

  // Nothing left to save: closing asks nothing.
  Dialog().show();
  Dialog().reject();
  EXPECT_FALSE(Dialog().isVisible());
  EXPECT_TRUE(prompter_.MessageTexts().empty());
}

TEST_F(PackerMainDialogTest, SettingsDialogPicksTheColourAndTheDelay) {
  AddThroughButton(folder_.Write("a.bmp", SolidBmp(2, 2, 0xF80000)));
  AddThroughButton(folder_.Write("b.bmp", SolidBmp(2, 2, 0x0000F8)));
  Dialog().List().SetChanged(false);
  Dialog().Button(PackerMainDialog::kSettingsId)->click();  // nothing selected: no dialog
  EXPECT_EQ(Dialog().findChild<PictureSettingsDialog*>(), nullptr);

  Select(1);
  bool opened = false;
  WhenSettingsOpen([&](PictureSettingsDialog& settings) {
    opened = true;
    EXPECT_EQ(settings.objectName(), "PICSET_DIALOG");
    EXPECT_EQ(settings.windowTitle(), "アニメーション設定ダイアログ");
    EXPECT_EQ(settings.ColourWindow()->geometry(), QRect(55, 50, 80, 81));
    EXPECT_EQ(settings.ColourWindow()->property("control_id").toInt(), 0x40C);
    EXPECT_EQ(settings.ColourWindow()->PictureId(), Dialog().List().PictureId(1));
    EXPECT_EQ(settings.DelayEdit()->geometry(), QRect(200, 40, 100, 20));
    EXPECT_EQ(settings.DelayEdit()->WholeValue(), 200);
    EXPECT_EQ(settings.OkButton()->geometry(), QRect(220, 140, 80, 25));
    EXPECT_EQ(settings.OkButton()->property("control_id").toInt(), 0x40A);
    EXPECT_EQ(settings.CancelButton()->geometry(), QRect(220, 170, 80, 25));
    EXPECT_EQ(settings.CancelButton()->property("control_id").toInt(), 0x40B);
    QStringList texts;
    for (QLabel* label : settings.findChildren<QLabel*>()) texts << label->text();
    EXPECT_TRUE(texts.contains("遅延速度(ms)"));
    EXPECT_TRUE(texts.contains("抜きたい色の上で左クリック"));
    EXPECT_TRUE(texts.contains("キャンセル時は右クリック"));
    ASSERT_NE(settings.findChild<QGroupBox*>(), nullptr);
    EXPECT_EQ(settings.findChild<QGroupBox*>()->title(), "抜き色の設定");

    // The top-left pixel of the picture is blue 0x0000F8: its word becomes transparent.
    SendMouse(settings.ColourWindow(), QEvent::MouseButtonPress, QPoint(3, 3), Qt::LeftButton,
              Qt::LeftButton);
    EXPECT_EQ(settings.ColourWindow()->TransparentColour(), 0x001F);
    settings.DelayEdit()->SetPosition(settings.DelayEdit()->Position() + 5);
    settings.OkButton()->click();
  });
  Dialog().Button(PackerMainDialog::kSettingsId)->click();
  ASSERT_TRUE(opened);
  EXPECT_EQ(Dialog().List().TransparentColour(1), 0x001F);
  EXPECT_EQ(Dialog().List().Delay(1), 250);
  EXPECT_EQ(Dialog().List().TotalTime(), 450);
  EXPECT_TRUE(Dialog().List().Changed());
  EXPECT_EQ(Dialog().List().TransparentColour(0), -1);

  // A right click clears the colour; Cancel keeps everything as it was.
  Dialog().List().SetChanged(false);
  WhenSettingsOpen([&](PictureSettingsDialog& settings) {
    EXPECT_EQ(settings.ColourWindow()->TransparentColour(), 0x001F);
    SendMouse(settings.ColourWindow(), QEvent::MouseButtonPress, QPoint(3, 3), Qt::RightButton,
              Qt::RightButton);
    EXPECT_EQ(settings.ColourWindow()->TransparentColour(), -1);
    settings.CancelButton()->click();
  });
  Dialog().Button(PackerMainDialog::kSettingsId)->click();
  EXPECT_EQ(Dialog().List().TransparentColour(1), 0x001F);
  EXPECT_EQ(Dialog().List().Delay(1), 250);
  EXPECT_FALSE(Dialog().List().Changed());

  WhenSettingsOpen([&](PictureSettingsDialog& settings) {
    SendMouse(settings.ColourWindow(), QEvent::MouseButtonPress, QPoint(3, 3), Qt::RightButton,
              Qt::RightButton);
    settings.OkButton()->click();
  });
  Dialog().Button(PackerMainDialog::kSettingsId)->click();
  EXPECT_EQ(Dialog().List().TransparentColour(1), -1);
  EXPECT_TRUE(Dialog().List().Changed());
}

TEST(PictureSettingsDialogLimits, DelaysFromFilesOutsideTheUsualRangeFit) {
  int32_t minimum = 0, maximum = 0, steps = 0;
  PictureSettingsDialog::DelayLimits(200, &minimum, &maximum, &steps);
  EXPECT_EQ(minimum, 0);
  EXPECT_EQ(maximum, 10000);
  EXPECT_EQ(steps, 1000);
  PictureSettingsDialog::DelayLimits(2000000000, &minimum, &maximum, &steps);
  EXPECT_EQ(maximum, 2000000000);
  EXPECT_LT(steps, ValueEditWindow1::kMaximumSteps);
  PictureSettingsDialog::DelayLimits(-50, &minimum, &maximum, &steps);
  EXPECT_EQ(minimum, -50);
  ValueEditParameters parameters;
  parameters.whole_minimum = minimum;
  parameters.whole_maximum = maximum;
  parameters.whole_value = -50;
  parameters.steps = steps;
  EXPECT_TRUE(ValueEditWindow1::Valid(parameters));
}

TEST_F(PackerMainDialogTest, OutputWritesTheSameFileAsTheBatchMode) {
  const std::string bmp = folder_.Write("a.bmp", SolidBmp(4, 2, 0xFF00F8));
  const std::string tsy = folder_.Write("b.tsy", TsyWithDelays(4, 2, {30, 0}, 1));
  AddThroughButton(bmp);
  AddThroughButton(tsy);
  AddThroughButton(bmp);
  const int32_t magenta = PackColour555(255, 0, 255);
  Dialog().List().SetEntry(0, magenta, 90);
  Dialog().List().SetEntry(3, magenta, 90);

  const std::string out = folder_.File("dialog.tsy");
  prompter_.QueuePath(out);
  Dialog().Button(PackerMainDialog::kOutputId)->click();
  EXPECT_FALSE(Dialog().List().Changed());
  const auto& asked = prompter_.AskedQuestions().back();
  EXPECT_EQ(asked.kind, ScriptedPrompter::Asked::Kind::kSaveFile);
  EXPECT_EQ(asked.request.filters.at(0).first, "Tessaly(*.tsy)");
  EXPECT_EQ(asked.request.filters.at(0).second, "*.tsy");
  EXPECT_EQ(SettingsFile::ReadString(settings_, "FileOut", "LoadFileDir", ""), folder_.Path());

  const std::string batch = folder_.File("batch.tsy");
  std::ostringstream out_text, err_text;
  ASSERT_EQ(
      PackerBatchMain({"--pack", batch, "--delay", "90", "--transparent", "ff00ff", bmp, tsy, bmp},
                      out_text, err_text),
      kPackerBatchDone)
      << err_text.str();
  const std::string written = TempFolder::Read(out);
  EXPECT_EQ(ReadTsyBytes(written).frames.size(), 4u);
  EXPECT_EQ(written, TempFolder::Read(batch));
}

TEST_F(PackerMainDialogTest, AnEmptyListIsNotWritten) {
  // Refused before the save dialog asks for a name.
  EXPECT_FALSE(Dialog().Output());
  ASSERT_EQ(prompter_.AskedQuestions().size(), 1u);
  ASSERT_EQ(prompter_.MessageTexts().size(), 1u);
  EXPECT_EQ(prompter_.MessageTexts()[0].rfind("出力する画像がありません", 0), 0u);
  // Emptied by deletes, the list is refused again, and the keys do the same.
  AddThroughButton(folder_.Write("a.bmp", SolidBmp(2, 2, 0)));
  Select(0);
  Dialog().Delete();
  const std::string out = folder_.File("empty.tsy");
  prompter_.QueuePath(out);
  EXPECT_TRUE(PressShortcut(&Dialog(), QKeySequence(Qt::CTRL | Qt::Key_S)));
  EXPECT_TRUE(PressShortcut(&Dialog(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)));
  EXPECT_FALSE(FileExists(out));
  EXPECT_EQ(prompter_.MessageTexts().size(), 3u);
}

TEST_F(PackerMainDialogTest, TitleKeysAndSavingToTheCurrentFile) {
  AddThroughButton(folder_.Write("a.bmp", SolidBmp(2, 2, 0)));
  EXPECT_TRUE(Dialog().isWindowModified());
  const std::string out = folder_.File("anim.tsy");
  prompter_.QueuePath(out);
  ASSERT_TRUE(PressShortcut(&Dialog(), QKeySequence(Qt::CTRL | Qt::Key_S)));  // no file yet
  EXPECT_EQ(Dialog().CurrentFile(), out);
  EXPECT_EQ(Dialog().windowTitle(), QStringLiteral("anim.tsy[*] - TessalyVersion1.0"));
  EXPECT_FALSE(Dialog().isWindowModified());

  // Ctrl+O adds, Ctrl+S then writes the same file again without asking for a name.
  prompter_.QueuePath(folder_.Write("b.bmp", SolidBmp(2, 2, 0x00FF00)));
  ASSERT_TRUE(PressShortcut(&Dialog(), QKeySequence(Qt::CTRL | Qt::Key_O)));
  EXPECT_TRUE(Dialog().isWindowModified());
  const size_t asked = prompter_.AskedQuestions().size();
  ASSERT_TRUE(PressShortcut(&Dialog(), QKeySequence(Qt::CTRL | Qt::Key_S)));
  EXPECT_EQ(prompter_.AskedQuestions().size(), asked);
  EXPECT_EQ(ReadTsyBytes(TempFolder::Read(out)).frames.size(), 2u);
  EXPECT_FALSE(Dialog().isWindowModified());

  // Del removes the selection; Ctrl+N asks about the change, Cancel keeps everything.
  Select(1);
  ASSERT_TRUE(PressShortcut(&Dialog(), QKeySequence(Qt::Key_Delete)));
  EXPECT_EQ(Dialog().List().Count(), 1);
  prompter_.QueueAnswer(PromptAnswer::kCancel);
  EXPECT_TRUE(PressShortcut(&Dialog(), QKeySequence(Qt::CTRL | Qt::Key_N)));
  EXPECT_EQ(Dialog().List().Count(), 1);
  prompter_.QueueAnswer(PromptAnswer::kNo);
  EXPECT_TRUE(Dialog().NewList());
  EXPECT_EQ(Dialog().List().Count(), 0);
  EXPECT_EQ(Dialog().PictureList()->Count(), 0);
  EXPECT_EQ(Dialog().windowTitle(), QStringLiteral("無題[*] - TessalyVersion1.0"));
  EXPECT_EQ(ReadTsyBytes(TempFolder::Read(out)).frames.size(), 2u);
}

bool FailRename(FileOperation operation) { return operation == FileOperation::kRename; }

TEST_F(PackerMainDialogTest, FailedOutputSaysSoKeepsTheFlagAndTheOldFile) {
  AddThroughButton(folder_.Write("a.bmp", SolidBmp(2, 2, 0)));
  const std::string out = folder_.Write("out.tsy", "old file");
  prompter_.QueuePath(out);
  SetFileFaultHookForTesting(&FailRename);
  EXPECT_FALSE(Dialog().Output());
  SetFileFaultHookForTesting(nullptr);
  ASSERT_EQ(prompter_.MessageTexts().size(), 1u);
  EXPECT_EQ(prompter_.MessageTexts()[0].rfind("ファイルの書き込みに失敗しました", 0), 0u);
  EXPECT_EQ(prompter_.AskedQuestions().back().caption, "Error");
  EXPECT_TRUE(Dialog().List().Changed());
  EXPECT_EQ(TempFolder::Read(out), "old file");

  // Closing then asks; answering Yes with a failing save keeps the program open.
  Dialog().show();
  prompter_.QueueAnswer(PromptAnswer::kYes);
  prompter_.QueuePath(folder_.File("missing/out.tsy"));
  Dialog().reject();
  EXPECT_TRUE(Dialog().isVisible());
  EXPECT_TRUE(Dialog().List().Changed());
}

TEST_F(PackerMainDialogTest, ClosingChangedDataAsksToSave) {
  AddThroughButton(folder_.Write("a.bmp", SolidBmp(2, 2, 0)));
  Dialog().show();
  prompter_.ClearRecord();

  prompter_.QueueAnswer(PromptAnswer::kCancel);
  Dialog().reject();
  EXPECT_TRUE(Dialog().isVisible());
  ASSERT_EQ(prompter_.MessageTexts(), std::vector<std::string>{kChangedQuestion});
  EXPECT_EQ(prompter_.AskedQuestions().back().caption, "Message");
  EXPECT_EQ(prompter_.AskedQuestions().back().buttons, PromptButtons::kYesNoCancel);

  prompter_.QueueAnswer(PromptAnswer::kYes);  // the save dialog is cancelled
  Dialog().reject();
  EXPECT_TRUE(Dialog().isVisible());

  const std::string out = folder_.File("saved.tsy");
  prompter_.QueueAnswer(PromptAnswer::kYes);
  prompter_.QueuePath(out);
  Dialog().reject();
  EXPECT_FALSE(Dialog().isVisible());
  EXPECT_FALSE(Dialog().PreviewTimer()->isActive());
  EXPECT_TRUE(ReadTsyBytes(TempFolder::Read(out)).ok);
}

TEST_F(PackerMainDialogTest, ClosingWithoutSavingLeavesNoFile) {
  AddThroughButton(folder_.Write("a.bmp", SolidBmp(2, 2, 0)));
  Dialog().show();
  prompter_.QueueAnswer(PromptAnswer::kNo);
  Dialog().reject();
  EXPECT_FALSE(Dialog().isVisible());
  for (const auto& asked : prompter_.AskedQuestions()) {
    EXPECT_NE(asked.kind, ScriptedPrompter::Asked::Kind::kSaveFile);
  }
}

TEST_F(PackerMainDialogTest, PreviewFollowsTheDelaysAndSurvivesZeroTotals) {
  AddThroughButton(folder_.Write("anim.tsy", TsyWithDelays(2, 2, {100, 300})));
  const int32_t first = Dialog().List().PictureId(0);
  const int32_t second = Dialog().List().PictureId(1);
  // The clock already stands at 10 after the first tick.
  Dialog().Tick();
  EXPECT_EQ(Dialog().Preview()->PictureId(), first);
  for (int i = 0; i < 9; ++i) Dialog().Tick();
  EXPECT_EQ(Dialog().List().Clock(), 100);
  EXPECT_EQ(Dialog().Preview()->PictureId(), second);
  for (int i = 0; i < 30; ++i) Dialog().Tick();
  EXPECT_EQ(Dialog().Preview()->PictureId(), first);

  Dialog().List().SetEntry(0, -1, 0);
  Dialog().List().SetEntry(1, -1, 0);
  Dialog().Tick();
  EXPECT_EQ(Dialog().Preview()->PictureId(), first);
}

TEST_F(PackerMainDialogTest, HelpOpensThePagesBesideTheProgram) {
  // The test program has no help pages beside it: the user is told.
  Dialog().Button(PackerMainDialog::kHelpId)->click();
  ASSERT_EQ(prompter_.MessageTexts().size(), 1u);
  EXPECT_NE(prompter_.MessageTexts()[0].find("Help/tessaly.html"), std::string::npos);
  // The program's own folder carries them.
  EXPECT_TRUE(FileExists(std::string(SUITE_BIN_DIR) + "/Help/tessaly.html"));
  EXPECT_TRUE(FileExists(std::string(SUITE_BIN_DIR) + "/Help/tessaly_settings.html"));
  EXPECT_TRUE(FileExists(std::string(SUITE_BIN_DIR) + "/Help/tessaly_batch.html"));
}

TEST(PackerProgram, RefusesOtherColourDepthsAndShutsItsClassesDown) {
  EnsureTestApplication();
  ScopedScriptedPrompter prompter;
  TempFolder folder;
  DisplayDepth::InjectQuery([] { return 8; });
  EXPECT_EQ(RunPackerDialog(folder.File("Settei.ini")), 1);
  ASSERT_EQ(prompter.MessageTexts(),
            std::vector<std::string>{"システムのカラービットを16または24ビットにしてください!!"});
  EXPECT_EQ(prompter.AskedQuestions()[0].caption, "Error");
  EXPECT_FALSE(PackerClasses::Started());

  DisplayDepth::InjectQuery([] { return 16; });
  bool shown = false;
  QTimer::singleShot(0, [&] {
    for (QWidget* window : QApplication::topLevelWidgets()) {
      if (window->objectName() == "MAIN_DIALOG" && window->isVisible()) {
        shown = true;
        EXPECT_TRUE(PackerClasses::Started());
        EXPECT_TRUE(Bank::ColourBits() == 16);
        static_cast<QDialog*>(window)->reject();
      }
    }
  });
  EXPECT_EQ(RunPackerDialog(folder.File("Settei.ini")), 0);
  DisplayDepth::InjectQuery({});
  EXPECT_TRUE(shown);
  EXPECT_FALSE(PackerClasses::Started());
  EXPECT_FALSE(PictureViewWnd1::Started());
  EXPECT_FALSE(PictureListWnd1::Started());
  EXPECT_FALSE(PictureColorSelectWnd1::Started());
  EXPECT_FALSE(ValueEditWindow1::Started());
}

TEST(PackerProgram, AFileOnTheCommandLineIsInTheListWhenTheDialogOpens) {
  EnsureTestApplication();
  ScopedScriptedPrompter prompter;
  TempFolder folder;
  const std::string tsy = folder.Write("given.tsy", TsyWithDelays(2, 2, {100, 200, 300}));
  DisplayDepth::InjectQuery([] { return 16; });
  int entries = -1;
  QTimer::singleShot(0, [&] {
    for (QWidget* window : QApplication::topLevelWidgets()) {
      if (auto* dialog = qobject_cast<PackerMainDialog*>(window); dialog && dialog->isVisible()) {
        entries = dialog->List().Count();
        EXPECT_EQ(dialog->CurrentFile(), tsy);
        dialog->reject();
      }
    }
  });
  EXPECT_EQ(RunPackerDialog(folder.File("Settei.ini"), tsy), 0);
  EXPECT_EQ(entries, 3);
  EXPECT_TRUE(prompter.MessageTexts().empty());
  // A file that cannot be read is named in the message; the dialog opens empty.
  QTimer::singleShot(0, [] {
    for (QWidget* window : QApplication::topLevelWidgets()) {
      if (auto* dialog = qobject_cast<PackerMainDialog*>(window); dialog && dialog->isVisible()) {
        EXPECT_EQ(dialog->List().Count(), 0);
        dialog->reject();
      }
    }
  });
  EXPECT_EQ(RunPackerDialog(folder.File("Settei.ini"), folder.File("missing.tsy")), 0);
  DisplayDepth::InjectQuery({});
  ASSERT_EQ(prompter.MessageTexts().size(), 1u);
  EXPECT_NE(prompter.MessageTexts()[0].find("missing.tsy"), std::string::npos);
}

TEST(PackerProgram, ProgramRunsTheBatchModeWithArguments) {
  TempFolder folder;
  const std::string program = std::string(SUITE_BIN_DIR) + "/tessaly";
  if (!FileExists(program)) GTEST_SKIP() << "tessaly is not built";
  const std::string bmp = folder.Write("a.bmp", SolidBmp(2, 2, 0));
  const std::string small = folder.Write("b.bmp", SolidBmp(1, 1, 0));
  const std::string out = folder.File("out.tsy");
  EXPECT_EQ(std::system((program + " --help > " + folder.File("help.txt")).c_str()), 0);
  EXPECT_NE(TempFolder::Read(folder.File("help.txt")).find("--pack"), std::string::npos);
  EXPECT_EQ(std::system((program + " --pack " + out + " " + bmp + " 2>/dev/null").c_str()), 0);
  EXPECT_TRUE(ReadTsyBytes(TempFolder::Read(out)).ok);
  const int refused = std::system(
      (program + " --pack " + folder.File("x.tsy") + " " + bmp + " " + small + " 2>/dev/null")
          .c_str());
  EXPECT_NE(refused, 0);
  EXPECT_FALSE(FileExists(folder.File("x.tsy")));
}

}  // namespace
