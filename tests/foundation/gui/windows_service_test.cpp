#include "foundation/gui/windows_service.h"

#include <gtest/gtest.h>
#include <QWidget>

#include "foundation/file_io.h"
#include "foundation/gui/display_depth.h"
#include "foundation/settings_file.h"
#include "tests/foundation/gui/gui_test_app.h"
#include "tests/support/temp_folder.h"

namespace {

TEST(WindowPlacementTest, FirstRunRestoresTheDefaultNormalWindow) {
  EnsureTestApplication();
  TempFolder folder;
  const std::string settings = folder.File("Settei.ini");
  const WindowPlacementRecord placement = WindowsService1::ReadPlacement("MainWindow", settings);
  EXPECT_EQ(placement.show_cmd, 1);
  EXPECT_EQ(placement.length, WindowsService1::kPlacementLength);
  QWidget window;
  WindowsService1::LoadPlacement(&window, "MainWindow", settings);
  EXPECT_EQ(window.geometry(), QRect(QPoint(10, 10), QPoint(499, 399)));
  EXPECT_FALSE(window.windowState() & (Qt::WindowMinimized | Qt::WindowMaximized));
  EXPECT_FALSE(TempFolder::Read(settings).size() > 0) << "loading must not write";
}

TEST(WindowPlacementTest, SavesTheElevenKeysInOrderAndRestoresThem) {
  EnsureTestApplication();
  TempFolder folder;
  const std::string settings = folder.File("Settei.ini");
  QWidget window;
  window.setGeometry(40, 50, 300, 200);
  // One save for the eleven keys: every save waits for the disk, and a program that saved
  // key by key stayed alive for a second or two after its window closed.
  static int saves = 0;
  saves = 0;
  SetFileFaultHookForTesting([](FileOperation operation) {
    if (operation == FileOperation::kFsync) ++saves;
    return false;
  });
  const bool saved = WindowsService1::SavePlacement(&window, "Main", settings);
  SetFileFaultHookForTesting(nullptr);
  ASSERT_TRUE(saved);
  EXPECT_LE(saves, 2);  // the file and its folder
  EXPECT_EQ(TempFolder::Read(settings),
            "[Main]\r\nLength=44\r\nFlags=0\r\nShowCmd=1\r\nMinPos.x=0\r\nMinPos.y=0\r\n"
            "MaxPos.x=0\r\nMaxPos.y=0\r\nTop=50\r\nLeft=40\r\nRight=340\r\nBottom=250\r\n");
  QWidget restored;
  WindowsService1::LoadPlacement(&restored, "Main", settings);
  EXPECT_EQ(restored.geometry(), QRect(40, 50, 300, 200));
}

TEST(WindowPlacementTest, MinimisedComesBackNormalAndLostRectanglesComeBackHome) {
  EnsureTestApplication();
  TempFolder folder;
  const std::string settings = folder.File("Settei.ini");
  WindowPlacementRecord saved;
  saved.show_cmd = 2;
  saved.left = 20;
  saved.top = 30;
  saved.right = 220;
  saved.bottom = 130;
  ASSERT_TRUE(WindowsService1::WritePlacement(saved, "Min", settings));
  EXPECT_EQ(WindowsService1::ReadPlacement("Min", settings).show_cmd, 1);
  QWidget window;
  WindowsService1::LoadPlacement(&window, "Min", settings);
  EXPECT_FALSE(window.windowState() & Qt::WindowMinimized);
  EXPECT_EQ(window.geometry(), QRect(20, 30, 200, 100));

  // Saved on a monitor that is no longer there, or with no size: the default rectangle.
  saved.show_cmd = 1;
  saved.left = 50000;
  saved.right = 50300;
  ASSERT_TRUE(WindowsService1::WritePlacement(saved, "Gone", settings));
  WindowsService1::LoadPlacement(&window, "Gone", settings);
  EXPECT_EQ(window.geometry(), QRect(QPoint(10, 10), QPoint(499, 399)));
}

TEST(ChooseColourTest, ChosenColourAndCustomColoursGoThroughTheSettings) {
  EnsureTestApplication();
  TempFolder folder;
  const std::string settings = folder.File("Settei.ini");
  ASSERT_TRUE(SettingsFile::WriteInt(settings, "Colour", "CustumColor5", 0x00102030));
  ScopedScriptedPrompter prompter;
  uint8_t red = 1, green = 2, blue = 3;

  prompter.QueueColour(false);
  EXPECT_EQ(WindowsService1::ChooseColour(nullptr, red, green, blue, "Colour", settings), 1);
  EXPECT_EQ(red, 1);
  EXPECT_EQ(SettingsFile::ReadString(settings, "Colour", "CustumColor0", "absent"), "absent");

  prompter.QueueColour(true, {200, 100, 50});
  EXPECT_EQ(WindowsService1::ChooseColour(nullptr, red, green, blue, "Colour", settings), 0);
  EXPECT_EQ(red, 200);
  EXPECT_EQ(green, 100);
  EXPECT_EQ(blue, 50);
  EXPECT_EQ(SettingsFile::ReadInt(settings, "Colour", "CustumColor5", -1), 0x00102030);
  EXPECT_EQ(SettingsFile::ReadInt(settings, "Colour", "CustumColor15", -1), 0);
}

// Records the custom colours the dialog was started with and changes one.
class CustomColourPrompter : public ScriptedPrompter {
 public:
  bool ChooseColour(PromptOwner, PromptColour& colour, std::array<uint32_t, 16>& custom) override {
    seen = custom;
    custom[0] = 0x00ABCDEF;
    colour = {9, 8, 7};
    return true;
  }
  std::array<uint32_t, 16> seen{};
};

TEST(ChooseColourTest, TheDialogStartsWithTheStoredCustomColoursAndTheirChangesAreKept) {
  EnsureTestApplication();
  TempFolder folder;
  const std::string settings = folder.File("Settei.ini");
  ASSERT_TRUE(SettingsFile::WriteInt(settings, "C", "CustumColor3", 4242));
  CustomColourPrompter prompter;
  Prompter* previous = Prompter::Install(&prompter);
  uint8_t red = 0, green = 0, blue = 0;
  EXPECT_EQ(WindowsService1::ChooseColour(nullptr, red, green, blue, "C", settings), 0);
  Prompter::Install(previous);
  EXPECT_EQ(prompter.seen[3], 4242u);
  EXPECT_EQ(SettingsFile::ReadInt(settings, "C", "CustumColor0", 0), 0x00ABCDEF);
  EXPECT_EQ(red, 9);
}

TEST(WindowSurfaceTest, SurfaceHasTheClientSizeAndIsRemadeOnResize) {
  EnsureTestApplication();
  QWidget window;
  window.resize(120, 70);
  Surface16 surface;
  WindowsService1::CreateSurface(&window, surface);
  EXPECT_EQ(surface.Width(), 120);
  EXPECT_EQ(surface.Height(), 70);
  surface.Set(0, 0, 0x7FFF);
  window.resize(30, 20);
  WindowsService1::CreateSurface(&window, surface);
  int32_t width = 0, height = 0;
  WindowsService1::ClientSize(&window, width, height);
  EXPECT_EQ(surface.Width(), width);
  EXPECT_EQ(surface.Height(), height);
  EXPECT_EQ(surface.At(0, 0), 0);
}

TEST(DisplayDepthTest, AcceptsSixteenTwentyFourAndThirtyTwoBitsOnly) {
  EnsureTestApplication();
  ScopedScriptedPrompter prompter;
  for (int bits : {16, 24, 32}) {
    DisplayDepth::InjectQuery([bits] { return bits; });
    EXPECT_TRUE(DisplayDepth::Check()) << bits;
  }
  EXPECT_TRUE(prompter.AskedQuestions().empty());
  for (int bits : {8, 15, 30}) {
    DisplayDepth::InjectQuery([bits] { return bits; });
    EXPECT_FALSE(DisplayDepth::Check()) << bits;
  }
  DisplayDepth::InjectQuery(nullptr);
  ASSERT_EQ(prompter.AskedQuestions().size(), 3u);
  EXPECT_EQ(prompter.AskedQuestions()[0].caption, "Error");
  EXPECT_EQ(prompter.MessageTexts()[0], "システムのカラービットを16または24ビットにしてください!!");
}

}  // namespace
