// The picture packer's document: the ordered list of equally sized pictures that becomes one
// ".tsy" file, each entry with its display time, plus the change flag and the preview clock.
// Entries are frames of PictureBankHighColor1 (the bank must be started); the list holds one
// bank reference per entry.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/typed_database.h"

class PicturePackList {
 public:
  // Display time given to a picture that has none of its own (a still BMP).
  static constexpr int32_t kDefaultDelay = 200;
  // Milliseconds the preview clock advances per tick.
  static constexpr int32_t kPreviewTick = 10;

  enum AddResult : int32_t {
    kAdded = 0,
    kCannotLoad = 1,     // the bank refused the file (BankResult() tells why)
    kDifferentSize = 2,  // a picture's size differs from the list's; nothing was added
  };

  PicturePackList() = default;
  ~PicturePackList();
  PicturePackList(const PicturePackList&) = delete;
  PicturePackList& operator=(const PicturePackList&) = delete;

  // The delay given to pictures without their own (kDefaultDelay unless changed).
  void SetDefaultDelay(int32_t delay) { default_delay_ = delay; }
  int32_t DefaultDelay() const { return default_delay_; }

  // Registers the file unique in the bank and appends each of its frames, with the frame's
  // own delay or the default one. `first_added` (optional) receives the position of the
  // first new entry. On kCannotLoad and kDifferentSize the list is as it was.
  AddResult AddFile(const std::string& path, int32_t* first_added = nullptr);
  // The bank's result of the last refused registration (negative).
  int32_t BankResult() const { return bank_result_; }

  // Removes an entry (releasing its picture). Emptying the list clears the change flag,
  // since there is nothing left to save.
  void RemoveAt(int32_t index);

  // The settings of one entry: the transparent colour of its picture (a 5-5-5 word, or -1
  // for none) and its delay.
  void SetEntry(int32_t index, int32_t transparent_colour, int32_t delay);
  // The transparent colour word of an entry's picture, or -1 when it has none.
  int32_t TransparentColour(int32_t index) const;

  int32_t Count() const { return ids_.Count(); }
  int32_t PictureId(int32_t index) const { return ids_.ValueAt(index); }
  int32_t Delay(int32_t index) const { return delays_.At(index); }
  std::vector<int32_t> PictureIds() const;
  std::vector<int32_t> Delays() const;
  int64_t TotalTime() const { return total_time_; }
  // Size every entry has (0 x 0 while the list is empty).
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }

  bool Changed() const { return changed_; }
  void SetChanged(bool changed) { changed_ = changed; }

  // The file's bytes as Write would save them.
  std::string Build() const;
  // Saves the list atomically as a ".tsy" file; success clears the change flag. On failure
  // the flag stays, any old file is left as it was and `error` says why.
  bool Write(const std::string& path, std::string* error = nullptr);

  // The preview clock: Tick advances it by kPreviewTick; PreviewEntry is the entry it shows.
  void Tick() { clock_ += kPreviewTick; }
  int64_t Clock() const { return clock_; }
  int32_t PreviewEntry() const { return EntryAtTime(Delays(), clock_); }

  // The entry a sequence of delays shows at `clock` ms, repeating: -1 for no entries; the
  // first entry when the total time is not positive (no animation to run).
  static int32_t EntryAtTime(const std::vector<int32_t>& delays, int64_t clock);

 private:
  IdList ids_;
  RecordList<int32_t> delays_;
  int64_t total_time_ = 0;
  int32_t width_ = 0;
  int32_t height_ = 0;
  bool changed_ = false;
  int32_t default_delay_ = kDefaultDelay;
  int32_t bank_result_ = 0;
  int64_t clock_ = 0;
};
