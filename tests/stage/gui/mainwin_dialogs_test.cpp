#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include "foundation/gui/draw_button.h"
#include "pictures/gui/picture_bank_high_color_wnd.h"
#include "pictures/gui/picture_view_wnd.h"
#include "pictures/picture_bank_high_color1.h"
#include "stage/gui/create_bitmap_object_dialog.h"
#include "stage/gui/divset_dialog.h"
#include "stage/gui/mode_window.h"
#include "stage/gui/object_value_dialog.h"
#include "stage/gui/picture_bank_dialog.h"
#include "stage/gui/stage_tool_window.h"
#include "stage/gui/stage_view_area.h"
#include "tests/pictures/picture_test_support.h"
#include "tests/stage/gui/mainwin_fixture.h"

namespace {

using Bank = PictureBankHighColor1;
using mainwin_test::Editor;
using mainwin_test::WhenDialogOpens;

// Two models: a 2 x 1 grid whose left slot sets attribute 1, and one without texture
// vertices, which cannot be made.
constexpr const char* kTemplates =
    "[Pair]\n"
    "World Vertices 4\n0 0 0\n1 0 0\n1 1 0\n0 1 0\n"
    "Texture Vertices 4\n0 0\n1 0\n1 1\n0 1\n"
    "Faces 2\n"
    "Face verts 3 mat 0\n<0,0> <1,1> <2,2>\n"
    "Face verts 3 mat 1\n<0,0> <2,2> <3,3>\n"
    "Attribute 2\n"
    "ViewPos\nXnum 2 Ynum 1\n1 0\n"
    "[Broken]\n"
    "World Vertices 3\n0 0 0\n1 0 0\n1 1 0\n"
    "Faces 1\nFace verts 3 mat 0\n<0,0> <1,1> <2,2>\n"
    "Attribute 1\n"
    "ViewPos\nXnum 1 Ynum 2\n0\n-1\n";

TEST(DivsetDialogTest, TheDialogOfAPressedToolButtonHasTheMouse) {
  Editor e;
  DrawButton1* button =
      DrawButton1::FindById(e.window->Modes()->ToolWindow(0), kMode0SplitSettingButton);
  // The pointer comes onto the button, which takes the mouse to follow it, and presses it.
  SendEnter(button, QPoint(5, 5));
  ASSERT_EQ(QWidget::mouseGrabber(), button);
  QWidget* grabber_while_open = button;
  WhenDialogOpens<DivsetDialog>([&](DivsetDialog* dialog) {
    grabber_while_open = QWidget::mouseGrabber();
    dialog->Control(1148)->click();
  });
  SendMouse(button, QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton, Qt::LeftButton);
  EXPECT_EQ(grabber_while_open, nullptr);
  SendMouse(button, QEvent::MouseButtonRelease, QPoint(5, 5), Qt::LeftButton);
}

TEST(DivsetDialogTest, PanesTakeTheChosenKindsAndOkSetsTheSplitView) {
  Editor e;
  e.window->Command(kMode0SplitViewButton);
  WhenDialogOpens<DivsetDialog>([](DivsetDialog* dialog) {
    EXPECT_EQ(dialog->objectName(), QStringLiteral("DIVSET_DIALOG"));
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("分割画面設定ダイアログ"));
    EXPECT_EQ(dialog->CurrentPane(), 0);
    EXPECT_TRUE(static_cast<QRadioButton*>(dialog->Control(1142))->isChecked());
    const char* names[4] = {"TOP", "PERS", "FRONT", "SIDE"};
    for (int pane = 0; pane < 4; ++pane) {
      EXPECT_EQ(dialog->Control(1150 + pane)->text(), QString::fromLatin1(names[pane]));
    }
    dialog->Control(1153)->click();  // bottom right: SIDE
    EXPECT_EQ(dialog->CurrentPane(), 3);
    EXPECT_TRUE(static_cast<QRadioButton*>(dialog->Control(1143))->isChecked());
    dialog->Control(1146)->click();  // PAT VIEW, shown nowhere
    dialog->Control(1150)->click();
    dialog->Control(1145)->click();  // PERS VIEW, shown by pane 1, which takes TOP
    EXPECT_EQ(dialog->Control(1151)->text(), QStringLiteral("TOP"));
    EXPECT_EQ(dialog->Panes(), (PaneKinds{3, 0, 2, 4}));
    dialog->Control(1147)->click();
  });
  e.window->Command(kMode0SplitSettingButton);
  EXPECT_EQ(e.window->Views()->SplitPanes(), (std::array<int32_t, 4>{3, 0, 2, 4}));
  EXPECT_EQ(e.window->Views()->Shown(), StageViewArea::kSplitView);
  EXPECT_EQ(e.window->CurrentViews().first_pane_kind, 3);

