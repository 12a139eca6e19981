// Type-safe owners over the byte-level containers for trivially copyable records. They
// initialise on construction and release on destruction; the operations, checks and
// messages are those of the containers underneath.
#pragma once

#include <cstdint>
#include <type_traits>
#include <utility>

#include "foundation/id_access_database.h"
#include "foundation/id_array_database.h"
#include "foundation/straight_database.h"

// Records by stable access ID.
template <typename Record>
class IdTable {
  static_assert(std::is_trivially_copyable_v<Record>);

 public:
  IdTable() { base_.Init(sizeof(Record)); }
  ~IdTable() { base_.Release(); }
  IdTable(const IdTable&) = delete;
  IdTable& operator=(const IdTable&) = delete;

  int32_t Add(const Record& record) { return base_.Add(&record, sizeof(Record)); }
  void Delete(int32_t id) { base_.Delete(id); }
  Record Fetch(int32_t id) const {
    Record record;
    base_.Fetch(id, &record, sizeof(Record));
    return record;
  }
  void Update(int32_t id, const Record& record) { base_.Update(id, &record, sizeof(Record)); }
  int32_t FirstId() const { return base_.FirstId(); }
  int32_t NextId(int32_t id) const { return base_.NextId(id); }
  int32_t Count() const { return base_.Count(); }
  bool IsLive(int32_t id) const { return base_.IsLive(id); }
  // Removes every record (the table is as new).
  void Clear() {
    base_.Release();
    base_.Init(sizeof(Record));
  }
  template <typename Visit>
  void ForEach(Visit visit) const {
    for (int32_t id = FirstId(); id != -1; id = NextId(id)) visit(id, Fetch(id));
  }

 private:
  IDAccessDataBase1 base_;
};

// Records by position.
template <typename Record>
class RecordList {
  static_assert(std::is_trivially_copyable_v<Record>);

 public:
  RecordList() { base_.Init(sizeof(Record)); }
  ~RecordList() { base_.Release(); }
  RecordList(const RecordList& other) : RecordList() { *this = other; }
  RecordList& operator=(const RecordList& other) {
    if (this != &other) {
      base_.Release();
      for (int32_t i = 0; i < other.Count(); ++i) Append(other.At(i));
    }
    return *this;
  }

  int32_t Append(const Record& record) { return base_.Append(&record); }
  int32_t InsertAt(const Record& record, int32_t index) { return base_.InsertAt(&record, index); }
  void RemoveAt(int32_t index) { base_.RemoveAt(index); }
  Record At(int32_t index) const {
    Record record;
    base_.Fetch(&record, index);
    return record;
  }
  // Unchecked: the caller keeps 0 <= index < Count().
  void Store(const Record& record, int32_t index) { base_.Store(&record, index); }
  int32_t Count() const { return base_.Count(); }
  void Clear() { base_.Release(); }

 private:
  StraightDataBase1 base_;
};

// 32-bit values (IDs) by position.
class IdList {
 public:
  IdList() { base_.Init(); }
  ~IdList() { base_.Release(); }
  IdList(const IdList& other) : IdList() { *this = other; }
  IdList& operator=(const IdList& other) {
    if (this != &other) {
      base_.Release();
      for (int32_t i = 0; i < other.Count(); ++i) base_.Append(other.ValueAt(i));
    }
    return *this;
  }

  int32_t Append(int32_t value) { return base_.Append(value); }
  void InsertAt(int32_t index, int32_t value) { base_.InsertAt(index, value); }
  void RemoveAt(int32_t index) { base_.RemoveAt(index); }
  int32_t ValueAt(int32_t index) const { return base_.ValueAt(index); }
  int32_t Count() const { return base_.Count(); }
  void Clear() { base_.Release(); }
  int32_t IndexOf(int32_t value) const {
    for (int32_t i = 0; i < Count(); ++i) {
      if (base_.ValueAt(i) == value) return i;
    }
    return -1;
  }

 private:
  IDArrayDataBase1 base_;
};
