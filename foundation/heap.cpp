#include "foundation/heap.h"

#include <unistd.h>

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "foundation/debug_output.h"

// The address of a freed block is only printed, never dereferenced; GCC 12 flags the
// integer copy taken before the call all the same.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wuse-after-free"
#endif

namespace {

int32_t allocation_count = 0;

// Addresses are printed in full: a 64-bit address cut to 32 bits would not identify a block.
long long AddressValue(intptr_t address) { return static_cast<long long>(address); }
intptr_t AddressOf(const void* block) { return reinterpret_cast<intptr_t>(block); }

void TraceGet(intptr_t block, size_t size) {
#ifndef LEAN_BUILD
  char text[256];
  std::snprintf(text, sizeof text, "%s %s %ld %lld %ld", "Heap1", "Get",
                static_cast<long>(allocation_count), AddressValue(block), static_cast<long>(size));
  DebugOutput(text);
#else
  (void)block;
  (void)size;
#endif
  ++allocation_count;
}

void TraceFree(intptr_t block) {
#ifndef LEAN_BUILD
  char text[256];
  std::snprintf(text, sizeof text, "%s %s %lld", "Heap1", "Free", AddressValue(block));
  DebugOutput(text);
#else
  (void)block;
#endif
}

// --- file variant ---

std::string& FileTracePath() {
  static std::string path;
  return path;
}

void FileTraceLine(const char* line) {
  std::string& path = FileTracePath();
  if (path.empty()) {
    char directory[261] = {};
    if (getcwd(directory, sizeof directory) == nullptr) directory[0] = '\0';
    path = std::string(directory) + "/HeapDebug.txt";
    if (std::FILE* f = std::fopen(path.c_str(), "w")) std::fclose(f);
  }
  if (std::FILE* f = std::fopen(path.c_str(), "a+")) {
    std::fputs(line, f);
    std::fclose(f);
  }
}

void FileTraceGet(intptr_t block, size_t size) {
  char text[256];
  std::snprintf(text, sizeof text, "%s %s %ld %lld %ld\n", "Heap1", "Get",
                static_cast<long>(allocation_count), AddressValue(block), static_cast<long>(size));
  FileTraceLine(text);
  ++allocation_count;
}

void FileTraceFree(intptr_t block) {
  char text[256];
  std::snprintf(text, sizeof text, "%s %s %ld %lld\n", "Heap1", "Free",
                static_cast<long>(allocation_count), AddressValue(block));
  FileTraceLine(text);
  ++allocation_count;
}

}  // namespace

void* Heap1::Get(size_t size) {
  void* block = std::malloc(size);
  if (block != nullptr) TraceGet(AddressOf(block), size);
  return block;
}

void* Heap1::GetCleared(size_t count, size_t size) {
  void* block = std::calloc(count, size);
  if (block != nullptr) TraceGet(AddressOf(block), count * size);
  return block;
}

void* Heap1::Resize(void* block, size_t size) {
  const intptr_t old_address = reinterpret_cast<intptr_t>(block);
  void* moved = std::realloc(block, size);
  if (old_address != 0) TraceFree(old_address);
  if (moved != nullptr) TraceGet(AddressOf(moved), size);
  return moved;
}

void Heap1::Free(void* block) {
  const intptr_t address = reinterpret_cast<intptr_t>(block);
  std::free(block);
  if (address != 0) TraceFree(address);
}

void* Heap1::FileGet(size_t size) {
  void* block = std::malloc(size);
  if (block != nullptr) FileTraceGet(AddressOf(block), size);
  return block;
}

void* Heap1::FileGetCleared(size_t count, size_t size) {
  void* block = std::calloc(count, size);
  if (block != nullptr) FileTraceGet(AddressOf(block), count * size);
  return block;
}

void* Heap1::FileResize(void* block, size_t size) {
  const intptr_t old_address = reinterpret_cast<intptr_t>(block);
  void* moved = std::realloc(block, size);
  if (old_address != 0) FileTraceFree(old_address);
  if (moved != nullptr) FileTraceGet(AddressOf(moved), size);
  return moved;
}

void Heap1::FileFree(void* block) {
  const intptr_t address = reinterpret_cast<intptr_t>(block);
  std::free(block);
  if (address != 0) FileTraceFree(address);
}

int32_t Heap1::AllocationCount() { return allocation_count; }