  // Cancel leaves the layout alone, from mode 1's button too.
  e.window->Command(kMode1Button);
  WhenDialogOpens<DivsetDialog>([](DivsetDialog* dialog) {
    dialog->Control(1150)->click();
    dialog->Control(1142)->click();
    dialog->Control(1148)->click();
  });
  e.window->Command(kMode1SplitSettingButton);
  EXPECT_EQ(e.window->Views()->SplitPanes(), (std::array<int32_t, 4>{3, 0, 2, 4}));
}

class CreationDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    e_.OpenRoad(6);
    template_path_ = e_.folder.Write("Templates.bof", kTemplates);
    red_ = e_.folder.Write("red.bmp", stage_test::BmpBytes(8, 8, 220, 20, 20));
    blue_ = e_.folder.Write("blue.bmp", stage_test::BmpBytes(12, 8, 20, 20, 220));
  }
  std::unique_ptr<CreateBitmapObjectDialog> Dialog(CreationMode mode) {
    auto dialog = std::make_unique<CreateBitmapObjectDialog>(
        &e_.stage(), mode, template_path_, e_.folder.File("Settei.ini"), e_.window.get());
    EXPECT_TRUE(dialog->Prepare());
    return dialog;
  }

  Editor e_;
  std::string template_path_;
  std::string red_;
  std::string blue_;
};

TEST_F(CreationDialogTest, SlotsStandInTheModelsGridAndTakePictures) {
  auto dialog = Dialog(CreationMode::kBitmapObject);
  EXPECT_EQ(dialog->objectName(), QStringLiteral("CREATEBMOOBJ_DIALOG"));
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("ビットマップオブジェクトの作成"));
  // The largest grid is 2 x 2 cells: 120 x 120 of slots, so 330 x 187.
  EXPECT_EQ(dialog->size(), QSize(330, 187));
  ASSERT_EQ(dialog->Models()->count(), 2);
  EXPECT_EQ(dialog->Models()->itemText(0), QStringLiteral("[Pair]"));
  ASSERT_EQ(dialog->Slots().size(), 2u);
  // Each picture inside its cell of 60 x 60 at (115 + 60 * column, 10 + 60 * row).
  EXPECT_EQ(dialog->Slots()[0]->geometry(), QRect(117, 12, 56, 56));
  EXPECT_EQ(dialog->Slots()[1]->geometry(), QRect(177, 12, 56, 56));
  EXPECT_EQ(dialog->Control(1130)->geometry(), QRect(240, 10, 80, 22));
  EXPECT_EQ(dialog->Control(1128)->geometry(), QRect(155, 135, 80, 22));

  // No slot chosen yet.
  dialog->Control(1130)->click();
  EXPECT_EQ(e_.prompter.MessageTexts().back(),
            "テクスチャーを設定するウィンドウを選択(クリック)してください");
  // A picture whose sides are not powers of two is refused; the slot stays empty.
  dialog->SelectSlot(0);
  e_.prompter.QueuePath(blue_);
  dialog->Control(1130)->click();
  EXPECT_EQ(e_.prompter.MessageTexts().back(), "２のN乗のサイズでなくてはならない");
  EXPECT_EQ(dialog->Slots()[0]->PictureId(), -1);
  e_.prompter.QueuePath(red_);
  dialog->Control(1130)->click();
  const int32_t red = dialog->Slots()[0]->PictureId();
  ASSERT_GE(red, 0);
  // OK with the right slot still empty keeps the dialog open.
  e_.prompter.ClearRecord();
  EXPECT_FALSE(dialog->Create());
  EXPECT_EQ(e_.prompter.MessageTexts(),
            std::vector<std::string>{"設定されていない画像があります。"});
  EXPECT_EQ(dialog->result(), 0);

  // "UsedTex" offers the bank: the red picture goes into the right slot too.
  dialog->SelectSlot(1);
  EXPECT_FALSE(dialog->Slots()[0]->isHidden());
  WhenDialogOpens<PictureBankDialog>([red](PictureBankDialog* picker) {
    EXPECT_EQ(picker->objectName(), QStringLiteral("PICTUREBANK_DLG"));
    EXPECT_EQ(picker->Bank()->geometry(), QRect(5, 5, 510, 60));
    EXPECT_FALSE(picker->OkButton()->isEnabled());
    picker->Bank()->SetSelected(0);
    EXPECT_EQ(picker->Bank()->SelectedId(), red);
    picker->OkButton()->click();
  });
  dialog->Control(1131)->click();
  EXPECT_EQ(dialog->Slots()[1]->PictureId(), red);

  // OK makes the object at the left end of the selected partition, named after the model.
  const int32_t objects = e_.stage().ObjectCount();
  EXPECT_TRUE(dialog->Create());
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  ASSERT_EQ(e_.stage().ObjectCount(), objects + 1);
  const int32_t id = e_.stage().FreeObjectAt(e_.stage().FreeObjectCount() - 1);
  const PlacedObject object = e_.stage().Object(id);
  EXPECT_EQ(e_.stage().GetShapes().Shape(object.shape).name, "[Pair]");
  EXPECT_EQ(object.position, (Point3f{-5.0f, 0.0f, 10.0f}));
}

