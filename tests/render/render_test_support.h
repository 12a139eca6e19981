// Helpers of the render tests: textures served by ID, and level-3 reports checked by the
// message they leave in the error log.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "foundation/shift_jis.h"
#include "render/texture_source.h"
#include "tests/support/temp_folder.h"

class TestTextures : public TextureSource {
 public:
  struct Entry {
    std::vector<uint16_t> texels;
    int32_t width_exponent;
    int32_t height_exponent;
    bool has_transparent_colour;
    uint16_t transparent_colour;
  };

  // A texture whose texel at (column, row) is row * width + column: every texel names
  // its own position (width * height must stay below 32768).
  int32_t AddCoordinateTexture(int32_t width_exponent, int32_t height_exponent) {
    Entry entry{{}, width_exponent, height_exponent, false, 0};
    const int32_t count = 1 << (width_exponent + height_exponent);
    for (int32_t i = 0; i < count; ++i) entry.texels.push_back(static_cast<uint16_t>(i));
    return Add(entry);
  }
  int32_t Add(const Entry& entry) {
    const int32_t id = static_cast<int32_t>(entries_.size());
    entries_[id] = entry;
    return id;
  }
  Entry& At(int32_t id) { return entries_.at(id); }

  bool Texture(int32_t picture_id, TextureView* view) const override {
    auto found = entries_.find(picture_id);
    if (found == entries_.end()) return false;
    view->texels = found->second.texels.data();
    view->width_exponent = found->second.width_exponent;
    view->height_exponent = found->second.height_exponent;
    view->has_transparent_colour = found->second.has_transparent_colour;
    view->transparent_colour = found->second.transparent_colour;
    return true;
  }

 private:
  std::map<int32_t, Entry> entries_;
};

// Runs the statements in a child process inside a fresh folder and expects them to end it
// with status 1 after logging `message` (UTF-8; the log is Shift-JIS).
#define EXPECT_REPORTED(message, ...)                                                    \
  do {                                                                                   \
    TempFolder report_folder;                                                            \
    {                                                                                    \
      CurrentDirectory report_directory(report_folder.Path());                           \
      auto report_statement = [&]() { __VA_ARGS__; };                                    \
      EXPECT_EXIT(report_statement(), ::testing::ExitedWithCode(1), "");                 \
    }                                                                                    \
    const std::string report_log = TempFolder::Read(report_folder.File("ErrorLog.err")); \
    EXPECT_NE(report_log.find(Utf8ToShiftJis(message)), std::string::npos) << report_log; \
  } while (0)
