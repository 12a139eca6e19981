#include "converter/gui/convert_dialog.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <QCheckBox>
#include <QEventLoop>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <cstdlib>
#include <filesystem>
#include <functional>

#include "converter/polyconv_batch.h"
#include "foundation/prompter.h"
#include "foundation/settings_file.h"
#include "tests/converter/bitmap_bytes.h"
#include "tests/converter/cob_text.h"
#include "tests/converter/unwritable_folder.h"
#include "tests/foundation/gui/gui_test_app.h"
#include "tests/support/temp_folder.h"

// The font configuration library keeps caches for the life of the process; the leak checker
// of the sanitizer build would report them at exit.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

namespace {

class ConvertDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureTestApplication();
    settings_ = folder_.File("Settei.ini");
  }

  std::unique_ptr<ConvertDialog> MakeDialog() {
    return std::make_unique<ConvertDialog>(settings_, folder_.Path() + "/");
  }
  static QLineEdit* Edit(ConvertDialog& dialog, int id) {
    return qobject_cast<QLineEdit*>(dialog.Control(id));
  }
  static QPushButton* Button(ConvertDialog& dialog, int id) {
    return qobject_cast<QPushButton*>(dialog.Control(id));
  }
  static QCheckBox* Check(ConvertDialog& dialog) {
    return qobject_cast<QCheckBox*>(dialog.Control(ConvertDialog::kInvertBox));
  }
  // Runs `start` and waits for the end of the conversion; its result, or -1 on time-out.
  static int WaitForResult(ConvertDialog& dialog, const std::function<void()>& start) {
    int result = -1;
    QEventLoop loop;
    QObject::connect(&dialog, &ConvertDialog::ConversionFinished, &loop, [&](int finished) {
      result = finished;
      loop.quit();
    });
    QTimer::singleShot(20000, &loop, &QEventLoop::quit);
    start();
    if (result == -1) loop.exec();
    return result;
  }
  // Clicks "実行" and waits for the conversion's message.
  static int RunConversion(ConvertDialog& dialog) {
    return WaitForResult(dialog, [&] { Button(dialog, ConvertDialog::kRunButton)->click(); });
  }
  void SetPaths(ConvertDialog& dialog, const std::string& input, const std::string& output) {
    Edit(dialog, ConvertDialog::kInputEdit)->setText(QString::fromStdString(input));
    Edit(dialog, ConvertDialog::kOutputEdit)->setText(QString::fromStdString(output));
  }

  TempFolder folder_;
  std::string settings_;
  ScopedScriptedPrompter prompter_;
};

TEST_F(ConvertDialogTest, FirstStartShowsItsControlsAndDefaults) {
  auto dialog = MakeDialog();
  EXPECT_EQ(dialog->objectName(), "DIALOG_1");
  EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8("ファイルの変換"));
  EXPECT_EQ(Edit(*dialog, ConvertDialog::kInputEdit)->text().toStdString(),
            folder_.Path() + "/test.cob");
  EXPECT_EQ(Edit(*dialog, ConvertDialog::kOutputEdit)->text().toStdString(),
            folder_.Path() + "/test.po3");
  EXPECT_TRUE(Check(*dialog)->isChecked());
  EXPECT_EQ(Check(*dialog)->text(), QString::fromUtf8("面を裏返しにする"));
  EXPECT_EQ(Button(*dialog, ConvertDialog::kInputBrowse)->text(), QString::fromUtf8("参照"));
  EXPECT_EQ(Button(*dialog, ConvertDialog::kOutputBrowse)->text(), QString::fromUtf8("参照"));
  EXPECT_EQ(Button(*dialog, ConvertDialog::kCancelButton)->text(), QString::fromUtf8("中止"));
  EXPECT_EQ(Button(*dialog, ConvertDialog::kRunButton)->text(), QString::fromUtf8("実行"));
  EXPECT_TRUE(Button(*dialog, ConvertDialog::kRunButton)->isEnabled());
  EXPECT_FALSE(Button(*dialog, ConvertDialog::kCancelButton)->isEnabled());
  QStringList texts;
  for (QGroupBox* group : dialog->findChildren<QGroupBox*>()) texts << group->title();
  for (QLabel* label : dialog->findChildren<QLabel*>()) texts << label->text();
  for (const char* text : {"入力ファイル", "出力ファイル", "COBファイル", "PO3ファイル"}) {
    EXPECT_TRUE(texts.contains(QString::fromUtf8(text))) << text;
  }
  QProgressBar* bar = dialog->ProgressBar();
  EXPECT_EQ(bar->geometry(), QRect(10, 165, 200, 20));
  EXPECT_EQ(bar->minimum(), 0);
  EXPECT_EQ(bar->maximum(), 50);
  EXPECT_EQ(bar->windowTitle(), "Progress Bar");
  // Nothing is written before the dialog closes.
  EXPECT_FALSE(std::filesystem::exists(settings_));
}

