#include "pictures/picture_bank_high_color1.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "foundation/class_startup.h"
#include "foundation/heap.h"
#include "foundation/id_array_database.h"
#include "foundation/misuse_check.h"
#include "foundation/typed_database.h"
#include "pictures/bmp_file2.h"
#include "pictures/gif_file1.h"
#include "pictures/pixel_format.h"
#include "pictures/tsy_file1.h"

namespace {

constexpr const char* kTag = "PictureBankHighColor1";
constexpr const char* kNotStartedGet = "初期化されていないのに獲得しようとした";
constexpr const char* kNotStartedSet = "初期化していないのに設定しようとした";
constexpr const char* kNotPowerOfTwoData = "2のN乗ﾃﾞｰﾀでないのに２のN乗ﾃﾞｰﾀを獲得しようとした";
constexpr int32_t kMaxPathBytes = 260;

using Bank = PictureBankHighColor1;

struct PictureRecord {
  int32_t kind;
  uint8_t* pixels;  // surface format; null for an animation base
  int32_t width;
  int32_t height;
  int32_t exponent_w;
  int32_t exponent_h;
  int32_t byte_count;
  uint32_t flags;
  int32_t delay;
  int32_t transparency_switch;
  uint32_t transparent_colour;
  int32_t reference_count;
  char* path;
  IDArrayDataBase1 frames;  // frame IDs in display order (animation base only)
  int32_t total_time;       // animation base only
};

struct BankState {
  int32_t colour_bits = 16;
  IdTable<PictureRecord> records;
};

ClassStartUp startup(kTag, ClassStartUp::Form::kDecrementThenCheck);
BankState* bank = nullptr;

// Base-2 logarithm of a power of two; -1 for anything else.
int32_t SideExponent(int32_t value) {
  if (value <= 0) return -1;
  int32_t exponent = 0;
  while (value % 2 == 0) {
    value /= 2;
    ++exponent;
  }
  return value == 1 ? exponent : -1;
}

void FreeRecord(PictureRecord record) {
  Heap1::Free(record.pixels);
  Heap1::Free(record.path);
  record.frames.Release();
}

void FreeAll(BankState* state) {
  state->records.ForEach([](int32_t, const PictureRecord& record) { FreeRecord(record); });
}

char* CopyPath(const std::string& path) {
  char* copy = static_cast<char*>(Heap1::Get(path.size() + 1));
  if (copy == nullptr) {
    SUITE_FATAL(kTag, "画像ファイル名のメモリの獲得に失敗");
    return nullptr;
  }
  std::memcpy(copy, path.c_str(), path.size() + 1);
  return copy;
}

// A record of the given size with its exponents, power-of-two flag, reference count 1 and
// a copy of `path`; pixels are allocated for a picture.
PictureRecord NewRecord(int32_t kind, int32_t width, int32_t height, const std::string& path,
                        bool unique) {
  PictureRecord record = {};
  record.kind = kind;
  record.width = width;
  record.height = height;
  record.exponent_w = -1;
  record.exponent_h = -1;
  const int32_t exponent_w = SideExponent(width);
  const int32_t exponent_h = SideExponent(height);
  if (exponent_w != -1 && exponent_h != -1) {
    record.exponent_w = exponent_w;
    record.exponent_h = exponent_h;
    record.flags |= Bank::kPowerOfTwo;
  }
  if (unique) record.flags |= Bank::kUnique;
  record.reference_count = 1;
  record.path = CopyPath(path);
  record.frames.Init();
  if (kind == Bank::kPicture) {
    record.byte_count = width * height * BytesPerPixel(bank->colour_bits);
    record.pixels = static_cast<uint8_t*>(Heap1::Get(static_cast<size_t>(record.byte_count)));
    if (record.pixels == nullptr && record.byte_count > 0) {
      SUITE_FATAL(kTag, "画像メモリの獲得に失敗");
    }
  }
  return record;
}

int32_t FrameAt(const PictureRecord& base, uint32_t time) {
  const int32_t count = base.frames.Count();
  if (count == 0) return -1;
  // A total time of 0 (all delays 0) shows the first frame rather than dividing by 0.
  if (base.total_time <= 0) return base.frames.ValueAt(0);
  uint32_t t = time % static_cast<uint32_t>(base.total_time);
  for (int32_t i = 0; i < count; ++i) {
    const int32_t frame_id = base.frames.ValueAt(i);
    const uint32_t delay = static_cast<uint32_t>(bank->records.Fetch(frame_id).delay);
    if (t < delay) return frame_id;
    t -= delay;
  }
  return base.frames.ValueAt(count - 1);
}

int32_t ShownId(int32_t id, uint32_t time) {
  const PictureRecord record = bank->records.Fetch(id);
  return record.kind == Bank::kAnimationBase ? FrameAt(record, time) : id;
}

int32_t RegisterBmp(const std::string& path, int32_t mode, bool unique) {
  const int32_t file = BMPFile2::Load(path);
  switch (file) {
    case BMPFile2::kCannotOpen:
      return Bank::kCannotOpen;
    case BMPFile2::kWrongFormat:
      return Bank::kWrongFormat;
    case BMPFile2::kEndsEarly:
      return Bank::kEndsEarly;
    default:
      if (file < 0) return Bank::kCompressed;
  }
  int32_t width = 0, height = 0;
  BMPFile2::PictureSize(file, &width, &height);
  if (int64_t{width} * height * BytesPerPixel(bank->colour_bits) > INT32_MAX) {
    BMPFile2::Unload(file);
    return Bank::kWrongFormat;
  }
  if (mode == Bank::kModePowerOfTwo && (SideExponent(width) == -1 || SideExponent(height) == -1)) {
    BMPFile2::Unload(file);
    return Bank::kNotPowerOfTwo;
  }
  PictureRecord record = NewRecord(Bank::kPicture, width, height, path, unique);
  const int32_t bits = bank->colour_bits;
  const int32_t pixel_bytes = BytesPerPixel(bits);
  // One row at a time: a registry lookup per row, not per pixel.
  std::vector<uint8_t> rgb(static_cast<size_t>(width) * 3);
  for (int32_t y = 0; y < height; ++y) {
    BMPFile2::PixelColours(file, y * width, width, rgb.data());
    for (int32_t x = 0; x < width; ++x) {
      const uint8_t* c = &rgb[static_cast<size_t>(x) * 3];
      StoreSurfacePixel(record.pixels + (static_cast<size_t>(y) * width + x) * pixel_bytes,
                        static_cast<uint32_t>(PackColour(c[0], c[1], c[2], bits)), bits);
    }
  }
  BMPFile2::Unload(file);
  record.delay = 0;  // a still picture has no display time of its own
  return bank->records.Add(record);
}

// One record from frame `frame` of a loaded ".tsy" file.
PictureRecord TsyFrameRecord(int32_t file, int32_t frame, int32_t width, int32_t height,
                             const std::string& path, bool unique) {
  PictureRecord record = NewRecord(Bank::kPicture, width, height, path, unique);
  const int32_t bits = bank->colour_bits;
  const uint16_t* words = TSYFile1::FramePixels(file, frame);
  const int32_t transparent = TSYFile1::FrameTransparentColour(file, frame);
  const int32_t pixel_count = width * height;
  bool any_transparent = false;
  for (int32_t i = 0; i < pixel_count; ++i) {
    const uint16_t word = words[i];
    if (transparent >= 0 && word == transparent) any_transparent = true;
    if (bits == 16) {
      StoreSurfacePixel(record.pixels + static_cast<size_t>(i) * 2, word, 16);
    } else {
      uint8_t red, green, blue;
      UnpackColour555(word, &red, &green, &blue);
      StoreSurfacePixel(record.pixels + static_cast<size_t>(i) * 3,
                        static_cast<uint32_t>(PackColour(red, green, blue, 24)), 24);
    }
  }
  if (any_transparent) {
    record.transparency_switch = 1;
    if (bits == 16) {
      record.transparent_colour = static_cast<uint32_t>(transparent);
    } else {
      uint8_t red, green, blue;
      UnpackColour555(static_cast<uint16_t>(transparent), &red, &green, &blue);
      record.transparent_colour = static_cast<uint32_t>(PackColour(red, green, blue, 24));
    }
  }
  record.delay = TSYFile1::FrameDelay(file, frame);
  return record;
}

int32_t RegisterTsy(const std::string& path, int32_t mode, bool unique) {
  const int32_t file = TSYFile1::Load(path);
  switch (file) {
    case TSYFile1::kCannotOpen:
      return Bank::kCannotOpen;
    case TSYFile1::kWrongFormat:
      return Bank::kWrongFormat;
    case TSYFile1::kEndsEarly:
      return Bank::kEndsEarly;
    default:
      if (file < 0) return Bank::kCompressed;
  }
  int32_t width = 0, height = 0;
  TSYFile1::PictureSize(file, &width, &height);
  const int32_t frame_count = TSYFile1::FrameCount(file);
  // A file without frames or with an empty picture has nothing to show.
  if (frame_count == 0 || width <= 0 || height <= 0 ||
      int64_t{width} * height * BytesPerPixel(bank->colour_bits) > INT32_MAX) {
    TSYFile1::Unload(file);
    return Bank::kWrongFormat;
  }
  if (mode == Bank::kModePowerOfTwo && (SideExponent(width) == -1 || SideExponent(height) == -1)) {
    TSYFile1::Unload(file);
    return Bank::kNotPowerOfTwo;
  }
  if (frame_count == 1) {
    const int32_t id = bank->records.Add(TsyFrameRecord(file, 0, width, height, path, unique));
    TSYFile1::Unload(file);
    return id;
  }
  PictureRecord base = NewRecord(Bank::kAnimationBase, width, height, path, unique);
  for (int32_t frame = 0; frame < frame_count; ++frame) {
    const PictureRecord record = TsyFrameRecord(file, frame, width, height,
                                                path + "_" + std::to_string(frame), unique);
    // Delays come from the file: add in 64 bits and saturate so that they cannot wrap.
    const int64_t total = int64_t{base.total_time} + record.delay;
    base.total_time = static_cast<int32_t>(std::clamp<int64_t>(total, INT32_MIN, INT32_MAX));
    base.frames.Append(bank->records.Add(record));
  }
  TSYFile1::Unload(file);
  return bank->records.Add(base);
}

int32_t RegisterGif(const std::string& path) {
  switch (GifFile1::Load(path)) {
    case GifFile1::kCannotOpen:
      return Bank::kCannotOpen;
    case GifFile1::kWrongFormat:
      return Bank::kWrongFormat;
    case GifFile1::kEndsEarly:
      return Bank::kEndsEarly;
    case GifFile1::kRefused:
      return Bank::kGifRefused;
    default:
      // The reader never hands out a GIF picture in this edition.
      return Bank::kCompressed;
  }
}

// The text after the last "." of the file name, upper-cased; false when there is none.
bool UpperExtension(const std::string& path, std::string* extension) {
  const size_t dot = path.find_last_of('.');
  const size_t separator = path.find_last_of("/\\");
  if (dot == std::string::npos || (separator != std::string::npos && dot < separator)) {
    return false;
  }
  *extension = path.substr(dot + 1);
  for (char& c : *extension) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return true;
}

int32_t RegisterWith(const std::string& path, int32_t mode, bool unique) {
  startup.Require("初期化されていないのに登録しようとした");
  if (bank == nullptr) return Bank::kWrongFormat;
  std::string extension;
  if (!UpperExtension(path, &extension)) {
    SUITE_FATAL(kTag, "拡張子のない画像ﾌｧｲﾙﾊﾟｽが設定されている");
    return Bank::kWrongFormat;
  }
  if (!unique) {
    for (int32_t id = bank->records.FirstId(); id != -1; id = bank->records.NextId(id)) {
      const PictureRecord record = bank->records.Fetch(id);
      if ((record.flags & Bank::kUnique) == 0 && record.path != nullptr && path == record.path) {
        Bank::AddRef(id);
        return id;
      }
    }
  }
  if (extension == "BMP") return RegisterBmp(path, mode, unique);
  if (extension == "TSY") return RegisterTsy(path, mode, unique);
  if (extension == "GIF") return RegisterGif(path);
  return Bank::kWrongFormat;
}

void FillInfo(const PictureRecord& record, PictureInfo* info) {
  if (info == nullptr) return;
  info->width = record.width;
  info->height = record.height;
  info->byte_count = record.byte_count;
  info->flags = record.flags;
  info->transparency_switch = record.transparency_switch;
  info->transparent_colour = record.transparent_colour;
  info->delay = record.delay;
}

}  // namespace

