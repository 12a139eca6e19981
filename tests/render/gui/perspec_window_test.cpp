#include "render/gui/perspec_window.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QMouseEvent>

#include "foundation/gui/draw_button.h"
#include "render/gui/perspec_button.h"
#include "render/gui/perspec_disp.h"
#include "tests/course/fatal_report.h"
#include "tests/support/temp_folder.h"

namespace {

QApplication& App() {
  if (auto* app = qobject_cast<QApplication*>(QCoreApplication::instance())) return *app;
  static int argc = 1;
  static char name[] = "render_gui_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

void Mouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button,
           Qt::MouseButtons held) {
  QMouseEvent event(type, QPointF(at), QPointF(widget->mapToGlobal(at)), button, held,
                    Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

const std::string kTexture = std::string(SUITE_SOURCE_DIR) + "/resources/merrowlindale/Texture.bmp";

TEST(PerspecWindowTest, SetsItsLensAndLoadsTheTexture) {
  App();
  PerspecWindow1 window(nullptr, kTexture);
  EXPECT_EQ(window.objectName(), QStringLiteral("PerspecWindow_parallelwnd1"));
  const PerspecCamera1::Lens& lens = window.Camera().GetLens();
  EXPECT_FLOAT_EQ(lens.width, 2.0f);
  EXPECT_FLOAT_EQ(lens.height, 2.0f);
  EXPECT_FLOAT_EQ(lens.near_distance, 4.0f);
  EXPECT_FLOAT_EQ(lens.pivot_distance, 4.0f);
  EXPECT_FLOAT_EQ(lens.far_distance, 500.0f);
  EXPECT_GE(window.TextureId(), 0);
  EXPECT_EQ(PerspecWindow1::Current(), &window);
}

TEST(PerspecWindowTest, SurfaceWidthIsRoundedUpToFourUnderTheBar) {
  App();
  PerspecWindow1 window(nullptr, kTexture);
  window.resize(201, 150);
  QResizeEvent resize(QSize(201, 150), QSize());
  QApplication::sendEvent(&window, &resize);
  EXPECT_EQ(window.Camera().Width(), 204);
  EXPECT_EQ(window.Camera().Height(), 150 - PerspecButton1::kHeight);
  EXPECT_FLOAT_EQ(window.Camera().GetLens().far_distance, 500.0f);
}

TEST(PerspecWindowTest, BarButtonsSwitchBetweenWireAndTexture) {
  App();
  PerspecWindow1 window(nullptr, kTexture);
  PerspecButton1* bar = window.ButtonBar();
  EXPECT_EQ(bar->objectName(), QStringLiteral("BaseWindow_perspecbutton1"));
  EXPECT_EQ(bar->geometry(), QRect(0, 0, 44, 22));
  EXPECT_EQ(window.Mode(), PerspecDisp1::kTextureMode);
  DrawButton1* wire = bar->Button(PerspecButton1::kWireCommand);
  ASSERT_NE(wire, nullptr);
  EXPECT_EQ(wire->geometry(), QRect(0, 0, 22, 22));
  EXPECT_NE(wire->HelpText().find("ワイヤーフレームで描写"), std::string::npos);
  Mouse(wire, QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton, Qt::LeftButton);
  Mouse(wire, QEvent::MouseButtonRelease, QPoint(5, 5), Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(window.Mode(), PerspecDisp1::kWireMode);
  EXPECT_EQ(wire->State(), PerspecButton1::kDown);
  EXPECT_EQ(bar->Button(PerspecButton1::kTextureCommand)->State(), PerspecButton1::kRaised);
  bar->Press(PerspecButton1::kTextureCommand);
  EXPECT_EQ(window.Mode(), PerspecDisp1::kTextureMode);
}

TEST(PerspecWindowTest, LeftDragUpwardsAdvancesTheMarkerAndTheRightButtonAloneDoesNothing) {
  App();
  PerspecWindow1 window(nullptr, kTexture);
  window.resize(200, 150);
  double moved = 0.0;
  int emitted = 0;
  QObject::connect(&window, &PerspecWindow1::MarkerDrag, [&](double dt) {
    moved += dt;
    ++emitted;
  });
  Mouse(&window, QEvent::MouseButtonPress, QPoint(50, 100), Qt::LeftButton, Qt::LeftButton);
  EXPECT_EQ(window.MouseState(), PerspecWindow1::kLeftButton);
  Mouse(&window, QEvent::MouseMove, QPoint(52, 80), Qt::NoButton, Qt::LeftButton);
  EXPECT_TRUE(window.CursorHidden());
  Mouse(&window, QEvent::MouseMove, QPoint(52, 90), Qt::NoButton, Qt::LeftButton);
  EXPECT_NEAR(moved, (20 - 10) * 0.005, 1e-12);
  // Both buttons: no marker moves; releasing the left leaves the right.
  Mouse(&window, QEvent::MouseButtonPress, QPoint(52, 90), Qt::RightButton,
        Qt::LeftButton | Qt::RightButton);
  EXPECT_EQ(window.MouseState(), PerspecWindow1::kBothButtons);
  Mouse(&window, QEvent::MouseMove, QPoint(52, 40), Qt::NoButton, Qt::LeftButton | Qt::RightButton);
  Mouse(&window, QEvent::MouseButtonRelease, QPoint(52, 40), Qt::LeftButton, Qt::RightButton);
  EXPECT_EQ(window.MouseState(), PerspecWindow1::kRightButton);
  Mouse(&window, QEvent::MouseMove, QPoint(52, 10), Qt::NoButton, Qt::RightButton);
  Mouse(&window, QEvent::MouseButtonRelease, QPoint(52, 10), Qt::RightButton, Qt::NoButton);
  EXPECT_EQ(window.MouseState(), PerspecWindow1::kNoButton);
  EXPECT_FALSE(window.CursorHidden());
  EXPECT_EQ(emitted, 2);
  EXPECT_NEAR(moved, 0.05, 1e-12);
}

TEST(PerspecWindowTest, ASecondPreviewIsFatal) {
  App();
  EXPECT_FATAL_REPORT(
      {
        PerspecWindow1 first(nullptr, kTexture);
        PerspecWindow1 second(nullptr, kTexture);
      },
      "PerspecWindow1", "ウィンドウを２度作ろうとした");
}

}  // namespace