TEST_F(CreationDialogTest, ChoosingAnotherModelLeavesNoFrameOfTheOldSlots) {
  auto dialog = Dialog(CreationMode::kBitmapObject);
  dialog->show();
  // What the screen shows of the dialog (the window's backing store).
  auto on_screen = [&dialog] {
    QApplication::processEvents();
    return dialog->screen()->grabWindow(dialog->winId()).toImage();
  };
  // The right slot's cell of [Pair] has its sunken frame, grey along the top; [Broken] has
  // one slot, in the left column, and the right cell is bare dialog again.
  const QPoint top_of_right_cell(200, 10);
  const QColor background = on_screen().pixelColor(QPoint(300, 100));
  ASSERT_EQ(on_screen().pixelColor(top_of_right_cell), QColor(128, 128, 128));
  dialog->Models()->setCurrentIndex(1);
  emit dialog->Models()->activated(1);
  EXPECT_EQ(on_screen().pixelColor(top_of_right_cell), background);
  dialog->reject();
}

TEST_F(CreationDialogTest, NewTexOffersThePackersAnimatedPictures) {
  auto dialog = Dialog(CreationMode::kBitmapObject);
  std::vector<TsyFrameLayout> frames(2);
  for (TsyFrameLayout& frame : frames) frame.pixels.assign(64, 0x03E0);
  dialog->SelectSlot(1);
  e_.prompter.ClearRecord();
  e_.prompter.QueuePath(e_.folder.Write("flag.tsy", BuildTsy(8, 8, frames)));
  dialog->Control(1130)->click();
  EXPECT_EQ(e_.prompter.AskedQuestions().at(0).text, "*.bmp;*.tsy");
  EXPECT_EQ(Bank::FrameCount(dialog->Slots()[1]->PictureId()), 2);
  dialog->reject();
}

TEST_F(CreationDialogTest, AModelThatCannotBeMadeAndAMissingFileAreTold) {
  auto dialog = Dialog(CreationMode::kBackgroundObject);
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("背景オブジェクトの作成"));
  dialog->ChooseModel(1);
  ASSERT_EQ(dialog->Slots().size(), 1u);
  EXPECT_EQ(dialog->Slots()[0]->geometry(), QRect(117, 12, 56, 56));
  dialog->SelectSlot(0);
  e_.prompter.QueuePath(red_);
  dialog->NewTexture();
  e_.prompter.ClearRecord();
  EXPECT_TRUE(dialog->Create());
  EXPECT_EQ(e_.prompter.MessageTexts(),
            std::vector<std::string>{"オブジェクトの作成に失敗しました。"});
  EXPECT_EQ(e_.stage().ObjectCount(), 0);
  EXPECT_EQ(e_.stage().BackgroundObject(), -1);

  e_.prompter.ClearRecord();
  CreateBitmapObjectDialog missing(&e_.stage(), CreationMode::kBitmapObject,
                                   e_.folder.File("none.bof"), e_.folder.File("Settei.ini"),
                                   e_.window.get());
  EXPECT_EQ(missing.Run(), QDialog::Rejected);
  EXPECT_EQ(e_.prompter.MessageTexts(),
            std::vector<std::string>{e_.folder.File("none.bof") + "ファイルが見当りません"});
}