void PictureBankHighColor1::StartUp(int32_t colour_bits) {
  if (!startup.StartUp()) return;
  bank = new BankState();
  if (colour_bits != 16 && colour_bits != 24) {
    SUITE_FATAL(kTag, "対応していないｶﾗｰﾋﾞｯﾄが設定されました");
    colour_bits = 16;
  }
  bank->colour_bits = colour_bits;
  BMPFile2::StartUp();
  TSYFile1::StartUp();
  GifFile1::StartUp();
}

void PictureBankHighColor1::ShutDown() {
  if (!startup.ShutDown() || bank == nullptr) return;
  FreeAll(bank);
  delete bank;
  bank = nullptr;
  GifFile1::ShutDown();
  TSYFile1::ShutDown();
  BMPFile2::ShutDown();
}

int32_t PictureBankHighColor1::Register(const std::string& path, int32_t mode) {
  return RegisterWith(path, mode, false);
}

int32_t PictureBankHighColor1::RegisterUnique(const std::string& path, int32_t mode) {
  return RegisterWith(path, mode, true);
}

void PictureBankHighColor1::AddRef(int32_t id) {
  startup.Require(kNotStartedSet);
  PictureRecord record = bank->records.Fetch(id);
  ++record.reference_count;
  bank->records.Update(id, record);
}

