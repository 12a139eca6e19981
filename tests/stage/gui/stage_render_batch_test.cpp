#include "stage/gui/stage_render_batch.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <sstream>

#include "foundation/file_io.h"
#include "render/line_drawing.h"
#include "stage/stage_file.h"
#include "tests/foundation/gui/gui_test_app.h"
#include "tests/stage/views/views_fixtures.h"

namespace {

// A 5-5-5 word as the picture writer expands it to 8 bits a channel.
QColor Colour(uint16_t word) {
  auto expand = [](int v) { return (v << 3) | (v >> 2); };
  return QColor(expand((word >> 10) & 31), expand((word >> 5) & 31), expand(word & 31));
}
const QColor kRed = Colour(views_test::kRed);
const QColor kGreen = Colour(views_test::kGreen);
const QColor kBlue = Colour(views_test::kBlue);

// A stage made by the suite: the straight road in red, its terrain in green, a blue square
// standing across the road at z = 55, glued to partition 5; the top view looks down on
// (0, 0, 50) at 4 pixels a unit on 600 x 400, the road camera stands at its start.
class RenderBatchTest : public views_test::ViewsTest {
 protected:
  void SetUp() override {
    EnsureTestApplication();
    ViewsTest::SetUp();
    LoadRoad(12, 1, 5);
    const TextureCorner corners[4] = {{1, 0}, {0, 0}, {0, 1}, {1, 1}};
    for (int32_t p = 0; p < 11; ++p) {
      stage_.SetFaceLook({p, kRoadFaceSide, -1}, 1, 0, 0, corners);
      for (int32_t side = 0; side < 2; ++side) stage_.SetFaceLook({p, side, 0}, 0, 1, 0, corners);
    }
    const int32_t square = AddSquare({0.0f, 0.0f, 55.0f}, 0, 0, 1);
    stage_.GlueObject(square, 5);
    ViewSection views;
    views.parallel[kTopViewKind] = {0.0, 0.0, 50.0, 4.0 / 600.0};
    views.perspective.modes[1].partition = 0;
    views.perspective.modes[1].height = 4.0f;
    stage_path_ = folder_.File("road.ste");
    ASSERT_TRUE(StageFile::Save(stage_path_, stage_, ToolStateBlock::Initial(), views));
  }
  int Run(const std::vector<std::string>& arguments) {
    err_.str("");
    return RunRenderBatch(arguments, err_);
  }

