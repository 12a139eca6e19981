#include "foundation/byte_reader.h"

#include <gtest/gtest.h>

#include "foundation/byte_writer.h"

TEST(ByteReaderTest, ReadsWhatTheWriterWroteLittleEndian) {
  ByteWriter writer;
  writer.U8(0xAB);
  writer.U16(0x1234);
  writer.I32(-2);
  writer.F32(1.5f);
  writer.F64(-0.25);
  writer.Text("PATV1.0");
  EXPECT_EQ(writer.Data().substr(1, 2), std::string("\x34\x12", 2));

  ByteReader reader(writer.Data());
  EXPECT_EQ(reader.U8(), 0xAB);
  EXPECT_EQ(reader.U16(), 0x1234);
  EXPECT_EQ(reader.I32(), -2);
  EXPECT_EQ(reader.F32(), 1.5f);
  EXPECT_EQ(reader.F64(), -0.25);
  EXPECT_EQ(reader.View(7), "PATV1.0");
  EXPECT_TRUE(reader.Ok());
  EXPECT_TRUE(reader.AtEnd());
}

TEST(ByteReaderTest, ReadPastTheEndYieldsZerosAndStaysFailed) {
  const std::string bytes("\x01\x02\x03", 3);
  ByteReader reader(bytes);
  EXPECT_EQ(reader.U32(), 0u);
  EXPECT_FALSE(reader.Ok());
  // Once failed, even a read that would fit yields zero.
  EXPECT_EQ(reader.U8(), 0);
  char out[4] = {9, 9, 9, 9};
  EXPECT_FALSE(reader.Bytes(out, 1));
  EXPECT_EQ(out[0], 9);
}

TEST(ByteReaderTest, CanReadRefusesNegativeAndOverflowingCounts) {
  const std::string bytes(16, '\0');
  ByteReader reader(bytes);
  EXPECT_TRUE(reader.CanRead(4, 4));
  EXPECT_FALSE(reader.CanRead(5, 4));
  EXPECT_FALSE(reader.CanRead(-1, 4));
  EXPECT_FALSE(reader.CanRead(INT64_MAX, 8));
  reader.Skip(12);
  EXPECT_TRUE(reader.CanRead(1, 4));
  EXPECT_FALSE(reader.CanRead(2, 4));
}