TEST_F(ConvertDialogTest, SettingsAreReadAtStartAndWrittenByTheCloseStep) {
  SettingsFile::WriteString(settings_, "FileName", "InputCobFile", "/models/car.cob");
  SettingsFile::WriteString(settings_, "FileName", "OutputPolFile", "/stage/car.po3");
  SettingsFile::WriteInt(settings_, "FileName", "InvertFlag", 0);
  auto dialog = MakeDialog();
  EXPECT_EQ(Edit(*dialog, ConvertDialog::kInputEdit)->text(), "/models/car.cob");
  EXPECT_EQ(Edit(*dialog, ConvertDialog::kOutputEdit)->text(), "/stage/car.po3");
  EXPECT_FALSE(Check(*dialog)->isChecked());

  SetPaths(*dialog, "/other/tree.cob", "/other/tree.po3");
  Check(*dialog)->setChecked(true);
  dialog->reject();
  EXPECT_EQ(SettingsFile::ReadString(settings_, "FileName", "InputCobFile", ""), "/other/tree.cob");
  EXPECT_EQ(SettingsFile::ReadString(settings_, "FileName", "OutputPolFile", ""),
            "/other/tree.po3");
  EXPECT_NE(TempFolder::Read(settings_).find("InvertFlag=1"), std::string::npos);
}

TEST_F(ConvertDialogTest, BrowseButtonsUseTheRememberingFileDialogs) {
  auto dialog = MakeDialog();
  std::filesystem::create_directory(folder_.File("models"));
  std::filesystem::create_directory(folder_.File("stage"));
  prompter_.QueuePath(folder_.File("models/a.cob"));
  Button(*dialog, ConvertDialog::kInputBrowse)->click();
  prompter_.QueuePath(folder_.File("stage/a.po3"));
  Button(*dialog, ConvertDialog::kOutputBrowse)->click();
  // Cancelled: the field stays.
  Button(*dialog, ConvertDialog::kInputBrowse)->click();

  EXPECT_EQ(Edit(*dialog, ConvertDialog::kInputEdit)->text().toStdString(),
            folder_.File("models/a.cob"));
  EXPECT_EQ(Edit(*dialog, ConvertDialog::kOutputEdit)->text().toStdString(),
            folder_.File("stage/a.po3"));
  const auto& asked = prompter_.AskedQuestions();
  ASSERT_EQ(asked.size(), 3u);
  EXPECT_EQ(asked[0].kind, ScriptedPrompter::Asked::Kind::kOpenFile);
  EXPECT_EQ(asked[0].request.filters.at(0).first, "cobファイル(*.cob)");
  EXPECT_EQ(asked[0].request.filters.at(0).second, "*.cob");
  EXPECT_EQ(asked[0].request.filters.at(1).second,
            "*.cob;*.gltf;*.glb;*.obj;*.fbx;*.dae;*.3ds;*.ply;*.stl");
  EXPECT_EQ(asked[1].kind, ScriptedPrompter::Asked::Kind::kSaveFile);
  EXPECT_EQ(asked[1].request.filters.at(0).first, "po3ファイル(*.po3)");
  EXPECT_EQ(asked[2].request.start_folder, folder_.File("models"));
  EXPECT_EQ(SettingsFile::ReadString(settings_, "cobfilerefer", "LoadFileDir", ""),
            folder_.File("models"));
  EXPECT_EQ(SettingsFile::ReadString(settings_, "ascfilerefer", "LoadFileDir", ""),
            folder_.File("stage"));
}

