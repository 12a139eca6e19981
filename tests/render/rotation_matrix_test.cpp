#include "render/rotation_matrix.h"

#include <gtest/gtest.h>

#include <cmath>

#include "render/road_frame.h"

namespace {

void ExpectNear(const RotationMatrix& a, const RotationMatrix& b, float tolerance) {
  for (int i = 0; i < 9; ++i) EXPECT_NEAR(a.m[i], b.m[i], tolerance) << "element " << i;
}

RotationMatrix Transposed(const RotationMatrix& r) {
  RotationMatrix t;
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 3; ++col) t.m[row * 3 + col] = r.m[col * 3 + row];
  }
  return t;
}

RotationMatrix Product(const RotationMatrix& a, const RotationMatrix& b) {
  RotationMatrix p;
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 3; ++col) {
      float sum = 0.0f;
      for (int k = 0; k < 3; ++k) sum += a.m[row * 3 + k] * b.m[k * 3 + col];
      p.m[row * 3 + col] = sum;
    }
  }
  return p;
}

TEST(RotationMatrixTest, ZeroAnglesGiveIdentity) {
  ExpectNear(ViewMatrix(0.0, 0.0, 0.0), RotationMatrix{}, 0.0f);
  ExpectNear(CameraMatrix(0.0, 0.0, 0.0), RotationMatrix{}, 0.0f);
}

TEST(RotationMatrixTest, CameraMatrixIsTheInverseOfTheViewOfNegatedAngles) {
  const double x = 0.3, y = -1.1, z = 2.4;
  const RotationMatrix view = ViewMatrix(-x, -y, -z);
  const RotationMatrix camera = CameraMatrix(x, y, z);
  ExpectNear(camera, Transposed(view), 1e-6f);
  ExpectNear(Product(camera, view), RotationMatrix{}, 1e-6f);
  // The sines form gives the same matrix as the angles form.
  ExpectNear(ViewMatrix(Negated(SinesOfAngles(x, y, z))), view, 0.0f);
}

TEST(RotationMatrixTest, HeadingTurnsTheViewAxisAboutY) {
  // A camera turned by +90 degrees about Y: the world's +X lies straight ahead or behind
  // (z), never sideways.
  const RotationMatrix w = ViewMatrix(0.0, -M_PI / 2, 0.0);
  const Point3f p = w.Apply({1.0f, 0.0f, 0.0f});
  EXPECT_NEAR(p.x, 0.0f, 1e-6f);
  EXPECT_NEAR(std::fabs(p.z), 1.0f, 1e-6f);
  EXPECT_NEAR(p.y, 0.0f, 1e-6f);
}

TEST(RotationMatrixTest, AnglesAreRoundedToFloatBeforeTheirSines) {
  const double angle = 0.1000000000000001;
  const AngleSines s = SinesOfAngles(angle, 0.0, 0.0);
  EXPECT_EQ(s.sin_x, static_cast<float>(std::sin(static_cast<double>(static_cast<float>(angle)))));
}

TEST(RoadFrameTest, OrdinaryTangentAndRoll) {
  AngleSines f;
  ASSERT_TRUE(MakeRoadFrame(3.0, 0.0, 4.0, 0.5, &f));
  EXPECT_FLOAT_EQ(f.sin_y, 0.8f);
  EXPECT_FLOAT_EQ(f.cos_y, -0.6f);
  EXPECT_FLOAT_EQ(f.sin_x, 0.0f);
  EXPECT_FLOAT_EQ(f.cos_x, 1.0f);
  EXPECT_FLOAT_EQ(f.sin_z, std::sin(0.5f));
  ASSERT_TRUE(MakeRoadFrame(0.0, 3.0, 4.0, 0.0, &f));
  EXPECT_FLOAT_EQ(f.sin_x, 0.6f);
  EXPECT_FLOAT_EQ(f.cos_x, 0.8f);
}

TEST(RoadFrameTest, VerticalTangentTakesAFixedHeading) {
  AngleSines f;
  ASSERT_TRUE(MakeRoadFrame(0.0, -2.0, 0.0, 0.0, &f));
  EXPECT_EQ(f.sin_y, 1.0f);
  EXPECT_EQ(f.cos_y, 0.0f);
  EXPECT_EQ(f.sin_x, -1.0f);
  EXPECT_EQ(f.cos_x, 0.0f);
}

TEST(RoadFrameTest, ZeroLengthTangentLeavesTheFrameAlone) {
  AngleSines f{0.25f, 0.5f, 0.75f, 1.0f, 0.125f, 0.375f};
  EXPECT_FALSE(MakeRoadFrame(0.0, 0.0, 0.0, 1.0, &f));
  EXPECT_EQ(f.sin_x, 0.25f);
  EXPECT_EQ(f.cos_z, 0.375f);
  EXPECT_FALSE(MakeRoadFrame(NAN, 0.0, 0.0, 1.0, &f));
}

}  // namespace

namespace {

// The frame the course builds its partition lines with: heading from -dx and dz, pitch from
// dy over the whole length; a vertical tangent keeps heading 0.
TEST(AlongRoadFrameTest, HeadingPitchAndRollOfTheTangent) {
  struct Case {
    double tangent[3];
    double roll;
    AlongRoadFrame want;
  };
  const double s = std::sqrt(0.5);
  const Case cases[] = {
      {{0, 0, 2}, 0.0, {0, 1, 0, 1, 0, 1}},
      {{3, 0, 0}, 0.0, {0, 1, -1, 0, 0, 1}},
      {{-1, 0, 1}, 0.3, {0, 1, s, s, std::sin(0.3), std::cos(0.3)}},
      {{0, 4, 4}, 0.0, {s, s, 0, 1, 0, 1}},
      {{0, -5, 0}, 0.0, {-1, 0, 0, 1, 0, 1}},  // vertical: heading 0
  };
  for (const Case& c : cases) {
    AlongRoadFrame f;
    ASSERT_TRUE(MakeAlongRoadFrame(c.tangent, c.roll, &f));
    EXPECT_NEAR(f.sin_x, c.want.sin_x, 1e-12);
    EXPECT_NEAR(f.cos_x, c.want.cos_x, 1e-12);
    EXPECT_NEAR(f.sin_y, c.want.sin_y, 1e-12);
    EXPECT_NEAR(f.cos_y, c.want.cos_y, 1e-12);
    EXPECT_NEAR(f.sin_z, c.want.sin_z, 1e-12);
    EXPECT_NEAR(f.cos_z, c.want.cos_z, 1e-12);
    // Its camera matrix takes the forward axis onto the tangent.
    const AngleSines a{float(f.sin_x), float(f.cos_x), float(f.sin_y),
                       float(f.cos_y), float(f.sin_z), float(f.cos_z)};
    const RotationMatrix m = CameraMatrix(a);
    const double length = std::sqrt(c.tangent[0] * c.tangent[0] + c.tangent[1] * c.tangent[1] +
                                    c.tangent[2] * c.tangent[2]);
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(m.m[3 * k + 2], c.tangent[k] / length, 1e-6);
  }
  AlongRoadFrame untouched;
  untouched.sin_x = 0.25;
  const double zero[3] = {0, 0, 0};
  EXPECT_FALSE(MakeAlongRoadFrame(zero, 0.0, &untouched));
  EXPECT_EQ(untouched.sin_x, 0.25);
}

}  // namespace