  std::string stage_path_;
  std::ostringstream err_;
};

TEST_F(RenderBatchTest, TheTopViewShowsRoadTerrainAndObjectsWhereTheyAre) {
  const std::string out = folder_.File("top.png");
  ASSERT_EQ(Run({"--render", stage_path_, out, "--view", "top", "--size", "600x400"}), 0)
      << err_.str();
  QImage image(QString::fromStdString(out));
  ASSERT_EQ(image.size(), QSize(600, 400));
  // Partition 3 (z 30 ... 40) at y 240 ... 280: road in the middle, terrain beside it.
  EXPECT_EQ(image.pixelColor(300, 262), kRed);
  EXPECT_EQ(image.pixelColor(260, 262), kGreen);
  EXPECT_EQ(image.pixelColor(340, 262), kGreen);
  EXPECT_EQ(image.pixelColor(100, 262), QColor(0, 0, 0));
  // The square, glued to the current partition, seen from above as a line at z = 55.
  EXPECT_EQ(image.pixelColor(300, 180), Colour(StagePen(9).colour));
}

TEST_F(RenderBatchTest, TheRenderedRoadCameraSeesTheSquareAheadOnTheRoad) {
  const std::string out = folder_.File("road.png");
  ASSERT_EQ(
      Run({"--render", stage_path_, out, "--mode", "rend", "--size", "320x240", "--time", "1500"}),
      0)
      << err_.str();
  QImage image(QString::fromStdString(out));
  ASSERT_EQ(image.size(), QSize(320, 240));
  EXPECT_EQ(image.pixelColor(160, 200), kRed);  // the road below the camera
  int32_t blue = 0, green = 0;
  for (int32_t y = 0; y < 240; ++y) {
    blue += image.pixelColor(160, y) == kBlue;
    green += image.pixelColor(10, y) == kGreen;
  }
  EXPECT_GT(blue, 5);   // the square ahead
  EXPECT_GT(green, 5);  // the terrain beside the road
}

TEST_F(RenderBatchTest, ABmpNameWritesA24BitBitmap) {
  const std::string out = folder_.File("pat.BMP");
  ASSERT_EQ(Run({"--render", stage_path_, out, "--view", "pat", "--size", "64x48"}), 0);
  const std::string bytes = TempFolder::Read(out);
  ASSERT_GT(bytes.size(), 54u);
  EXPECT_EQ(bytes.substr(0, 2), "BM");
  EXPECT_EQ(static_cast<uint8_t>(bytes[28]), 24);
}

TEST_F(RenderBatchTest, WrongCommandLinesAndUnusableFilesWriteNothing) {
  const std::string out = folder_.File("never.png");
  const std::string damaged =
      folder_.Write("damaged.ste", TempFolder::Read(stage_path_).substr(0, 700));
  const std::string foreign = folder_.Write("foreign.ste", "PATV1.0 not a stage at all");
  struct Case {
    std::vector<std::string> arguments;
    int status;
    const char* message;
  };
  const Case cases[] = {
      {{"--render"}, 64, "ステージファイルと出力ファイル"},
      {{"--render", stage_path_, out, "--view", "sky"}, 64, "--view"},
      {{"--render", stage_path_, out, "--size", "0x10"}, 64, "--size"},
      {{"--render", stage_path_, out, "--size", "5000x10"}, 64, "--size"},
      {{"--render", stage_path_, out, "--mode", "fast"}, 64, "--mode"},
      {{"--render", stage_path_, out, "--time", "-5"}, 64, "--time"},
      {{"--render", stage_path_, out, "--zoom", "2"}, 64, "--zoom"},
      {{"--render", stage_path_, out, "--view"}, 64, "--view"},
      {{"--render", stage_path_, out, "extra"}, 64, "出力ファイル"},
      {{"--render", folder_.File("missing.ste"), out}, 1, "No such file"},
      {{"--render", damaged, out}, 2, "ファイルが破壊されている"},
      {{"--render", foreign, out}, 2, "Tarnhollow"},
      {{"--render", stage_path_, folder_.File("no/such/folder/x.png")}, 3, "書き込みに失敗"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Run(c.arguments), c.status) << c.arguments.back();
    EXPECT_NE(err_.str().find(c.message), std::string::npos) << err_.str();
    EXPECT_NE(err_.str().find("tarnhollow: "), std::string::npos);
    EXPECT_FALSE(FileExists(out));
  }
  // The usage comes with a wrong command line.
  Run({"--render"});
  EXPECT_NE(err_.str().find(RenderBatchUsage()), std::string::npos);
}

TEST_F(RenderBatchTest, StoredViewsThatShowNoRoadAreAimedAtIt) {
  // A road far from the origin in a file with the initial views, as `--import-pat` writes it.
  stage_.Reset();
  const std::string pat = stage_test::StraightPat(30, 4000.0f, 0.0f, 2500.0f);
  ASSERT_EQ(LoadPartitionFile(stage_, folder_.Write("far.pat", pat)), 0);
  stage_.SelectPartition(0);
  const std::string path = folder_.File("far.ste");
  ASSERT_TRUE(StageFile::Save(path, stage_, ToolStateBlock::Initial(), ViewSection()));
  // The partitions' outlines, the current one's last over the others.
  auto road_pixels = [](const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        const QColor c = image.pixelColor(x, y);
        count += c == Colour(StagePen(1).colour) || c == Colour(StagePen(2).colour);
      }
    }
    return count;
  };
  for (const char* view : {"top", "side", "front", "pers"}) {
    SCOPED_TRACE(view);
    const std::string out = folder_.File(std::string(view) + ".png");
    ASSERT_EQ(Run({"--render", path, out, "--view", view, "--mode", "free", "--size", "320x240"}),
              0)
        << err_.str();
    EXPECT_GT(road_pixels(QImage(QString::fromStdString(out))), 10);
  }
}

}  // namespace
