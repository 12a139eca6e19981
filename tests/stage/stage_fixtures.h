// Inputs for the stage tests: small BMP pictures, partition files made byte by byte, a
// picture bank started for each test, and a structural comparison of two stages.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/byte_writer.h"
#include "pictures/bmp_writer.h"
#include "pictures/picture_bank_high_color1.h"
#include "stage/stage.h"
#include "tests/support/temp_folder.h"

namespace stage_test {

// A 24-bit uncompressed BMP of one colour.
inline std::string BmpBytes(int32_t width, int32_t height, uint8_t red, uint8_t green,
                            uint8_t blue) {
  const uint32_t colour = uint32_t{red} << 16 | uint32_t{green} << 8 | blue;
  return Bmp24Bytes(width, height, [colour](int32_t, int32_t) { return colour; });
}

// One line of a partition file: right end, left end, position, derivative, roll, roll
// derivative, two widths.
struct PatLine {
  float right[3];
  float left[3];
  double position[3];
  double derivative[3];
  double roll;
  double roll_derivative;
};

// A straight road along z: line k has its centre at (0, 0, 10k), ends at x = +-5; moved by
// (dx, dy, dz) when asked (far from the origin, where the views' initial cameras look).
inline PatLine StraightLine(int32_t k, float dx = 0.0f, float dy = 0.0f, float dz = 0.0f) {
  const float z = 10.0f * static_cast<float>(k) + dz;
  return PatLine{{5.0f + dx, dy, z}, {-5.0f + dx, dy, z},           {dx, dy, 10.0 * k + dz},
                 {0.0, 0.0, 10.0},   0.01 * static_cast<double>(k), 0.01};
}

// "PATV1.0", the line count, then the records. `drop` bytes are cut off the end.
inline std::string PatBytes(int32_t line_count, const std::vector<PatLine>& lines,
                            size_t drop = 0) {
  ByteWriter out;
  out.Text("PATV1.0");
  out.I32(line_count);
  for (const PatLine& line : lines) {
    for (float v : line.right) out.F32(v);
    for (float v : line.left) out.F32(v);
    for (double v : line.position) out.F64(v);
    for (double v : line.derivative) out.F64(v);
    out.F64(line.roll);
    out.F64(line.roll_derivative);
    out.F64(5.0);
    out.F64(5.0);
  }
  std::string bytes = out.Take();
  bytes.resize(bytes.size() - drop);
  return bytes;
}

inline std::string StraightPat(int32_t lines, float dx = 0.0f, float dy = 0.0f, float dz = 0.0f) {
  std::vector<PatLine> records;
  records.reserve(static_cast<size_t>(lines));
  for (int32_t k = 0; k < lines; ++k) records.push_back(StraightLine(k, dx, dy, dz));
  return PatBytes(lines, records);
}

// Every test runs with a started 16-bit picture bank and a temporary folder.
class StageTest : public ::testing::Test {
 protected:
  void SetUp() override { PictureBankHighColor1::StartUp(16); }
  void TearDown() override { PictureBankHighColor1::ShutDown(); }

  // Writes a BMP of `side` x `side` pixels and returns its path.
  std::string Picture(const std::string& name, int32_t side = 8, uint8_t red = 200) {
    return folder_.Write(name, BmpBytes(side, side, red, 40, 90));
  }

  TempFolder folder_;
};

// Structural equality of two stages (everything a stage file carries but the bank).
inline void ExpectSameStage(const Stage& a, const Stage& b) {
  const Terrain& ta = a.GetTerrain();
  const Terrain& tb = b.GetTerrain();
  EXPECT_EQ(ta.Start(), tb.Start());
  EXPECT_EQ(ta.StartReserve(0), tb.StartReserve(0));
  EXPECT_EQ(ta.StartReserve(1), tb.StartReserve(1));
  ASSERT_EQ(ta.PartitionCount(), tb.PartitionCount());
  for (int32_t p = 0; p < ta.PartitionCount(); ++p) {
    const Partition& pa = ta.PartitionAt(p);
    const Partition& pb = tb.PartitionAt(p);
    for (int32_t side = 0; side < 2; ++side) {
      ASSERT_EQ(pa.wires[side].Count(), pb.wires[side].Count()) << p;
      for (int32_t w = 0; w < pa.wires[side].Count(); ++w) {
        EXPECT_EQ(pa.wires[side].At(w), pb.wires[side].At(w)) << p << " " << side << " " << w;
      }
      EXPECT_EQ(pa.face_run[side], pb.face_run[side]);
    }
    EXPECT_EQ(pa.right_end, pb.right_end);
    EXPECT_EQ(pa.left_end, pb.left_end);
    EXPECT_EQ(pa.road_face, pb.road_face);
    EXPECT_EQ(pa.frame, pb.frame);
    ASSERT_EQ(pa.glue.Count(), pb.glue.Count());
    for (int32_t g = 0; g < pa.glue.Count(); ++g) EXPECT_EQ(pa.glue.At(g), pb.glue.At(g));
  }
  ASSERT_EQ(a.ObjectCount(), b.ObjectCount());
  for (int32_t ia = a.FirstObject(), ib = b.FirstObject(); ia != -1;
       ia = a.NextObject(ia), ib = b.NextObject(ib)) {
    EXPECT_EQ(a.Object(ia), b.Object(ib));
  }
  ASSERT_EQ(a.GetShapes().Count(), b.GetShapes().Count());
  for (int32_t ia = a.GetShapes().FirstId(), ib = b.GetShapes().FirstId(); ia != -1;
       ia = a.GetShapes().NextId(ia), ib = b.GetShapes().NextId(ib)) {
    EXPECT_EQ(a.GetShapes().Shape(ia), b.GetShapes().Shape(ib));
  }
  ASSERT_EQ(a.FreeObjectCount(), b.FreeObjectCount());
  for (int32_t i = 0; i < a.FreeObjectCount(); ++i) {
    EXPECT_EQ(a.FreeObjectAt(i), b.FreeObjectAt(i));
  }
  EXPECT_EQ(a.BackgroundObject(), b.BackgroundObject());
  EXPECT_EQ(a.SelectedPartition(), b.SelectedPartition());
  EXPECT_EQ(a.SelectedPoint(), b.SelectedPoint());
  EXPECT_EQ(a.GlueTarget(), b.GlueTarget());
  EXPECT_EQ(a.SelectedObject(), b.SelectedObject());
  ASSERT_EQ(a.PickedCount(), b.PickedCount());
  for (int32_t i = 0; i < a.PickedCount(); ++i) EXPECT_EQ(a.PickedAt(i), b.PickedAt(i));
}

}  // namespace stage_test
