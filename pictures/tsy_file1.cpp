#include "pictures/tsy_file1.h"

#include <cstring>

#include "foundation/byte_reader.h"
#include "foundation/class_startup.h"
#include "foundation/file_io.h"
#include "foundation/heap.h"
#include "foundation/misuse_check.h"
#include "foundation/straight_database.h"
#include "foundation/typed_database.h"

namespace {

constexpr const char* kTag = "TSYFile1";
constexpr const char* kNotStarted = "クラスが初期化されていません";

struct TsyFrame {
  uint16_t* pixels;
  int32_t transparency_switch;
  uint16_t transparent_colour;
  int32_t delay;
};

struct LoadedTsy {
  int32_t width;
  int32_t height;
  StraightDataBase1 frames;  // of TsyFrame
};

ClassStartUp startup(kTag, ClassStartUp::Form::kCheckThenDecrement);
IdTable<LoadedTsy>* registry = nullptr;

void FreeTsy(LoadedTsy& tsy) {
  for (int32_t i = 0; i < tsy.frames.Count(); ++i) {
    TsyFrame frame;
    tsy.frames.Fetch(&frame, i);
    Heap1::Free(frame.pixels);
  }
  tsy.frames.Release();
}

TsyFrame FetchFrame(int32_t id, int32_t frame_number) {
  const LoadedTsy tsy = registry->Fetch(id);
  TsyFrame frame;
  tsy.frames.Fetch(&frame, frame_number);
  return frame;
}

}  // namespace

void TSYFile1::StartUp() {
  if (startup.StartUp()) registry = new IdTable<LoadedTsy>();
}

void TSYFile1::ShutDown() {
  if (!startup.ShutDown() || registry == nullptr) return;
  registry->ForEach([](int32_t, LoadedTsy tsy) { FreeTsy(tsy); });
  delete registry;
  registry = nullptr;
}

int32_t TSYFile1::Load(const std::string& path) {
  startup.Require(kNotStarted);
  std::string bytes;
  if (!ReadWholeFile(path, bytes)) return kCannotOpen;
  ByteReader reader(bytes);
  char magic[3] = {};
  if (!reader.Bytes(magic, 3) || std::memcmp(magic, "TSY", 3) != 0) return kWrongFormat;
  const int32_t count = reader.I32();
  const int32_t width = reader.I32();
  const int32_t height = reader.I32();
  if (!reader.Ok() || count < 0 || width < 0 || height < 0) return kEndsEarly;
  // Every frame is checked to fit in the file before anything is allocated.
  const int64_t pixel_count = int64_t{width} * height;
  if (pixel_count > static_cast<int64_t>(reader.Remaining() / 2)) {
    if (count > 0) return kEndsEarly;
  }
  if (count > 0 && !reader.CanRead(count, static_cast<size_t>(12 + pixel_count * 2))) {
    return kEndsEarly;
  }

  LoadedTsy tsy;
  tsy.width = width;
  tsy.height = height;
  tsy.frames.Init(sizeof(TsyFrame));
  for (int32_t i = 0; i < count; ++i) {
    TsyFrame frame = {nullptr, 0, 0, kDefaultDelay};
    const int32_t delay = reader.I32();
    frame.delay = delay == 0 ? kDefaultDelay : delay;
    frame.transparency_switch = reader.I32();
    frame.transparent_colour = static_cast<uint16_t>(reader.U32());
    frame.pixels = static_cast<uint16_t*>(Heap1::Get(static_cast<size_t>(pixel_count) * 2));
    if (frame.pixels == nullptr && pixel_count > 0) {
      SUITE_FATAL(kTag, "画像メモリの獲得に失敗");
      FreeTsy(tsy);
      return kEndsEarly;
    }
    for (int64_t p = 0; p < pixel_count; ++p) frame.pixels[p] = reader.U16();
    if (!reader.Ok()) {
      Heap1::Free(frame.pixels);
      FreeTsy(tsy);
      return kEndsEarly;
    }
    tsy.frames.Append(&frame);
  }
  return registry->Add(tsy);
}

void TSYFile1::Unload(int32_t id) {
  startup.Require(kNotStarted);
  LoadedTsy tsy = registry->Fetch(id);
  FreeTsy(tsy);
  registry->Delete(id);
}

void TSYFile1::PictureSize(int32_t id, int32_t* width, int32_t* height) {
  startup.Require(kNotStarted);
  const LoadedTsy tsy = registry->Fetch(id);
  *width = tsy.width;
  *height = tsy.height;
}

int32_t TSYFile1::FrameCount(int32_t id) {
  startup.Require(kNotStarted);
  return registry->Fetch(id).frames.Count();
}

int32_t TSYFile1::FrameDelay(int32_t id, int32_t frame) {
  startup.Require(kNotStarted);
  return FetchFrame(id, frame).delay;
}

int32_t TSYFile1::FrameTransparentColour(int32_t id, int32_t frame) {
  startup.Require(kNotStarted);
  const TsyFrame f = FetchFrame(id, frame);
  return f.transparency_switch == 1 ? f.transparent_colour : -1;
}

int32_t TSYFile1::FramePixel(int32_t id, int32_t frame, int32_t index, uint16_t* value) {
  startup.Require(kNotStarted);
  const LoadedTsy tsy = registry->Fetch(id);
  SUITE_CHECK(index >= 0 && int64_t{index} < int64_t{tsy.width} * tsy.height, kTag,
              "画像範囲を超えてアクセスしようとした");
  TsyFrame f;
  tsy.frames.Fetch(&f, frame);
  *value = f.pixels[index];
  return f.transparency_switch == 1 && *value == f.transparent_colour ? 1 : 0;
}

const uint16_t* TSYFile1::FramePixels(int32_t id, int32_t frame) {
  startup.Require(kNotStarted);
  return FetchFrame(id, frame).pixels;
}