void PictureBankHighColor1::Release(int32_t id) {
  startup.Require("初期化されていないのに削除しようとした");
  PictureRecord record = bank->records.Fetch(id);
  --record.reference_count;
  if (record.reference_count > 0) {
    bank->records.Update(id, record);
    return;
  }
  bank->records.Delete(id);
  for (int32_t i = 0; i < record.frames.Count(); ++i) {
    const int32_t frame_id = record.frames.ValueAt(i);
    if (bank->records.IsLive(frame_id)) Release(frame_id);
  }
  FreeRecord(record);
}

const uint8_t* PictureBankHighColor1::Picture(int32_t id, PictureInfo* info, uint32_t time) {
  startup.Require(kNotStartedGet);
  const int32_t shown = ShownId(id, time);
  if (shown < 0) return nullptr;
  const PictureRecord record = bank->records.Fetch(shown);
  FillInfo(record, info);
  return record.pixels;
}

const uint8_t* PictureBankHighColor1::PowerOfTwoPicture(int32_t id, int32_t* exponent_w,
                                                        int32_t* exponent_h, PictureInfo* info) {
  startup.Require(kNotStartedGet);
  PictureRecord record = bank->records.Fetch(id);
  SUITE_CHECK((record.flags & kPowerOfTwo) != 0, kTag, kNotPowerOfTwoData);
  if (record.kind == kAnimationBase) {
    record = bank->records.Fetch(record.frames.ValueAt(0));
    SUITE_CHECK((record.flags & kPowerOfTwo) != 0, kTag, kNotPowerOfTwoData);
  }
  *exponent_w = record.exponent_w;
  *exponent_h = record.exponent_h;
  FillInfo(record, info);
  return record.pixels;
}

