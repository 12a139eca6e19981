#include <gtest/gtest.h>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <filesystem>
#include <vector>

#include "foundation/settings_file.h"
#include "pictures/gui/picture_bank_high_color_wnd.h"
#include "pictures/gui/picture_color_select_wnd.h"
#include "pictures/gui/picture_drawing.h"
#include "pictures/gui/picture_list_wnd.h"
#include "pictures/gui/picture_open_dialog.h"
#include "pictures/gui/picture_view_wnd.h"
#include "pictures/picture_bank_high_color1.h"
#include "tests/foundation/gui/gui_test_app.h"
#include "tests/support/temp_folder.h"

namespace {

using Bank = PictureBankHighColor1;

// A 24-bit BMP of `width` x `height`; `colour(x, y)` gives 0xRRGGBB, y counted from the top.
template <typename Colour>
std::string WriteBmp(const TempFolder& folder, const std::string& name, int width, int height,
                     Colour colour) {
  const int row_bytes = (width * 3 + 3) / 4 * 4;
  std::string bytes = "BM";
  auto put32 = [&bytes](uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes.push_back(char((v >> (8 * i)) & 0xFF));
  };
  auto put16 = [&bytes](uint16_t v) {
    bytes.push_back(char(v & 0xFF));
    bytes.push_back(char(v >> 8));
  };
  put32(uint32_t(54 + row_bytes * height));
  put32(0);
  put32(54);
  put32(40);
  put32(uint32_t(width));
  put32(uint32_t(height));
  put16(1);
  put16(24);
  put32(0);
  put32(uint32_t(row_bytes * height));
  put32(2835);
  put32(2835);
  put32(0);
  put32(0);
  for (int y = height - 1; y >= 0; --y) {
    std::string row;
    for (int x = 0; x < width; ++x) {
      const uint32_t c = colour(x, y);
      row.push_back(char(c & 0xFF));
      row.push_back(char((c >> 8) & 0xFF));
      row.push_back(char((c >> 16) & 0xFF));
    }
    row.resize(size_t(row_bytes), '\0');
    bytes += row;
  }
  return folder.Write(name, bytes);
}

// Red, green / blue, white.
uint32_t Quarter(int x, int y) {
  static const uint32_t colours[2][2] = {{0xFF0000, 0x00FF00}, {0x0000FF, 0xFFFFFF}};
  return colours[y][x];
}

uint32_t Quarter4x2(int x, int y) { return Quarter(x / 2, y); }

// The bank and the window classes, started for one test.
struct PictureClasses {
  explicit PictureClasses(int bits = 16) {
    EnsureTestApplication();
    Bank::StartUp(bits);
    PictureViewWnd1::StartUp();
    PictureListWnd1::StartUp();
    PictureColorSelectWnd1::StartUp();
    PictureBankHighColorWnd1::StartUp();
  }
  ~PictureClasses() {
    PictureBankHighColorWnd1::ShutDown();
    PictureColorSelectWnd1::ShutDown();
    PictureListWnd1::ShutDown();
    PictureViewWnd1::ShutDown();
    Bank::ShutDown();
  }
};

TEST(PictureDrawingTest, CheckerboardStartsGreyAtTheTopLeft) {
  Surface16 surface(20, 12);
  picture_drawing::Checkerboard(surface);
  EXPECT_EQ(surface.At(0, 0), picture_drawing::kGrey);
  EXPECT_EQ(surface.At(4, 4), picture_drawing::kGrey);
  EXPECT_EQ(surface.At(5, 0), picture_drawing::kLightBlue);
  EXPECT_EQ(surface.At(0, 5), picture_drawing::kLightBlue);
  EXPECT_EQ(surface.At(5, 5), picture_drawing::kGrey);
  EXPECT_EQ(surface.At(19, 11), picture_drawing::kLightBlue);  // column 3, row 2
}

TEST(PictureDrawingTest, StretchFollowsTheTruncatedFactors) {
  // A 3-wide row into 7 pixels: columns 0 0 0 1 1 2 2 (factor 3/7 accumulated).
  const uint8_t pixels[] = {1, 0, 2, 0, 3, 0};
  PictureInfo info;
  info.width = 3;
  info.height = 1;
  Surface16 surface(7, 2);
  picture_drawing::StretchPicture(surface, QRect(0, 0, 7, 2), pixels, info);
  std::vector<uint16_t> row;
  for (int x = 0; x < 7; ++x) row.push_back(surface.At(x, 1));
  EXPECT_EQ(row, (std::vector<uint16_t>{1, 1, 1, 2, 2, 3, 3}));
  // Transparency leaves the background.
  info.transparency_switch = 1;
  info.transparent_colour = 2;
  surface.Fill(9);
  picture_drawing::StretchPicture(surface, QRect(0, 0, 7, 1), pixels, info);
  EXPECT_EQ(surface.At(3, 0), 9);
  EXPECT_EQ(surface.At(5, 0), 3);
  // A target partly outside the surface is clipped.
  picture_drawing::StretchPicture(surface, QRect(-3, -1, 7, 2), pixels, info);
  EXPECT_EQ(surface.At(0, 0), 1);
}

TEST(PictureViewTest, TwoByTwoPictureFillsEightyByEightyWithFortyPixelBlocks) {
  PictureClasses classes;
  TempFolder folder;
  const std::string path = WriteBmp(folder, "quarters.bmp", 2, 2, Quarter);
  QWidget parent;
  PictureViewWnd1 view(&parent, 7);
  view.resize(80, 80);
  ASSERT_GE(view.ShowPath(path), 0);
  const Surface16& surface = view.Surface();
  ASSERT_EQ(surface.Width(), 80);
  const uint16_t red = PackColour555(255, 0, 0), green = PackColour555(0, 255, 0),
                 blue = PackColour555(0, 0, 255), white = 0x7FFF;
  for (int y = 0; y < 80; ++y) {
    for (int x = 0; x < 80; ++x) {
      const uint16_t expected = y < 40 ? (x < 40 ? red : green) : (x < 40 ? blue : white);
      ASSERT_EQ(surface.At(x, y), expected) << x << "," << y;
    }
  }
  // The frame is two red pixels along the border.
  view.SetFrame(true);
  EXPECT_EQ(view.Surface().At(1, 40), picture_drawing::kRed);
  EXPECT_EQ(view.Surface().At(40, 78), picture_drawing::kRed);
  EXPECT_EQ(view.Surface().At(2, 40), blue);
  EXPECT_EQ(view.objectName(), QStringLiteral("PicutreViewWnd_picviewwnd1"));
}

TEST(PictureViewTest, HoldsOneReferenceAndShowsNothingAfterAFailedLoad) {
  PictureClasses classes;
  TempFolder folder;
  const std::string path = WriteBmp(folder, "a.bmp", 2, 2, Quarter);
  const int32_t own = Bank::Register(path, 0);
  {
    PictureViewWnd1 view(nullptr);
    view.resize(10, 10);
    EXPECT_EQ(view.ShowPath(path), own);  // shared with the registration above
    EXPECT_EQ(Bank::ReferenceCount(own), 2);
    view.ShowId(own);
    EXPECT_EQ(Bank::ReferenceCount(own), 2);
    EXPECT_EQ(view.ShowPath(folder.File("missing.bmp")), Bank::kCannotOpen);
    EXPECT_EQ(view.PictureId(), -1);
    EXPECT_EQ(Bank::ReferenceCount(own), 1);
    // Nothing shown: the checkerboard.
    EXPECT_EQ(view.Surface().At(0, 0), picture_drawing::kGrey);
    view.ShowId(own);
  }
  EXPECT_EQ(Bank::ReferenceCount(own), 1);
  Bank::Release(own);
  EXPECT_EQ(Bank::Count(), 0);
}

TEST(PictureViewTest, AllTransparentPictureLeavesTheCheckerboard) {
  PictureClasses classes;
  TempFolder folder;
  const int32_t id =
      Bank::Register(WriteBmp(folder, "plain.bmp", 4, 4, [](int, int) { return 0x123456u; }), 0);
  Bank::SetTransparentColour(id, PackColour555(0x12, 0x34, 0x56));
  PictureViewWnd1 view(nullptr);
  view.resize(20, 20);
  view.ShowId(id);
  Surface16 board(20, 20);
  picture_drawing::Checkerboard(board);
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 20; ++x) ASSERT_EQ(view.Surface().At(x, y), board.At(x, y));
  }
  Bank::Release(id);
}

