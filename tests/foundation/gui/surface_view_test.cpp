#include "foundation/gui/surface_view.h"

#include <gtest/gtest.h>

#include "foundation/gui/named_resources.h"
#include "tests/foundation/gui/gui_test_app.h"

namespace {

TEST(SurfaceViewTest, ShowsTheBottomUpSurfaceTheRightWayUp) {
  EnsureTestApplication();
  Surface16 surface(4, 3);
  surface.Set(0, 0, PackColour555(255, 0, 0));  // top left red
  surface.Set(3, 2, PackColour555(0, 0, 255));  // bottom right blue
  const QImage image = SurfaceImage(surface);
  ASSERT_EQ(image.size(), QSize(4, 3));
  // Qt widens 5 bits to 8 by repeating the top bits: 31 shows as 255.
  EXPECT_EQ(QColor(image.pixel(0, 0)), QColor(255, 0, 0));
  EXPECT_EQ(QColor(image.pixel(3, 2)), QColor(0, 0, 255));

  // A part of the surface copied to a place in the target.
  QImage target(10, 10, QImage::Format_RGB32);
  target.fill(Qt::white);
  {
    QPainter painter(&target);
    PaintSurface(painter, surface, QPoint(5, 5), QRect(2, 1, 2, 2));
  }
  EXPECT_EQ(QColor(target.pixel(6, 6)), QColor(0, 0, 255));
  EXPECT_EQ(QColor(target.pixel(5, 5)), QColor(0, 0, 0));
  EXPECT_EQ(QColor(target.pixel(4, 4)), QColor(Qt::white));
  EXPECT_EQ(QColor(target.pixel(7, 7)), QColor(Qt::white));
}

TEST(SurfaceViewTest, PainterDrawsInScreenCoordinatesOnTheSurfaceItself) {
  EnsureTestApplication();
  Surface16 surface(20, 10);
  {
    SurfacePainter painter(surface);
    painter.fillRect(QRect(0, 0, 3, 2), QColor(0, 255, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255));
    painter.drawEllipse(QRect(10, 2, 6, 6));
    QImage marker(2, 2, QImage::Format_RGB32);
    marker.fill(QColor(255, 0, 255));
    marker.setPixel(0, 0, qRgb(0, 0, 255));
    painter.DrawMarker(QPoint(18, 8), marker, qRgb(255, 0, 255));
  }
  EXPECT_EQ(surface.At(0, 0), PackColour555(0, 255, 0));
  EXPECT_EQ(surface.At(2, 1), PackColour555(0, 255, 0));
  EXPECT_EQ(surface.At(0, 2), 0);
  EXPECT_EQ(surface.ScreenRow(0)[0], PackColour555(0, 255, 0));
  EXPECT_EQ(surface.At(13, 5), 0x7FFF);
  EXPECT_EQ(surface.At(18, 8), PackColour555(0, 0, 255));
  EXPECT_EQ(surface.At(19, 9), 0);  // transparent part of the marker
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 20; ++x) EXPECT_EQ(surface.At(x, y) & 0x8000, 0);
  }
  EXPECT_EQ(Unpack555(PackColour555(200, 100, 50)), QColor(200, 96, 48));
}

TEST(NamedResourcesTest, FindsTheSharedPicturesByName) {
  EnsureTestApplication();
  EXPECT_EQ(NamedImage("LOGO_BMP").size(), QSize(512, 256));
  EXPECT_TRUE(HasNamedResource("SPOIT_PICTURECOLORSELECTWND1"));
  const QCursor spoit = NamedCursor("SPOIT_PICTURECOLORSELECTWND1");
  EXPECT_EQ(spoit.hotSpot(), QPoint(4, 27));
  EXPECT_TRUE(NamedImage("NO_SUCH_BMP").isNull());
  EXPECT_EQ(NamedCursor("NO_SUCH_BMP").shape(), Qt::ArrowCursor);
  EXPECT_EQ(NamedImage("GALLERY_MOVE_BMP").size(), QSize(66, 22));
}

}  // namespace