int32_t PictureBankHighColor1::FrameCount(int32_t id) {
  startup.Require(kNotStartedGet);
  const PictureRecord record = bank->records.Fetch(id);
  return record.kind == kAnimationBase ? record.frames.Count() : 1;
}

int32_t PictureBankHighColor1::FrameId(int32_t id, int32_t n) {
  startup.Require(kNotStartedGet);
  const PictureRecord record = bank->records.Fetch(id);
  if (record.kind == kAnimationBase) return record.frames.ValueAt(n);
  SUITE_CHECK(n == 0, kTag, "単品画像なのに範囲を超えてアクセス");
  return id;
}

int32_t PictureBankHighColor1::FrameDelay(int32_t id) {
  startup.Require(kNotStartedGet);
  const PictureRecord record = bank->records.Fetch(id);
  SUITE_CHECK(record.kind != kAnimationBase, kTag,
              "アニメーションベースから遅延時間を求めようとした");
  return record.delay;
}

int32_t PictureBankHighColor1::FrameAtTime(int32_t id, uint32_t time) {
  startup.Require(kNotStartedGet);
  return ShownId(id, time);
}

int32_t PictureBankHighColor1::Kind(int32_t id) {
  startup.Require(kNotStartedGet);
  return bank->records.Fetch(id).kind;
}

int32_t PictureBankHighColor1::TotalTime(int32_t id) {
  startup.Require(kNotStartedGet);
  return bank->records.Fetch(id).total_time;
}