TEST(PictureViewTest, EveryViewAdvancesTheSharedClockAndClicksReportTheId) {
  PictureClasses classes;
  PictureViewWnd1 first(nullptr, 0x10), second(nullptr, 0x20);
  EXPECT_EQ(PictureViewWnd1::Clock(), 0u);  // reset by the last window made
  first.Tick();
  second.Tick();
  EXPECT_EQ(PictureViewWnd1::Clock(), 2u * PictureViewWnd1::kTickMs);
  int reported = -1;
  QObject::connect(&second, &PictureViewWnd1::Command,
                   [&reported](int id, PictureViewWnd1*) { reported = id; });
  second.resize(10, 10);
  SendMouse(&second, QEvent::MouseButtonPress, QPoint(3, 3), Qt::LeftButton, Qt::LeftButton);
  EXPECT_EQ(reported, 0x20);
}

TEST(PictureListTest, LayoutSelectionAndReferences) {
  PictureClasses classes;
  TempFolder folder;
  const int32_t a = Bank::Register(WriteBmp(folder, "a.bmp", 2, 2, Quarter), 0);
  const int32_t b = Bank::Register(WriteBmp(folder, "b.bmp", 4, 2, Quarter4x2), 0);
  QWidget parent;
  auto* list = new PictureListWnd1(&parent);
  list->resize(501, 81);
  EXPECT_EQ(list->objectName(), QStringLiteral("PicutreListWnd_picturelistwnd1"));
  EXPECT_EQ(list->Surface().Width(), 504);
  EXPECT_EQ(list->Surface().Height(), 84);
  EXPECT_EQ(list->ScrollBar()->geometry(), QRect(0, 66, 350, 15));
  EXPECT_EQ(list->PathField()->geometry(), QRect(350, 66, 151, 15));
  EXPECT_TRUE(list->PathField()->isReadOnly());
  EXPECT_EQ(list->PathField()->text(), QStringLiteral("??"));

  list->Append(a);
  list->Append(b);
  EXPECT_EQ(Bank::ReferenceCount(a), 2);
  const int cell = list->CellSize();
  const int second_x = PictureRowWindow::kSpacing * 2 + cell + cell / 2;
  SendMouse(list, QEvent::MouseButtonPress, QPoint(second_x, 20), Qt::LeftButton, Qt::LeftButton);
  EXPECT_EQ(list->Selected(), 1);
  EXPECT_EQ(list->SelectedId(), b);
  EXPECT_EQ(list->PathField()->text().toStdString(), folder.File("b.bmp"));
  // Clicking between the cells selects nothing new.
  SendMouse(list, QEvent::MouseButtonPress, QPoint(PictureRowWindow::kSpacing + cell + 1, 20),
            Qt::LeftButton, Qt::LeftButton);
  EXPECT_EQ(list->Selected(), 1);

  list->RemoveAt(1);
  EXPECT_EQ(list->Selected(), -1);
  EXPECT_EQ(list->PathField()->text(), QStringLiteral("??"));
  EXPECT_EQ(Bank::ReferenceCount(b), 1);
  delete list;
  EXPECT_EQ(Bank::ReferenceCount(a), 1);
  Bank::Release(a);
  Bank::Release(b);
}

