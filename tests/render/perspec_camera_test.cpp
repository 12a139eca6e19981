#include "render/perspec_camera.h"

#include <gtest/gtest.h>

#include <cmath>

#include "render/perspec_texture_engine.h"
#include "tests/render/render_test_support.h"

namespace {

class PerspecCamera1Test : public ::testing::Test {
 protected:
  void SetUp() override {
    PerspecTextureEngine1::StartUp();
    texture_ = textures_.AddCoordinateTexture(3, 3);
    camera_.SetSurface(64, 64);
    camera_.SetTextureSource(&textures_);
    camera_.Update();
  }
  void TearDown() override { PerspecTextureEngine1::ShutDown(); }

  // Camera-space points at depth z that project onto the given screen points.
  void ScreenTriangle(const float (&screen)[3][2], float z, Point3f* points) const {
    for (int i = 0; i < 3; ++i) {
      points[i] = {(screen[i][0] - 32.0f) * z / 64.0f, (32.0f - screen[i][1]) * z / 64.0f, z};
    }
  }
  int32_t CountDrawn() const {
    int32_t drawn = 0;
    for (int32_t y = 0; y < 64; ++y) {
      for (int32_t x = 0; x < 64; ++x) drawn += camera_.Surface().At(x, y) != 0x7FFF;
    }
    return drawn;
  }

