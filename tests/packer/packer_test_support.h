// Small pictures for the packer tests: solid BMPs and ".tsy" files of a given size, and the
// frames of a written ".tsy" read back field by field.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/byte_reader.h"
#include "tests/pictures/picture_test_support.h"

// A 24-bit BMP of width x height; pixel i is `rgb` plus 8 * i, so neighbouring pixels keep
// different 5-5-5 words (the first pixel's word is that of `rgb`).
inline std::string SolidBmp(int32_t width, int32_t height, uint32_t rgb) {
  BmpLayout layout;
  layout.width = width;
  layout.height = height;
  for (int32_t i = 0; i < width * height; ++i) {
    layout.pixels.push_back((rgb + 8u * static_cast<uint32_t>(i)) & 0xFFFFFF);
  }
  return BuildBmp(layout);
}

// A ".tsy" of width x height with one frame per delay; frame f is filled with word f + 1.
inline std::string TsyWithDelays(int32_t width, int32_t height, const std::vector<int32_t>& delays,
                                 int32_t transparent_frame = -1) {
  std::vector<TsyFrameLayout> frames;
  for (size_t f = 0; f < delays.size(); ++f) {
    TsyFrameLayout frame;
    frame.delay = delays[f];
    frame.pixels.assign(static_cast<size_t>(width * height), static_cast<uint16_t>(f + 1));
    if (static_cast<int32_t>(f) == transparent_frame) {
      frame.transparency_switch = 1;
      frame.transparent_colour = static_cast<uint32_t>(f + 1);
    }
    frames.push_back(frame);
  }
  return BuildTsy(width, height, frames);
}

struct TsyFrameRead {
  int32_t delay = 0;
  int32_t transparency_switch = 0;
  uint32_t transparent_colour = 0;
  std::vector<uint16_t> pixels;
};

struct TsyRead {
  bool ok = false;
  int32_t width = 0, height = 0;
  std::vector<TsyFrameRead> frames;
};

// Reads a ".tsy" file's bytes exactly as laid out; ok only when every byte is accounted for.
inline TsyRead ReadTsyBytes(const std::string& bytes) {
  TsyRead read;
  ByteReader in(bytes);
  if (bytes.substr(0, 3) != "TSY") return read;
  in.Skip(3);
  const int32_t count = in.I32();
  read.width = in.I32();
  read.height = in.I32();
  for (int32_t f = 0; f < count && in.Ok(); ++f) {
    TsyFrameRead frame;
    frame.delay = in.I32();
    frame.transparency_switch = in.I32();
    frame.transparent_colour = in.U32();
    for (int32_t i = 0; i < read.width * read.height && in.Ok(); ++i) {
      frame.pixels.push_back(in.U16());
    }
    read.frames.push_back(frame);
  }
  read.ok = in.Ok() && in.Remaining() == 0;
  return read;
}