TEST_F(ConvertDialogTest, ConvertsOnTheWorkerWithProgressAndReturnsToIdle) {
  cob_text::Object object = cob_text::Triangle(folder_.Write("t.bmp", BitmapBytes(8, 4)));
  for (int i = 0; i < 200; ++i) object.vertices.push_back("1 2 3");
  const std::string input = folder_.Write("in.cob", cob_text::Scene({object}));
  auto dialog = MakeDialog();
  SetPaths(*dialog, input, folder_.File("new folder/out.po3"));
  std::vector<int> progress;
  QObject::connect(dialog->ProgressBar(), &QProgressBar::valueChanged,
                   [&](int value) { progress.push_back(value); });

  ASSERT_EQ(RunConversion(*dialog), kConverted);
  ASSERT_EQ(prompter_.AskedQuestions().size(), 1u);
  const auto& message = prompter_.AskedQuestions()[0];
  EXPECT_EQ(message.caption, "Message");
  EXPECT_EQ(message.text, "正常に変換されました");
  EXPECT_EQ(message.icon, PromptIcon::kInformation);
  bool moved = false;
  for (int value : progress) moved = moved || (value > 0 && value <= 50);
  EXPECT_TRUE(moved);
  EXPECT_EQ(dialog->ProgressBar()->value(), 0);
  EXPECT_TRUE(Button(*dialog, ConvertDialog::kRunButton)->isEnabled());
  EXPECT_FALSE(Button(*dialog, ConvertDialog::kCancelButton)->isEnabled());
  for (const char* name : {"out.po3", "PolFile.txt", "t.bmp"}) {
    EXPECT_TRUE(std::filesystem::exists(folder_.File(std::string("new folder/") + name))) << name;
  }
}

// Models of the import library's kinds go through the same dialog; the notes of a
// conversion follow its result message.
TEST_F(ConvertDialogTest, ConvertsModelsAndShowsTheNotes) {
  folder_.Write("wood.bmp", BitmapBytes(4, 4));
  folder_.Write("m.mtl", "newmtl wood\nKd 1 1 1\nmap_Kd wood.bmp\n");
  const std::string obj = folder_.Write("m.obj",
                                        "mtllib m.mtl\nv 0 0 0\nv 1 0 0\nv 0 1 0\n"
                                        "vt 0 0\nusemtl wood\nf 1/1 2/1 3/1\n");
  auto dialog = MakeDialog();
  SetPaths(*dialog, obj, folder_.File("models/m.po3"));
  ASSERT_EQ(RunConversion(*dialog), kConverted);
  for (const char* name : {"m.po3", "PolFile.txt", "wood.bmp"}) {
    EXPECT_TRUE(std::filesystem::exists(folder_.File(std::string("models/") + name))) << name;
  }

  std::string text = cob_text::Scene({cob_text::Triangle()});
  const std::string plain = "Shader name: \"plain color\" (plain)\n";
  text.replace(text.find(plain), plain.size(),
               "Shader name: \"texture map\" (caligari texture)\nfile name: string \"a.jpg\"\n");
  SetPaths(*dialog, folder_.Write("shader.cob", text), folder_.File("models/s.po3"));
  prompter_.ClearRecord();
  ASSERT_EQ(RunConversion(*dialog), kConverted);
  ASSERT_EQ(prompter_.AskedQuestions().size(), 1u);
  EXPECT_EQ(prompter_.AskedQuestions()[0].text,
            std::string("正常に変換されました\n") + ShaderTextureNote("a.jpg"));
}

