#include "foundation/string_bank.h"

#include <cstring>

#include "foundation/class_startup.h"
#include "foundation/heap.h"
#include "foundation/id_access_database.h"
#include "foundation/misuse_check.h"

namespace {

constexpr const char* kTag = "StringBank1";
constexpr const char* kNotStarted = "初期化されていないのに設定しようとした";

struct StoredString {
  int32_t length;
  char* text;
};

ClassStartUp startup(kTag, ClassStartUp::Form::kDecrementThenCheck);
IDAccessDataBase1 bank;

char* CopyText(const char* text, int32_t& length) {
  length = static_cast<int32_t>(std::strlen(text));
  auto* copy = static_cast<char*>(Heap1::Get(static_cast<size_t>(length) + 1));
  SUITE_CHECK(copy != nullptr, kTag, "メモリの獲得に失敗");
  std::memcpy(copy, text, static_cast<size_t>(length) + 1);
  return copy;
}

StoredString FetchStored(int32_t id) {
  StoredString stored{};
  bank.Fetch(id, &stored, sizeof stored);
  return stored;
}

}  // namespace

void StringBank1::StartUp() {
  if (startup.StartUp()) bank.Init(sizeof(StoredString));
}

void StringBank1::ShutDown() {
  if (!startup.ShutDown()) return;
  for (int32_t id = bank.FirstId(); id != -1; id = bank.NextId(id)) {
    Heap1::Free(FetchStored(id).text);
  }
  bank.Release();
}

int32_t StringBank1::AddString(const char* text) {
  startup.Require(kNotStarted);
  StoredString stored{};
  stored.text = CopyText(text, stored.length);
  return bank.Add(&stored, sizeof stored);
}

void StringBank1::RemoveString(int32_t id) {
  startup.Require(kNotStarted);
  Heap1::Free(FetchStored(id).text);
  bank.Delete(id);
}

void StringBank1::ReplaceString(int32_t id, const char* text) {
  startup.Require(kNotStarted);
  StoredString stored = FetchStored(id);
  Heap1::Free(stored.text);
  stored.text = CopyText(text, stored.length);
  bank.Update(id, &stored, sizeof stored);
}

const char* StringBank1::StringText(int32_t id) {
  startup.Require(kNotStarted);
  return FetchStored(id).text;
}

void StringBank1::CopyString(int32_t id, char* buffer, int32_t capacity) {
  startup.Require(kNotStarted);
  const StoredString stored = FetchStored(id);
  SUITE_CHECK(stored.length + 1 <= capacity, kTag, "受け取りバッファが小さすぎ");
  std::memcpy(buffer, stored.text, static_cast<size_t>(stored.length) + 1);
}