void PictureBankHighColor1::SetReferenceCount(int32_t id, int32_t count) {
  startup.Require(kNotStartedSet);
  SUITE_CHECK(count >= 0, kTag, "参照数にマイナスを設定しようとした");
  PictureRecord record = bank->records.Fetch(id);
  record.reference_count = count;
  bank->records.Update(id, record);
}

int32_t PictureBankHighColor1::ReferenceCount(int32_t id) {
  startup.Require(kNotStartedGet);
  return bank->records.Fetch(id).reference_count;
}

std::string PictureBankHighColor1::Path(int32_t id) {
  startup.Require(kNotStartedGet);
  const PictureRecord record = bank->records.Fetch(id);
  return record.path != nullptr ? record.path : "";
}

void PictureBankHighColor1::SetTransparentColour(int32_t id, int32_t colour) {
  startup.Require(kNotStartedSet);
  PictureRecord record = bank->records.Fetch(id);
  if (colour < 0) {
    record.transparency_switch = 0;
  } else {
    record.transparency_switch = 1;
    record.transparent_colour = static_cast<uint32_t>(colour);
  }
  bank->records.Update(id, record);
}

int32_t PictureBankHighColor1::ColourBits() {
  startup.Require("初期化されていないのに設定カラービットを獲得しようとした");
  return bank != nullptr ? bank->colour_bits : 0;
}

int32_t PictureBankHighColor1::Count() {
  startup.Require(kNotStartedGet);
  return bank != nullptr ? bank->records.Count() : 0;
}

int32_t PictureBankHighColor1::FirstId() {
  startup.Require(kNotStartedGet);
  return bank != nullptr ? bank->records.FirstId() : -1;
}

int32_t PictureBankHighColor1::NextId(int32_t id) {
  startup.Require(kNotStartedGet);
  return bank->records.NextId(id);
}

bool PictureBankHighColor1::IsPicture(int32_t id) {
  return bank != nullptr && bank->records.IsLive(id);
}

int32_t PictureBankHighColor1::SaveOrdinal(int32_t id) {
  startup.Require(kNotStartedGet);
  int32_t ordinal = 0;
  for (int32_t at = bank->records.FirstId(); at != -1; at = bank->records.NextId(at), ++ordinal) {
    if (at == id) return ordinal;
  }
  return -1;
}

void PictureBankHighColor1::SaveBank(ByteWriter& out) {
  startup.Require("初期化されていないのにセーブしようとした");
  // Ordinals of the IDs: frame references are stored as positions in the save order.
  std::vector<int32_t> ordinal_of;
  int32_t ordinal = 0;
  for (int32_t id = bank->records.FirstId(); id != -1; id = bank->records.NextId(id)) {
    if (static_cast<size_t>(id) >= ordinal_of.size()) ordinal_of.resize(id + 1, -1);
    ordinal_of[id] = ordinal++;
  }
  out.I32(bank->colour_bits);
  out.I32(bank->records.Count());
  for (int32_t id = bank->records.FirstId(); id != -1; id = bank->records.NextId(id)) {
    const PictureRecord r = bank->records.Fetch(id);
    for (const int32_t value : {r.kind, r.width, r.height, r.exponent_w, r.exponent_h,
                                r.byte_count}) {
      out.I32(value);
    }
    out.U32(r.flags);
    out.I32(r.reference_count);
    out.I32(r.delay);
    out.I32(r.transparency_switch);
    out.U32(r.transparent_colour);
    out.Text(r.path != nullptr ? r.path : "");
    out.U8(0);
    out.I32(r.total_time);
    if (r.kind == kAnimationBase) {
      out.I32(r.frames.Count());
      for (int32_t i = 0; i < r.frames.Count(); ++i) out.I32(ordinal_of[r.frames.ValueAt(i)]);
    } else {
      out.Bytes(r.pixels, static_cast<size_t>(r.byte_count));
    }
  }
}

