// Inputs for the object library and editing tests: polygon object files, template texts, a
// stage built from a straight road with a scripted prompter installed.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "converter/po3_file.h"
#include "foundation/prompter.h"
#include "stage/partition_loading.h"
#include "stage/stage.h"
#include "tests/stage/stage_fixtures.h"

namespace objects_test {

// A square of two triangles; attribute 0 textured with `texture` when it is not empty.
inline Po3Object Square(const std::string& texture = "") {
  Po3Object object;
  object.points = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
  object.texture_vertices = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  object.faces = {{{0, 1, 2}, {0, 1, 2}, 0}, {{0, 2, 3}, {0, 2, 3}, 1}};
  Po3Attribute plain;
  plain.red = 0.5f;
  Po3Attribute first = plain;
  if (!texture.empty()) {
    first.textured = 1;
    first.texture_name = texture;
    first.repeat_u = 2.0f;
    first.repeat_v = 3.0f;
  }
  object.attributes = {first, plain};
  return object;
}

// A stage on a straight road of `lines` lines (partition p between z = 10p and 10(p + 1),
// ends at x = +-5), partition 0 selected, with a scripted prompter.
class ObjectsTest : public stage_test::StageTest {
 protected:
  void SetUp() override {
    StageTest::SetUp();
    previous_ = Prompter::Install(&prompter_);
  }
  void TearDown() override {
    stage_.Reset();
    Prompter::Install(previous_);
    StageTest::TearDown();
  }

  void LoadRoad(int32_t lines = 12) {
    const std::string pat = folder_.Write("road.pat", stage_test::StraightPat(lines));
    ASSERT_EQ(LoadPartitionFile(stage_, pat), 0);
    stage_.SelectPartition(0);
  }
  std::string WritePo3(const std::string& name, const Po3Object& object) {
    return folder_.Write(name, Po3File::Bytes(object));
  }

  Stage stage_;
  ScriptedPrompter prompter_;
  Prompter* previous_ = nullptr;
};

}  // namespace objects_test
