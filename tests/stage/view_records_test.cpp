#include "stage/view_records.h"

#include <gtest/gtest.h>

#include <cstring>

#include "stage/tool_state_block.h"

namespace {

TEST(ViewRecordsTest, TheViewSectionIs392BytesInFileOrder) {
  ViewSection views;
  views.first_pane_kind = kPartitionViewKind;
  views.parallel[1].zoom = 0.25;
  views.perspective.current_mode = 2;
  views.perspective.settings.range_z = 1500.0f;
  views.perspective.pressed_button = kRenderAroundButton;
  views.perspective.modes[2].camera.far_dst = 777.0f;
  views.perspective.modes[2].render_flag = 1;
  views.partition.show_previous = 1;
  views.partition.camera_state[7] = 0xDEADBEEF;

  ByteWriter out;
  views.Write(out);
  ASSERT_EQ(out.Size(), ViewSection::kBytes);
  const std::string& bytes = out.Data();
  auto word_at = [&](size_t offset) {
    int32_t value;
    std::memcpy(&value, bytes.data() + offset, 4);
    return value;
  };
  auto double_at = [&](size_t offset) {
    double value;
    std::memcpy(&value, bytes.data() + offset, 8);
    return value;
  };
  // Offsets within the file minus 238.
  EXPECT_EQ(word_at(0), kPartitionViewKind);
  EXPECT_EQ(double_at(4 + 32 + 24), 0.25);
  EXPECT_EQ(word_at(100), 2);  // current mode
  EXPECT_EQ(word_at(104 + 24 + 4), kRenderAroundButton);
  const size_t lap = 136 + 2 * 72;
  float far_dst;
  std::memcpy(&far_dst, bytes.data() + lap + 40, 4);
  EXPECT_EQ(far_dst, 777.0f);
  EXPECT_EQ(word_at(lap + 68), 1);  // render flag of the lap mode
  EXPECT_EQ(word_at(352 + 4), 1);   // BEFOREDISP
  EXPECT_EQ(static_cast<uint32_t>(word_at(388)), 0xDEADBEEFu);

  ViewSection back;
  ByteReader in(bytes);
  ASSERT_TRUE(back.Read(in));
  EXPECT_EQ(back, views);
  EXPECT_TRUE(in.AtEnd());

  ByteReader short_in(bytes.data(), bytes.size() - 1);
  ViewSection untouched;
  EXPECT_FALSE(untouched.Read(short_in));
  EXPECT_EQ(untouched, ViewSection());
}

TEST(ViewRecordsTest, InitialStateOfTheViews) {
  const ViewSection views;
  EXPECT_EQ(views.perspective.modes[0].road_mode, kRoadModeFree);
  EXPECT_EQ(views.perspective.modes[1].road_mode, kRoadModeRoad);
  EXPECT_EQ(views.perspective.modes[2].road_mode, kRoadModeLap);
  EXPECT_EQ(views.perspective.modes[1].render_flag, 0);
  EXPECT_EQ(views.perspective.modes[2].render_flag, 1);
  EXPECT_EQ(views.perspective.modes[0].partition, -1);
  EXPECT_EQ(views.perspective.modes[0].height, 10.0f);
  EXPECT_EQ(views.perspective.settings.display_partitions, 20);
  EXPECT_EQ(views.perspective.pressed_button, kFreeButton);
}

TEST(ToolStateBlockTest, FiftyFourWordsWithTheStartUpButtonsPressed) {
  const ToolStateBlock block = ToolStateBlock::Initial();
  int32_t pressed = 0;
  for (int32_t word : block.words) pressed += word;
  EXPECT_EQ(pressed, 9);
  EXPECT_EQ(block.words[0], 1);
  EXPECT_EQ(block.words[1], 0);
  EXPECT_EQ(block.words[47], 1);
  ByteWriter out;
  block.Write(out);
  ASSERT_EQ(out.Size(), 216u);
  ToolStateBlock back;
  ByteReader in(out.Data());
  ASSERT_TRUE(back.Read(in));
  EXPECT_EQ(back, block);
  ByteReader short_in(out.Data().data(), 215);
  EXPECT_FALSE(back.Read(short_in));
}

}  // namespace