TEST(PictureListTest, LongRowsScrollAndLongPathsAreCut) {
  PictureClasses classes;
  TempFolder folder;
  const std::string long_name = std::string(120, 'p') + ".bmp";
  const int32_t id = Bank::Register(WriteBmp(folder, long_name, 2, 2, Quarter), 0);
  PictureListWnd1 list(nullptr);
  list.resize(200, 81);
  for (int i = 0; i < 10; ++i) list.Append(id);
  EXPECT_GT(list.ScrollBar()->maximum(), 0);
  list.SetSelected(9);
  EXPECT_EQ(list.ScrollBar()->value(), list.ScrollBar()->maximum());
  EXPECT_EQ(list.PathField()->text().size(), 99);
  list.Clear();
  EXPECT_EQ(Bank::ReferenceCount(id), 1);
  Bank::Release(id);
}

TEST(PictureBankWindowTest, ShowsEveryPictureInIdOrder) {
  PictureClasses classes;
  TempFolder folder;
  const int32_t a = Bank::Register(WriteBmp(folder, "a.bmp", 2, 2, Quarter), 0);
  const int32_t b = Bank::Register(WriteBmp(folder, "b.bmp", 2, 2, Quarter), 0);
  PictureBankHighColorWnd1 browser(nullptr);
  browser.resize(300, 81);
  EXPECT_EQ(browser.objectName(), QStringLiteral("PicutreBankWnd_picbankhighwnd1"));
  EXPECT_EQ(browser.Count(), 2);
  EXPECT_EQ(browser.IdAt(0), a);
  EXPECT_EQ(browser.IdAt(1), b);
  SendMouse(&browser, QEvent::MouseButtonPress, QPoint(PictureRowWindow::kSpacing + 2, 20),
            Qt::LeftButton, Qt::LeftButton);
  EXPECT_EQ(browser.SelectedId(), a);
  Bank::Release(a);
  browser.BankChanged();
  EXPECT_EQ(browser.Count(), 1);
  EXPECT_EQ(browser.Selected(), 0);
  Bank::Release(b);
  browser.BankChanged();
  EXPECT_EQ(browser.Selected(), -1);
}

