#include "packer/picture_pack_list.h"

#include "foundation/misuse_check.h"
#include "pictures/picture_bank_high_color1.h"
#include "pictures/tsy_file_writer.h"

PicturePackList::~PicturePackList() {
  for (int32_t i = 0; i < ids_.Count(); ++i) PictureBankHighColor1::Release(ids_.ValueAt(i));
}

PicturePackList::AddResult PicturePackList::AddFile(const std::string& path, int32_t* first_added) {
  const int32_t file_id = PictureBankHighColor1::RegisterUnique(path, 0);
  if (file_id < 0) {
    bank_result_ = file_id;
    return kCannotLoad;
  }
  // Each frame gets the list's own reference; releasing the file's record then leaves the
  // frames owned by the list alone (an animation base gives up its frames when freed).
  std::vector<int32_t> frames;
  const int32_t frame_count = PictureBankHighColor1::FrameCount(file_id);
  for (int32_t n = 0; n < frame_count; ++n) {
    const int32_t frame = PictureBankHighColor1::FrameId(file_id, n);
    PictureBankHighColor1::AddRef(frame);
    frames.push_back(frame);
  }
  PictureBankHighColor1::Release(file_id);

  int32_t width = width_;
  int32_t height = height_;
  bool sized = ids_.Count() > 0;
  for (const int32_t frame : frames) {
    PictureInfo info;
    PictureBankHighColor1::Picture(frame, &info);
    if (!sized) {
      width = info.width;
      height = info.height;
      sized = true;
    } else if (info.width != width || info.height != height) {
      for (const int32_t refused : frames) PictureBankHighColor1::Release(refused);
      return kDifferentSize;
    }
  }
  if (frames.empty()) return kAdded;

  width_ = width;
  height_ = height;
  if (first_added != nullptr) *first_added = ids_.Count();
  for (const int32_t frame : frames) {
    const int32_t own = PictureBankHighColor1::FrameDelay(frame);
    const int32_t delay = own != 0 ? own : default_delay_;
    ids_.Append(frame);
    delays_.Append(delay);
    total_time_ += delay;
  }
  changed_ = true;
  return kAdded;
}

void PicturePackList::RemoveAt(int32_t index) {
  SUITE_CHECK(index >= 0 && index < ids_.Count(), "PicturePackList",
              "範囲外のデータにアクセスしようとした");
  const int32_t id = ids_.ValueAt(index);
  total_time_ -= delays_.At(index);
  ids_.RemoveAt(index);
  delays_.RemoveAt(index);
  PictureBankHighColor1::Release(id);
  if (ids_.Count() == 0) {
    width_ = 0;
    height_ = 0;
    total_time_ = 0;
    changed_ = false;
  } else {
    changed_ = true;
  }
}

void PicturePackList::SetEntry(int32_t index, int32_t transparent_colour, int32_t delay) {
  SUITE_CHECK(index >= 0 && index < ids_.Count(), "PicturePackList",
              "範囲外のデータにアクセスしようとした");
  PictureBankHighColor1::SetTransparentColour(ids_.ValueAt(index), transparent_colour);
  total_time_ += int64_t{delay} - delays_.At(index);
  delays_.Store(delay, index);
  changed_ = true;
}

int32_t PicturePackList::TransparentColour(int32_t index) const {
  PictureInfo info;
  PictureBankHighColor1::Picture(ids_.ValueAt(index), &info);
  if (info.transparency_switch == 0) return -1;
  return static_cast<int32_t>(info.transparent_colour);
}

std::vector<int32_t> PicturePackList::PictureIds() const {
  std::vector<int32_t> ids;
  ids.reserve(static_cast<size_t>(ids_.Count()));
  for (int32_t i = 0; i < ids_.Count(); ++i) ids.push_back(ids_.ValueAt(i));
  return ids;
}

std::vector<int32_t> PicturePackList::Delays() const {
  std::vector<int32_t> delays;
  delays.reserve(static_cast<size_t>(delays_.Count()));
  for (int32_t i = 0; i < delays_.Count(); ++i) delays.push_back(delays_.At(i));
  return delays;
}

std::string PicturePackList::Build() const { return TsyFileWriter::Build(PictureIds(), Delays()); }

bool PicturePackList::Write(const std::string& path, std::string* error) {
  if (!TsyFileWriter::Write(path, PictureIds(), Delays(), error)) return false;
  changed_ = false;
  return true;
}

int32_t PicturePackList::EntryAtTime(const std::vector<int32_t>& delays, int64_t clock) {
  if (delays.empty()) return -1;
  int64_t total = 0;
  for (const int32_t delay : delays) total += delay;
  if (total <= 0) return 0;
  int64_t t = clock % total;
  if (t < 0) t += total;
  for (size_t i = 0; i < delays.size(); ++i) {
    t -= delays[i];
    if (t < 0) return static_cast<int32_t>(i);
  }
  // Not reached: the delays sum to more than t, so the walk stops inside the list.
  return static_cast<int32_t>(delays.size()) - 1;
}