  TestTextures textures_;
  int32_t texture_ = 0;
  PerspecCamera1 camera_;
};

TEST_F(PerspecCamera1Test, InitialValuesAndStates) {
  PerspecCamera1 fresh;
  EXPECT_EQ(fresh.State(), 0);
  EXPECT_EQ(fresh.GetLens().far_distance, 50.0f);
  EXPECT_EQ(fresh.GetLens().pivot_distance, 1.0f);
  EXPECT_EQ(fresh.Rotation().cos_y, 1.0f);
  EXPECT_EQ(fresh.Scales().scale_x, 0.0f);
  fresh.SetSurface(101, 40);
  EXPECT_EQ(fresh.State(), 1);
  EXPECT_EQ(fresh.Scales().centre_x, 50);
  EXPECT_EQ(fresh.Scales().scale_x, 101.0f);
  fresh.SetLens(2.0f, 4.0f, 4.0f, 4.0f, 500.0f);
  EXPECT_EQ(fresh.Scales().scale_x, 50.5f);
  EXPECT_EQ(fresh.Scales().scale_y, 10.0f);
  EXPECT_EQ(fresh.Scales().inverse_far, 1.0f / 500.0f);
  fresh.Update();
  EXPECT_EQ(fresh.State(), 2);
  fresh.SetPosition(1.0f, 2.0f, 3.0f);  // position and lens leave the state alone
  EXPECT_EQ(fresh.State(), 2);
  fresh.SetRotation(1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 1.0f);  // exactly 1 is accepted
  EXPECT_EQ(fresh.State(), 1);
  fresh.ReleaseSurface();
  EXPECT_EQ(fresh.State(), 0);
  EXPECT_EQ(fresh.GetLens().far_distance, 50.0f);
  EXPECT_EQ(fresh.Rotation().sin_x, 0.0f);
  EXPECT_EQ(fresh.Width(), 0);
}

TEST_F(PerspecCamera1Test, WorldToCameraAddsThePivotDistance) {
  camera_.SetPosition(10.0f, 0.0f, 0.0f);
  camera_.SetRotation(0.0f, 1.0f, 1.0f, 0.0f, 0.0f, 1.0f);  // heading +90 degrees
  camera_.Update();
  const Point3f p = camera_.WorldToCamera({10.0f, 0.0f, 5.0f});
  EXPECT_NEAR(p.x, 5.0f, 1e-6f);
  EXPECT_NEAR(p.y, 0.0f, 1e-6f);
  EXPECT_NEAR(p.z, 1.0f, 1e-6f);
}

TEST_F(PerspecCamera1Test, ChecksAreReported) {
  EXPECT_REPORTED("スクリーンが設定されていないのにオブジェクトを更新しようとした",
                PerspecCamera1().SetRotation(0, 1, 0, 1, 0, 1));
  EXPECT_REPORTED("スクリーンが設定されていないのにオブジェクトを更新しようとした",
                PerspecCamera1().Update());
  EXPECT_REPORTED("sinRxにありえない値を検出",
                camera_.SetRotation(1.0000001f, 0, 0, 1, 0, 1));
  EXPECT_REPORTED("cosRzにありえない値を検出",
                camera_.SetRotation(0, 1, 0, 1, 0, NAN));
  EXPECT_REPORTED("マイナス値をLenzWIdthに設定しようとした",
                camera_.SetLens(0.0f, 1, 1, 1, 50));
  EXPECT_REPORTED("マイナス値をLenzDstに設定しようとした",
                camera_.SetLens(1, 1, 0.0f, 1, 50));
  EXPECT_REPORTED("LenzDst>FarDstに設定しようとした",
                camera_.SetLens(1, 1, 50.0f, 1, 50.0f));
  EXPECT_REPORTED("オブジェクトデータを更新する必要がある",
                {
        camera_.SetRotation(0, 1, 0, 1, 0, 1);
        camera_.WorldToCamera({0, 0, 0});
      });
}

TEST_F(PerspecCamera1Test, MoreThanTwentyVerticesAreRefused) {
  Point3f points[21];
  TexCoord2f coords[21] = {};
  for (int i = 0; i < 21; ++i) {
    const float angle = -6.2831853f * i / 21;
    points[i] = {std::cos(angle), std::sin(angle), 5.0f};
  }
  EXPECT_EQ(camera_.DrawPolygon(points, coords, 20, texture_, 0), 20);
  EXPECT_REPORTED("ポリゴンの頂点数が多すぎる",
                camera_.DrawPolygon(points, coords, 21, texture_, 0));
}

TEST_F(PerspecCamera1Test, BackFacesAreCulledOnlyInModeOne) {
  const float clockwise[3][2] = {{10, 10}, {50, 10}, {30, 50}};
  const float counter[3][2] = {{10, 10}, {30, 50}, {50, 10}};
  const TexCoord2f coords[3] = {{0, 0}, {1, 0}, {0.5f, 1}};
  const TexCoord2f counter_coords[3] = {{0, 0}, {0.5f, 1}, {1, 0}};
  Point3f points[3];

  camera_.Surface().Fill(0x7FFF);
  ScreenTriangle(clockwise, 8.0f, points);
  EXPECT_EQ(camera_.DrawPolygon(points, coords, 3, texture_, 1), 0);
  const int32_t front_pixels = CountDrawn();
  EXPECT_GT(front_pixels, 600);

  camera_.Surface().Fill(0x7FFF);
  ScreenTriangle(counter, 8.0f, points);
  camera_.DrawPolygon(points, counter_coords, 3, texture_, 1);
  EXPECT_EQ(CountDrawn(), 0);
  // Mode 2 does not cull, but the engine's spans of a counter-clockwise polygon are empty.
  camera_.DrawPolygon(points, counter_coords, 3, texture_, 2);
  EXPECT_EQ(CountDrawn(), 0);
  // Mode 0 outlines in white whatever the winding: vertex pixels are set.
  camera_.Surface().Fill(0);
  EXPECT_EQ(camera_.DrawPolygon(points, counter_coords, 3, texture_, 0), 3);
  EXPECT_EQ(camera_.Surface().At(10, 10), 0x7FFF);
  EXPECT_EQ(camera_.Surface().At(30, 50), 0x7FFF);
  EXPECT_EQ(camera_.Surface().At(30, 30), 0);
}

TEST_F(PerspecCamera1Test, NearAndScreenClippingKeepTheEngineInsideTheSurface) {
  // A huge floor quad crossing the near plane and every screen edge.
  const Point3f points[4] = {
      {-100.0f, -2.0f, 0.2f}, {-100.0f, -2.0f, 80.0f}, {100.0f, -2.0f, 80.0f},
      {100.0f, -2.0f, 0.2f}};
  const TexCoord2f coords[4] = {{0, 0}, {0, 1}, {1, 1}, {1, 0}};
  camera_.Surface().Fill(0x7FFF);
  camera_.DrawPolygon(points, coords, 4, texture_, 2);
  // The floor fills the lower part of the view up to the far cut (the bottom row of a
  // polygon, here the surface's last row, is left to the polygon below it).
  EXPECT_NE(camera_.Surface().At(32, 62), 0x7FFF);
  EXPECT_EQ(camera_.Surface().At(32, 63), 0x7FFF);
  EXPECT_NE(camera_.Surface().At(0, 60), 0x7FFF);
  EXPECT_EQ(camera_.Surface().At(32, 10), 0x7FFF);
  // Nothing visible: behind the near plane.
  const Point3f behind[3] = {{0, 0, 0.5f}, {1, 0, 0.5f}, {0, -1, 0.5f}};
  EXPECT_EQ(camera_.DrawPolygon(behind, coords, 3, texture_, 0), 0);
}

}  // namespace