TEST(PictureColorSelectTest, LeftClickPicksThePixelColourRightClickCancels) {
  PictureClasses classes;
  TempFolder folder;
  const int32_t id = Bank::Register(WriteBmp(folder, "q.bmp", 2, 2, Quarter), 0);
  PictureColorSelectWnd1 select(nullptr);
  select.resize(80, 81);
  select.ShowId(id);
  std::vector<int> codes;
  QObject::connect(&select, &PictureColorSelectWnd1::Command,
                   [&codes](int code, PictureColorSelectWnd1*) { codes.push_back(code); });
  SendMouse(&select, QEvent::MouseButtonPress, QPoint(60, 10), Qt::LeftButton, Qt::LeftButton);
  EXPECT_EQ(select.PickedColour(), PackColour555(0, 255, 0));
  SendMouse(&select, QEvent::MouseButtonPress, QPoint(10, 70), Qt::LeftButton, Qt::LeftButton);
  EXPECT_EQ(select.PickedColour(), PackColour555(0, 0, 255));
  SendMouse(&select, QEvent::MouseButtonPress, QPoint(10, 70), Qt::RightButton, Qt::RightButton);
  EXPECT_EQ(codes, (std::vector<int>{0x400, 0x400, 0x401}));

  // The transparent colour is marked by letting the checkerboard through.
  select.SetTransparentColour(PackColour555(255, 0, 0));
  EXPECT_EQ(select.Surface().At(0, 0), picture_drawing::kGrey);
  EXPECT_EQ(select.Surface().At(6, 1), picture_drawing::kLightBlue);
  select.SetTransparentColour(-1);
  EXPECT_EQ(select.Surface().At(0, 0), PackColour555(255, 0, 0));
  EXPECT_EQ(select.cursor().hotSpot(), QPoint(4, 27));
  Bank::Release(id);
}

TEST(PictureOpenTest, FilterListsTheAllowedFormats) {
  EXPECT_EQ(PictureFilter(kPictureBmp | kPictureTsy),
            FileFilter("画像ファイル(*.bmp,*.tsy)", "*.bmp;*.tsy"));
  EXPECT_EQ(PictureFilter(kPictureBmp | kPictureGif | kPictureTsy),
            FileFilter("画像ファイル(*.bmp,*.gif,*.tsy)", "*.bmp;*.gif;*.tsy"));
  EXPECT_EQ(PictureFilter(kPictureGif), FileFilter("画像ファイル(*.gif)", "*.gif"));
}