TEST_F(ConvertDialogTest, CancelWhileReadingLeavesNoOutput) {
  cob_text::Object object = cob_text::Triangle();
  for (int i = 0; i < 2000; ++i) object.vertices.push_back("1 2 3");
  // The worker waits for the scene on a pipe until cancel has been pressed, so the cancel
  // always falls into the reading.
  const std::string input = folder_.File("big.cob");
  ASSERT_EQ(::mkfifo(input.c_str(), 0600), 0);
  auto dialog = MakeDialog();
  SetPaths(*dialog, input, folder_.File("out/big.po3"));
  const int result = WaitForResult(*dialog, [&] {
    Button(*dialog, ConvertDialog::kRunButton)->click();
    // Running: only the cancel button works.
    EXPECT_FALSE(Button(*dialog, ConvertDialog::kRunButton)->isEnabled());
    EXPECT_TRUE(Button(*dialog, ConvertDialog::kCancelButton)->isEnabled());
    Button(*dialog, ConvertDialog::kCancelButton)->click();
    folder_.Write("big.cob", cob_text::Scene({object}));
  });
  EXPECT_EQ(result, kConversionCancelled);
  EXPECT_EQ(prompter_.MessageTexts(), std::vector<std::string>{"途中で中止されました"});
  EXPECT_FALSE(std::filesystem::exists(folder_.File("out/big.po3")));
  EXPECT_FALSE(std::filesystem::exists(folder_.File("out/PolFile.txt")));
  EXPECT_TRUE(Button(*dialog, ConvertDialog::kRunButton)->isEnabled());

  // A cancel after the run does not stop the next one.
  Button(*dialog, ConvertDialog::kCancelButton)->setEnabled(true);
  Button(*dialog, ConvertDialog::kCancelButton)->click();
  SetPaths(*dialog, folder_.Write("small.cob", cob_text::Scene({object})),
           folder_.File("out/big.po3"));
  EXPECT_EQ(RunConversion(*dialog), kConverted);
}

TEST_F(ConvertDialogTest, RefusalsAndAFolderThatCannotBeMade) {
  auto dialog = MakeDialog();
  folder_.Write("file", "x");
  SetPaths(*dialog, folder_.File("in.cob"), folder_.File("file/out.po3"));
  Button(*dialog, ConvertDialog::kRunButton)->click();
  ASSERT_EQ(prompter_.AskedQuestions().size(), 1u);
  // The box of a failure looks like every other error box of the suite.
  EXPECT_EQ(prompter_.AskedQuestions()[0].caption, "Error");
  EXPECT_EQ(prompter_.AskedQuestions()[0].icon, PromptIcon::kError);
  EXPECT_EQ(prompter_.AskedQuestions()[0].text.rfind("ディレクトリを作成できません", 0), 0u);
  EXPECT_NE(prompter_.AskedQuestions()[0].text.find(folder_.File("file")), std::string::npos);
  EXPECT_FALSE(dialog->Running());
  EXPECT_TRUE(Button(*dialog, ConvertDialog::kRunButton)->isEnabled());

  // A failed conversion takes the folders made for it away again.
  prompter_.ClearRecord();
  SetPaths(*dialog, folder_.File("missing.cob"), folder_.File("out/deeper/x.po3"));
  EXPECT_EQ(RunConversion(*dialog), kCobOpenFailed);
  EXPECT_EQ(prompter_.MessageTexts(), std::vector<std::string>{"COBファイルのオープンに失敗"});
  EXPECT_FALSE(std::filesystem::exists(folder_.File("out")));
}

TEST_F(ConvertDialogTest, AnOutputFolderThatTakesNoFilesIsNamedWithTheReason) {
  const std::string locked = UnwritableFolder(folder_);
  if (locked.empty()) GTEST_SKIP() << "no folder here refuses new files";
  auto dialog = MakeDialog();
  const std::string output = locked + "/out.po3";
  SetPaths(*dialog, folder_.Write("in.cob", cob_text::Scene({cob_text::Triangle()})), output);
  Button(*dialog, ConvertDialog::kRunButton)->click();
  ASSERT_EQ(prompter_.AskedQuestions().size(), 1u);
  const std::string& text = prompter_.AskedQuestions()[0].text;
  EXPECT_EQ(text.find("ディレクトリを作成できません"), std::string::npos) << text;
  EXPECT_NE(text.find("書き込めません"), std::string::npos) << text;
  EXPECT_NE(text.find(output), std::string::npos) << text;
  EXPECT_FALSE(dialog->Running());
}