TEST_F(CreationDialogTest, TheBackgroundButtonMakesTheBackgroundFromTheShippedTemplates) {
  e_.window->Command(kMode1Button);
  WhenDialogOpens<CreateBitmapObjectDialog>([this](CreateBitmapObjectDialog* dialog) {
    EXPECT_EQ(dialog->Models()->currentText(), QStringLiteral("[Backdrop]"));
    dialog->SelectSlot(0);
    e_.prompter.QueuePath(red_);
    dialog->NewTexture();
    dialog->Control(1128)->click();
  });
  e_.window->Command(kCreateBackgroundObjectButton);
  ASSERT_NE(e_.stage().BackgroundObject(), -1);
  EXPECT_EQ(e_.stage().Object(e_.stage().BackgroundObject()).position, Point3f());
  EXPECT_TRUE(e_.window->isWindowModified());
}

TEST(ObjectValueDialogTest, FieldsShowTheObjectCoordinatesAndOkChecksThem) {
  Editor e;
  e.OpenRoad(4);
  ObjectShape shape;
  shape.use_count = 1;
  const int32_t id = e.stage().CreateObject({1, 2, 3}, e.stage().MutableShapes().Add(shape));
  ASSERT_TRUE(e.stage().SelectObject(id));
  e.window->Command(kMode1Button);
  WhenDialogOpens<ObjectValueDialog>([&e](ObjectValueDialog* dialog) {
    EXPECT_EQ(dialog->objectName(), QStringLiteral("OBJECTVALUE_DIALOG"));
    const char* shown[9] = {"1.000000", "2.000000",   "3.000000",   "0.000000",  "0.000000",
                            "0.000000", "100.000000", "100.000000", "100.000000"};
    for (int i = 0; i < 9; ++i) {
      EXPECT_EQ(dialog->Field(i)->text(), QString::fromLatin1(shown[i])) << i;
      EXPECT_EQ(dialog->Field(i)->property("id").toInt(), ObjectValueDialog::kFieldIds[i]);
    }
    dialog->Field(0)->setText(QStringLiteral("1e3"));
    dialog->OkButton()->click();
    EXPECT_TRUE(dialog->isVisible()) << "a field with an exponent keeps the dialog open";
    EXPECT_EQ(e.prompter.MessageTexts().back(), "設定値にエラー");
    dialog->Field(0)->setText(QStringLiteral("-12.5"));
    dialog->Field(4)->setText(QStringLiteral("90"));
    dialog->Field(6)->setText(QStringLiteral("0"));
    dialog->OkButton()->click();
  });
  e.window->Command(kObjectValueButton);
  const PlacedObject object = e.stage().Object(id);
  EXPECT_FLOAT_EQ(object.origin.x, -12.5f);
  EXPECT_NEAR(object.axes.y, 3.14159 / 2, 1e-5);
  EXPECT_FLOAT_EQ(object.scale.x, 1.0f) << "a scale of 0 becomes 1";
  EXPECT_TRUE(e.window->isWindowModified());

  // Cancel changes nothing.
  WhenDialogOpens<ObjectValueDialog>([](ObjectValueDialog* dialog) {
    dialog->Field(1)->setText(QStringLiteral("500"));
    dialog->CancelButton()->click();
  });
  e.window->Command(kObjectValueButton);
  EXPECT_EQ(e.stage().Object(id), object);
}

TEST(UsedTextureTest, TheChosenPictureGoesOnEverySelectedFace) {
  Editor e;
  e.OpenRoad(4);
  const std::string grass = e.folder.Write("grass.bmp", stage_test::BmpBytes(8, 8, 30, 160, 40));
  ASSERT_TRUE(e.stage().AddPicked({0, kRoadFaceSide, -1}));
  ASSERT_TRUE(e.stage().AddPicked({1, kRoadFaceSide, -1}));
  e.window->Command(kFaceAttributeButton);
  e.prompter.QueuePath(grass);
  e.window->Command(kNewTextureButton);
  const int32_t picture = e.stage().GetTerrain().Face({0, kRoadFaceSide, -1}).picture;
  ASSERT_GE(picture, 0);
  ASSERT_TRUE(e.stage().AddPicked({2, kRoadFaceSide, -1}));
  WhenDialogOpens<PictureBankDialog>([](PictureBankDialog* picker) {
    picker->Bank()->SetSelected(0);
    picker->OkButton()->click();
  });
  e.window->Command(kUsedTextureButton);
  EXPECT_EQ(e.stage().GetTerrain().Face({2, kRoadFaceSide, -1}).picture, picture);
  EXPECT_EQ(Bank::ReferenceCount(picture), 3);
  e.window->Command(kRotateTextureButton);
  EXPECT_EQ(e.stage().GetTerrain().Face({1, kRoadFaceSide, -1}).corners[0],
            (TextureCorner{0.0f, 0.0f}));
}

}  // namespace