TEST(PictureOpenTest, PreviewTellsGifAndLoadErrorsAndShowsTheSize) {
  PictureClasses classes;
  TempFolder folder;
  ScopedScriptedPrompter prompter;
  PictureViewWnd1 view(nullptr);
  view.resize(80, 80);
  QLabel label;
  PicturePreview preview(&view, &label, nullptr);
  preview.Select(folder.Write("anim.gif", "GIF89a\x02\x00\x02\x00"));
  ASSERT_EQ(prompter.AskedQuestions().size(), 1u);
  EXPECT_EQ(prompter.AskedQuestions()[0].caption, "Message");
  EXPECT_EQ(prompter.MessageTexts()[0], "特許の関係で配布版ではGIFファイルはロードできません");
  EXPECT_EQ(label.text(), QStringLiteral("なし"));

  preview.Select(folder.Write("broken.bmp", "BMnot a picture"));
  ASSERT_EQ(prompter.AskedQuestions().size(), 2u);
  EXPECT_EQ(prompter.AskedQuestions()[1].caption, "Error");
  EXPECT_EQ(prompter.MessageTexts()[1], "ファイルロードエラー");

  preview.Select(WriteBmp(folder, "wide.bmp", 64, 8, [](int, int) { return 0u; }));
  EXPECT_EQ(label.text(), QStringLiteral(" 64 X   8"));
  preview.Select(folder.Path());  // a folder: nothing, and nothing to tell
  EXPECT_EQ(label.text(), QStringLiteral("なし"));
  EXPECT_EQ(prompter.AskedQuestions().size(), 2u);
}

TEST(PictureOpenTest, RefusedChoicesKeepTheDialogOpenAndTheFolderIsRemembered) {
  PictureClasses classes;
  TempFolder folder;
  const std::string settings = folder.File("Settei.ini");
  ScopedScriptedPrompter prompter;
  const std::string odd = WriteBmp(folder, "odd.bmp", 6, 4, [](int, int) { return 0u; });
  const std::string square = WriteBmp(folder, "square.bmp", 8, 4, [](int, int) { return 0u; });
  prompter.QueuePath(folder.Write("broken.bmp", "BM"));  // cannot be read
  prompter.QueuePath(odd);                               // not powers of two
  prompter.QueuePath(square);
  std::string path;
  ASSERT_EQ(AskPicturePath(nullptr, path, "AddPicture", settings, kPictureBmp | kPictureTsy, true),
            0);
  EXPECT_EQ(path, square);
  const std::vector<std::string> expected = {"ファイルロードエラー",
                                             "選択している画像を読み込むことはできません",

                                             "画像のサイズが２の累乗でありません"};
  EXPECT_EQ(prompter.MessageTexts(), expected);
  EXPECT_EQ(prompter.AskedQuestions()[0].request.filters.front().first,
            "画像ファイル(*.bmp,*.tsy)");
  EXPECT_EQ(SettingsFile::ReadString(settings, "AddPicture", "LoadFileDir", ""), folder.Path());

  // Without the demand the odd size is fine; a cancel leaves the settings alone.
  prompter.QueuePath(odd);
  ASSERT_EQ(AskPicturePath(nullptr, path, "AddPicture", settings, kPictureBmp, false), 0);
  EXPECT_EQ(path, odd);
  ASSERT_TRUE(SettingsFile::WriteString(settings, "AddPicture", "LoadFileDir", "/elsewhere"));
  EXPECT_EQ(AskPicturePath(nullptr, path, "AddPicture", settings, kPictureBmp, false), 1);
  EXPECT_EQ(path, "");
  EXPECT_EQ(SettingsFile::ReadString(settings, "AddPicture", "LoadFileDir", ""), "/elsewhere");
  EXPECT_EQ(prompter.AskedQuestions().back().request.start_folder, "/elsewhere");
  // The previews let go of what they showed.
  EXPECT_EQ(Bank::Count(), 0);
}

