// Records of one fixed size addressed by stable access IDs. Freed IDs are reused lowest
// first; records stay in the order they were added; growth is by exactly one record.
#pragma once

#include <cstdint>

class IDAccessDataBase1 {
 public:
  void Init(int32_t record_size);
  void Release();

  int32_t Add(const void* record, int32_t size);
  void Delete(int32_t id);
  void Fetch(int32_t id, void* buffer, int32_t size) const;
  void Update(int32_t id, const void* record, int32_t size);
  int32_t FirstId() const;
  int32_t NextId(int32_t id) const;
  int32_t Count() const { return record_count_; }

  int32_t RecordSize() const { return record_size_; }
  int32_t AccessTableSize() const { return access_table_size_; }
  bool StoreIsEmpty() const { return records_ == nullptr; }
  // True when `id` names a live record.
  bool IsLive(int32_t id) const {
    return id >= 0 && id < access_table_size_ && access_table_[id] != -1;
  }

 private:
  int32_t access_table_size_ = 0;
  int32_t* access_table_ = nullptr;
  int32_t record_count_ = 0;
  uint8_t* records_ = nullptr;
  int32_t record_size_ = 0;
};
