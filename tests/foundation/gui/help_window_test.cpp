#include "foundation/gui/help_window.h"

#include <QTextBrowser>
#include <gtest/gtest.h>

#include "foundation/gui/button_sound.h"
#include "tests/foundation/gui/gui_test_app.h"
#include "tests/support/temp_folder.h"

namespace {

TEST(HelpWindowTest, ShowsThePageAndFollowsLinks) {
  EnsureTestApplication();
  TempFolder folder;
  const std::string index = folder.Write(
      "index.html", "<html><head><title>目次</title></head><body><h1>目次</h1>"
                    "<a href=\"tools.html\">ツール</a></body></html>");
  folder.Write("tools.html", "<html><head><title>ツール</title></head><body>移動</body></html>");
  ScopedScriptedPrompter prompter;
  HelpWindow1* help = HelpWindow1::Show(nullptr, index);
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(help->Browser()->toPlainText().contains(QStringLiteral("ツール")));
  help->Browser()->setSource(QUrl(QStringLiteral("tools.html")));
  EXPECT_TRUE(help->Browser()->toPlainText().contains(QStringLiteral("移動")));
  EXPECT_EQ(HelpWindow1::Show(nullptr, index), help);  // one window, back on the contents
  EXPECT_TRUE(help->Browser()->toPlainText().contains(QStringLiteral("ツール")));
  EXPECT_TRUE(prompter.AskedQuestions().empty());
  help->close();  // deletes itself on close
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(HelpWindow1::Current(), nullptr);
}

TEST(HelpWindowTest, AMissingPageIsToldNotShown) {
  EnsureTestApplication();
  ScopedScriptedPrompter prompter;
  EXPECT_EQ(HelpWindow1::Show(nullptr, "/nonexistent/Help/index.html"), nullptr);
  ASSERT_EQ(prompter.MessageTexts().size(), 1u);
  EXPECT_EQ(prompter.AskedQuestions()[0].caption, "Error");
}

TEST(ButtonSoundTest, MissingSoundIsSilent) {
  EnsureTestApplication();
  ButtonSound1 sound("/nonexistent/SetButton.wav");
  sound.Play();
  sound.Play();
  EXPECT_EQ(sound.PlayCount(), 2);
}

}  // namespace
