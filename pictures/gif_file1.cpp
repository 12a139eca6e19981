#include "pictures/gif_file1.h"

#include "foundation/class_startup.h"
#include "foundation/heap.h"
#include "foundation/misuse_check.h"
#include "foundation/straight_database.h"
#include "foundation/typed_database.h"

namespace {

constexpr const char* kTag = "GifFile1";
constexpr const char* kNotStarted = "クラスが初期化されていません";

struct GifFrame {
  uint8_t* indices;       // one colour index per pixel
  uint8_t* local_table;   // red, green, blue per entry; null when the frame has none
  int32_t local_entries;
  int32_t delay;          // milliseconds
  int32_t transparent_index;  // -1 when none
};

struct LoadedGif {
  int32_t width;
  int32_t height;
  uint8_t* global_table;  // null when the file has none
  int32_t global_entries;
  StraightDataBase1 frames;  // of GifFrame
};

ClassStartUp startup(kTag, ClassStartUp::Form::kCheckThenDecrement);
IdTable<LoadedGif>* registry = nullptr;

void FreeGif(LoadedGif gif) {
  for (int32_t i = 0; i < gif.frames.Count(); ++i) {
    GifFrame frame;
    gif.frames.Fetch(&frame, i);
    Heap1::Free(frame.indices);
    Heap1::Free(frame.local_table);
  }
  gif.frames.Release();
  Heap1::Free(gif.global_table);
}

GifFrame FetchFrame(int32_t id, int32_t frame_number) {
  const LoadedGif gif = registry->Fetch(id);
  GifFrame frame;
  gif.frames.Fetch(&frame, frame_number);
  return frame;
}

}  // namespace

void GifFile1::StartUp() {
  if (startup.StartUp()) registry = new IdTable<LoadedGif>();
}

void GifFile1::ShutDown() {
  if (!startup.ShutDown() || registry == nullptr) return;
  registry->ForEach([](int32_t, const LoadedGif& gif) { FreeGif(gif); });
  delete registry;
  registry = nullptr;
}

int32_t GifFile1::Load(const std::string& path) {
  startup.Require(kNotStarted);
  (void)path;
  return kRefused;
}

void GifFile1::Unload(int32_t id) {
  startup.Require(kNotStarted);
  FreeGif(registry->Fetch(id));
  registry->Delete(id);
}

void GifFile1::PictureSize(int32_t id, int32_t* width, int32_t* height) {
  startup.Require(kNotStarted);
  const LoadedGif gif = registry->Fetch(id);
  *width = gif.width;
  *height = gif.height;
}

int32_t GifFile1::FrameCount(int32_t id) {
  startup.Require(kNotStarted);
  return registry->Fetch(id).frames.Count();
}

int32_t GifFile1::FrameDelay(int32_t id, int32_t frame) {
  startup.Require(kNotStarted);
  return FetchFrame(id, frame).delay;
}

int32_t GifFile1::PixelColour(int32_t id, int32_t frame, int32_t index, uint8_t* red,
                              uint8_t* green, uint8_t* blue) {
  startup.Require(kNotStarted);
  const LoadedGif gif = registry->Fetch(id);
  GifFrame f;
  gif.frames.Fetch(&f, frame);
  const uint8_t* table = f.local_table != nullptr ? f.local_table : gif.global_table;
  const int32_t entries = f.local_table != nullptr ? f.local_entries : gif.global_entries;
  *red = *green = *blue = 0;
  if (table == nullptr) {
    SUITE_FATAL(kTag, "カラーテーブルがありません");
    return 0;
  }
  const int32_t entry = f.indices[index];
  if (entry < entries) {
    *red = table[entry * 3];
    *green = table[entry * 3 + 1];
    *blue = table[entry * 3 + 2];
  }
  return entry == f.transparent_index ? 1 : 0;
}

bool GifFile1::HasTransparency(int32_t id, int32_t frame) {
  startup.Require(kNotStarted);
  return FetchFrame(id, frame).transparent_index != -1;
}