TEST(PictureOpenTest, DialogRefusesOkWithoutAReadablePicture) {
  PictureClasses classes;
  TempFolder folder;
  ScopedScriptedPrompter prompter;
  PictureOpenDialog dialog(nullptr, kPictureBmp, true, folder.Path());
  EXPECT_EQ(dialog.SizeLabel()->text(), QStringLiteral("なし"));
  EXPECT_EQ(dialog.PreviewView()->size(), QSize(80, 80));
  dialog.accept();
  EXPECT_EQ(dialog.result(), int(QDialog::Rejected));
  EXPECT_EQ(prompter.MessageTexts(),
            std::vector<std::string>{"選択している画像を読み込むことはできません"});
  dialog.Preview().Select(WriteBmp(folder, "p.bmp", 4, 4, [](int, int) { return 0u; }));
  EXPECT_EQ(dialog.SizeLabel()->text(), QStringLiteral("  4 X   4"));
}

TEST(PictureWindowDeathTest, RefusesWindowsOnATwentyFourBitBank) {
  TempFolder folder;
  CurrentDirectory here(folder.Path());
  EXPECT_EXIT(
      {
        PictureClasses classes(24);
        PictureViewWnd1 view(nullptr);
      },
      ::testing::ExitedWithCode(1), "");
  EXPECT_NE(TempFolder::Read(folder.File("ErrorLog.err")).find("PictureViewWnd1"),
            std::string::npos);
}

}  // namespace

namespace {

TEST(PictureOpenTest, ATypedFullPathIsJudgedAsTheFileTheDialogReturns) {
  PictureClasses classes;
  TempFolder folder;
  ScopedScriptedPrompter prompter;
  std::filesystem::create_directory(folder.File("start"));
  std::filesystem::create_directory(folder.File("pictures"));
  const std::string other =
      WriteBmp(folder, "start/other.bmp", 2, 2, [](int, int) { return 0x00FF00u; });
  const std::string good =
      WriteBmp(folder, "pictures/good.bmp", 4, 4, [](int, int) { return 0xFF0000u; });
  // How far the list and the preview have caught up with the typing when OK is pressed.
  const struct {
    const char* what;
    bool earlier_selection;  // a file of the start folder was picked before typing
    bool let_events_run;     // the list followed each typed letter
  } cases[] = {
      {"typed at once", false, false},
      {"typed over a selection, letter by letter", true, true},
  };
  for (const auto& c : cases) {
    prompter.ClearRecord();
    PictureOpenDialog dialog(nullptr, kPictureBmp, false, folder.File("start"));
    dialog.show();
    QApplication::processEvents();
    if (c.earlier_selection) {
      dialog.selectFile(QString::fromStdString(other));
      dialog.Preview().Select(other);
    }
    auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    name->setFocus();
    const QString typed = QString::fromStdString(good);
    for (qsizetype length = c.let_events_run ? 1 : typed.size(); length <= typed.size(); ++length) {
      name->setText(typed.left(length));
      if (c.let_events_run) QApplication::processEvents();
    }
    dialog.accept();
    EXPECT_EQ(dialog.result(), int(QDialog::Accepted)) << c.what;
    EXPECT_EQ(dialog.Chosen(), good) << c.what;
    EXPECT_EQ(dialog.SizeLabel()->text(), QStringLiteral("  4 X   4")) << c.what;
    EXPECT_TRUE(prompter.MessageTexts().empty()) << c.what;
  }

  // A typed folder is opened in the list; a name of the shown folder is found there.
  PictureOpenDialog dialog(nullptr, kPictureBmp, false, folder.Path());
  auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
  name->setText(QStringLiteral("pictures"));
  dialog.accept();
  EXPECT_NE(dialog.result(), int(QDialog::Accepted));
  EXPECT_EQ(dialog.directory().absolutePath().toStdString(), folder.File("pictures"));
  name->setText(QStringLiteral("good.bmp"));
  dialog.accept();
  EXPECT_EQ(dialog.result(), int(QDialog::Accepted));
  EXPECT_EQ(dialog.Chosen(), good);
}

}  // namespace