namespace {

// Reads one record of a bank image; false when it is truncated or impossible.
bool ReadRecord(ByteReader& in, int32_t colour_bits, PictureRecord* r) {
  r->kind = in.I32();
  r->width = in.I32();
  r->height = in.I32();
  r->exponent_w = in.I32();
  r->exponent_h = in.I32();
  r->byte_count = in.I32();
  r->flags = in.U32();
  r->reference_count = in.I32();
  r->delay = in.I32();
  r->transparency_switch = in.I32();
  r->transparent_colour = in.U32();
  if (!in.Ok()) return false;
  if (r->kind != Bank::kPicture && r->kind != Bank::kAnimationBase) return false;
  if (r->width < 0 || r->height < 0) return false;
  // A count below 0 only comes from a damaged image.
  if (r->reference_count < 0) return false;
  // The exponents must describe the buffer, or a texture reader would run past it.
  if ((r->flags & Bank::kPowerOfTwo) != 0 &&
      (r->exponent_w != SideExponent(r->width) || r->exponent_h != SideExponent(r->height) ||
       r->exponent_w < 0 || r->exponent_h < 0)) {
    return false;
  }
  std::string path;
  for (;;) {
    const uint8_t c = in.U8();
    if (!in.Ok() || path.size() >= kMaxPathBytes) return false;
    if (c == 0) break;
    path.push_back(static_cast<char>(c));
  }
  r->total_time = in.I32();
  if (!in.Ok()) return false;
  r->path = CopyPath(path);
  if (r->kind == Bank::kPicture) {
    // The pixel count first: sides up to 2^31 each would overflow the byte count's product.
    const int64_t pixel_count = int64_t{r->width} * r->height;
    if (pixel_count > INT32_MAX || pixel_count * BytesPerPixel(colour_bits) != r->byte_count) {
      return false;
    }
    if (!in.CanRead(r->byte_count, 1)) return false;
    r->pixels = static_cast<uint8_t*>(Heap1::Get(static_cast<size_t>(r->byte_count)));
    if (r->pixels == nullptr && r->byte_count > 0) {
      SUITE_FATAL(kTag, "画像メモリの獲得に失敗");
      return false;
    }
    return in.Bytes(r->pixels, static_cast<size_t>(r->byte_count));
  }
  const int32_t frame_count = in.I32();
  if (!in.Ok() || frame_count <= 0 || !in.CanRead(frame_count, 4)) return false;
  for (int32_t i = 0; i < frame_count; ++i) r->frames.Append(in.I32());
  return true;
}

// Frame positions must name pictures (not bases) of the image, each used by one base only,
// and a power-of-two base must have power-of-two frames.
bool FramesConsistent(BankState* state) {
  const int32_t count = state->records.Count();
  std::vector<bool> used(static_cast<size_t>(count), false);
  for (int32_t id = 0; id < count; ++id) {
    const PictureRecord base = state->records.Fetch(id);
    if (base.kind != Bank::kAnimationBase) continue;
    for (int32_t i = 0; i < base.frames.Count(); ++i) {
      const int32_t frame_id = base.frames.ValueAt(i);
      if (frame_id < 0 || frame_id >= count || used[frame_id]) return false;
      const PictureRecord frame = state->records.Fetch(frame_id);
      if (frame.kind != Bank::kPicture) return false;
      if ((base.flags & Bank::kPowerOfTwo) != 0 && (frame.flags & Bank::kPowerOfTwo) == 0) {
        return false;
      }
      used[frame_id] = true;
    }
  }
  return true;
}

}  // namespace

int32_t PictureBankHighColor1::LoadBank(ByteReader& in) {
  startup.Require("初期化されていないのにロードしようとした");
  if (bank == nullptr) return kBankImageBad;
  const int32_t colour_bits = in.I32();
  const int32_t count = in.I32();
  // The smallest record: 11 fields, the path's NUL, the total time.
  constexpr size_t kSmallestRecord = 11 * 4 + 1 + 4;
  if (!in.Ok() || colour_bits != bank->colour_bits || !in.CanRead(count, kSmallestRecord)) {
    return kBankImageBad;
  }
  BankState* fresh = new BankState();
  fresh->colour_bits = colour_bits;
  bool good = true;
  for (int32_t i = 0; i < count && good; ++i) {
    PictureRecord record = {};
    record.frames.Init();
    good = ReadRecord(in, colour_bits, &record);
    // Added even when bad, so the cleanup below frees what was allocated.
    fresh->records.Add(record);
  }
  if (good) good = FramesConsistent(fresh);
  if (!good) {
    FreeAll(fresh);
    delete fresh;
    return kBankImageBad;
  }
  FreeAll(bank);
  delete bank;
  bank = fresh;
  return kBankLoaded;
}