TEST_F(ConvertDialogTest, AFileGivenOnTheCommandLineBecomesTheInput) {
  auto dialog = MakeDialog();
  dialog->SetInputPath("/data/scene.cob");
  // Ctrl+O browses for the input as the button does.
  prompter_.QueuePath(folder_.File("chosen.cob"));
  ASSERT_TRUE(PressShortcut(dialog.get(), QKeySequence(Qt::CTRL | Qt::Key_O)));
  EXPECT_EQ(Edit(*dialog, ConvertDialog::kInputEdit)->text().toStdString(),
            folder_.File("chosen.cob"));
  dialog->SetInputPath("/data/scene.cob");
  EXPECT_EQ(Edit(*dialog, ConvertDialog::kInputEdit)->text(), QStringLiteral("/data/scene.cob"));
  EXPECT_TRUE(OpensDialogWithInput({"scene.cob"}));
  for (const std::vector<std::string>& batch :
       {std::vector<std::string>{}, {"--help"}, {"a.cob", "b.po3"}, {"--invert", "a.cob"}}) {
    EXPECT_FALSE(OpensDialogWithInput(batch));
  }
}

TEST_F(ConvertDialogTest, ClosingWhileRunningStopsTheWorkerAndKeepsTheSettings) {
  cob_text::Object object = cob_text::Triangle();
  for (int i = 0; i < 20000; ++i) object.vertices.push_back("1 2 3");
  const std::string input = folder_.Write("big.cob", cob_text::Scene({object}));
  auto dialog = MakeDialog();
  SetPaths(*dialog, input, folder_.File("out/big.po3"));
  Button(*dialog, ConvertDialog::kRunButton)->click();
  dialog->reject();
  EXPECT_FALSE(dialog->Running());
  QCoreApplication::processEvents();
  EXPECT_TRUE(prompter_.MessageTexts().empty());
  EXPECT_EQ(SettingsFile::ReadString(settings_, "FileName", "InputCobFile", ""), input);
}

TEST_F(ConvertDialogTest, DialogAndBatchWriteTheSameFiles) {
  folder_.Write("wood.bmp", BitmapBytes(16, 16));
  cob_text::Object first = cob_text::Triangle(folder_.File("wood.bmp"));
  cob_text::Object second = cob_text::Triangle();
  second.transform = "1 0 0 1\n0 1 0 2\n0 0 1 3\n0 0 0 1\n";
  const std::string input = folder_.Write("scene.cob", cob_text::Scene({first, second}));
  auto dialog = MakeDialog();
  SetPaths(*dialog, input, folder_.File("dialog/scene.po3"));
  ASSERT_EQ(RunConversion(*dialog), kConverted);

  const std::string program = std::string(SUITE_BIN_DIR) + "/polyconv";
  const std::string command = "'" + program + "' --invert '" + input + "' '" +
                              folder_.File("batch/scene.po3") + "' >/dev/null";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), kConverted);
  for (const char* name : {"scene.po3", "PolFile.txt", "wood.bmp"}) {
    const std::string batch = TempFolder::Read(folder_.File(std::string("batch/") + name));
    EXPECT_FALSE(batch.empty()) << name;
    EXPECT_EQ(batch, TempFolder::Read(folder_.File(std::string("dialog/") + name))) << name;
  }

  // The program's exit status is the result code.
  const std::string refused = "'" + program + "' '" + folder_.File("none.cob") + "' '" +
                              folder_.File("batch/x.po3") + "' 2>/dev/null";
  const int refused_status = std::system(refused.c_str());
  ASSERT_TRUE(WIFEXITED(refused_status));
  EXPECT_EQ(WEXITSTATUS(refused_status), kCobOpenFailed);
}

}  // namespace
